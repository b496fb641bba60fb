// Group 4 decoding speed: ours against libtiff's decoder on realistic
// 2400 x 3400 pages, and the cost of merely copying the page's bytes.
//
//   decode_bench                      all benchmarks, then the ratios
//   decode_bench --write-pages DIR    writes the benchmark pages as TIFF files
//   decode_bench --once zorvel|libtiff text|blank|speckle
//                                     decodes one page once (for callgrind)

#include <benchmark/benchmark.h>
#include <tiffio.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bench_support.h"
#include "codec/a_tif_g4.h"
#include "codec/g4_decoder.h"
#include "pagegen/page_generator.h"

namespace {

using zorvel::pagegen::Bitmap;

struct BenchPage {
  std::string Name;
  std::string Path;
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Strip;
};

std::filesystem::path PageFolder() {
  static const std::filesystem::path folder = [] {
    auto p = std::filesystem::temp_directory_path() / ("zorvel-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(p);
    return p;
  }();
  return folder;
}

Bitmap DrawPage(const std::string& name) {
  zorvel::pagegen::PageLayout layout;
  if (name == "text") return zorvel::pagegen::DrawTextPage(layout, 1);
  if (name == "blank") return zorvel::pagegen::DrawNearBlankPage(layout, 2);
  if (name == "small") return zorvel::pagegen::DrawSmallPrintPage(layout, 4);
  if (name == "small_speckle") return zorvel::pagegen::DrawSpeckledSmallPrintPage(layout, 5);
  return zorvel::pagegen::DrawSpecklePage(layout, 3);
}

const BenchPage& Page(const std::string& name, const std::filesystem::path& folder = PageFolder()) {
  static std::map<std::string, BenchPage> pages;
  auto it = pages.find(name);
  if (it != pages.end()) return it->second;
  BenchPage page;
  page.Name = name;
  page.Path = (folder / (name + ".tif")).string();
  const Bitmap bitmap = DrawPage(name);
  page.Width = bitmap.Width();
  page.Height = bitmap.Height();
  if (!zorvel::pagegen::WriteG4Tiff(page.Path, bitmap)) {
    std::fprintf(stderr, "cannot write %s\n", page.Path.c_str());
    std::exit(1);
  }
  page.Strip = zorvel::pagegen::ReadRawStrip(page.Path);
  return pages.emplace(name, std::move(page)).first->second;
}

__attribute__((noinline)) std::uint8_t DecodeOnceZorvel(const BenchPage& page,
                                                        std::vector<std::uint8_t>& rows) {
  rows.clear();
  zorvel::G4Strip strip{page.Strip.data(), page.Strip.size(), false};
  return zorvel::DecodeG4(strip, page.Width, page.Height, 1, page.Height, rows);
}

__attribute__((noinline)) tmsize_t DecodeOnceLibtiff(TIFF* tif, std::vector<std::uint8_t>& rows) {
  return TIFFReadEncodedStrip(tif, 0, rows.data(), static_cast<tmsize_t>(rows.size()));
}

void Zorvel(benchmark::State& state, const std::string& name) {
  const BenchPage& page = Page(name);
  zorvel::InitCodeTables();
  std::vector<std::uint8_t> rows;
  rows.reserve(static_cast<std::size_t>((page.Width + 7) / 8) * page.Height);
  for (auto _ : state) {
    if (DecodeOnceZorvel(page, rows) != zorvel::erOk) state.SkipWithError("decoding failed");
    benchmark::DoNotOptimize(rows.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(rows.size()));
}

void ZorvelReadPage(benchmark::State& state, const std::string& name) {
  const BenchPage& page = Page(name);
  for (auto _ : state) {
    zorvel::ATifG4 tif(page.Path);
    if (zorvel::ReadPage(tif) != zorvel::erOk) state.SkipWithError("reading failed");
    benchmark::DoNotOptimize(tif.Page.Rows.data());
  }
}

void Libtiff(benchmark::State& state, const std::string& name) {
  const BenchPage& page = Page(name);
  TIFFSetWarningHandler(nullptr);
  TIFF* tif = TIFFOpen(page.Path.c_str(), "r");
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(TIFFStripSize(tif)));
  for (auto _ : state) {
    if (DecodeOnceLibtiff(tif, rows) < 0) state.SkipWithError("libtiff failed");
    benchmark::DoNotOptimize(rows.data());
    benchmark::ClobberMemory();
  }
  TIFFClose(tif);
}

void CopyFloor(benchmark::State& state) {
  const std::size_t size = 300 * 3400;
  std::vector<std::uint8_t> from(size, 0x5A), to(size);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), size);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}

using RatioReporter = zorvel::bench::CpuSecondsReporter;

int Once(const std::string& who, const std::string& name) {
  const BenchPage& page = Page(name);
  std::vector<std::uint8_t> rows;
  if (who == "zorvel") {
    zorvel::InitCodeTables();
    rows.reserve(static_cast<std::size_t>((page.Width + 7) / 8) * page.Height);
    const int result = DecodeOnceZorvel(page, rows);
    std::printf("zorvel %s (%zu bytes of Group 4): result %d\n", name.c_str(), page.Strip.size(), result);
    return result == zorvel::erOk ? 0 : 1;
  }
  TIFFSetWarningHandler(nullptr);
  TIFF* tif = TIFFOpen(page.Path.c_str(), "r");
  rows.resize(static_cast<std::size_t>(TIFFStripSize(tif)));
  const tmsize_t got = DecodeOnceLibtiff(tif, rows);
  TIFFClose(tif);
  std::printf("libtiff %s (%zu bytes of Group 4): %lld bytes\n", name.c_str(), page.Strip.size(),
              static_cast<long long>(got));
  return got > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  int status = 0;
  if (argc == 3 && std::string(argv[1]) == "--write-pages") {
    std::filesystem::create_directories(argv[2]);
    for (const char* name : {"text", "blank", "speckle", "small", "small_speckle"})
      std::printf("%s\n", Page(name, argv[2]).Path.c_str());
    return 0;
  }
  if (argc == 4 && std::string(argv[1]) == "--once") {
    status = Once(argv[2], argv[3]);
    std::filesystem::remove_all(PageFolder());
    return status;
  }
  const char* names[] = {"text", "blank", "speckle", "small", "small_speckle"};
  for (const char* name : names) {
    std::printf("page %s: %zu bytes of Group 4 data\n", name, Page(name).Strip.size());
    benchmark::RegisterBenchmark(("libtiff/" + std::string(name)).c_str(), Libtiff, std::string(name))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("zorvel/" + std::string(name)).c_str(), Zorvel, std::string(name))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("zorvel_readpage/" + std::string(name)).c_str(), ZorvelReadPage,
                                 std::string(name))
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("copy_floor/page_bytes", CopyFloor)->Unit(benchmark::kMillisecond);

  RatioReporter reporter;
  zorvel::bench::RunBenchmarks(argc, argv, reporter);
  auto& t = reporter.figures;
  std::printf("\nRatios of CPU time against libtiff, measured in this run (lower is faster):\n");
  for (const char* name : names) {
    const std::string n = name;
    if (t.count("libtiff/" + n) && t.count("zorvel/" + n)) {
      const double ratio = t["zorvel/" + n] / t["libtiff/" + n];
      std::printf("  %-8s decode %.3f x libtiff", name, ratio);
      if (t.count("zorvel_readpage/" + n)) {
        std::printf(", whole ReadPage %.3f x", t["zorvel_readpage/" + n] / t["libtiff/" + n]);
      }
      std::printf("%s\n", ratio <= 1.0 ? "" : "   SLOWER THAN LIBTIFF");
      if (ratio > 1.0) status = 1;
    }
    if (t.count("copy_floor/page_bytes") && t.count("zorvel/" + n)) {
      std::printf("  %-8s copy floor is %.3f x our decode\n", name,
                  t["copy_floor/page_bytes"] / t["zorvel/" + n]);
    }
  }
  benchmark::Shutdown();
  std::filesystem::remove_all(PageFolder());
  return status;
}
