#pragma once
// Hot keys as the settings file holds them. A key is a virtual-key code of the
// original platform (8 to 255; 0 means no key) with its modifiers, so that the
// text rule stays the platform's own whatever toolkit shows the menus. The ui
// layer maps these codes to its toolkit's keys.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvel {

struct HotKey {
  int Key = 0;  // virtual-key code, 0 = none
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
  bool IsNone() const { return Key == 0; }
  friend bool operator==(const HotKey&, const HotKey&) = default;
};

// Text to key: modifier prefixes "Shift+", "Ctrl+" or "^", "Alt+" in any order
// and case, then a key name in any case. No match gives no key.
HotKey HotKeyFromText(std::string_view text);
// Key to text: "Shift+", "Ctrl+", "Alt+", then the key's name; empty for no key
// or for a key without a name.
std::string HotKeyToText(const HotKey& key);

// The name of a virtual-key code without modifiers; empty when it has none.
// Besides the names every key of the rule has ("BkSp", "Esc", "A", "F1", ...),
// the keypad keys are "Num 0" to "Num 9", "Num *", "Num +", "Num -", "Num .",
// "Num /", and the punctuation keys of a US layout are named by their
// character (";", "=", ",", "-", ".", "/", "`", "[", "\\", "]", "'"). Every
// name is distinct, so every key written reads back as the same key.
std::string_view KeyCodeName(int code);

// The twelve hot-key commands, in the order of section "HotKey".
enum class HotKeyCommand {
  FindSign,
  ShowWord,
  SelectWord,
  All,
  PreviousPicture,
  NextPicture,
  SelFirstStr,
  SelSecondStr,
  SelThirdStr,
  SelUserStr,
  CancelSel,
  CancelToNext,
};
constexpr int kHotKeyCount = 12;

// The key under which each command is stored, and its default text.
std::string_view HotKeyName(HotKeyCommand command);
std::string_view HotKeyDefaultText(HotKeyCommand command);

// The twelve keys, indexed by HotKeyCommand. The workbench keeps the ones in
// force (KeyBindings) and puts them on the menu items.
using HotKeySet = std::array<HotKey, kHotKeyCount>;

// The command's caption in the options dialog, without the colon.
std::string_view HotKeyCaption(HotKeyCommand command);

// Keys act in the window whose menu carries them: the first six in the main
// window, the last six in the choice window. Two commands of one window with
// the same key leave that key dead (the toolkit cannot tell which is meant), so
// within a window every key belongs to one command. The main window also has
// keys of its own that no setting changes: Ctrl+O, Ctrl+S and Ctrl+F.
bool SameHotKeyWindow(HotKeyCommand a, HotKeyCommand b);

// A key already taken: by which command, and what the operator calls it.
struct HotKeyClash {
  HotKeyCommand Command;     // the command that may not have the key
  std::string_view TakenBy;  // caption of the command that has it
};

// The command whose key another command of its window already has. When a
// pair clashes, the command whose key differs from the key in force is the one
// refused, so that the operator is told about the key just entered; otherwise
// the later one. Empty when every key is free.
std::optional<HotKeyClash> FindHotKeyClash(const HotKeySet& keys, const HotKeySet& inForce);

// "錯誤 : ..." for the options dialog: the key and the command that has it.
std::string HotKeyTakenMessage(const HotKey& key, std::string_view takenBy);

// The hot keys as the settings file gave them: each text is read by the text
// rule; a text that names no key, and a key that an earlier command of the same
// window (or a fixed key of the main window) already has, leave the command
// without a key. Each such case adds one note saying which command, what was
// written and that it has no key now.
struct HotKeyReading {
  HotKeySet Keys{};
  std::vector<std::string> Notes;  // UTF-8
};
HotKeyReading ReadHotKeys(const std::array<std::string, kHotKeyCount>& texts);

}  // namespace zorvel
