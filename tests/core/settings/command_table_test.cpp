// The command table the menus, the toolbars and the hot-key check are built from.
#include "core/settings/command_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zorvel::test {
namespace {

TEST(CommandTable, NamesThatZorvelIniAndTheMenusReferToAreUnique) {
  std::set<std::string_view> names;
  std::set<std::string_view> items;
  for (const CommandEntry& command : Commands()) {
    EXPECT_TRUE(names.insert(command.Name).second) << command.Name;
    if (!command.Item.empty()) {
      EXPECT_TRUE(items.insert(command.Item).second) << command.Item;
    }
    EXPECT_EQ(command.Menu.empty(), command.Item.empty()) << command.Name;
  }
  std::set<std::string_view> buttons;
  for (const ToolButtonEntry& button : ToolButtons()) {
    EXPECT_TRUE(buttons.insert(button.Name).second) << button.Name;
  }
  std::set<std::string_view> menus;
  for (const MenuEntry& menu : Menus()) menus.insert(menu.Name);
  for (const CommandEntry& command : Commands()) {
    if (!command.Menu.empty()) {
      EXPECT_TRUE(menus.count(command.Menu)) << command.Name;
    }
  }
}

TEST(CommandTable, TheMainWindowsHotKeysHaveOneCarrierWithTheirDefault) {
  for (int i = 0; i < kHotKeyCount; ++i) {
    const auto key = HotKeyCommand(i);
    const CommandEntry* carrier = CommandOfHotKey(key);
    const bool mainWindow = SameHotKeyWindow(key, HotKeyCommand::FindSign);
    ASSERT_EQ(carrier != nullptr, mainWindow) << HotKeyName(key);
    if (carrier) {
      EXPECT_EQ(HotKeyFromText(carrier->Key), HotKeyFromText(HotKeyDefaultText(key)));
    }
  }
}

}  // namespace
}  // namespace zorvel::test
