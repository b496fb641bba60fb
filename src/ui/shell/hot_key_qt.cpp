#include "ui/shell/hot_key_qt.h"

#include <array>

namespace zorvel {
namespace {

struct KeyPair {
  int VirtualKey;
  Qt::Key Key;
  bool Keypad;
};

// Every virtual-key code that has a Qt key, in code order. Digits, letters,
// keypad digits and function keys follow in ranges below.
constexpr KeyPair kNamedKeys[] = {
    {0x08, Qt::Key_Backspace, false},
    {0x09, Qt::Key_Tab, false},
    {0x0C, Qt::Key_Clear, false},
    {0x0D, Qt::Key_Return, false},
    {0x13, Qt::Key_Pause, false},
    {0x14, Qt::Key_CapsLock, false},
    {0x1B, Qt::Key_Escape, false},
    {0x20, Qt::Key_Space, false},
    {0x21, Qt::Key_PageUp, false},
    {0x22, Qt::Key_PageDown, false},
    {0x23, Qt::Key_End, false},
    {0x24, Qt::Key_Home, false},
    {0x25, Qt::Key_Left, false},
    {0x26, Qt::Key_Up, false},
    {0x27, Qt::Key_Right, false},
    {0x28, Qt::Key_Down, false},
    {0x29, Qt::Key_Select, false},
    {0x2A, Qt::Key_Printer, false},
    {0x2B, Qt::Key_Execute, false},
    {0x2C, Qt::Key_Print, false},
    {0x2D, Qt::Key_Insert, false},
    {0x2E, Qt::Key_Delete, false},
    {0x2F, Qt::Key_Help, false},
    {0x5D, Qt::Key_Menu, false},
    {0x5F, Qt::Key_Sleep, false},
    {0x6A, Qt::Key_Asterisk, true},
    {0x6B, Qt::Key_Plus, true},
    {0x6D, Qt::Key_Minus, true},
    {0x6E, Qt::Key_Period, true},
    {0x6F, Qt::Key_Slash, true},
    {0x90, Qt::Key_NumLock, false},
    {0x91, Qt::Key_ScrollLock, false},
    {0xA6, Qt::Key_Back, false},
    {0xA7, Qt::Key_Forward, false},
    {0xA8, Qt::Key_Refresh, false},
    {0xA9, Qt::Key_Stop, false},
    {0xAA, Qt::Key_Search, false},
    {0xAB, Qt::Key_Favorites, false},
    {0xAC, Qt::Key_HomePage, false},
    {0xAD, Qt::Key_VolumeMute, false},
    {0xAE, Qt::Key_VolumeDown, false},
    {0xAF, Qt::Key_VolumeUp, false},
    {0xB0, Qt::Key_MediaNext, false},
    {0xB1, Qt::Key_MediaPrevious, false},
    {0xB2, Qt::Key_MediaStop, false},
    {0xB3, Qt::Key_MediaTogglePlayPause, false},
    {0xB4, Qt::Key_LaunchMail, false},
    {0xB5, Qt::Key_LaunchMedia, false},
    {0xB6, Qt::Key_Launch0, false},
    {0xB7, Qt::Key_Launch1, false},
    // The punctuation keys of a US keyboard.
    {0xBA, Qt::Key_Semicolon, false},
    {0xBB, Qt::Key_Equal, false},
    {0xBC, Qt::Key_Comma, false},
    {0xBD, Qt::Key_Minus, false},
    {0xBE, Qt::Key_Period, false},
    {0xBF, Qt::Key_Slash, false},
    {0xC0, Qt::Key_QuoteLeft, false},
    {0xDB, Qt::Key_BracketLeft, false},
    {0xDC, Qt::Key_Backslash, false},
    {0xDD, Qt::Key_BracketRight, false},
    {0xDE, Qt::Key_Apostrophe, false},
};

// Keys that Qt reports for a shifted key of a US keyboard, mapped back to the
// unshifted key; the shift itself stays among the modifiers.
struct ShiftedPair {
  Qt::Key Key;
  int VirtualKey;
};
constexpr ShiftedPair kShiftedKeys[] = {
    {Qt::Key_Exclam, 0x31},     {Qt::Key_At, 0x32},         {Qt::Key_NumberSign, 0x33},
    {Qt::Key_Dollar, 0x34},     {Qt::Key_Percent, 0x35},    {Qt::Key_AsciiCircum, 0x36},
    {Qt::Key_Ampersand, 0x37},  {Qt::Key_Asterisk, 0x38},   {Qt::Key_ParenLeft, 0x39},
    {Qt::Key_ParenRight, 0x30}, {Qt::Key_Colon, 0xBA},      {Qt::Key_Plus, 0xBB},
    {Qt::Key_Less, 0xBC},       {Qt::Key_Underscore, 0xBD}, {Qt::Key_Greater, 0xBE},
    {Qt::Key_Question, 0xBF},   {Qt::Key_AsciiTilde, 0xC0}, {Qt::Key_BraceLeft, 0xDB},
    {Qt::Key_Bar, 0xDC},        {Qt::Key_BraceRight, 0xDD}, {Qt::Key_QuoteDbl, 0xDE},
};

}  // namespace

Qt::Key QtKeyFromVirtualKey(int virtualKey, bool* keypad) {
  if (keypad) *keypad = false;
  if (virtualKey >= 0x30 && virtualKey <= 0x39) return Qt::Key(Qt::Key_0 + (virtualKey - 0x30));
  if (virtualKey >= 0x41 && virtualKey <= 0x5A) return Qt::Key(Qt::Key_A + (virtualKey - 0x41));
  if (virtualKey >= 0x60 && virtualKey <= 0x69) {
    if (keypad) *keypad = true;
    return Qt::Key(Qt::Key_0 + (virtualKey - 0x60));
  }
  if (virtualKey >= 0x70 && virtualKey <= 0x87) return Qt::Key(Qt::Key_F1 + (virtualKey - 0x70));
  for (const KeyPair& pair : kNamedKeys) {
    if (pair.VirtualKey == virtualKey) {
      if (keypad) *keypad = pair.Keypad;
      return pair.Key;
    }
  }
  return Qt::Key_unknown;
}

int VirtualKeyFromQtKey(Qt::Key key, bool keypad) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return (keypad ? 0x60 : 0x30) + (key - Qt::Key_0);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 0x41 + (key - Qt::Key_A);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 0x70 + (key - Qt::Key_F1);
  if (key == Qt::Key_Enter) return 0x0D;  // the keypad's Enter
  if (key == Qt::Key_Backtab) return 0x09;
  // A keypad key first, so that the keypad's operators keep their own codes.
  for (const KeyPair& pair : kNamedKeys) {
    if (pair.Key == key && pair.Keypad == keypad) return pair.VirtualKey;
  }
  // Keypad keys that are also on the main keyboard (Home, Del, ...).
  if (keypad) {
    for (const KeyPair& pair : kNamedKeys) {
      if (pair.Key == key) return pair.VirtualKey;
    }
  }
  for (const ShiftedPair& pair : kShiftedKeys) {
    if (pair.Key == key) return pair.VirtualKey;
  }
  return 0;
}

QKeySequence HotKeyToShortcut(const HotKey& key) {
  if (key.IsNone()) return {};
  bool keypad = false;
  const Qt::Key qtKey = QtKeyFromVirtualKey(key.Key, &keypad);
  if (qtKey == Qt::Key_unknown) return {};
  Qt::KeyboardModifiers modifiers;
  if (key.Shift) modifiers |= Qt::ShiftModifier;
  if (key.Ctrl) modifiers |= Qt::ControlModifier;
  if (key.Alt) modifiers |= Qt::AltModifier;
  if (keypad) modifiers |= Qt::KeypadModifier;
  return QKeySequence(QKeyCombination(modifiers, qtKey));
}

HotKey HotKeyFromShortcut(const QKeySequence& shortcut) {
  HotKey result;
  if (shortcut.isEmpty()) return result;
  const QKeyCombination combination = shortcut[0];
  const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
  const int virtualKey = VirtualKeyFromQtKey(combination.key(), modifiers.testFlag(Qt::KeypadModifier));
  if (virtualKey == 0) return result;
  result.Key = virtualKey;
  result.Shift = modifiers.testFlag(Qt::ShiftModifier) || combination.key() == Qt::Key_Backtab;
  result.Ctrl = modifiers.testFlag(Qt::ControlModifier);
  result.Alt = modifiers.testFlag(Qt::AltModifier);
  return result;
}

}  // namespace zorvel
