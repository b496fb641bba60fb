// zorvel-marks: a check of whole proof texts before work starts. For every
// difference mark, as repeated F2 finds them, it prints what F1 would compute:
// the line head, the character count, the page image file and the readings.
//
//   zorvel-marks [--ini FILE] [--utf8 | --big5] [--header] [--jobs N] TEXT...
//   zorvel-marks --log NAME.log.tsv TEXT
//
// Messages and file names are UTF-8 when standard output is a terminal and the
// proof text's own Big5 when it goes to a pipe or a file; --utf8 and --big5
// choose either way. With more than one TEXT every line begins with the text's
// name and a TAB, and the texts are reported in the order given, whatever the
// number of jobs. With --log it checks a decision log against TEXT instead.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/cli/command_line.h"
#include "core/cli/ordered_jobs.h"
#include "core/proof/decision_log.h"
#include "core/proof/marks_report.h"
#include "core/settings/hot_key.h"
#include "core/settings/ini_file.h"
#include "core/settings/settings.h"
#include "core/text/memory_editor.h"

namespace {

enum class Encoding { Auto, Utf8, Big5 };

struct MarksOptions {
  std::string IniPath;  // empty: ./zorvel.ini if it exists
  Encoding Output = Encoding::Auto;
  bool Header = false;
  int Jobs = 1;
  std::string LogPath;  // --log: check this decision log against the one TEXT
};

// The options of the command, one entry each.
zorvel::cli::CommandLine MarksCommandLine(MarksOptions& options) {
  zorvel::cli::CommandLine line(
      "zorvel-marks", {"[--ini FILE] [--utf8 | --big5] [--header] [--jobs N] TEXT...", "--log LOG TEXT"},
      "Lists every difference mark of each Big5 proof text TEXT with its line head,\n"
      "character count, page image file and readings. With more than one TEXT each\n"
      "line begins with the text's name and a TAB.");
  line.Text("--ini", "FILE", "settings file (default ./zorvel.ini; the defaults when it does not exist)",
            options.IniPath);
  line.Add(
      {"--utf8", "", "messages and file names as UTF-8 (the default on a terminal)", [&](const std::string&) {
         options.Output = Encoding::Utf8;
         return std::string();
       }});
  line.Add({"--big5", "", "messages and file names as Big5 (the default into a pipe or file)",
            [&](const std::string&) {
              options.Output = Encoding::Big5;
              return std::string();
            }});
  line.Flag("--header", "print a first line naming the columns", options.Header);
  line.Jobs(options.Jobs);
  line.Text("--log", "LOG", "check that each reading the decision log LOG records still stands in TEXT",
            options.LogPath);
  line.Arguments(1, 1 << 20);
  return line;
}

const char* const kColumns =
    "offset\tline\tVol\tSutra\tPage\tField\tLine\tChar\treadings\tfileName\texists\tmessage";

// The report of one text, or why there is none.
struct TextReport {
  std::string Lines;
  std::string Error;
};

TextReport ReportText(const std::string& path, const zorvel::Settings& settings, bool utf8) {
  TextReport report;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  if (!in || in.bad()) {
    report.Error = "cannot read " + path;
    return report;
  }
  zorvel::MemoryEditor editor;
  editor.SetText(bytes.str());
  std::ostringstream out;
  zorvel::WriteMarksReport(editor, settings, utf8, out);
  report.Lines = out.str();
  return report;
}

// Puts "PREFIX" before every line of the text.
std::string Prefixed(const std::string& prefix, const std::string& text) {
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    const std::size_t stop = end == std::string::npos ? text.size() : end + 1;
    out += prefix;
    out.append(text, at, stop - at);
    at = stop;
  }
  return out;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream out;
  out << in.rdbuf();
  bytes = out.str();
  return !in.bad();
}

// --log LOG TEXT: checks that every reading the decision log LOG records still
// stands at its place in TEXT. Prints one line for each that does not, and a
// summary; the status is 0 when all stand, 1 when some do not (or log lines
// cannot be read), 2 for a wrong call or a file that cannot be read.
int CheckLog(const std::string& logPath, const std::string& textPath) {
  std::string log;
  std::string text;
  for (auto [path, bytes] : {std::pair{&logPath, &log}, std::pair{&textPath, &text}}) {
    if (!ReadWholeFile(*path, *bytes)) {
      std::cerr << "zorvel-marks: cannot read " << *path << "\n";
      return 2;
    }
  }
  const zorvel::LogCheck check = zorvel::CheckDecisionLog(log, text);
  for (const std::string& message : check.Unreadable) std::cout << message << "\n";
  for (const zorvel::LogFinding& finding : check.Changed)
    std::cout << zorvel::DescribeLogFinding(finding) << "\n";
  std::cout << "decisions=" << check.Decisions << " standing=" << check.Standing
            << " changed=" << check.Changed.size() << " unreadable=" << check.Unreadable.size() << "\n";
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "zorvel-marks: cannot write the report\n";
    return 2;
  }
  return check.Changed.empty() && check.Unreadable.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  MarksOptions options;
  zorvel::cli::CommandLine line = MarksCommandLine(options);
  if (const int status = line.Parse(argc, argv); status >= 0) return status;
  const std::vector<std::string>& texts = line.Positional();
  if (!options.LogPath.empty()) {
    if (texts.size() != 1) {
      std::cerr << "zorvel-marks: --log checks one TEXT\n" << line.Usage();
      return 2;
    }
    return CheckLog(options.LogPath, texts[0]);
  }
  const bool utf8 = options.Output == Encoding::Auto ? zorvel::cli::IsTerminal(STDOUT_FILENO)
                                                     : options.Output == Encoding::Utf8;

  zorvel::Settings settings;
  zorvel::HotKeySet hotKeys;
  const std::string iniPath = options.IniPath.empty() ? "zorvel.ini" : options.IniPath;
  std::error_code ec;
  if (std::filesystem::is_regular_file(iniPath, ec)) {
    zorvel::LoadSettings(zorvel::IniFile(iniPath), settings, hotKeys);
  } else if (!options.IniPath.empty()) {
    std::cerr << "zorvel-marks: cannot read the settings file " << iniPath << "\n";
    return 1;
  }

  const bool named = texts.size() > 1;
  if (options.Header) std::cout << (named ? "text\t" : "") << kColumns << "\n";
  int failed = 0;
  zorvel::cli::RunInOrder<TextReport>(
      texts.size(), options.Jobs, [&](std::size_t i) { return ReportText(texts[i], settings, utf8); },
      [&](std::size_t i, TextReport& report) {
        if (!report.Error.empty()) {
          std::cout.flush();
          std::cerr << "zorvel-marks: " << report.Error << "\n";
          ++failed;
          return;
        }
        std::cout << (named ? Prefixed(texts[i] + "\t", report.Lines) : report.Lines);
      });
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "zorvel-marks: cannot write the report\n";
    return 1;
  }
  return failed == 0 ? 0 : 1;
}
