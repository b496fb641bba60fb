// Big5Pos, the cutting into characters and the lossless mapping to Unicode.
#include <gtest/gtest.h>

#include <string>

#include "core/text/big5.h"

namespace zorvel::test {
namespace {

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
