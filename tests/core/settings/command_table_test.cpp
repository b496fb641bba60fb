// The command table the menus, the toolbars and the hot-key check are built from.
#include "core/settings/command_table.h"

#include <gtest/gtest.h>

#include "core/settings/hot_key.h"

namespace zorvel::test {
namespace {

TEST(CommandTable, TheMainWindowsHotKeysHaveOneCarrierWithTheirDefault) {
  for (int i = 0; i < kHotKeyCount; ++i) {
    const auto key = HotKeyCommand(i);
    const CommandEntry* carrier = CommandOfHotKey(key);
    const bool mainWindow = SameHotKeyWindow(key, HotKeyCommand::FindSign);
    ASSERT_EQ(carrier != nullptr, mainWindow) << HotKeyName(key);
    EXPECT_TRUE(!carrier || HotKeyFromText(carrier->Key) == HotKeyFromText(HotKeyDefaultText(key)));
  }
}

}  // namespace
}  // namespace zorvel::test
