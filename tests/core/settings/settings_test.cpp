// Loading and saving the settings record and its keys in zorvel.ini.
#include "core/settings/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <vector>

#include "core/settings/ini_file.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

HotKeySet DefaultHotKeys() {
  HotKeySet keys;
  for (int i = 0; i < kHotKeyCount; ++i)
    keys[i] = HotKeyFromText(HotKeyDefaultText(static_cast<HotKeyCommand>(i)));
  return keys;
}

const Settings kUnusual = DistinctSettings();

// Without a file every setting and key is the default. Numbers are read as
// ParseProfileInt reads them (ini_file_test) and keys as ReadHotKeys does
// (hot_key_test): here, the values that are not plain numbers.
TEST_F(SettingsFile, ReadsLenientlyOverTheDefaultsAndSavesBackInTheRulesForm) {
  Settings settings = kUnusual;
  HotKeySet keys{};
  LoadSettings(ini, settings, keys);
  EXPECT_EQ(settings, Settings{});
  EXPECT_EQ(keys, DefaultHotKeys());

  WriteFile(path, "[picture]\r\nLineSpace=abc\r\nIgnoreShift=2\r\nPictureRatio=-50\r\n");
  LoadSettings(ini, settings, keys);
  EXPECT_EQ(settings.LineSpace, 70);
  EXPECT_EQ(settings.PictureRatio, -50) << "no range checks";

  ScriptedPrompts prompts;
  ASSERT_TRUE(SaveSettings(ini, settings, KeyBindings{keys}, prompts));
  EXPECT_EQ(ini.ReadString("Picture", "IgnoreShift", ""), "1");
}

TEST_F(SettingsFile, EverySettingAndKeyRoundTrips) {
  KeyBindings keys{DefaultHotKeys(), DefaultCommandKeys()};
  keys.HotKeys[int(HotKeyCommand::NextPicture)] = HotKey{0x65, false, false, true};
  keys.HotKeys[int(HotKeyCommand::SelUserStr)] = HotKey{};
  keys.CommandKeys[int(CommandId::ZoomIn)] = HotKey{0x70, false, true, false};
  ScriptedPrompts prompts;
  ASSERT_TRUE(SaveSettings(ini, kUnusual, keys, prompts));
  Settings loaded;
  KeyBindings loadedKeys;
  LoadSettings(ini, loaded, loadedKeys);
  EXPECT_EQ(loaded, kUnusual);
  EXPECT_EQ(loadedKeys, keys);
}

TEST_F(SettingsFile, FailuresWarnAndLeaveNoHalfWrittenSet) {
  WriteFile(path, "[CheckSign]\r\nSign1=[[\r\n");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ScriptedPrompts prompts;
  EXPECT_FALSE(SaveSettings(ini, kUnusual, {DefaultHotKeys()}, prompts));
  EXPECT_EQ(prompts.Shown, std::vector<std::string>{"警告 : zorvel.ini 無法寫入!"});
  EXPECT_EQ(ReadFile(path), "[CheckSign]\r\nSign1=[[\r\n");

  // The file can be written, the write fails: the error names the file (that
  // none of the values is written is the batch's rule, ini_file_test).
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);
  Settings broken;
  broken.UserString = "two\r\nlines";
  ScriptedPrompts later;
  EXPECT_FALSE(SaveSettings(ini, broken, {DefaultHotKeys()}, later));
  EXPECT_EQ(later.Shown, std::vector<std::string>{"Unable to write to " + path});
}

}  // namespace
}  // namespace zorvel::test
