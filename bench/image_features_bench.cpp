// The loupe and the zoom steps of the image window on a 2400 x 3400 page: the
// loupe following a marker move (the marker placed and the loupe rendered and
// painted), a change of the loupe's zoom, and a zoom step of the page with the
// picture at the new scale rendered anew or taken from the window's cache,
// each with the view painted. The reference is libtiff decoding the same page
// in the same run; the ratios at the end are CPU time against it.
//
//   image_features_bench [benchmark options]

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "bench_support.h"
#include "core/pages/page_zoom.h"
#include "pagegen/page_generator.h"
#include "ui/dialogs/option_form.h"
#include "ui/image/image_form.h"
#include "ui/image/loupe_controller.h"
#include "ui/shell/application.h"
#include "ui/shell/main_form.h"
#include "ui/shell/workbench.h"

namespace {

namespace fs = std::filesystem;

fs::path Folder() {
  static const fs::path folder = zorvel::bench::ScratchFolder("zorvel-image-features");
  return folder;
}

const std::string& PagePath() {
  static std::string path;
  if (path.empty()) {
    path = (Folder() / "page.tif").string();
    if (!zorvel::pagegen::WriteG4Tiff(path, zorvel::pagegen::DrawTextPage({}, 11))) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      std::exit(1);
    }
  }
  return path;
}

Workbench* current = nullptr;

// The window set on screen with the page loaded at `ratio` and the loupe
// floating at its size on a full HD screen, 5 x 5 characters at 200 %.
TImageForm& Ready(int ratio) {
  Workbench& bench = *current;
  bench.Settings().PictureRatio = ratio;
  bench.MainForm().resize(1400, 900);
  bench.MainForm().show();
  TImageForm& form = bench.ImageForm();
  form.parentWidget()->resize(760, 720);
  bench.MainForm().Loupe()->Dock()->setFloating(true);
  bench.MainForm().Loupe()->Dock()->show();
  bench.MainForm().Loupe()->Loupe()->SetZoom(200);
  bench.MainForm().Loupe()->Loupe()->setFixedSize(700, 490);
  if (form.PictureFileName() != PagePath() || form.ShownSize().width() != zorvel::ScaleToPicture(2400, ratio))
    form.LoadPicture(1, 1, PagePath(), 1);
  QApplication::processEvents();
  return form;
}

void LibtiffDecode(benchmark::State& state) {
  zorvel::bench::LibtiffDecodeStrip(state, PagePath());
}

// A marker move as F3 makes it, and the loupe's picture that follows it.
void LoupeFollows(benchmark::State& state) {
  TImageForm& form = Ready(50);
  TLoupe& loupe = *current->MainForm().Loupe()->Loupe();
  const int decodes = form.DecodeCount();
  int i = 0;
  for (auto _ : state) {
    form.ShowPosition(i % 3, i % 29, i % 17);
    benchmark::DoNotOptimize(loupe.grab());
    ++i;
  }
  if (form.DecodeCount() != decodes) state.SkipWithError("the loupe decoded the page");
  state.counters["loupe_w"] = loupe.width();
  state.counters["loupe_h"] = loupe.height();
}

// The loupe's zoom changed on the marker already placed.
void LoupeZoom(benchmark::State& state) {
  TImageForm& form = Ready(50);
  form.ShowPosition(1, 10, 8);
  TLoupe& loupe = *current->MainForm().Loupe()->Loupe();
  int zoom = 200;
  for (auto _ : state) {
    zoom = zorvel::NextLoupeZoom(zoom);
    loupe.SetZoom(zoom);
    benchmark::DoNotOptimize(loupe.grab());
  }
}

// One zoom step and the view painted after it. Cold: the picture at the new
// scale has to be rendered (the page is reloaded, untimed, before each step);
// warm: stepping between two scales the window keeps.
void ZoomStep(benchmark::State& state, bool cold) {
  TImageForm& form = Ready(100);
  form.ShowPosition(1, 10, 8);
  QWidget* view = form.PageArea()->viewport();
  const auto steps = zorvel::ZoomSteps();
  std::size_t i = 0;
  int direction = -1;
  for (auto _ : state) {
    if (cold) {
      state.PauseTiming();
      // From each step to the one below it, the page fresh from a load.
      const int from = steps[1 + i % (steps.size() - 1)];
      current->Settings().PictureRatio = from;
      form.LoadPicture(1, 1, PagePath(), 1);
      form.ShowPosition(1, 10, 8);
      ++i;
      state.ResumeTiming();
      form.ZoomStep(-1);
    } else {
      form.ZoomStep(direction);
      direction = -direction;
    }
    benchmark::DoNotOptimize(view->grab());
  }
}

// What every zoom step writes besides painting: PictureRatio saved to
// zorvel.ini, as the scale dialog saves it (an atomic rewrite of the file).
void SaveRatio(benchmark::State& state) {
  Ready(100);
  for (auto _ : state) {
    if (!current->SaveSettings()) state.SkipWithError("zorvel.ini not written");
  }
}

using RatioReporter = zorvel::bench::CpuSecondsReporter;

}  // namespace

int main(int argc, char** argv) {
  zorvel::bench::UseOffscreenPlatform();
  QApplication app(argc, argv);
  QDir::setCurrent(QString::fromStdString(Folder().string()));
  zorvel::PrepareApplication();
  auto workbench = std::make_unique<Workbench>();
  current = workbench.get();

  benchmark::RegisterBenchmark("reference/libtiff_decode", LibtiffDecode)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("loupe/follow_marker", LoupeFollows)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("loupe/change_zoom", LoupeZoom)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("zoom_step/rendered", ZoomStep, true)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("zoom_step/cached", ZoomStep, false)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("zoom_step/save_ratio", SaveRatio)->Unit(benchmark::kMillisecond);

  RatioReporter reporter;
  zorvel::bench::RunBenchmarks(argc, argv, reporter);

  zorvel::bench::PrintRatios(
      reporter.figures, "reference/libtiff_decode",
      "CPU time against libtiff decoding the same page in this run (lower is faster):", 22);
  current = nullptr;
  workbench.reset();
  std::error_code ec;
  fs::remove_all(Folder(), ec);
  return 0;
}
