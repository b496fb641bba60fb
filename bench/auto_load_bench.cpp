// The run of pages ("連續載入圖檔") over 2400 x 3400 pages, as the operator runs
// it: the whole window set on the offscreen platform, the main window shown,
// every page decoded, shown and painted between pages, with and without the
// corner search. The reference is libtiff decoding one of the same pages in
// the same run.
//
// run_500 goes over 500 pages once and compares its last hundred pages with
// its first hundred, and the memory in use after page 50 and after page 500:
// a run must neither slow down nor grow as it goes.
//
//   auto_load_bench [benchmark options]

#include <benchmark/benchmark.h>
#include <tiffio.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bench_support.h"
#include "pagegen/page_generator.h"
#include "ui/dialogs/auto_load_picture_form.h"
#include "ui/dialogs/auto_load_report_form.h"
#include "ui/dialogs/option_form.h"
#include "ui/image/image_form.h"
#include "ui/shell/application.h"
#include "ui/shell/main_form.h"
#include "ui/shell/workbench.h"

namespace {

namespace fs = std::filesystem;

constexpr int kDistinctPages = 12;  // different scans, linked under many page numbers
constexpr int kRunPages = 20;       // pages of one benchmark iteration
constexpr int kLongRun = 500;

fs::path Folder() {
  static const fs::path folder = [] {
    fs::path p = zorvel::bench::ScratchFolder("zorvel-auto-load");
    fs::create_directories(p / "pages");
    return p;
  }();
  return folder;
}

std::string PageFile(int page) {
  char name[32];
  std::snprintf(name, sizeof name, "p%03d.TIF", page);
  return (Folder() / "pages" / name).string();
}

// Pages 1 to kLongRun, each a hard link to one of the distinct scans.
void MakePages() {
  std::vector<std::string> scans;
  for (int i = 0; i < kDistinctPages; ++i) {
    const std::string path = (Folder() / ("scan" + std::to_string(i) + ".tif")).string();
    if (!zorvel::pagegen::WriteG4Tiff(path, zorvel::pagegen::DrawTextPage({}, 100 + i))) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      std::exit(1);
    }
    scans.push_back(path);
  }
  for (int page = 1; page <= kLongRun; ++page) {
    std::error_code error;
    fs::create_hard_link(scans[page % kDistinctPages], PageFile(page), error);
    if (error)
      fs::copy_file(scans[page % kDistinctPages], PageFile(page), fs::copy_options::overwrite_existing);
  }
}

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The workbench the runs use, made in main().
Workbench* current = nullptr;
Workbench& Bench() {
  return *current;
}

// One run of the dialog from first to last; the report, if any, is closed.
void RunDialog(int first, int last) {
  Bench().fmAutoLoadPicture().edVol()->setText("1");
  Bench().fmAutoLoadPicture().edFromPage()->setText(QString::number(first));
  Bench().fmAutoLoadPicture().edToPage()->setText(QString::number(last));
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (Bench().fmAutoLoadReport().isVisible()) Bench().fmAutoLoadReport().Close();
  });
  closer.start(50);
  Bench().fmAutoLoadPicture().btStartClick();
}

void LibtiffDecode(benchmark::State& state) {
  zorvel::bench::LibtiffDecodeStrip(state, PageFile(1));
}

void RunPages(benchmark::State& state, bool corner, int ratio) {
  Bench().Settings().AutoSetRightTop = corner;
  Bench().Settings().CoverRightTop = true;  // search every page, calibrated or not
  Bench().Settings().PictureRatio = ratio;
  const int decodes = Bench().ImageForm().DecodeCount();
  for (auto _ : state) RunDialog(1, kRunPages);
  const long pages = static_cast<long>(state.iterations()) * kRunPages;
  if (Bench().ImageForm().DecodeCount() - decodes != pages) state.SkipWithError("not every page was loaded");
  if (Bench().fmAutoLoadReport().LineCount() != 0) state.SkipWithError("a page was reported");
  state.counters["pages_per_s"] = benchmark::Counter(double(pages), benchmark::Counter::kIsRate);
}

void RunLong(benchmark::State& state) {
  Bench().Settings().AutoSetRightTop = true;
  Bench().Settings().CoverRightTop = true;
  Bench().Settings().PictureRatio = 50;
  for (auto _ : state) {
    std::vector<qint64> at(kLongRun + 1, 0);
    long rssEarly = 0;
    long rssLate = 0;
    QElapsedTimer clock;
    clock.start();
    const auto c = QObject::connect(&Bench().fmAutoLoadPicture(), &TfmAutoLoadPicture::PageHandled,
                                    [&](qint64 done, qint64) {
                                      at[done] = clock.nsecsElapsed();
                                      if (done == 50) rssEarly = ResidentKiB();
                                      if (done == kLongRun) rssLate = ResidentKiB();
                                    });
    RunDialog(1, kLongRun);
    QObject::disconnect(c);
    const double early = double(at[100] - at[0]) / 100;
    const double late = double(at[kLongRun] - at[kLongRun - 100]) / 100;
    state.counters["late_vs_early"] = late / early;
    state.counters["rss_growth_MiB"] = double(rssLate - rssEarly) / 1024;
    state.counters["pages_per_s"] = kLongRun / (double(at[kLongRun]) * 1e-9);
  }
}

// Keeps each run's real time per iteration, in seconds, and the runs' pages per second.
class RatioReporter : public zorvel::bench::FigureReporter<double> {
 public:
  std::map<std::string, double> rates;

 protected:
  void Collect(const Run& run) override {
    if (run.error_occurred || run.run_type != Run::RT_Iteration) return;
    figures[run.run_name.str()] = zorvel::bench::RealSeconds(run);
    auto rate = run.counters.find("pages_per_s");
    if (rate != run.counters.end()) rates[run.run_name.str()] = rate->second;
  }
};

}  // namespace

int main(int argc, char** argv) {
  zorvel::bench::UseOffscreenPlatform();
  QApplication app(argc, argv);
  MakePages();
  QDir::setCurrent(QString::fromStdString(Folder().string()));
  zorvel::PrepareApplication();
  auto workbench = std::make_unique<Workbench>();
  current = workbench.get();
  Bench().Settings().PictureFileNameFormat = (Folder() / "pages" / "p<P>.TIF").string();
  Bench().MainForm().resize(1400, 900);
  Bench().MainForm().show();
  Bench().fmAutoLoadPicture().show();

  benchmark::RegisterBenchmark("reference/libtiff_decode", LibtiffDecode)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("run/corner/50", RunPages, true, 50)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("run/no_corner/50", RunPages, false, 50)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("run/corner/100", RunPages, true, 100)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("run/no_corner/100", RunPages, false, 100)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("run_500", RunLong)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime()
      ->Iterations(1);

  RatioReporter reporter;
  zorvel::bench::RunBenchmarks(argc, argv, reporter);

  const auto reference = reporter.figures.find("reference/libtiff_decode");
  if (reference != reporter.figures.end() && reference->second > 0) {
    std::printf("\nPages per second (the bar: 30), and the time of one page against libtiff decoding one:\n");
    for (const auto& [name, rate] : reporter.rates) {
      std::printf("  %-28s %7.1f pages/s  %6.2f x libtiff\n", name.c_str(), rate,
                  (1.0 / rate) / reference->second);
    }
  }
  current = nullptr;
  workbench.reset();
  std::error_code error;
  fs::remove_all(Folder(), error);
  return 0;
}
