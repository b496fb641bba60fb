#include "core/settings/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/settings/ini_file.h"
#include "core/settings/settings_entry.h"
#include "distinct_settings.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

HotKeySet DefaultHotKeys() {
  HotKeySet keys;
  for (int i = 0; i < kHotKeyCount; ++i)
    keys[i] = HotKeyFromText(HotKeyDefaultText(static_cast<HotKeyCommand>(i)));
  return keys;
}

const Settings kUnusual = Distinct();

TEST(LoadSettings, WithoutAFileEverythingIsTheDefault) {
  TempDir dir;
  Settings settings = kUnusual;
  HotKeySet keys{};
  LoadSettings(IniFile(dir.File("zorvel.ini")), settings, keys);
  EXPECT_EQ(settings, Settings{});
  EXPECT_EQ(keys, DefaultHotKeys());
}

// Numbers are read as ParseProfileInt reads them (ini_file_test): here, the
// values that are not plain numbers and the keys.
TEST(LoadSettings, ReadsLenientlyAndSavesBackInTheRulesForm) {
  TempDir dir;
  WriteFile(dir.File("zorvel.ini"),
            "[picture]\r\nLineSpace=abc\r\nIgnoreShift=2\r\nPictureRatio=-50\r\n"
            "[HotKey]\r\nFindSign=ctrl+shift+f2\r\nCancelSel=\r\nAll=Ctrl+Banana\r\n");
  IniFile ini(dir.File("zorvel.ini"));
  Settings settings;
  HotKeySet keys{};
  LoadSettings(ini, settings, keys);
  EXPECT_EQ(settings.LineSpace, 70);
  EXPECT_EQ(settings.PictureRatio, -50) << "no range checks";
  EXPECT_TRUE(keys[int(HotKeyCommand::All)].IsNone());

  ScriptedPrompts prompts;
  ASSERT_TRUE(SaveSettings(ini, settings, keys, prompts));
  EXPECT_EQ(ini.ReadString("Picture", "IgnoreShift", ""), "1");
  EXPECT_EQ(ini.ReadString("HotKey", "FindSign", ""), "Shift+Ctrl+F2");
}

TEST(SaveSettings, EverySettingRoundTripsAndOtherSectionsStay) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  WriteFile(path, "; kept\r\n[Screen]\r\nMainTop=5\r\n");
  IniFile ini(path);
  HotKeySet keys = DefaultHotKeys();
  keys[int(HotKeyCommand::NextPicture)] = HotKey{0x65, false, false, true};
  keys[int(HotKeyCommand::SelUserStr)] = HotKey{};
  ScriptedPrompts prompts;
  ASSERT_TRUE(SaveSettings(ini, kUnusual, keys, prompts));
  Settings loaded;
  HotKeySet loadedKeys{};
  LoadSettings(ini, loaded, loadedKeys);
  EXPECT_EQ(loaded, kUnusual);
  EXPECT_EQ(loadedKeys, keys);
  EXPECT_EQ(ReadFile(path).rfind("; kept\r\n[Screen]\r\nMainTop=5\r\n[CheckSign]\r\nSign1=<<\r\n", 0), 0u);
}

TEST(SaveSettings, FailuresWarnAndLeaveNoHalfWrittenSet) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  WriteFile(path, "[CheckSign]\r\nSign1=[[\r\n");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  IniFile ini(path);
  ScriptedPrompts prompts;
  EXPECT_FALSE(SaveSettings(ini, kUnusual, DefaultHotKeys(), prompts));
  EXPECT_EQ(prompts.Shown, std::vector<std::string>{"警告 : zorvel.ini 無法寫入!"});
  EXPECT_EQ(ReadFile(path), "[CheckSign]\r\nSign1=[[\r\n");

  // The test write passes, a later one fails: the error names the file and
  // none of the later values is written.
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);
  Settings broken;
  broken.VolStart = 9;
  broken.UserString = "two\r\nlines";
  ScriptedPrompts later;
  EXPECT_FALSE(SaveSettings(ini, broken, DefaultHotKeys(), later));
  EXPECT_EQ(later.Shown, std::vector<std::string>{"Unable to write to " + path});
  EXPECT_EQ(ReadFile(path), "[CheckSign]\r\nSign1={{\r\n");
}

}  // namespace
}  // namespace zorvel::test
