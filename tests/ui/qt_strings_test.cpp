// The ui layer's string helpers: UTF-8 literals, and Big5 bytes to and from
// the text a field shows.
#include <gtest/gtest.h>

#include <QString>
#include <string>

#include "ui/shell/qt_strings.h"

namespace {

using zorvel::ui::FromBig5;
using zorvel::ui::ToBig5;
using zorvel::ui::U;

TEST(QtStrings, LiteralsAreReadAsUtf8) {
  const QString text = U("取代 %1");
  ASSERT_EQ(text.size(), 5);
  EXPECT_EQ(text.at(0), QChar(0x53D6));
  EXPECT_EQ(text.at(1), QChar(0x4EE3));
  EXPECT_EQ(text.arg(3), QString::fromUtf8("取代 3"));
  EXPECT_TRUE(U("").isEmpty());
}

TEST(QtStrings, Big5BytesShowAsTheirCharacters) {
  EXPECT_EQ(FromBig5("\xA4\xA4"
                     "A"),
            QString::fromUtf8("中A"));
  EXPECT_TRUE(FromBig5(std::string()).isEmpty());
  EXPECT_EQ(ToBig5(QString::fromUtf8("中A")),
            "\xA4\xA4"
            "A");
  EXPECT_EQ(ToBig5(QString()), "");
}

TEST(QtStrings, EveryByteStringComesBackUnchanged) {
  // A stray lead byte, bytes with no character, and a pair split by a line
  // break all keep their bytes through the field's text.
  const std::string bytes =
      "\x80\xFF"
      "a\xA4\r\n\xA4\xA4\xFE";
  const QString shown = FromBig5(bytes);
  int replaced = -1;
  EXPECT_EQ(ToBig5(shown, &replaced), bytes);
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
