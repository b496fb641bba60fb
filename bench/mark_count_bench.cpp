// The count of marks on the status line ("差異 N / M") while the operator types
// in the 24 MB text on the text window's editor, offscreen: the counter takes
// the edited lines and sums the line counts; against a whole recount and the
// click-to-text and line-head lookups that also answer at once.
//
// Reference, measured in the same run: a plain memory copy of the 24 MB text
// (the least any look at the whole text costs). Each figure is printed as time
// and as a ratio against it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <random>
#include <string>

#include "bench_support.h"
#include "core/pages/marker_geometry.h"
#include "core/proof/line_head.h"
#include "core/proof/mark_counter.h"
#include "core/proof/text_position.h"
#include "core/settings/settings.h"
#include "large_text_editor.h"
#include "support/canon_text.h"
#include "ui/text/qt_text_editor.h"

namespace {

using zorvel::QtTextEditor;

using zorvel::bench::LargeText;
using zorvel::bench::LoadedEditor;

void BM_Reference_CopyText_24MB(benchmark::State& state) {
  const std::string& text = LargeText();
  for (auto _ : state) {
    std::string copy = text;
    benchmark::DoNotOptimize(copy.data());
  }
}
BENCHMARK(BM_Reference_CopyText_24MB)->Unit(benchmark::kMillisecond);

// One keystroke somewhere in the text (not timed), then what the status line
// costs: the edited lines counted again and the count from the cursor.
void BM_MarkCountAfterEdit_24MB(benchmark::State& state) {
  QtTextEditor& e = LoadedEditor();
  zorvel::MarkCounter counter;
  counter.Reset(e, "{{");
  std::mt19937 random(11);
  for (auto _ : state) {
    state.PauseTiming();
    const int pos = static_cast<int>(random() % static_cast<unsigned>(e.TextLength()));
    e.SetSelStart(pos);
    e.ReplaceSelection(random() % 8 == 0 ? "\r\n" : "\xA5\xD2");
    const int first = std::max(0, e.LineFromPos(pos) - 1);
    const int last = std::min(e.LineCount() - 1, e.LineFromPos(e.SelStart()) + 1);
    state.ResumeTiming();
    counter.LinesChanged(e, first, last);
    benchmark::DoNotOptimize(counter.Count(e));
  }
}
BENCHMARK(BM_MarkCountAfterEdit_24MB)->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_MarkCountReset_24MB(benchmark::State& state) {
  QtTextEditor& e = LoadedEditor();
  zorvel::MarkCounter counter;
  for (auto _ : state) {
    counter.Reset(e, "{{");
    benchmark::DoNotOptimize(counter.Total());
  }
}
BENCHMARK(BM_MarkCountReset_24MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// The count when a text opens: from the bytes the editor was just given.
void BM_MarkCountOpen_24MB(benchmark::State& state) {
  QtTextEditor& e = LoadedEditor();
  zorvel::MarkCounter counter;
  for (auto _ : state) {
    counter.Reset(e, "{{", LargeText());
    benchmark::DoNotOptimize(counter.Total());
  }
}
BENCHMARK(BM_MarkCountOpen_24MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// A click on the page of a line far from the cursor, and one near it.
void ClickToText(benchmark::State& state, bool nearCursor) {
  QtTextEditor& e = LoadedEditor();
  const zorvel::Settings settings;
  std::mt19937 random(12);
  for (auto _ : state) {
    const int line = static_cast<int>(random() % static_cast<unsigned>(e.LineCount()));
    state.PauseTiming();
    e.SetSelStart(nearCursor ? e.LineStart(line) : 0);
    zorvel::LineRef ref;
    std::string bad;
    const bool headed = zorvel::DecodeLineHead(e.LineBytes(line), settings, ref, bad);
    state.ResumeTiming();
    if (!headed) continue;
    const zorvel::CharacterCell cell{zorvel::PointPlace::Character, ref.Field, ref.Line, 5};
    benchmark::DoNotOptimize(
        zorvel::FindTextOfCharacter(e, settings, ref.Vol, ref.Sutra, ref.Page, cell).Pos);
  }
}
void BM_ClickToTextNear_24MB(benchmark::State& state) {
  ClickToText(state, true);
}
BENCHMARK(BM_ClickToTextNear_24MB)->Unit(benchmark::kMicrosecond)->Iterations(200);
void BM_ClickToTextFar_24MB(benchmark::State& state) {
  ClickToText(state, false);
}
BENCHMARK(BM_ClickToTextFar_24MB)->Unit(benchmark::kMillisecond)->Iterations(20);

class RatioReporter : public zorvel::bench::FigureReporter<double> {
 public:
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto ref = figures.find("BM_Reference_CopyText_24MB");
    if (ref == figures.end() || ref->second <= 0) return;
    std::printf("\nAgainst the reference (a copy of the 24 MB text, %.2f ms):\n", ref->second * 1e3);
    for (const auto& [name, seconds] : figures) {
      std::printf("  %-45s %10.3f ms  ratio %8.3f\n", name.c_str(), seconds * 1e3, seconds / ref->second);
    }
  }

 protected:
  void Collect(const Run& run) override { figures[run.run_name.str()] = zorvel::bench::RealSeconds(run); }
};

}  // namespace

int main(int argc, char** argv) {
  return zorvel::bench::Main<RatioReporter>(argc, argv);
}
