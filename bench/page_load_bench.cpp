// Loading a 2400 x 3400 page into the image window: decoding, showing it at
// 50 % and at 100 %, finding its top-right corner, and moving the marker on the
// page already shown. The reference is libtiff decoding the same page in the
// same run; the ratios at the end are CPU time against it.
//
//   page_load_bench [benchmark options]

#include <benchmark/benchmark.h>
#include <tiffio.h>

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bench_support.h"
#include "codec/a_tif_g4.h"
#include "codec/g4_decoder.h"
#include "core/pages/marker_geometry.h"
#include "core/pages/right_top.h"
#include "core/pages/vol_shift.h"
#include "core/settings/settings.h"
#include "pagegen/page_generator.h"
#include "ui/dialogs/option_form.h"
#include "ui/image/image_form.h"
#include "ui/image/page_bitmap.h"
#include "ui/image/page_rendering.h"
#include "ui/shell/application.h"
#include "ui/shell/main_form.h"
#include "ui/shell/workbench.h"

namespace {

namespace fs = std::filesystem;

fs::path Folder() {
  static const fs::path folder = zorvel::bench::ScratchFolder("zorvel-page-load");
  return folder;
}

// Two text pages, so that every load really loads another page.
const std::string& PagePath(int which) {
  static std::string paths[2];
  if (paths[which].empty()) {
    paths[which] = (Folder() / ("page" + std::to_string(which) + ".tif")).string();
    const zorvel::pagegen::Bitmap page = zorvel::pagegen::DrawTextPage({}, 11 + which);
    if (!zorvel::pagegen::WriteG4Tiff(paths[which], page)) {
      std::fprintf(stderr, "cannot write %s\n", paths[which].c_str());
      std::exit(1);
    }
  }
  return paths[which];
}

zorvel::DecodedPage Decoded(int which) {
  zorvel::ATifG4 reader(PagePath(which));
  zorvel::ReadPage(reader);
  return std::move(reader.Page);
}

void LibtiffDecode(benchmark::State& state) {
  zorvel::bench::LibtiffDecodeStrip(state, PagePath(0));
}

void Decode(benchmark::State& state) {
  zorvel::InitCodeTables();
  for (auto _ : state) {
    zorvel::ATifG4 reader(PagePath(0));
    if (zorvel::ReadPage(reader) != zorvel::erOk) state.SkipWithError("decoding failed");
    benchmark::DoNotOptimize(reader.Page.Rows.data());
  }
}

// The picture of a decoded page at a scale, as the window makes it.
void Render(benchmark::State& state, int ratio) {
  const zorvel::DecodedPage page = Decoded(0);
  const zorvel::PictureSize shown = zorvel::ShownPictureSize(page.Width, page.Height, ratio);
  for (auto _ : state) {
    QImage image = ratio >= 100 ? zorvel::MakePageBitmap(page).convertToFormat(QImage::Format_RGB32)
                                : zorvel::RenderReducedPage(page, zorvel::PictureScale(ratio), shown.Width,
                                                            shown.Height);
    if (image.isNull()) state.SkipWithError("no picture");
    benchmark::DoNotOptimize(image.constBits());
  }
}

// The workbench whose image window the runs use, made in main().
Workbench* current = nullptr;
Workbench& Bench() {
  return *current;
}

// The whole load into the window: decode, bitmap, picture at the scale.
void Load(benchmark::State& state, int ratio) {
  Bench().Settings().PictureRatio = ratio;
  TImageForm& form = Bench().ImageForm();
  form.parentWidget()->resize(760, 720);
  int which = 0;
  for (auto _ : state) {
    if (form.LoadPicture(1, 1, PagePath(which), which + 1) != zorvel::PictureLoad::Loaded)
      state.SkipWithError("load failed");
    which ^= 1;
  }
  if (form.ShownSize() != QSize(zorvel::ScaleToPicture(2400, ratio), zorvel::ScaleToPicture(3400, ratio))) {
    state.SkipWithError("the page was not shown at the scale");
  }
  Bench().Settings().PictureRatio = 100;
}

void Corner(benchmark::State& state) {
  const zorvel::DecodedPage page = Decoded(0);
  zorvel::Settings settings;
  settings.CoverRightTop = true;
  zorvel::CVolShift store(Folder().string());
  for (auto _ : state) {
    if (!zorvel::DetectRightTop(page, settings, store, 1)) state.SkipWithError("corner not found");
  }
}

// Moving the marker from character to character on the page shown, and the
// painting of the view that follows: no decode and no new rendering.
void MoveMarker(benchmark::State& state) {
  Bench().MainForm().show();
  TImageForm& form = Bench().ImageForm();
  form.parentWidget()->resize(760, 720);
  form.LoadPicture(1, 1, PagePath(0), 1);
  const int decodes = form.DecodeCount();
  const int renders = form.RenderCount();
  int i = 0;
  for (auto _ : state) {
    form.ShowPosition(i % 3, i % 29, i % 17);
    // The view as it is painted now: picture, marker and centre cross.
    benchmark::DoNotOptimize(form.PageArea()->viewport()->grab());
    ++i;
  }
  if (form.DecodeCount() != decodes || form.RenderCount() != renders) {
    state.SkipWithError("moving the marker decoded or rendered the page again");
  }
  state.counters["decodes"] = form.DecodeCount() - decodes;
}

using RatioReporter = zorvel::bench::CpuSecondsReporter;

}  // namespace

int main(int argc, char** argv) {
  zorvel::bench::UseOffscreenPlatform();
  QApplication app(argc, argv);
  // The window's own calibration store lives in the current folder.
  QDir::setCurrent(QString::fromStdString(Folder().string()));
  // The settings the window reads: the defaults, as no zorvel.ini is there.
  zorvel::PrepareApplication();
  auto workbench = std::make_unique<Workbench>();
  current = workbench.get();

  benchmark::RegisterBenchmark("reference/libtiff_decode", LibtiffDecode)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("decode", Decode)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("render/100", Render, 100)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("render/50", Render, 50)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("load/100", Load, 100)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("load/50", Load, 50)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("corner", Corner)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("move_marker", MoveMarker)->Unit(benchmark::kMillisecond);

  RatioReporter reporter;
  zorvel::bench::RunBenchmarks(argc, argv, reporter);

  zorvel::bench::PrintRatios(
      reporter.figures, "reference/libtiff_decode",
      "CPU time against libtiff decoding the same page in this run (lower is faster):", 20);
  current = nullptr;
  workbench.reset();
  std::error_code ec;
  fs::remove_all(Folder(), ec);
  return 0;
}
