// zorvel-g4: decodes Group 4 page images the way the program does and reports
// each one.
//
//   zorvel-g4 PAGE.tif [OUT.pbm] [--repeat N] [--corner [--ini FILE]]
//   zorvel-g4 FOLDER [OUT_FOLDER] [--repeat N] [--corner [--ini FILE]] [--jobs N]
//
// Prints "result=N width=W height=H decode_ms=T" for the page (one line per
// page, after the file name, for a folder); exits 0 when every page gave result
// 1 and 1 otherwise. With OUT the page is written as a binary PBM (1 black).
// With --repeat N each page is decoded N times and the median time reported.
// With --corner the line goes on with "corner=X,Y", where the automatic corner
// search of the image window puts the page's first character at 100 %
// (FirstCharX from the right edge, FirstCharY from the top, as the calibration
// file keeps them), or "corner=none" when it finds no corner, so that the pages
// that will need a hand calibration are known before work starts. RightTopX
// and RightTopY come from FILE (default ./zorvel.ini; the built-in defaults
// when it does not exist).
//
// A folder's pages are decoded N at a time (--jobs, default one per core) and
// reported in name order all the same. While it runs, a terminal shows a
// progress line on standard error; a pipe or file gets none.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "codec/a_tif_g4.h"
#include "codec/g4_decoder.h"
#include "core/cli/command_line.h"
#include "core/cli/ordered_jobs.h"
#include "core/cli/progress_line.h"
#include "core/pages/right_top.h"
#include "core/settings/hot_key.h"
#include "core/settings/ini_file.h"
#include "core/settings/settings.h"

namespace fs = std::filesystem;

namespace {

const char* Explain(int result) {
  switch (result) {
    case zorvel::erOk:
      return "decoded";
    case zorvel::erHeader:
      return "not a readable little-endian one-bit Group 4 TIFF (missing file, bad header or refused tag)";
    case zorvel::erStrip:
      return "the image strip cannot be loaded (no StripByteCounts)";
    case zorvel::erDecode:
      return "a coded line does not end at the page width (corrupt data)";
    case zorvel::erMemory:
      return "out of memory";
    case zorvel::erRowRange:
      return "the page has no rows (no ImageLength)";
    case zorvel::erMaxLineBlk:
      return "invalid code, too many changes in a line, or the data end early";
    default:
      return "unknown result";
  }
}

// Writes the page as P4: temporary file beside the target, flushed, renamed over it.
bool WritePbm(const zorvel::DecodedPage& page, const std::string& path, std::string& error) {
  const fs::path target(path);
  const fs::path temp = target.parent_path() / (target.filename().string() + ".tmp-zorvel");
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) {
      error = "cannot write " + temp.string();
      return false;
    }
    out << "P4\n" << page.Width << " " << page.Height << "\n";
    std::vector<char> row(static_cast<std::size_t>(page.BytesPerRow));
    const int spare = page.BytesPerRow * 8 - page.Width;
    const auto lastMask = static_cast<unsigned char>(0xFF << spare);
    for (int y = 0; y < page.Height; ++y) {
      const std::uint8_t* src = page.Row(y);
      for (int i = 0; i < page.BytesPerRow; ++i)
        row[static_cast<std::size_t>(i)] = static_cast<char>(~src[i]);
      if (!row.empty()) row.back() = static_cast<char>(row.back() & lastMask);
      out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    out.flush();
    if (!out) {
      error = "cannot write " + temp.string();
      out.close();
      std::error_code ec;
      fs::remove(temp, ec);
      return false;
    }
  }
  std::error_code ec;
  const bool existed = fs::exists(target, ec);
  const fs::perms perms = existed ? fs::status(target, ec).permissions() : fs::perms::none;
  fs::rename(temp, target, ec);
  if (ec) {
    error = "cannot replace " + path + ": " + ec.message();
    fs::remove(temp, ec);
    return false;
  }
  if (existed) fs::permissions(target, perms, ec);
  return true;
}

// What the corner search is asked for, when it is.
struct CornerCheck {
  bool On = false;
  zorvel::Settings Settings;
};

// What one page gives: its line for standard output, and why it failed.
struct PageReport {
  std::string Line;
  std::string Error;
  bool NoCorner = false;
};

// " corner=X,Y" or " corner=none" for a page (none when it did not decode).
std::string CornerText(const zorvel::ATifG4* tif, int result, const CornerCheck& corner, bool& none) {
  none = false;
  if (result == zorvel::erOk && tif) {
    const zorvel::RightTopResult found =
        zorvel::FindRightTop(tif->Page, corner.Settings.RightTopX, corner.Settings.RightTopY);
    if (found.Found)
      return " corner=" + std::to_string(found.FirstCharX) + "," + std::to_string(found.FirstCharY);
  }
  none = true;
  return " corner=none";
}

// Decodes one page (repeat times) and words its line.
PageReport DecodeOne(const std::string& path, const std::string& label, const std::string& out, int repeat,
                     const CornerCheck& corner) {
  std::vector<double> times;
  int result = 0;
  int width = 0;
  int height = 0;
  std::unique_ptr<zorvel::ATifG4> last;
  for (int i = 0; i < repeat; ++i) {
    auto tif = std::make_unique<zorvel::ATifG4>(path);
    zorvel::PrepareDecoding(*tif);  // the file read is not part of the decoding time
    const auto start = std::chrono::steady_clock::now();
    result = zorvel::ReadPage(*tif);
    const auto stop = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    width = tif->ImageWidth;
    height = tif->ImageLength;
    last = std::move(tif);
  }
  std::sort(times.begin(), times.end());
  const double median = times.size() % 2 ? times[times.size() / 2]
                                         : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
  char line[160];
  std::snprintf(line, sizeof line, "result=%d width=%d height=%d decode_ms=%.3f", result, width, height,
                median);
  PageReport report;
  report.Line =
      label + line + (corner.On ? CornerText(last.get(), result, corner, report.NoCorner) : "") + "\n";
  if (result != zorvel::erOk) {
    report.Error = path + ": " + Explain(result);
  } else if (!out.empty()) {
    WritePbm(last->Page, out, report.Error);
  }
  return report;
}

zorvel::cli::CommandLine G4CommandLine(int& repeat, CornerCheck& corner, std::string& iniPath, int& jobs) {
  zorvel::cli::CommandLine line(
      "zorvel-g4",
      {"PAGE.tif [OUT.pbm] [--repeat N] [--corner [--ini FILE]]",
       "FOLDER [OUT_FOLDER] [--repeat N] [--corner [--ini FILE]] [--jobs N]"},
      "Decodes Group 4 pages as Zorvel does and prints result, size and decoding time\n"
      "of each (every .tif and .tiff file of FOLDER, in name order). With OUT the page\n"
      "is written as a binary PBM.");
  line.Number("--repeat", "N", "decode each page N times and report the median time", repeat, 1, 100000);
  line.Flag("--corner",
            "also print corner=X,Y (from the right and top edges, at 100 %) where the\n"
            "corner search puts the first character, or corner=none",
            corner.On);
  line.Text("--ini", "FILE", "RightTopX and RightTopY for --corner (default ./zorvel.ini, else the defaults)",
            iniPath);
  line.Jobs(jobs);
  line.Arguments(1, 2);
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  int repeat = 1;
  CornerCheck corner;
  std::string iniPath;
  int jobs = 1;
  zorvel::cli::CommandLine line = G4CommandLine(repeat, corner, iniPath, jobs);
  if (const int status = line.Parse(argc, argv); status >= 0) return status;
  const std::vector<std::string>& args = line.Positional();
  if (!iniPath.empty() && !corner.On) {
    std::cerr << "zorvel-g4: --ini is for --corner\n" << line.Usage();
    return 2;
  }
  if (corner.On) {
    std::error_code ec;
    zorvel::HotKeySet hotKeys;
    const std::string path = iniPath.empty() ? "zorvel.ini" : iniPath;
    if (fs::is_regular_file(path, ec)) {
      zorvel::LoadSettings(zorvel::IniFile(path), corner.Settings, hotKeys);
    } else if (!iniPath.empty()) {
      std::cerr << "zorvel-g4: cannot read the settings file " << iniPath << "\n";
      return 1;
    }
  }
  zorvel::InitCodeTables();

  std::error_code ec;
  if (!fs::is_directory(args[0], ec)) {
    const PageReport report =
        DecodeOne(args[0], "", args.size() > 1 ? args[1] : std::string(), repeat, corner);
    std::cout << report.Line << std::flush;
    if (!report.Error.empty()) std::cerr << report.Error << "\n";
    return report.Error.empty() ? 0 : 1;
  }

  // A folder: every .tif and .tiff file in it, in name order.
  std::vector<fs::path> pages;
  for (const auto& entry : fs::directory_iterator(args[0], ec)) {
    std::string ext = entry.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if ((ext == ".tif" || ext == ".tiff") && !entry.is_directory(ec)) pages.push_back(entry.path());
  }
  if (ec) {
    std::cerr << "zorvel-g4: cannot list " << args[0] << ": " << ec.message() << "\n";
    return 1;
  }
  if (args.size() > 1 && !fs::is_directory(args[1], ec)) {
    std::cerr << "zorvel-g4: " << args[1] << " is not a folder\n";
    return 2;
  }
  std::sort(pages.begin(), pages.end());

  std::optional<zorvel::cli::ProgressLine> progress;
  if (zorvel::cli::IsTerminal(STDERR_FILENO)) progress.emplace(std::cerr, pages.size());
  int failed = 0;
  int noCorner = 0;
  zorvel::cli::RunInOrder<PageReport>(
      pages.size(), jobs,
      [&](std::size_t i) {
        const fs::path& page = pages[i];
        const std::string out =
            args.size() > 1 ? (fs::path(args[1]) / page.stem()).string() + ".pbm" : std::string();
        return DecodeOne(page.string(), page.filename().string() + " ", out, repeat, corner);
      },
      [&](std::size_t, PageReport& report) {
        if (progress) progress->Clear();
        std::cout << report.Line << std::flush;
        if (!report.Error.empty()) {
          std::cerr << report.Error << "\n";
          ++failed;
        }
        noCorner += report.NoCorner;
        if (progress) progress->Show();
      },
      [&](std::size_t done) {
        if (progress) progress->Update(done);
      });
  if (progress) progress->Clear();
  std::cerr << pages.size() << " pages, " << failed << " failed";
  if (corner.On) std::cerr << ", " << noCorner << " without a corner";
  std::cerr << "\n";
  return failed == 0 ? 0 : 1;
}
