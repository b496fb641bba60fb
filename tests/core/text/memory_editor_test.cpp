// The shared editor suite on MemoryEditor, what only MemoryEditor has, and its
// line index against a plain list of line lengths through many edits.
#include "core/text/memory_editor.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/text/big5.h"
#include "core/text/line_index.h"
#include "editor_suite.h"

namespace zorvel::test {
namespace {

struct MemoryEditorFactory {
  static std::unique_ptr<TextEditor> Make(std::string_view bytes) {
    return std::make_unique<MemoryEditor>(bytes);
  }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, EditorSuite, ::testing::Types<MemoryEditorFactory>);

TEST(MemoryEditorTest, ClipboardIsSharedOnlyWhenGiven) {
  auto shared = std::make_shared<std::string>();
  MemoryEditor a("\xA4\x40x", shared);
  MemoryEditor b("y", shared);
  MemoryEditor own("z");
  a.SelectAll();
  a.Copy();
  EXPECT_EQ(*shared, "\xA4\x40x");
  b.SetSelStart(1);
  b.Paste();
  EXPECT_EQ(b.Text(), "y\xA4\x40x");
  // An editor of its own sees nothing of the others' copies.
  EXPECT_EQ(own.Clipboard(), "");
  own.Paste();
  EXPECT_EQ(own.Text(), "z");
}

// The line index against a plain list of line lengths, through many edits.
TEST(SplitLinesTest, EveryKindOfLineEnd) {
  EXPECT_EQ(SplitLines(""), (std::vector<LineInfo>{{0, LineEnd::None}}));
  EXPECT_EQ(
      SplitLines("a\r\nbc\rd\n"),
      (std::vector<LineInfo>{{1, LineEnd::CrLf}, {2, LineEnd::Cr}, {1, LineEnd::Lf}, {0, LineEnd::None}}));
  EXPECT_EQ(SplitLines("\n\r"),
            (std::vector<LineInfo>{{0, LineEnd::Lf}, {0, LineEnd::Cr}, {0, LineEnd::None}}));
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

// Big5Pos, the cutting into characters and the lossless mapping to Unicode.
// A47C ends in "|", A45B in "[", A47B in "{", A47D in "}", A45D in "]".
TEST(Big5PosTest, SkipsSecondBytesOfDoubleByteCharacters) {
  const struct {
    const char* needle;
    const char* hay;
    int pos;
  } cases[] = {
      {"|", "\xA4\x7C", 0},     {"||", "\xA4\x7C|", 0},
      {"||", "\xA4\x7C||", 3},  {"[", "\xA4\x5B[", 3},
      {"{{", "\xA4\x7B{{", 3},  {"}}", "\xA4\x7D}}", 3},
      {"]", "\xA4\x5D", 0},     {"{{", "ab{{", 3},
      {"", "abc", 0},           {"abcd", "abc", 0},
      {"\xA4", "a\xA4\x40", 2}, {"\xA4\x40", "\xA4\xA4\x40", 0},  // A4A4 then a lone "@"
      {"x", "\x81x", 0},        {"x", "\x81\x81x", 3},  // a stray lead byte at the end takes nothing
  };
  for (const auto& c : cases) EXPECT_EQ(Big5Pos(c.needle, c.hay), c.pos) << c.needle << " in " << c.hay;
}

TEST(Big5MappingTest, ValidCharactersMapToTheirUnicode) {
  EXPECT_EQ(Big5ToUnicode("\xA4\xA4\xA4\xE5"), u"中文");
  EXPECT_EQ(UnicodeToBig5(u"中文"), "\xA4\xA4\xA4\xE5");
  EXPECT_EQ(Big5ToUtf8("T01n0001_p0001a01\xF9\xF8"), "T01n0001_p0001a01║");
  EXPECT_EQ(Utf8ToBig5("大正藏"), "\xA4\x6A\xA5\xBF\xC2\xC3");
}

TEST(Big5MappingTest, DuplicatePairsKeepTheirBytesAndShowTheirCharacter) {
  const std::u16string second = Big5ToUnicode("\xA2\xCC");
  EXPECT_EQ(Big5ToUnicode("\xA4\x51"), u"十");
  EXPECT_EQ(second, std::u16string(u"十") + kDuplicateSelector);
  EXPECT_EQ(UnicodeToBig5(u"十十" + second), "\xA4\x51\xA4\x51\xA2\xCC");
}

TEST(Big5MappingTest, InvalidBytesBecomePlaceholdersThatKeepThem) {
  EXPECT_EQ(Big5ToUnicode("\x80"), u"\U000F0080");  // a surrogate pair
  // A stray lead byte before a line break keeps the break.
  EXPECT_EQ(Big5ToUnicode("\xA4\r\n"), u"\U000F00A4\r\n");
  // An unmapped pair keeps both bytes, the second one too even when it is ASCII.
  EXPECT_EQ(Big5ToUnicode("\x81\x30"), u"\U000F0081\U000F0030");
  EXPECT_EQ(UnicodeToBig5(u"\U000F0081\U000F0030"), "\x81\x30");
}

TEST(Big5MappingTest, TextBig5CannotHoldBecomesQuestionMarks) {
  int replaced = -1;
  EXPECT_EQ(UnicodeToBig5(u"a\u00E9b\U0001F600c\u4E2D", &replaced), "a?b?c\xA4\xA4");
  EXPECT_EQ(replaced, 2);
  EXPECT_EQ(Utf8ToBig5("\xC3\xA9\xE4\xB8\xAD", &replaced), "?\xA4\xA4");
  EXPECT_EQ(replaced, 1);
}

TEST(Big5RoundTripTest, EveryTwoByteSequence) {
  for (int a = 0; a < 256; ++a) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
      const std::string pair{static_cast<char>(a), static_cast<char>(b)};
      const std::u16string u = Big5ToUnicode(pair);
      ASSERT_EQ(UnicodeToBig5(u), pair) << std::hex << a << " " << b;
      ASSERT_EQ(Big5Length(u), 2);
      all += pair;
    }
    ASSERT_EQ(UnicodeToBig5(Big5ToUnicode(all)), all) << std::hex << a;
  }
}

// The editors' positions are checked against a byte model (editor_suite.h):
// here, the characters that take two UTF-16 units or none of their own.
TEST(Big5OffsetsTest, ByteOffsetsAndUtf16IndexesAgree) {
  // a, 中, placeholder (2 units, 1 byte), 十 with selector (2 units, 2 bytes),
  // 81 30 (no character: two placeholders, one character in bytes), b
  const std::u16string u = Big5ToUnicode(
      "a\xA4\xA4\x80\xA2\xCC\x81\x30"
      "b");
  ASSERT_EQ(u.size(), 11u);
  const int index[] = {0, 1, 1, 2, 4, 4, 6, 6, 10, 11};
  const int indexAfter[] = {0, 1, 2, 2, 4, 6, 6, 10, 10, 11};
  for (int offset = 0; offset <= 9; ++offset) {
    EXPECT_EQ(Utf16IndexOfByteOffset(u, offset), index[offset]) << offset;
    EXPECT_EQ(Utf16IndexOfByteOffset(u, offset, true), indexAfter[offset]) << offset;
  }
  EXPECT_EQ(Utf16IndexOfByteOffset(u, 99), 11);
  const int offset[] = {0, 1, 3, 4, 4, 6, 6, 8, 8, 8, 8, 9};
  for (int i = 0; i <= 11; ++i) EXPECT_EQ(ByteOffsetOfUtf16Index(u, i), offset[i]) << i;
  // Before a line break a stray first byte stands alone.
  const std::u16string lone = Big5ToUnicode("\x81\r\n");
  EXPECT_EQ(Utf16IndexOfByteOffset(lone, 1), 2);
  EXPECT_EQ(Big5Length(lone), 3);
}

}  // namespace
}  // namespace zorvel::test
