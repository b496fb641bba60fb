// The keys of the commands beyond the twelve hot keys, read from zorvel.ini.
#include "core/settings/command_keys.h"

#include <gtest/gtest.h>

#include "core/settings/ini_file.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

// The check of a key entered runs through the options dialog's test.
// A missing key gives the default and an empty one no key; a key that a
// fixed key or an earlier command has leaves the command without one, noted.
TEST(CommandKeys, ReadWithDefaultsAndEveryKeyOnce) {
  TempDir dir;
  IniFile ini(dir.File("zorvel.ini"));
  WriteFile(ini.Path(), "[HotKey]\r\nZoomOut=\r\nPanUp=Ctrl+O\r\nPanDown=Ctrl+=\r\n");
  const CommandKeyReading reading = ReadCommandKeys(ini, HotKeySet{});
  CommandKeySet expected = DefaultCommandKeys();
  for (CommandId id : {CommandId::ZoomOut, CommandId::PanUp, CommandId::PanDown})
    expected[static_cast<std::size_t>(id)] = HotKey{};
  EXPECT_EQ(reading.Keys, expected);
  EXPECT_EQ(reading.Notes,
            (std::vector<std::string>{
                "快速鍵 PanUp (向上捲動圖形) 設為 \"Ctrl+O\", 與「開啟舊檔」相同, 現在沒有快速鍵.",
                "快速鍵 PanDown (向下捲動圖形) 設為 \"Ctrl+=\", 與「放大圖形」相同, 現在沒有快速鍵."}));
}

}  // namespace
}  // namespace zorvel::test
