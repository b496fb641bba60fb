#include "core/settings/command_keys.h"

#include "core/settings/ini_file.h"

namespace zorvel {

namespace {

constexpr std::string_view kHotKeySection = "HotKey";

// One key of the main window: a fixed key has no field and is never the one
// refused.
struct KeySlot {
  std::optional<HotKeyCommand> HotKey;
  CommandId Command = CommandId::OpenFile;
  std::string_view Caption;
  zorvel::HotKey Key;
  bool Changed = false;
  bool Fixed = false;
};

std::vector<KeySlot> MainWindowSlots(const HotKeySet& hotKeys, const CommandKeySet& keys,
                                     const HotKeySet& hotInForce, const CommandKeySet& inForce) {
  std::vector<KeySlot> slots;
  for (const CommandEntry& command : Commands()) {
    const auto at = static_cast<std::size_t>(command.Id);
    if (command.FixedKey) {
      slots.push_back({std::nullopt, command.Id, PlainCaption(command.Caption), HotKeyFromText(command.Key),
                       false, true});
    } else if (command.HotKey) {
      const auto hot = static_cast<std::size_t>(*command.HotKey);
      slots.push_back({command.HotKey, command.Id, HotKeyCaption(*command.HotKey), hotKeys[hot],
                       hotKeys[hot] != hotInForce[hot]});
    } else if (HasKeySetting(command)) {
      slots.push_back(
          {std::nullopt, command.Id, PlainCaption(command.Caption), keys[at], keys[at] != inForce[at]});
    }
  }
  return slots;
}

// The slot among those admitted that has slot i's key.
template <typename Admit>
const KeySlot* TakenBy(const std::vector<KeySlot>& slots, std::size_t i, Admit admit) {
  if (slots[i].Key.IsNone()) return nullptr;
  for (std::size_t j = 0; j < slots.size(); ++j) {
    if (j != i && admit(j) && slots[j].Key == slots[i].Key) return &slots[j];
  }
  return nullptr;
}

}  // namespace

CommandKeySet DefaultCommandKeys() {
  CommandKeySet keys{};
  for (const CommandEntry& command : Commands()) {
    if (HasKeySetting(command)) keys[static_cast<std::size_t>(command.Id)] = HotKeyFromText(command.Key);
  }
  return keys;
}

CommandKeyReading ReadCommandKeys(const IniFile& ini, const HotKeySet& hotKeys) {
  CommandKeyReading reading;
  // Read in table order, so that an earlier key wins, as with the hot keys.
  std::vector<KeySlot> taken = MainWindowSlots(hotKeys, {}, hotKeys, {});
  std::erase_if(taken, [](const KeySlot& slot) { return !slot.Fixed && !slot.HotKey; });
  for (const CommandEntry& command : Commands()) {
    if (!HasKeySetting(command)) continue;
    const std::string text = ini.ReadString(kHotKeySection, command.Name, command.Key);
    const std::string name =
        std::string(command.Name) + " (" + std::string(PlainCaption(command.Caption)) + ")";
    HotKey key = HotKeyFromText(text);
    if (!text.empty() && key.IsNone()) {
      // Key names are ASCII; anything else is shown as "?".
      std::string shown;
      for (const char c : text) shown += (c >= 0x20 && c < 0x7F) ? c : '?';
      reading.Notes.push_back("快速鍵 " + name + " 設為 \"" + shown + "\", 無法辨認, 現在沒有快速鍵.");
    }
    taken.push_back({std::nullopt, command.Id, PlainCaption(command.Caption), key});
    const std::size_t last = taken.size() - 1;
    if (const KeySlot* by = TakenBy(taken, last, [last](std::size_t j) { return j < last; })) {
      reading.Notes.push_back("快速鍵 " + name + " 設為 \"" + text + "\", 與「" + std::string(by->Caption) +
                              "」相同, 現在沒有快速鍵.");
      key = HotKey{};
      taken[last].Key = key;
    }
    reading.Keys[static_cast<std::size_t>(command.Id)] = key;
  }
  return reading;
}

void AppendIniEntries(std::vector<IniEntry>& entries, const KeyBindings& keys) {
  const std::string section(kHotKeySection);
  for (int i = 0; i < kHotKeyCount; ++i) {
    entries.push_back({section, std::string(HotKeyName(HotKeyCommand(i))),
                       HotKeyToText(keys.HotKeys[static_cast<std::size_t>(i)])});
  }
  for (const CommandEntry& command : Commands()) {
    if (!HasKeySetting(command)) continue;
    entries.push_back({section, std::string(command.Name),
                       HotKeyToText(keys.CommandKeys[static_cast<std::size_t>(command.Id)])});
  }
}

std::optional<CommandKeyClash> FindCommandKeyClash(const HotKeySet& hotKeys, const CommandKeySet& keys,
                                                   const HotKeySet& hotInForce,
                                                   const CommandKeySet& inForce) {
  const std::vector<KeySlot> slots = MainWindowSlots(hotKeys, keys, hotInForce, inForce);
  auto clash = [](const KeySlot& refused, const KeySlot& by) {
    return CommandKeyClash{refused.HotKey, refused.Command, by.Caption};
  };
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (!slots[i].Changed) continue;
    // Named after a command that keeps its key, if one of them has it.
    const KeySlot* by = TakenBy(slots, i, [&slots](std::size_t j) { return !slots[j].Changed; });
    if (!by) by = TakenBy(slots, i, [](std::size_t) { return true; });
    if (by) return clash(slots[i], *by);
  }
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i].Fixed) continue;
    auto earlierOrFixed = [&slots, i](std::size_t j) { return j < i || slots[j].Fixed; };
    if (const KeySlot* by = TakenBy(slots, i, earlierOrFixed)) return clash(slots[i], *by);
  }
  return std::nullopt;
}

}  // namespace zorvel
