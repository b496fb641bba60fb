// Big5Pos, the cutting into characters and the lossless mapping to Unicode.
#include "core/text/big5.h"

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <algorithm>
#include <string>

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

// What Big5 cannot hold becomes "?" (through UTF-16 in editor_bytes_test).
TEST(Big5MappingTest, Utf8MapsToBig5AndWhatBig5CannotHoldBecomesAQuestionMark) {
  EXPECT_EQ(Big5ToUtf8("T01n0001_p0001a01\xF9\xF8"), "T01n0001_p0001a01║");
  int replaced = -1;
  EXPECT_EQ(Utf8ToBig5("大正藏\xC3\xA9\xF0\x9F\x98\x80", &replaced), "\xA4\x6A\xA5\xBF\xC2\xC3??");
  EXPECT_EQ(replaced, 2);
}

// Every pair of bytes against code page 950, asked of ICU one pair at a time. A
// first byte and a second byte the code page reads as one character show as
// that character, with the duplicate's selector when the code page writes the
// character back as another pair (A2CC and A451 are both 十). Every other byte
// shows as its placeholder, the second byte of a pair too even when it is ASCII;
// a first byte before CR or LF stands alone. Either way the bytes come back.
TEST(Big5MappingTest, EveryPairAgreesWithTheCodePageAndComesBack) {
  UErrorCode error = U_ZERO_ERROR;
  UConverter* cp950 = ucnv_open("windows-950", &error);
  ASSERT_TRUE(U_SUCCESS(error)) << u_errorName(error);
  ucnv_setToUCallBack(cp950, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
  ucnv_setFromUCallBack(cp950, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
  const auto placeholder = [](int b) { return std::u16string{u'\xDB80', static_cast<char16_t>(0xDC00 + b)}; };
  const auto alone = [&](int b) {
    return b < 0x80 ? std::u16string(1, static_cast<char16_t>(b)) : placeholder(b);
  };
  for (int lead = 0; lead < 256; ++lead) {
    std::string row;
    for (int trail = 0; trail < 256; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      std::u16string expected = alone(lead) + alone(trail);
      if (lead >= 0x81 && lead <= 0xFE && trail != '\r' && trail != '\n') {
        expected = placeholder(lead) + placeholder(trail);
        UChar c[2];
        error = U_ZERO_ERROR;
        ucnv_resetToUnicode(cp950);
        if (ucnv_toUChars(cp950, c, 2, pair.data(), 2, &error) == 1 && U_SUCCESS(error) && c[0] >= 0x80) {
          char back[4];
          error = U_ZERO_ERROR;
          ucnv_resetFromUnicode(cp950);
          const int n = ucnv_fromUChars(cp950, back, 4, c, 1, &error);
          expected = std::u16string(1, c[0]);
          if (std::string(back, static_cast<std::size_t>(std::max(n, 0))) != pair)
            expected += kDuplicateSelector;
        }
      }
      const std::u16string u = Big5ToUnicode(pair);
      ASSERT_EQ(u, expected) << std::hex << lead << " " << trail;
      ASSERT_EQ(UnicodeToBig5(u), pair) << std::hex << lead << " " << trail;
      ASSERT_EQ(Big5Length(u), 2);
      row += pair;
    }
    ASSERT_EQ(UnicodeToBig5(Big5ToUnicode(row)), row) << std::hex << lead;
  }
  ucnv_close(cp950);
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
