// What the benchmarks share: a console reporter that also keeps each run's
// figures by name, so that a benchmark can print its own figures against the
// reference it measured in the same run, and the main that runs them on the
// offscreen platform. Each benchmark keeps which runs are its references and
// which ratios it prints.
#pragma once

#include <benchmark/benchmark.h>
#include <tiffio.h>
#include <unicode/ucnv.h>

#include <unistd.h>

#include <QApplication>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace zorvel::bench {

using Run = benchmark::BenchmarkReporter::Run;

// Seconds in one of the unit a benchmark shows its times in.
inline double UnitSeconds(benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kNanosecond:
      return 1e-9;
    case benchmark::kMicrosecond:
      return 1e-6;
    case benchmark::kMillisecond:
      return 1e-3;
    default:
      return 1.0;
  }
}

// A run's time per iteration in seconds, whatever unit the benchmark shows.
inline double RealSeconds(const Run& run) {
  return run.GetAdjustedRealTime() * UnitSeconds(run.time_unit);
}
inline double CpuSeconds(const Run& run) {
  return run.GetAdjustedCPUTime() * UnitSeconds(run.time_unit);
}

// Tells which runs stand for their benchmark: with repetitions the median,
// otherwise its one run. Runs that failed stand for nothing.
class StandIns {
 public:
  bool StandsFor(const Run& run) {
    if (run.error_occurred) return false;
    const std::string name = run.run_name.str();
    if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
      medians_.insert(name);
      return true;
    }
    return run.run_type == Run::RT_Iteration && !medians_.count(name);
  }

 private:
  std::set<std::string> medians_;
};

// Prints the runs as the console reporter does and keeps, by name, the Figure
// that Collect() takes out of each run.
template <typename Figure>
class FigureReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) Collect(run);
  }
  std::map<std::string, Figure> figures;

 protected:
  virtual void Collect(const Run& run) = 0;
};

// Keeps the CPU time per iteration, in seconds, of the run that stands for
// each benchmark, so that the ratios can be printed at the end.
class CpuSecondsReporter : public FigureReporter<double> {
 protected:
  void Collect(const Run& run) override {
    if (standIns_.StandsFor(run)) figures[run.run_name.str()] = CpuSeconds(run);
  }

 private:
  StandIns standIns_;
};

// A folder of this run's own for the pages and files a benchmark makes:
// STEM-PID in the temporary folder, made on the first call.
inline std::filesystem::path ScratchFolder(const std::string& stem) {
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / (stem + "-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  return folder;
}

// Prints every figure but the reference's as a ratio against the reference,
// when the reference ran: "heading" first, then one line a figure.
inline void PrintRatios(const std::map<std::string, double>& figures, const std::string& reference,
                        const char* heading, int nameWidth) {
  const auto found = figures.find(reference);
  if (found == figures.end() || found->second <= 0) return;
  std::printf("\n%s\n", heading);
  for (const auto& [name, time] : figures) {
    if (name != reference) std::printf("  %-*s %8.3f\n", nameWidth, name.c_str(), time / found->second);
  }
}

// The platform the benchmarks' windows use, unless the caller chose one.
inline void UseOffscreenPlatform() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Reads the benchmark options and runs the benchmarks they select through the reporter.
inline void RunBenchmarks(int& argc, char** argv, benchmark::BenchmarkReporter& reporter) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks(&reporter);
}

// The whole main of a benchmark whose reporter prints its ratios when it finishes.
template <typename Reporter>
int Main(int argc, char** argv) {
  UseOffscreenPlatform();
  QApplication app(argc, argv);
  Reporter reporter;
  RunBenchmarks(argc, argv, reporter);
  benchmark::Shutdown();
  return 0;
}

// Reference: ICU's plain code page 950 to UTF-16 conversion of a whole text.
inline void Icu950ToUtf16(benchmark::State& state, const std::string& text) {
  UErrorCode error = U_ZERO_ERROR;
  UConverter* converter = ucnv_open("windows-950", &error);
  std::u16string out(text.size() + 1, u'\0');
  for (auto _ : state) {
    error = U_ZERO_ERROR;
    ucnv_resetToUnicode(converter);
    const int n =
        ucnv_toUChars(converter, reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                      text.data(), static_cast<int32_t>(text.size()), &error);
    benchmark::DoNotOptimize(n);
  }
  ucnv_close(converter);
}

// Reference: libtiff decoding the single strip of a page file.
inline void LibtiffDecodeStrip(benchmark::State& state, const std::string& path) {
  TIFFSetWarningHandler(nullptr);
  TIFF* tif = TIFFOpen(path.c_str(), "r");
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(TIFFStripSize(tif)));
  for (auto _ : state) {
    if (TIFFReadEncodedStrip(tif, 0, rows.data(), static_cast<tmsize_t>(rows.size())) < 0) {
      state.SkipWithError("libtiff failed");
    }
    benchmark::DoNotOptimize(rows.data());
  }
  TIFFClose(tif);
}

}  // namespace zorvel::bench
