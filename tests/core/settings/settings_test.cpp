#include "core/settings/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/settings/ini_file.h"
#include "support/test_support.h"

namespace zorvel {
namespace {

using test::ReadFile;
using test::ScriptedPrompts;
using test::TempDir;
using test::WriteFile;

HotKeySet DefaultHotKeys() {
  HotKeySet keys;
  for (int i = 0; i < kHotKeyCount; ++i)
    keys[i] = HotKeyFromText(HotKeyDefaultText(static_cast<HotKeyCommand>(i)));
  return keys;
}

// Settings in which every field differs from its default and from the others.
Settings Unusual() {
  Settings s;
  s.Sign1 = "<<";
  s.Sign2 = "\xA1\x40";
  s.Sign3 = ">>";
  s.UserString = "\xB3\x5C";
  s.VolStart = 101;
  s.SutraStart = 102;
  s.PageStart = 103;
  s.FieldStart = 104;
  s.LineStart = 105;
  s.VolLength = 106;
  s.SutraLength = 107;
  s.PageLength = 108;
  s.FieldLength = 109;
  s.LineLength = 110;
  s.LineHeadLength = 111;
  s.FieldSpace = 112;
  s.LineSpace = 113;
  s.WordSpace = 114;
  s.WordHeight = 115;
  s.WordWidth = 116;
  s.IgnoreShift = false;
  s.PictureRatio = 57;
  s.MaxLineWord = 0;
  s.PictureFileNameFormat = "pages/<V>/<P>.tif";
  s.RightTopX = -3;
  s.RightTopY = 119;
  s.AutoSetRightTop = false;
  s.CoverRightTop = true;
  s.ShowWay = 1;
  return s;
}

TEST(LoadSettings, WithoutAFileEverythingIsTheDefault) {
  TempDir dir;
  IniFile ini(dir.File("zorvel.ini"));
  Settings settings = Unusual();
  HotKeySet keys{};
  LoadSettings(ini, settings, keys);
  EXPECT_EQ(settings, Settings{});
  EXPECT_EQ(settings.PictureFileNameFormat, "D:T<V><@><V>-<P>.TIF");
  EXPECT_EQ(settings.Sign2, "||");
  EXPECT_TRUE(settings.IgnoreShift);
  EXPECT_TRUE(settings.AutoSetRightTop);
  EXPECT_FALSE(settings.CoverRightTop);
  const char* expected[] = {"F2",     "F3",     "F4",     "F1",     "F5",  "F6",
                            "Ctrl+F", "Ctrl+S", "Ctrl+T", "Ctrl+U", "Esc", "Ctrl+N"};
  for (int i = 0; i < kHotKeyCount; ++i) EXPECT_EQ(HotKeyToText(keys[i]), expected[i]) << i;
  EXPECT_FALSE(std::filesystem::exists(dir.File("zorvel.ini")));
}

TEST(LoadSettings, LenientReading) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  WriteFile(path,
            "[picture]\r\n"
            "FieldSpace=0x372\r\n"
            "LineSpace=abc\r\n"
            "WordHeight=\r\n"
            "WordWidth=$20\r\n"
            "IgnoreShift=2\r\n"
            "PictureRatio=-50\r\n"
            "[LineHead]\r\n"
            "VolStart=-1\r\n"
            "[RightTop]\r\n"
            "AutoSetRightTop=no\r\n"
            "CoverRightTop=7\r\n"
            "ShowWay=1\r\n"
            "[HotKey]\r\n"
            "FindSign=ctrl+shift+f2\r\n"
            "CancelSel=\r\n"
            "All=Ctrl+Banana\r\n");
  IniFile ini(path);
  Settings settings;
  HotKeySet keys{};
  LoadSettings(ini, settings, keys);
  EXPECT_EQ(settings.FieldSpace, 882);
  EXPECT_EQ(settings.LineSpace, 70) << "abc gives the default";
  EXPECT_EQ(settings.WordHeight, 49) << "an empty value gives the default";
  EXPECT_EQ(settings.WordWidth, 32);
  EXPECT_TRUE(settings.IgnoreShift);
  EXPECT_EQ(settings.PictureRatio, -50) << "no value is checked against a range";
  EXPECT_EQ(settings.VolStart, -1);
  EXPECT_TRUE(settings.AutoSetRightTop) << "a boolean that is not a number gives its default";
  EXPECT_TRUE(settings.CoverRightTop);
  EXPECT_EQ(settings.ShowWay, 1);
  EXPECT_EQ(keys[static_cast<int>(HotKeyCommand::FindSign)], (HotKey{0x71, true, true, false}));
  EXPECT_TRUE(keys[static_cast<int>(HotKeyCommand::CancelSel)].IsNone()) << "empty means no key";
  EXPECT_TRUE(keys[static_cast<int>(HotKeyCommand::All)].IsNone());
  EXPECT_EQ(HotKeyToText(keys[static_cast<int>(HotKeyCommand::ShowWord)]), "F3") << "missing key: default";

  // Written back: the boolean as "1", the key in the rule's order, the lost
  // keys as empty values that read back as no key.
  ScriptedPrompts prompts;
  ASSERT_TRUE(SaveSettings(ini, settings, keys, prompts));
  EXPECT_TRUE(prompts.Shown.empty());
  EXPECT_EQ(ini.ReadString("Picture", "IgnoreShift", ""), "1");
  EXPECT_EQ(ini.ReadString("Picture", "FieldSpace", ""), "882");
  EXPECT_EQ(ini.ReadString("HotKey", "FindSign", ""), "Shift+Ctrl+F2");
  EXPECT_EQ(ini.ReadString("HotKey", "CancelSel", "x"), "");
  EXPECT_EQ(ini.ReadString("HotKey", "All", "x"), "");
  Settings again;
  HotKeySet keysAgain{};
  LoadSettings(ini, again, keysAgain);
  EXPECT_EQ(again, settings);
  EXPECT_EQ(keysAgain, keys);
}

TEST(SaveSettings, EverySettingRoundTripsAndOtherSectionsStay) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  WriteFile(path, "; kept\r\n[Screen]\r\nMainTop=5\r\n[BookMark]\r\nCount=0\r\n");
  IniFile ini(path);
  HotKeySet keys = DefaultHotKeys();
  keys[static_cast<int>(HotKeyCommand::NextPicture)] = HotKey{0x65, false, false, true};
  keys[static_cast<int>(HotKeyCommand::SelUserStr)] = HotKey{};
  ScriptedPrompts prompts;
  ASSERT_TRUE(SaveSettings(ini, Unusual(), keys, prompts));
  EXPECT_TRUE(prompts.Shown.empty());

  Settings loaded;
  HotKeySet loadedKeys{};
  LoadSettings(ini, loaded, loadedKeys);
  EXPECT_EQ(loaded, Unusual());
  EXPECT_EQ(loadedKeys, keys);
  EXPECT_EQ(ini.ReadString("HotKey", "NextPicture", ""), "Alt+Num 5");

  std::string text = ReadFile(path);
  EXPECT_EQ(text.rfind("; kept\r\n[Screen]\r\nMainTop=5\r\n[BookMark]\r\nCount=0\r\n[CheckSign]\r\n", 0), 0u)
      << text;
}

TEST(SaveSettings, WritesEverySectionAndKeyEvenAtTheirDefaults) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  IniFile ini(path);
  ScriptedPrompts prompts;
  ASSERT_TRUE(SaveSettings(ini, Settings{}, DefaultHotKeys(), prompts));
  EXPECT_EQ(
      ReadFile(path),
      "[CheckSign]\r\nSign1={{\r\nSign2=||\r\nSign3=}}\r\nUserString=\r\n"
      "[LineHead]\r\nVolStart=2\r\nSutraStart=5\r\nPageStart=11\r\nFieldStart=15\r\nLineStart=16\r\n"
      "VolLength=2\r\nSutraLength=4\r\nPageLength=4\r\nFieldLength=1\r\nLineLength=2\r\n"
      "LineHeadLength=19\r\n"
      "[Picture]\r\nFieldSpace=882\r\nLineSpace=70\r\nWordSpace=0\r\nWordHeight=49\r\nWordWidth=46\r\n"
      "IgnoreShift=1\r\nPictureRatio=100\r\nMaxLineWord=17\r\nPictureFileNameFormat=D:T<V><@><V>-<P>.TIF\r\n"
      "[RightTop]\r\nRightTopX=45\r\nRightTopY=45\r\nAutoSetRightTop=1\r\nCoverRightTop=0\r\nShowWay=0\r\n"
      "[HotKey]\r\nFindSign=F2\r\nShowWord=F3\r\nSelectWord=F4\r\nAll=F1\r\nPreviousPicture=F5\r\n"
      "NextPicture=F6\r\nSelFirstStr=Ctrl+F\r\nSelSecondStr=Ctrl+S\r\nSelThirdStr=Ctrl+T\r\n"
      "SelUserStr=Ctrl+U\r\nCancelSel=Esc\r\nCancelToNext=Ctrl+N\r\n");
}

TEST(SaveSettings, AnUnwritableFileWarnsOnceAndWritesNothing) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  const std::string original = "[CheckSign]\r\nSign1=[[\r\n";
  WriteFile(path, original);
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  IniFile ini(path);
  ScriptedPrompts prompts;
  EXPECT_FALSE(SaveSettings(ini, Unusual(), DefaultHotKeys(), prompts));
  EXPECT_EQ(prompts.Shown, std::vector<std::string>{"警告 : zorvel.ini 無法寫入!"});
  EXPECT_EQ(ReadFile(path), original);

  // A read-only folder with no file yet behaves the same.
  TempDir other;
  ASSERT_EQ(chmod(other.Path().c_str(), 0555), 0);
  IniFile missing(other.File("zorvel.ini"));
  ScriptedPrompts prompts2;
  EXPECT_FALSE(SaveSettings(missing, Settings{}, DefaultHotKeys(), prompts2));
  EXPECT_EQ(prompts2.Shown, std::vector<std::string>{"警告 : zorvel.ini 無法寫入!"});
  EXPECT_FALSE(std::filesystem::exists(other.File("zorvel.ini")));
}

TEST(SaveSettings, ALaterFailureNamesTheFileAndLeavesNoHalfWrittenSet) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  IniFile ini(path);
  Settings settings;
  settings.VolStart = 9;
  // A value that cannot be stored on one line fails after the test write.
  settings.UserString = "two\r\nlines";
  ScriptedPrompts prompts;
  EXPECT_FALSE(SaveSettings(ini, settings, DefaultHotKeys(), prompts));
  EXPECT_EQ(prompts.Shown, std::vector<std::string>{"Unable to write to " + path});
  EXPECT_EQ(ReadFile(path), "[CheckSign]\r\nSign1={{\r\n");
}

}  // namespace
}  // namespace zorvel
