// What the operator's text becomes in bytes, what a copy gives other programs,
// and which ending a line break without bytes of its own stands for. How a
// read-only line is cut is checked on both editors (editor_suite.h).
#include "core/text/editor_bytes.h"

#include <gtest/gtest.h>

namespace zorvel::test {
namespace {

TEST(OperatorText, EveryLineBreakBecomesCrLfAndWhatBig5CannotHoldAQuestionMark) {
  int replaced = -1;
  EXPECT_EQ(OperatorTextToBig5(u"甲\n乙\r\n丙\r丁\u2028a\u2029\r\n😀é", &replaced),
            "\xA5\xD2\r\n\xA4\x41\r\n\xA4\xFE\r\n\xA4\x42\r\na\r\n\r\n??");
  EXPECT_EQ(replaced, 2);
  EXPECT_EQ(WithCrLfLineBreaks("a\rb\nc\r\n\xA4\n\r"), "a\r\nb\r\nc\r\n\xA4\r\n\r\n");
  // A copy has LF between lines and keeps a byte that is no character as its placeholder.
  EXPECT_EQ(Big5ToCopiedText("\xA5\xD2\r\n\x80\rb\n"), u"甲\n\U000F0080\nb\n");
}

TEST(DefaultLineEnd, TheMostCommonEndingWithCrLfFirstAndLoneCrSecondInATie) {
  EXPECT_EQ(MostCommonLineEnd(SplitLines("a")), LineEnd::CrLf);
  EXPECT_EQ(MostCommonLineEnd(SplitLines("a\nb\nc\r\nd\re")), LineEnd::Lf);
  EXPECT_EQ(MostCommonLineEnd(SplitLines("a\nb\r\nc")), LineEnd::CrLf);
  EXPECT_EQ(MostCommonLineEnd(SplitLines("a\nb\rc")), LineEnd::Cr);
}

}  // namespace
}  // namespace zorvel::test
