#include "core/settings/hot_key.h"

#include <algorithm>

#include "core/settings/command_table.h"

namespace zorvel {

namespace {

char FoldAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

bool StripPrefix(std::string_view& text, std::string_view prefix) {
  if (text.size() < prefix.size() || !SameText(text.substr(0, prefix.size()), prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

constexpr int kFirstCode = 8;
constexpr int kLastCode = 255;

// Names of the keys that have one, by virtual-key code. Digits, letters and the
// function keys are computed in KeyCodeName.
struct NamedKey {
  int Code;
  std::string_view Name;
};
constexpr NamedKey kNamedKeys[] = {
    {0x08, "BkSp"},
    {0x09, "Tab"},
    {0x0D, "Enter"},
    {0x1B, "Esc"},
    {0x20, "Space"},
    {0x21, "PgUp"},
    {0x22, "PgDn"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "Left"},
    {0x26, "Up"},
    {0x27, "Right"},
    {0x28, "Down"},
    {0x2D, "Ins"},
    {0x2E, "Del"},
    // Keypad digits and operators. The digits get names of their own: written
    // as the bare digit they would read back as the digit key of the main rows.
    {0x60, "Num 0"},
    {0x61, "Num 1"},
    {0x62, "Num 2"},
    {0x63, "Num 3"},
    {0x64, "Num 4"},
    {0x65, "Num 5"},
    {0x66, "Num 6"},
    {0x67, "Num 7"},
    {0x68, "Num 8"},
    {0x69, "Num 9"},
    {0x6A, "Num *"},
    {0x6B, "Num +"},
    {0x6D, "Num -"},
    {0x6E, "Num ."},
    {0x6F, "Num /"},
    // Punctuation keys of a US layout.
    {0xBA, ";"},
    {0xBB, "="},
    {0xBC, ","},
    {0xBD, "-"},
    {0xBE, "."},
    {0xBF, "/"},
    {0xC0, "`"},
    {0xDB, "["},
    {0xDC, "\\"},
    {0xDD, "]"},
    {0xDE, "'"},
};

constexpr std::string_view kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr std::string_view kLetters[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                         "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
constexpr std::string_view kFunctionKeys[] = {"F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",
                                              "F9",  "F10", "F11", "F12", "F13", "F14", "F15", "F16",
                                              "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};

struct CommandKey {
  std::string_view Name;
  std::string_view Default;
  std::string_view Caption;
};
constexpr CommandKey kCommandKeys[kHotKeyCount] = {
    {"FindSign", "F2", "尋找差異符號"},        {"ShowWord", "F3", "秀出圖形位置"},
    {"SelectWord", "F4", "選擇正確字串"},      {"All", "F1", "以上三者"},
    {"PreviousPicture", "F5", "開啟上一張圖"}, {"NextPicture", "F6", "開啟下一張圖"},
    {"SelFirstStr", "Ctrl+F", "選第一組"},     {"SelSecondStr", "Ctrl+S", "選第二組"},
    {"SelThirdStr", "Ctrl+T", "選第三組"},     {"SelUserStr", "Ctrl+U", "選自訂字串"},
    {"CancelSel", "ESC", "取消選擇"},          {"CancelToNext", "Ctrl+N", "取消並選下組"},
};

constexpr int kMainWindowCommands = 6;

// Who else has command i's key in keys: a fixed key of the main window or
// another command of the same window, among the commands `others` admits.
template <typename Admit>
std::optional<std::string_view> TakenBy(const HotKeySet& keys, int i, Admit others) {
  const HotKey& key = keys[static_cast<std::size_t>(i)];
  if (key.IsNone()) return std::nullopt;
  if (i < kMainWindowCommands) {
    // The main window's keys that no setting changes.
    for (const CommandEntry& command : Commands()) {
      if (!command.FixedKey) continue;
      if (HotKeyFromText(command.Key) == key) return PlainCaption(command.Caption);
    }
  }
  for (int j = 0; j < kHotKeyCount; ++j) {
    if (j == i || !others(j) || !SameHotKeyWindow(HotKeyCommand(i), HotKeyCommand(j))) continue;
    if (keys[static_cast<std::size_t>(j)] == key) return kCommandKeys[j].Caption;
  }
  return std::nullopt;
}

}  // namespace

std::string_view KeyCodeName(int code) {
  if (code >= 0x30 && code <= 0x39) return kDigits[code - 0x30];
  if (code >= 0x41 && code <= 0x5A) return kLetters[code - 0x41];
  if (code >= 0x70 && code <= 0x87) return kFunctionKeys[code - 0x70];
  for (const NamedKey& key : kNamedKeys) {
    if (key.Code == code) return key.Name;
  }
  return {};
}

HotKey HotKeyFromText(std::string_view text) {
  HotKey key;
  for (;;) {
    if (StripPrefix(text, "Shift+")) {
      key.Shift = true;
    } else if (StripPrefix(text, "Ctrl+") || StripPrefix(text, "^")) {
      key.Ctrl = true;
    } else if (StripPrefix(text, "Alt+")) {
      key.Alt = true;
    } else {
      break;
    }
  }
  if (text.empty()) return {};
  // The first code whose name matches wins.
  for (int code = kFirstCode; code <= kLastCode; ++code) {
    std::string_view name = KeyCodeName(code);
    if (!name.empty() && SameText(name, text)) {
      key.Key = code;
      return key;
    }
  }
  return {};
}

std::string HotKeyToText(const HotKey& key) {
  if (key.Key < kFirstCode || key.Key > kLastCode) return {};
  std::string_view name = KeyCodeName(key.Key);
  if (name.empty()) return {};
  std::string text;
  if (key.Shift) text += "Shift+";
  if (key.Ctrl) text += "Ctrl+";
  if (key.Alt) text += "Alt+";
  text += name;
  return text;
}

std::string_view HotKeyName(HotKeyCommand command) {
  return kCommandKeys[static_cast<int>(command)].Name;
}

std::string_view HotKeyDefaultText(HotKeyCommand command) {
  return kCommandKeys[static_cast<int>(command)].Default;
}

std::string_view HotKeyCaption(HotKeyCommand command) {
  return kCommandKeys[static_cast<int>(command)].Caption;
}

bool SameHotKeyWindow(HotKeyCommand a, HotKeyCommand b) {
  return (static_cast<int>(a) < kMainWindowCommands) == (static_cast<int>(b) < kMainWindowCommands);
}

std::optional<HotKeyClash> FindHotKeyClash(const HotKeySet& keys, const HotKeySet& inForce) {
  auto unchanged = [&](int j) {
    return keys[static_cast<std::size_t>(j)] == inForce[static_cast<std::size_t>(j)];
  };
  for (int i = 0; i < kHotKeyCount; ++i) {
    if (unchanged(i)) continue;
    // Named after a command that keeps its key, if one of them has it.
    auto by = TakenBy(keys, i, unchanged);
    if (!by) by = TakenBy(keys, i, [](int) { return true; });
    if (by) return HotKeyClash{HotKeyCommand(i), *by};
  }
  for (int i = 0; i < kHotKeyCount; ++i) {
    if (auto by = TakenBy(keys, i, [i](int j) { return j < i; })) return HotKeyClash{HotKeyCommand(i), *by};
  }
  return std::nullopt;
}

std::string HotKeyTakenMessage(const HotKey& key, std::string_view takenBy) {
  return "錯誤 : 快速鍵 " + HotKeyToText(key) + " 已經是「" + std::string(takenBy) +
         "」的快速鍵了, 請換一個.";
}

HotKeyReading ReadHotKeys(const std::array<std::string, kHotKeyCount>& texts) {
  HotKeyReading reading;
  for (int i = 0; i < kHotKeyCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const std::string& text = texts[at];
    // The text as the note shows it: key names are ASCII, and any other
    // character (a Big5 pair counts as one) is shown as "?".
    std::string shown;
    for (std::size_t k = 0; k < text.size(); ++k) {
      const auto c = static_cast<unsigned char>(text[k]);
      if (c >= 0x81 && k + 1 < text.size()) ++k;
      shown += (c >= 0x20 && c < 0x7F) ? text[k] : '?';
    }
    const std::string command =
        std::string(kCommandKeys[i].Name) + " (" + std::string(kCommandKeys[i].Caption) + ")";
    reading.Keys[at] = HotKeyFromText(text);
    // An empty text is a command left without a key on purpose.
    if (!text.empty() && reading.Keys[at].IsNone()) {
      reading.Notes.push_back("快速鍵 " + command + " 設為 \"" + shown + "\", 無法辨認, 現在沒有快速鍵.");
      continue;
    }
    if (auto by = TakenBy(reading.Keys, i, [i](int j) { return j < i; })) {
      reading.Notes.push_back("快速鍵 " + command + " 設為 \"" + shown + "\", 與「" + std::string(*by) +
                              "」相同, 現在沒有快速鍵.");
      reading.Keys[at] = HotKey{};
    }
  }
  return reading;
}

}  // namespace zorvel
