// The text window's editor on canon-sized texts, on the offscreen platform:
// opening a 6 MB / 120,000-line and a 24 MB text, the byte-position queries
// anywhere in the 24 MB text, find next, saving 24 MB, and the snapshot the
// recovery file's background write takes of 24 MB.
//
// Reference, measured in the same run: ICU's plain code page 950 to UTF-16
// conversion of the same 24 MB (the least any Unicode editor has to do to show
// the text). Each figure is printed as a ratio against it, and as time.
#include <benchmark/benchmark.h>
#include <unicode/ucnv.h>

#include <QApplication>
#include <QTextCursor>
#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "bench_support.h"
#include "core/text/text_file.h"
#include "large_text_editor.h"
#include "support/canon_text.h"
#include "support/test_support.h"
#include "ui/text/qt_text_editor.h"

namespace {

using zorvel::QtTextEditor;

const std::string& VolumeText() {
  static const std::string text = zorvel::test::MakeVolumeText();
  return text;
}

using zorvel::bench::LargeText;
using zorvel::bench::LoadedEditor;

void BM_Reference_Icu950ToUtf16_24MB(benchmark::State& state) {
  zorvel::bench::Icu950ToUtf16(state, LargeText());
}
BENCHMARK(BM_Reference_Icu950ToUtf16_24MB)->Unit(benchmark::kMillisecond)->Iterations(5);

void Open(benchmark::State& state, const std::string& text) {
  QtTextEditor editor;
  editor.resize(800, 600);
  editor.show();
  for (auto _ : state) {
    editor.SetText(text);
    QApplication::processEvents();  // the first paint
    benchmark::DoNotOptimize(editor.LineCount());
  }
  state.counters["lines"] = editor.LineCount();
  state.counters["MB"] = static_cast<double>(text.size()) / (1024 * 1024);
}

void BM_Open_6MB(benchmark::State& state) {
  Open(state, VolumeText());
}
BENCHMARK(BM_Open_6MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Open_24MB(benchmark::State& state) {
  Open(state, LargeText());
}
BENCHMARK(BM_Open_24MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// The volume's text with lone LF line ends: every line end is kept on its
// separator.
void BM_Open_6MB_LoneLf(benchmark::State& state) {
  const std::string& text = VolumeText();
  std::string lf;
  lf.reserve(text.size());
  for (char c : text) {
    if (c != '\r') lf += c;
  }
  Open(state, lf);
}
BENCHMARK(BM_Open_6MB_LoneLf)->Unit(benchmark::kMillisecond)->Iterations(3);

// One round of the queries the proofreading commands make, at a random place:
// set the selection, read it back, the line of the position, its start and its
// bytes.
void BM_PositionQueries_24MB(benchmark::State& state) {
  QtTextEditor& e = LoadedEditor();
  std::mt19937 random(7);
  const int length = e.TextLength();
  for (auto _ : state) {
    const int pos = static_cast<int>(random() % static_cast<unsigned>(length));
    e.SetSelStart(pos);
    e.SetSelLength(4);
    const int start = e.SelStart();
    const int line = e.LineFromPos(start);
    benchmark::DoNotOptimize(e.SelLength() + e.LineStart(line) + static_cast<int>(e.LineBytes(line).size()));
  }
}
BENCHMARK(BM_PositionQueries_24MB)->Unit(benchmark::kMicrosecond);

// The queries one by one.
template <class Query>
void EachQuery(benchmark::State& state, Query query) {
  QtTextEditor& e = LoadedEditor();
  std::mt19937 random(9);
  const int length = e.TextLength();
  for (auto _ : state) query(e, static_cast<int>(random() % static_cast<unsigned>(length)));
}
void BM_SetSelStart_24MB(benchmark::State& state) {
  EachQuery(state, [](QtTextEditor& e, int pos) { e.SetSelStart(pos); });
}
BENCHMARK(BM_SetSelStart_24MB)->Unit(benchmark::kMicrosecond);
void BM_SelStartAfterMove_24MB(benchmark::State& state) {
  EachQuery(state, [](QtTextEditor& e, int pos) {
    QTextCursor c = e.textCursor();
    c.setPosition(e.ToDocumentPos(pos));
    e.setTextCursor(c);
    benchmark::DoNotOptimize(e.SelStart());
  });
}
BENCHMARK(BM_SelStartAfterMove_24MB)->Unit(benchmark::kMicrosecond);
void BM_LineQueries_24MB(benchmark::State& state) {
  EachQuery(state, [](QtTextEditor& e, int pos) {
    const int line = e.LineFromPos(pos);
    benchmark::DoNotOptimize(e.LineStart(line) + static_cast<int>(e.LineBytes(line).size()));
  });
}
BENCHMARK(BM_LineQueries_24MB)->Unit(benchmark::kMicrosecond);

// Find next difference mark from a random place (what F2 does).
void BM_FindNext_24MB(benchmark::State& state) {
  QtTextEditor& e = LoadedEditor();
  std::mt19937 random(8);
  const int length = e.TextLength();
  for (auto _ : state) {
    const int pos = static_cast<int>(random() % static_cast<unsigned>(length));
    benchmark::DoNotOptimize(e.Find("{{", pos + 1, length, {}));
  }
}
BENCHMARK(BM_FindNext_24MB)->Unit(benchmark::kMicrosecond);

// A token that is nowhere: the whole text is searched line by line.
void BM_FindMissing_24MB(benchmark::State& state) {
  QtTextEditor& e = LoadedEditor();
  for (auto _ : state) benchmark::DoNotOptimize(e.Find("<<missing>>", 0, e.TextLength(), {}));
}
BENCHMARK(BM_FindMissing_24MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Save_24MB(benchmark::State& state) {
  QtTextEditor& e = LoadedEditor();
  zorvel::test::TempDir dir;
  const std::string path = dir.File("big.txt");
  std::string error;
  for (auto _ : state) {
    if (!zorvel::WriteTextFileAtomically(path, e.Text(), error)) state.SkipWithError(error.c_str());
  }
}
BENCHMARK(BM_Save_24MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// The recovery file's periodic write: what the GUI thread spends taking the
// text (the snapshot), against converting the whole text to bytes there.
void BM_RecoverySnapshot_24MB(benchmark::State& state) {
  QtTextEditor& e = LoadedEditor();
  for (auto _ : state) benchmark::DoNotOptimize(e.TextSnapshot());
}
BENCHMARK(BM_RecoverySnapshot_24MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Text_24MB(benchmark::State& state) {
  QtTextEditor& e = LoadedEditor();
  for (auto _ : state) benchmark::DoNotOptimize(e.Text());
}
BENCHMARK(BM_Text_24MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// Keeps each benchmark's time per iteration and prints them against the reference.
class RatioReporter : public zorvel::bench::FigureReporter<double> {
 public:
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto ref = figures.find("BM_Reference_Icu950ToUtf16_24MB/iterations:5");
    if (ref == figures.end() || ref->second <= 0) return;
    std::printf("\nAgainst the reference (ICU cp950 -> UTF-16 of 24 MB, %.1f ms):\n", ref->second * 1e3);
    for (const auto& [name, seconds] : figures) {
      std::printf("  %-45s %10.3f ms  ratio %8.3f\n", name.c_str(), seconds * 1e3, seconds / ref->second);
    }
  }

 protected:
  void Collect(const Run& run) override { figures[run.benchmark_name()] = zorvel::bench::RealSeconds(run); }
};

}  // namespace

int main(int argc, char** argv) {
  return zorvel::bench::Main<RatioReporter>(argc, argv);
}
