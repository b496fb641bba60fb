// Big5 bytes to and from the text a field shows.
#include <gtest/gtest.h>

#include <QString>
#include <string>

#include "ui/shell/qt_strings.h"

namespace {

using zorvel::ui::FromBig5;
using zorvel::ui::ToBig5;

// Characters show as themselves; a stray lead byte, bytes with no character,
// and a pair split by a line break all keep their bytes through the text.
TEST(QtStrings, EveryByteStringComesBackUnchanged) {
  EXPECT_EQ(FromBig5("\xA4\xA4"
                     "A"),
            QString::fromUtf8("中A"));
  const std::string bytes =
      "\x80\xFF"
      "a\xA4\r\n\xA4\xA4\xFE";
  int replaced = -1;
  EXPECT_EQ(ToBig5(FromBig5(bytes), &replaced), bytes);
  EXPECT_EQ(replaced, 0);
}

TEST(QtStrings, CharactersBig5CannotHoldBecomeQuestionMarksAndAreCounted) {
  const QString typed = QString::fromUtf8("a😀中😀");
  int replaced = 0;
  EXPECT_EQ(ToBig5(typed, &replaced), "a?\xA4\xA4?");
  EXPECT_EQ(replaced, 2);
  EXPECT_EQ(ToBig5(typed), "a?\xA4\xA4?");
}

}  // namespace
