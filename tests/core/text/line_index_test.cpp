// Cutting bytes into lines, and the line index against a plain list of line
// lengths through many edits.
#include "core/text/line_index.h"

#include <gtest/gtest.h>

#include <random>

namespace zorvel::test {
namespace {

TEST(SplitLinesTest, EveryKindOfLineEnd) {
  EXPECT_EQ(
      SplitLines("a\r\nbc\rd\n"),
      (std::vector<LineInfo>{{1, LineEnd::CrLf}, {2, LineEnd::Cr}, {1, LineEnd::Lf}, {0, LineEnd::None}}));
  // A run of whole lines: nothing after the last line end.
  EXPECT_EQ(SplitLines("a\r\nb\n", false), (std::vector<LineInfo>{{1, LineEnd::CrLf}, {1, LineEnd::Lf}}));
  EXPECT_EQ(SplitLines("a\r\nb", false), (std::vector<LineInfo>{{1, LineEnd::CrLf}, {1, LineEnd::None}}));
}

TEST(LineIndexTest, AgreesWithAPlainListThroughRandomEdits) {
  std::mt19937 random(120000);
  std::vector<LineInfo> plain = SplitLines("one\r\ntwo\nthree\rfour");
  LineIndex index;
  index.Reset(plain);
  auto random_line = [&](bool last) {
    const LineEnd ends[] = {LineEnd::CrLf, LineEnd::Cr, LineEnd::Lf};
    return LineInfo{static_cast<int>(random() % 40), last ? LineEnd::None : ends[random() % 3]};
  };
  for (int round = 0; round < 400; ++round) {
    const int count = static_cast<int>(plain.size());
    const int first = static_cast<int>(random() % static_cast<unsigned>(count));
    const int removed = 1 + static_cast<int>(random() % static_cast<unsigned>(std::min(3, count - first)));
    const bool includes_last = first + removed == count;
    std::vector<LineInfo> added(1 + random() % 4);
    for (std::size_t k = 0; k < added.size(); ++k)
      added[k] = random_line(includes_last && k + 1 == added.size());
    if (random() % 3 == 0) {
      // A change within one line keeps its ending.
      const LineInfo changed{static_cast<int>(random() % 40), plain[static_cast<std::size_t>(first)].End};
      index.SetLine(first, changed);
      plain[static_cast<std::size_t>(first)] = changed;
    } else {
      index.Replace(first, removed, added);
      plain.erase(plain.begin() + first, plain.begin() + first + removed);
      plain.insert(plain.begin() + first, added.begin(), added.end());
    }
    ASSERT_EQ(index.LineCount(), static_cast<int>(plain.size()));
    int start = 0;
    for (std::size_t k = 0; k < plain.size(); ++k) {
      const int line = static_cast<int>(k);
      ASSERT_EQ(index.LineStart(line), start) << "round " << round << " line " << k;
      const int end = start + plain[k].Length + LineEndLength(plain[k].End);
      for (int pos : {start, (start + end) / 2, end - 1})
        ASSERT_TRUE(pos < start || pos >= end || index.LineFromPos(pos) == line) << round << " " << pos;
      start = end;
    }
    ASSERT_EQ(index.TextLength(), start);
    ASSERT_EQ(index.LineFromPos(start), index.LineCount() - 1);
    ASSERT_EQ(index.LineFromPos(start + 10), index.LineCount() - 1);
    ASSERT_EQ(index.LineFromPos(-3), 0);
  }
}

}  // namespace
}  // namespace zorvel::test
