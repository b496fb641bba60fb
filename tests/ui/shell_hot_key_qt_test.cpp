// Hot keys between the settings file's virtual-key codes and Qt's shortcuts.
#include <gtest/gtest.h>

#include <QKeySequence>

#include "core/settings/hot_key.h"
#include "ui/hot_key_qt.h"

namespace zorvel {
namespace {

TEST(HotKeyQt, EveryKeyTheTextRuleNamesHasAShortcutThatMapsBack) {
  int named = 0;
  for (int code = 8; code <= 255; ++code) {
    for (int modifiers = 0; modifiers < 8; ++modifiers) {
      HotKey key{code, (modifiers & 1) != 0, (modifiers & 2) != 0, (modifiers & 4) != 0};
      if (HotKeyToText(key).empty()) continue;
      ++named;
      const QKeySequence shortcut = HotKeyToShortcut(key);
      ASSERT_FALSE(shortcut.isEmpty()) << HotKeyToText(key);
      EXPECT_EQ(HotKeyFromShortcut(shortcut), key) << HotKeyToText(key);
      // The shortcut's own text form reads back as the same shortcut, so menus
      // and the options dialog agree on it.
      EXPECT_EQ(HotKeyFromShortcut(QKeySequence(shortcut.toString())), key) << HotKeyToText(key);
    }
  }
  // Letters, digits, keypad digits, function keys and the named keys at least.
  EXPECT_GE(named, 8 * (26 + 10 + 10 + 24 + 15));
}

TEST(HotKeyQt, TextsOfTheSettingsFileBecomeTheExpectedShortcuts) {
  EXPECT_EQ(HotKeyToShortcut(HotKeyFromText("F2")), QKeySequence(Qt::Key_F2));
  EXPECT_EQ(HotKeyToShortcut(HotKeyFromText("ESC")), QKeySequence(Qt::Key_Escape));
  EXPECT_EQ(HotKeyToShortcut(HotKeyFromText("Ctrl+F")), QKeySequence(Qt::CTRL | Qt::Key_F));
  EXPECT_EQ(HotKeyToShortcut(HotKeyFromText("ctrl+shift+f2")),
            QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F2));
  EXPECT_EQ(HotKeyToShortcut(HotKeyFromText("^N")), QKeySequence(Qt::CTRL | Qt::Key_N));
  EXPECT_EQ(HotKeyToShortcut(HotKeyFromText("Alt+BkSp")), QKeySequence(Qt::ALT | Qt::Key_Backspace));
  EXPECT_EQ(HotKeyToShortcut(HotKeyFromText("PgDn")), QKeySequence(Qt::Key_PageDown));
  EXPECT_EQ(HotKeyToShortcut(HotKeyFromText("F24")), QKeySequence(Qt::Key_F24));
  EXPECT_TRUE(HotKeyToShortcut(HotKeyFromText("")).isEmpty());
  EXPECT_TRUE(HotKeyToShortcut(HotKeyFromText("NoSuchKey")).isEmpty());
}

TEST(HotKeyQt, KeypadKeysKeepTheirOwnCodes) {
  const HotKey keypadFive{0x65};
  const QKeySequence shortcut = HotKeyToShortcut(keypadFive);
  EXPECT_EQ(shortcut[0].key(), Qt::Key_5);
  EXPECT_TRUE(shortcut[0].keyboardModifiers().testFlag(Qt::KeypadModifier));
  EXPECT_EQ(HotKeyFromShortcut(shortcut), keypadFive);
  // The keypad's operators are not the main keyboard's minus and slash.
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Minus, true), 0x6D);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Minus, false), 0xBD);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Asterisk, true), 0x6A);
  // The keypad's Enter and Home are the keys of the same name.
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Enter, true), 0x0D);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Home, true), 0x24);
}

TEST(HotKeyQt, ShortcutsCapturedFromShiftedKeysMapToTheirKeysWithShift) {
  // What a key capture field records for Shift+; and Shift+1 on a US keyboard.
  EXPECT_EQ(HotKeyFromShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Colon)), (HotKey{0xBA, true, false, false}));
  EXPECT_EQ(HotKeyFromShortcut(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_Exclam)),
            (HotKey{0x31, true, true, false}));
  // The main keyboard's asterisk is Shift+8, not the keypad's.
  EXPECT_EQ(HotKeyFromShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Asterisk)),
            (HotKey{0x38, true, false, false}));
  EXPECT_EQ(HotKeyFromShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Backtab)),
            (HotKey{0x09, true, false, false}));
}

TEST(HotKeyQt, ShortcutsWithoutAKeyCodeGiveNoKey) {
  EXPECT_TRUE(HotKeyFromShortcut(QKeySequence()).IsNone());
  EXPECT_TRUE(HotKeyFromShortcut(QKeySequence(Qt::CTRL | Qt::Key_Eacute)).IsNone());
  EXPECT_TRUE(HotKeyToShortcut(HotKey{0x07}).isEmpty());
  EXPECT_TRUE(HotKeyToShortcut(HotKey{}).isEmpty());
}

}  // namespace
}  // namespace zorvel
