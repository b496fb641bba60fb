// The proofreading loop on the 24 MB canon text: F2 (FindSign from a place
// anywhere in the text) and the parsing part of F4 (SelectOneWord on a mark
// anywhere, with the choice window answering at once), on the MemoryEditor and
// on the Qt editor (offscreen). Each benchmark also keeps its slowest single
// call (in CPU time), since the bar is that every call answers in under 5 ms.
//
// Reference, measured in the same run: ICU's plain code page 950 to UTF-16
// conversion of the same 24 MB. Each figure is printed as a ratio against it,
// and as time.
#include <benchmark/benchmark.h>
#include <unicode/ucnv.h>

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/prompts.h"
#include "core/proof/text_proofreader.h"
#include "core/settings/settings.h"
#include "core/text/memory_editor.h"
#include "support/canon_text.h"
#include "ui/text/qt_text_editor.h"

namespace {

// In the program the event loop runs between a jump and the next command, and
// the editor's view settles there; do the same outside the timed part.
void SettleView(zorvel::TextEditor& editor) {
  editor.VerticalScrollPos();
  QApplication::processEvents();
}

// The slowest call is timed in the thread's own CPU time, so that the other
// work of a shared machine does not count.
double ThreadMilliseconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

const std::string& LargeText() {
  static const std::string text = zorvel::test::MakeLargeCanonText();
  return text;
}

// Says nothing and cancels every choice: only the work of the operations counts.
class SilentPrompts : public zorvel::Prompts {
 public:
  void Message(std::string_view) override {}
  void Error(std::string_view) override {}
  bool AskYesNo(std::string_view) override { return false; }
  zorvel::Answer AskYesNoCancel(std::string_view) override { return zorvel::Answer::Cancel; }
  zorvel::ChoiceAnswer Choose(const zorvel::ChoiceRequest&) override { return {}; }
  zorvel::ReplaceAnswer AskReplace(const zorvel::ReplaceQuestion&) override { return {}; }
};

zorvel::TextEditor& MemoryEditorWithText() {
  static zorvel::MemoryEditor* editor = new zorvel::MemoryEditor(LargeText());
  return *editor;
}

zorvel::TextEditor& QtEditorWithText() {
  static zorvel::QtTextEditor* editor = [] {
    auto* e = new zorvel::QtTextEditor;
    e->resize(800, 600);
    e->show();
    e->SetText(LargeText());
    QApplication::processEvents();
    return e;
  }();
  return *editor;
}

// The opening position of every mark in the text.
const std::vector<int>& MarkPositions() {
  static const std::vector<int> marks = [] {
    std::vector<int> at;
    const std::string& text = LargeText();
    for (std::size_t p = text.find("{{"); p != std::string::npos; p = text.find("{{", p + 2)) {
      at.push_back(static_cast<int>(p));
    }
    return at;
  }();
  return marks;
}

void BM_Reference_Icu950ToUtf16_24MB(benchmark::State& state) {
  zorvel::bench::Icu950ToUtf16(state, LargeText());
}
BENCHMARK(BM_Reference_Icu950ToUtf16_24MB)->Unit(benchmark::kMillisecond)->Iterations(5);

// F2 from a random place: scroll left, find the opening token, select it, the
// cursor's line and column, the one-line scroll.
void FindSignAnywhere(benchmark::State& state, zorvel::TextEditor& editor) {
  zorvel::Settings settings;
  SilentPrompts prompts;
  zorvel::TextProofreader proof(editor, settings, prompts, nullptr);
  std::mt19937 random(11);
  const int length = editor.TextLength();
  double slowest = 0;
  int found = 0;
  for (auto _ : state) {
    state.PauseTiming();
    editor.SetSelStart(static_cast<int>(random() % static_cast<unsigned>(length)));
    SettleView(editor);
    state.ResumeTiming();
    const double start = ThreadMilliseconds();
    found += proof.FindSign() ? 1 : 0;
    slowest = std::max(slowest, ThreadMilliseconds() - start);
  }
  benchmark::DoNotOptimize(found);
  state.counters["slowest_ms"] = slowest;
}

// The parsing part of F4 on a random mark: the cursor's line, the mark's
// readings and agreement, selecting the mark, the choice (answered at once with
// cancel) and the cursor put back.
void SelectOneWordAnywhere(benchmark::State& state, zorvel::TextEditor& editor) {
  zorvel::Settings settings;
  SilentPrompts prompts;
  zorvel::TextProofreader proof(editor, settings, prompts, nullptr);
  const std::vector<int>& marks = MarkPositions();
  std::mt19937 random(12);
  double slowest = 0;
  int parsed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    editor.SetSelStart(marks[random() % marks.size()]);
    SettleView(editor);
    state.ResumeTiming();
    const double start = ThreadMilliseconds();
    proof.SelectOneWord();
    slowest = std::max(slowest, ThreadMilliseconds() - start);
    parsed += proof.LastMark.Status == zorvel::MarkStatus::Ok ? 1 : 0;
  }
  benchmark::DoNotOptimize(parsed);
  state.counters["slowest_ms"] = slowest;
  state.counters["marks"] = static_cast<double>(marks.size());
}

// F2 after the last mark: the search runs to the end of the text and finds
// nothing.
void FindSignAfterLastMark(benchmark::State& state, zorvel::TextEditor& editor) {
  zorvel::Settings settings;
  SilentPrompts prompts;
  zorvel::TextProofreader proof(editor, settings, prompts, nullptr);
  for (auto _ : state) {
    state.PauseTiming();
    editor.SetSelStart(MarkPositions().back());
    SettleView(editor);
    state.ResumeTiming();
    benchmark::DoNotOptimize(proof.FindSign());
  }
}

void BM_F2_Memory_24MB(benchmark::State& state) {
  FindSignAnywhere(state, MemoryEditorWithText());
}
BENCHMARK(BM_F2_Memory_24MB)->Unit(benchmark::kMicrosecond);
void BM_F2_Qt_24MB(benchmark::State& state) {
  FindSignAnywhere(state, QtEditorWithText());
}
BENCHMARK(BM_F2_Qt_24MB)->Unit(benchmark::kMicrosecond);
void BM_F2AfterLastMark_Memory_24MB(benchmark::State& state) {
  FindSignAfterLastMark(state, MemoryEditorWithText());
}
BENCHMARK(BM_F2AfterLastMark_Memory_24MB)->Unit(benchmark::kMicrosecond);
void BM_F2AfterLastMark_Qt_24MB(benchmark::State& state) {
  FindSignAfterLastMark(state, QtEditorWithText());
}
BENCHMARK(BM_F2AfterLastMark_Qt_24MB)->Unit(benchmark::kMicrosecond);
void BM_F4Parse_Memory_24MB(benchmark::State& state) {
  SelectOneWordAnywhere(state, MemoryEditorWithText());
}
BENCHMARK(BM_F4Parse_Memory_24MB)->Unit(benchmark::kMicrosecond);
void BM_F4Parse_Qt_24MB(benchmark::State& state) {
  SelectOneWordAnywhere(state, QtEditorWithText());
}
BENCHMARK(BM_F4Parse_Qt_24MB)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's time per call and prints them against the reference.
struct Figure {
  double seconds = 0;
  double slowestMs = -1;
};

class RatioReporter : public zorvel::bench::FigureReporter<Figure> {
 public:
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto ref = figures.find("BM_Reference_Icu950ToUtf16_24MB/iterations:5");
    if (ref == figures.end() || ref->second.seconds <= 0) return;
    const double refSeconds = ref->second.seconds;
    std::printf("\nAgainst the reference (ICU cp950 -> UTF-16 of 24 MB, %.1f ms); the bar is 5 ms a call:\n",
                refSeconds * 1e3);
    for (const auto& [name, f] : figures) {
      std::printf("  %-45s %10.4f ms  ratio %9.5f", name.c_str(), f.seconds * 1e3, f.seconds / refSeconds);
      if (f.slowestMs >= 0) std::printf("  slowest %8.4f ms", f.slowestMs);
      std::printf("\n");
    }
  }

 protected:
  void Collect(const Run& run) override {
    Figure& f = figures[run.benchmark_name()];
    f.seconds = zorvel::bench::RealSeconds(run);
    auto slowest = run.counters.find("slowest_ms");
    f.slowestMs = slowest == run.counters.end() ? -1 : static_cast<double>(slowest->second);
  }
};

}  // namespace

int main(int argc, char** argv) {
  return zorvel::bench::Main<RatioReporter>(argc, argv);
}
