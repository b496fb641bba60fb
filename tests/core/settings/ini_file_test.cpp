#include "core/settings/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>

#include "core/settings/settings_file.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

namespace fs = std::filesystem;

TEST_F(SettingsFile, IniNamesIgnoreCaseTheFirstMatchWinsAndValuesAreBytes) {
  EXPECT_EQ(ini.ReadString("CheckSign", "Sign1", "{{"), "{{");
  EXPECT_FALSE(fs::exists(path)) << "reading must not create the file";

  // Big5 whose second bytes are "\\" and "|" passes through unchanged.
  const std::string big5 = "\xB3\x5C\xA5\x7C";
  WriteFile(path, "; x=1\n[picture]\r\nFIELDSPACE = 900 \r\nfieldspace=1\r\nEmpty=\r\nSign=" + big5 +
                      "\r\nLong=" + std::string(3000, 'x') + "\r\nNoValue\r\n[Picture]\r\nLineSpace=80\r\n");
  EXPECT_EQ(ini.ReadInteger("Picture", "FieldSpace", 882), 900);
  EXPECT_EQ(ini.ReadInteger("Picture", "LineSpace", 70), 70) << "only the first [Picture] counts";
  EXPECT_EQ(ini.ReadString("Picture", "Empty", "d"), "") << "an empty value is not a missing key";
  EXPECT_FALSE(ini.HasKey("Picture", "NoValue"));
  EXPECT_EQ(ini.ReadString("Picture", "Sign", ""), big5);
  EXPECT_EQ(ini.ReadString("Picture", "Long", ""), std::string(2047, 'x'));

  // Edits made by others are seen by the next read.
  WriteFile(path, "[Picture]\r\nFieldSpace=-1\r\n");
  EXPECT_EQ(ini.ReadInteger("Picture", "FieldSpace", 882), -1);
}

TEST(ParseProfileInt, FollowsTheIntegerReadingRule) {
  const std::pair<const char*, int> good[] = {{"0X372", 882},     {"-$10", -16},
                                              {"+5", 5},          {"-2147483648", INT_MIN},
                                              {"0xFFFFFFFF", -1}, {"0x00000000ff", 255}};
  int value = 0;
  for (auto [text, expected] : good) EXPECT_TRUE(ParseProfileInt(text, value) && value == expected) << text;
  for (const char* text : {"", "-", "0x", "12a", " 12", "2147483648", "0x100000000", "-0x10"})
    EXPECT_TRUE(!ParseProfileInt(text, value) && value == 255) << text;  // the value stays
}

TEST_F(SettingsFile, AnIniWriteChangesOnlyItsOwnLineAndKeepsEveryOtherByte) {
  // Keys before any section, comments, blank lines, mixed line ends, an empty
  // section and a last line without an ending.
  WriteFile(path,
            "TopKey=1\n; Zorvel\r\n\r\n[Screen]\r\nMainTop = 10\n  mainleft=20\r\n\r\n; toolbars\r\n"
            "[Empty]\n[tbMain]\r\nVisible=1");
  ASSERT_TRUE(ini.WriteInteger("screen", "MAINTOP", 300));
  ASSERT_TRUE(ini.WriteInteger("Screen", "MainLeft", -4));
  ASSERT_TRUE(ini.WriteInteger("Screen", "MainWidth", 400));  // after the section's last key
  ASSERT_TRUE(ini.WriteString("Empty", "k", ""));
  ASSERT_TRUE(ini.WriteString("tbMain", "DockedTo", "Dock971"));
  ASSERT_TRUE(ini.WriteBool("Picture", "IgnoreShift", true));  // a new section at the end
  EXPECT_EQ(ReadFile(path),
            "TopKey=1\n; Zorvel\r\n\r\n[Screen]\r\nMainTop = 300\n  mainleft=-4\r\nMainWidth=400\r\n\r\n"
            "; toolbars\r\n[Empty]\nk=\r\n[tbMain]\r\nVisible=1\r\nDockedTo=Dock971\r\n"
            "[Picture]\r\nIgnoreShift=1\r\n");
}

TEST_F(SettingsFile, AnIniBatchIsAllOrNothingAndNothingBreaksTheFile) {
  WriteFile(path, "[BookMark]\r\nCount=1\r\n");
  ASSERT_TRUE(ini.WriteStrings(
      {{"BookMark", "Count", "2"}, {"BookMark1", "Title", "a"}, {"BookMark1", "Title", "c"}}));
  const std::string kept = "[BookMark]\r\nCount=2\r\n[BookMark1]\r\nTitle=c\r\n";
  EXPECT_EQ(ReadFile(path), kept);

  // A line break would smuggle a section in; such names and values are refused
  // and the file stays as it was.
  EXPECT_FALSE(ini.WriteStrings({{"BookMark", "Count", "3"}, {"BookMark3", "Title", "x\r\n[Screen]"}}));
  for (auto [section, key] : {std::pair{"A]", "k"}, {"", "k"}, {"A", "k=j"}, {"A", ";k"}})
    EXPECT_FALSE(ini.WriteString(section, key, "1")) << section << "/" << key;
  EXPECT_EQ(ReadFile(path), kept);
}

// A file that is there but cannot be read (a disk error; root reads through
// any permission, so the reader fails instead) is never replaced by a write:
// the keys it holds would be lost.
TEST_F(SettingsFile, AFileThatCannotBeReadIsNotWrittenOver) {
  WriteFile(path, "[Screen]\r\nMainTop=5\r\n");
  IniFile unreadable(path, [](const std::string&, std::string&) { return ReadResult::Failed; });
  EXPECT_FALSE(unreadable.WriteString("Screen", "MainLeft", "1"));
  EXPECT_FALSE(unreadable.IsWritable());
  EXPECT_EQ(WriteSettingsFile(unreadable, {.Screen = ScreenLayout{}}), IniWrite::NotWritable);
  EXPECT_EQ(ReadFile(path), "[Screen]\r\nMainTop=5\r\n");
  EXPECT_TRUE(ini.IsWritable());
}

}  // namespace
}  // namespace zorvel::test
