#include "core/settings/hot_key.h"

#include <algorithm>

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
};
constexpr CommandKey kCommandKeys[kHotKeyCount] = {
    {"FindSign", "F2"},        {"ShowWord", "F3"},
    {"SelectWord", "F4"},      {"All", "F1"},
    {"PreviousPicture", "F5"}, {"NextPicture", "F6"},
    {"SelFirstStr", "Ctrl+F"}, {"SelSecondStr", "Ctrl+S"},
    {"SelThirdStr", "Ctrl+T"}, {"SelUserStr", "Ctrl+U"},
    {"CancelSel", "ESC"},      {"CancelToNext", "Ctrl+N"},
};

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

}  // namespace zorvel
