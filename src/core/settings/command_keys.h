#pragma once
// The keys of the main window's commands beyond the twelve hot keys (zoom,
// pan, the loupe, ...). Each command that HasKeySetting keeps its key in
// section "HotKey" under the command's name, by the hot-key text rule:
//
//   [HotKey]
//   ZoomIn=Ctrl+=
//   ToggleLoupe=Ctrl+L
//
// A missing key gives the command table's default; an empty value is a
// command left without a key on purpose. Within the main window a key belongs
// to one command, whether one of the six hot keys, a fixed key or one of these.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/command_table.h"
#include "core/settings/hot_key.h"

namespace zorvel {

class IniFile;
struct IniEntry;

// Indexed by CommandId; only the commands that HasKeySetting count.
using CommandKeySet = std::array<HotKey, kCommandCount>;

// The command table's keys.
CommandKeySet DefaultCommandKeys();

// The keys as zorvel.ini gives them. A text that names no key, or a key that a
// fixed key, one of the main window's six hot keys (as read) or an earlier
// command already has, leaves the command without a key and adds a note, as
// ReadHotKeys does.
struct CommandKeyReading {
  CommandKeySet Keys{};
  std::vector<std::string> Notes;  // UTF-8
};
CommandKeyReading ReadCommandKeys(const IniFile& ini, const HotKeySet& hotKeys);

// The keys in force, held by the workbench and put on the menu items from
// there: the twelve hot keys and the other commands' keys.
struct KeyBindings {
  HotKeySet HotKeys{};
  CommandKeySet CommandKeys{};
  friend bool operator==(const KeyBindings&, const KeyBindings&) = default;
};

// Section "HotKey" for WriteSettingsFile: the twelve hot keys in their order,
// then every command's key in table order, by the hot-key text rule.
void AppendIniEntries(std::vector<IniEntry>& entries, const KeyBindings& keys);

// A key entered in the options dialog that another command of the main window
// has: the field refused (one of the twelve hot keys or a command) and what
// the operator calls the command that has the key. As with FindHotKeyClash,
// the field whose key differs from the key in force is the one refused.
struct CommandKeyClash {
  std::optional<HotKeyCommand> HotKey;  // set: a field of the hot-key page
  CommandId Command = CommandId::OpenFile;
  std::string_view TakenBy;
};
std::optional<CommandKeyClash> FindCommandKeyClash(const HotKeySet& hotKeys, const CommandKeySet& keys,
                                                   const HotKeySet& hotInForce, const CommandKeySet& inForce);

}  // namespace zorvel
