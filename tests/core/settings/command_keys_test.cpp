// The keys of the commands beyond the twelve hot keys: read from zorvel.ini
// and checked against every other key of the main window.

#include "core/settings/command_keys.h"

#include <gtest/gtest.h>

#include "core/settings/ini_file.h"
#include "core/settings/settings.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

HotKeySet DefaultHotKeys() {
  HotKeySet keys{};
  for (int i = 0; i < kHotKeyCount; ++i) keys[i] = HotKeyFromText(HotKeyDefaultText(HotKeyCommand(i)));
  return keys;
}

HotKey& At(CommandKeySet& keys, CommandId id) {
  return keys[static_cast<std::size_t>(id)];
}

// A missing key gives the default and an empty one no key; a text that names
// no key, or a key the hot keys, a fixed key or an earlier command has, leaves
// the command without one and is noted.
TEST(CommandKeys, ReadWithDefaultsAndEveryKeyOnce) {
  TempDir dir;
  IniFile ini(dir.File("zorvel.ini"));
  WriteFile(ini.Path(),
            "[HotKey]\r\nZoomOut=\r\nPanLeft=Ctrl+Nope\r\nPanRight=F2\r\nPanUp=Ctrl+O\r\n"
            "PanDown=Ctrl+=\r\n");
  const CommandKeyReading reading = ReadCommandKeys(ini, DefaultHotKeys());
  CommandKeySet expected = DefaultCommandKeys();
  for (CommandId id :
       {CommandId::ZoomOut, CommandId::PanLeft, CommandId::PanRight, CommandId::PanUp, CommandId::PanDown})
    At(expected, id) = HotKey{};
  EXPECT_EQ(reading.Keys, expected);
  EXPECT_EQ(reading.Notes,
            (std::vector<std::string>{
                "快速鍵 PanLeft (向左捲動圖形) 設為 \"Ctrl+Nope\", 無法辨認, 現在沒有快速鍵.",
                "快速鍵 PanRight (向右捲動圖形) 設為 \"F2\", 與「尋找差異符號」相同, 現在沒有快速鍵.",
                "快速鍵 PanUp (向上捲動圖形) 設為 \"Ctrl+O\", 與「開啟舊檔」相同, 現在沒有快速鍵.",
                "快速鍵 PanDown (向下捲動圖形) 設為 \"Ctrl+=\", 與「放大圖形」相同, 現在沒有快速鍵.",
            }));

  ASSERT_TRUE(WriteCommandKeys(ini, reading.Keys));
  EXPECT_EQ(ReadCommandKeys(ini, DefaultHotKeys()).Keys, reading.Keys);
}

// The field refused is the one whose key changed, named after the command
// that keeps the key; the choice window's keys are another window's.
TEST(CommandKeys, ClashesAcrossTheMainWindowsKeys) {
  const HotKeySet hot = DefaultHotKeys();
  const CommandKeySet inForce = DefaultCommandKeys();
  EXPECT_FALSE(FindCommandKeyClash(hot, inForce, hot, inForce));

  CommandKeySet keys = inForce;
  At(keys, CommandId::ToggleLoupe) = HotKeyFromText("Ctrl+U");  // a choice window key: free here
  EXPECT_FALSE(FindCommandKeyClash(hot, keys, hot, inForce));

  At(keys, CommandId::ToggleLoupe) = HotKeyFromText("Ctrl+S");
  auto clash = FindCommandKeyClash(hot, keys, hot, inForce);
  ASSERT_TRUE(clash);
  EXPECT_EQ(clash->Command, CommandId::ToggleLoupe);
  EXPECT_EQ(clash->TakenBy, "儲存檔案");

  HotKeySet changed = hot;
  changed[static_cast<int>(HotKeyCommand::All)] = HotKeyFromText("Ctrl+M");
  clash = FindCommandKeyClash(changed, inForce, hot, inForce);
  ASSERT_TRUE(clash);
  EXPECT_EQ(clash->HotKey, HotKeyCommand::All);
  EXPECT_EQ(clash->TakenBy, "切換放大鏡倍率");
}

}  // namespace
}  // namespace zorvel::test
