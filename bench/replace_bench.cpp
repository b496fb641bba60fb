// The replacement run over the 24 MB canon text: a table of 5,000 pairs, about
// one scan position in a thousand matching a source, every question answered
// "不取代". Measured on the in-memory editor and on the Qt editor (offscreen).
//
// Reference, measured in the same run: the same scan with the lookup of old, a
// binary search of the sorted table per position (prefix compare, no editor),
// which is what every position cost before the longest-match lookup. Each
// figure is printed as MB/s and as a ratio of time against it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>

#include "bench_support.h"
#include "core/prompts.h"
#include "core/proof/replace_table.h"
#include "core/text/memory_editor.h"
#include "support/canon_text.h"
#include "ui/text/qt_text_editor.h"

namespace {

constexpr int kPairs = 5000;

const std::string& Text() {
  static const std::string text = zorvel::test::MakeLargeCanonText();
  return text;
}

int CharLength(const std::string& text, std::size_t pos) {
  const auto b = static_cast<unsigned char>(text[pos]);
  if (b < 0x81 || b > 0xFE || pos + 1 >= text.size()) return 1;
  return (text[pos + 1] == '\r' || text[pos + 1] == '\n') ? 1 : 2;
}

// Scan positions of the whole text and how many of them a table matches.
struct Coverage {
  long long Positions = 0;
  long long Matches = 0;
};
Coverage Measure(const zorvel::ReplaceTable& table) {
  const std::string& text = Text();
  Coverage c;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
    ++c.Positions;
    if (table.Match(text, pos)) ++c.Matches;
  }
  return c;
}

// The table: sources cut from the text itself (two to four characters, at
// character boundaries), so that the lookup walks deep at most positions.
// Sources that occur are taken in random order until about one scan position
// in a thousand matches; the rest of the 5,000 are the same kind of cuts with
// their last character changed to one the text never holds.
struct BenchTable {
  zorvel::ReplaceTable Table;
  Coverage Cover;
};

std::string CutAt(const std::string& text, std::size_t pos, int chars) {
  std::size_t line = text.rfind('\n', pos);
  std::size_t at = line == std::string::npos ? 0 : line + 1;
  while (at < pos) at += CharLength(text, at);
  std::string s;
  for (int k = 0; k < chars; ++k) {
    if (at >= text.size() || text[at] == '\r' || text[at] == '\n') return {};
    const int n = CharLength(text, at);
    s.append(text, at, n);
    at += n;
  }
  return s;
}

zorvel::ReplaceTable Build(const std::vector<std::string>& sources) {
  std::string tableText;
  for (std::size_t i = 0; i < sources.size(); ++i) tableText += sources[i] + "=" + std::to_string(i) + "\r\n";
  zorvel::ReplaceTable table;
  table.BuildReplaceTable(tableText, "=");
  return table;
}

const BenchTable& Table() {
  static const BenchTable table = [] {
    const std::string& text = Text();
    std::mt19937 random(11);
    std::set<std::string> seen;
    std::vector<std::string> candidates;
    while (candidates.size() < 20000) {
      std::string s = CutAt(text, random() % text.size(), 2 + static_cast<int>(random() % 3));
      if (!s.empty() && (static_cast<unsigned char>(s[0]) >= 0x81) && seen.insert(s).second)
        candidates.push_back(s);
    }
    // How often each candidate is the longest match, all of them in one table.
    std::vector<long long> hits(candidates.size(), 0);
    {
      const zorvel::ReplaceTable all = Build(candidates);
      long long positions = 0;
      for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        ++positions;
        if (const zorvel::ReplacePair* p = all.Match(text, pos)) ++hits[std::stoul(p->Dest)];
      }
      std::vector<std::size_t> order(candidates.size());
      for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
      std::shuffle(order.begin(), order.end(), random);
      std::vector<std::string> sources;
      std::vector<bool> taken(candidates.size(), false);
      long long matched = 0;
      const long long target = positions / 1000;
      for (std::size_t i : order) {
        if (hits[i] == 0) continue;
        if (static_cast<int>(sources.size()) >= kPairs) break;
        if (matched + hits[i] > target) continue;
        sources.push_back(candidates[i]);
        taken[i] = true;
        matched += hits[i];
      }
      // A character the text never holds.
      std::string absent;
      for (int lead = 0xF9; lead >= 0xA4 && absent.empty(); --lead) {
        for (int trail = 0xFE; trail >= 0xA1 && absent.empty(); --trail) {
          const std::string c{static_cast<char>(lead), static_cast<char>(trail)};
          if (text.find(c) == std::string::npos) absent = c;
        }
      }
      for (std::size_t i = 0; i < candidates.size() && static_cast<int>(sources.size()) < kPairs; ++i) {
        if (taken[i]) continue;
        std::string s = candidates[i];
        s.replace(s.size() - 2, 2, absent);
        sources.push_back(s);
      }
      BenchTable result;
      result.Table = Build(sources);
      result.Cover = Measure(result.Table);
      return result;
    }
  }();
  return table;
}

// Answers 不取代 to every question and counts them.
class DeclineAll : public zorvel::Prompts {
 public:
  long long Questions = 0;
  std::string LastMessage;
  void Message(std::string_view text) override { LastMessage = text; }
  void Error(std::string_view text) override { LastMessage = text; }
  bool AskYesNo(std::string_view) override { return false; }
  zorvel::Answer AskYesNoCancel(std::string_view) override { return zorvel::Answer::Cancel; }
  zorvel::ChoiceAnswer Choose(const zorvel::ChoiceRequest&) override { return {}; }
  zorvel::ReplaceAnswer AskReplace(const zorvel::ReplaceQuestion&) override {
    ++Questions;
    return {zorvel::ReplaceDecision::Skip, {}};
  }
};

void Report(benchmark::State& state, const DeclineAll& prompts) {
  const BenchTable& t = Table();
  state.SetBytesProcessed(static_cast<int64_t>(Text().size()) * state.iterations());
  state.counters["questions"] = static_cast<double>(prompts.Questions) / state.iterations();
  state.counters["per_1000_positions"] = 1000.0 * t.Cover.Matches / t.Cover.Positions;
  state.counters["pairs"] = t.Table.ReplaceCount();
  if (prompts.LastMessage != zorvel::kReplaceFinished) state.SkipWithError("the run did not finish");
}

// The lookup of old: a binary search for a source that is a prefix of the text.
const zorvel::ReplacePair* BinarySearch(const zorvel::ReplaceTable& table, const std::string& text,
                                        std::size_t pos) {
  int count = table.ReplaceCount();
  int base = 0;
  while (count > 0) {
    const int mid = count / 2;
    const zorvel::ReplacePair& e = table.Entry(base + mid);
    const std::size_t avail = std::min<std::size_t>(text.size() - pos, e.Source.size());
    int c = std::memcmp(text.data() + pos, e.Source.data(), avail);
    if (c == 0 && avail < e.Source.size()) c = -1;  // the end compares lowest
    if (c == 0) return &e;
    if (c > 0) {
      base += mid + 1;
      count -= mid + 1;
    } else {
      count = mid;
    }
  }
  return nullptr;
}

void BM_Reference_BinarySearchScan_24MB(benchmark::State& state) {
  const zorvel::ReplaceTable& table = Table().Table;
  const std::string& text = Text();
  for (auto _ : state) {
    const std::string snapshot = text;
    long long found = 0;
    for (std::size_t pos = 0; pos < snapshot.size(); pos += CharLength(snapshot, pos)) {
      if (BinarySearch(table, snapshot, pos)) ++found;
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<int64_t>(text.size()) * state.iterations());
}
BENCHMARK(BM_Reference_BinarySearchScan_24MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Run_MemoryEditor_24MB(benchmark::State& state) {
  zorvel::MemoryEditor editor(Text());
  DeclineAll prompts;
  for (auto _ : state) {
    editor.SetSelStart(0);
    zorvel::RunReplaceTable(Table().Table, editor, prompts);
  }
  Report(state, prompts);
}
BENCHMARK(BM_Run_MemoryEditor_24MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Run_QtEditor_24MB(benchmark::State& state) {
  zorvel::QtTextEditor editor;
  editor.resize(800, 600);
  editor.show();
  editor.SetText(Text());
  QApplication::processEvents();
  DeclineAll prompts;
  for (auto _ : state) {
    editor.SetSelStart(0);
    zorvel::RunReplaceTable(Table().Table, editor, prompts);
  }
  Report(state, prompts);
}
BENCHMARK(BM_Run_QtEditor_24MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// Prints each run's MB/s and its ratio of time against the reference.
struct Figure {
  double Seconds = 0;
  double MBps = 0;
};

class RatioReporter : public zorvel::bench::FigureReporter<Figure> {
 public:
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto ref = figures.find("BM_Reference_BinarySearchScan_24MB/iterations:3");
    if (ref == figures.end() || ref->second.Seconds <= 0) return;
    std::printf("\nAgainst the reference (binary search per position, %.1f ms):\n",
                ref->second.Seconds * 1e3);
    for (const auto& [name, f] : figures) {
      std::printf("  %-50s %10.1f ms %8.1f MB/s  ratio %6.3f\n", name.c_str(), f.Seconds * 1e3, f.MBps,
                  f.Seconds / ref->second.Seconds);
    }
  }

 protected:
  void Collect(const Run& run) override {
    Figure& f = figures[run.benchmark_name()];
    f.Seconds = zorvel::bench::RealSeconds(run);
    const auto bytes = run.counters.find("bytes_per_second");
    if (bytes != run.counters.end()) f.MBps = bytes->second.value / (1024.0 * 1024.0);
  }
};

}  // namespace

int main(int argc, char** argv) {
  return zorvel::bench::Main<RatioReporter>(argc, argv);
}
