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
      EXPECT_EQ(HotKeyFromShortcut(shortcut), key) << HotKeyToText(key);
      // Menus and the options dialog go through the shortcut's text form.
      EXPECT_EQ(HotKeyFromShortcut(QKeySequence(shortcut.toString())), key) << HotKeyToText(key);
    }
  }
  // Letters, digits, keypad digits, function keys and the named keys at least.
  EXPECT_GE(named, 8 * (26 + 10 + 10 + 24 + 15));
}

TEST(HotKeyQt, SettingsTextsKeypadAndShiftedKeysMapToTheirShortcuts) {
  EXPECT_EQ(HotKeyToShortcut(HotKeyFromText("ctrl+shift+f2")),
            QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F2));
  EXPECT_EQ(HotKeyToShortcut(HotKeyFromText("ESC")), QKeySequence(Qt::Key_Escape));
  EXPECT_TRUE(HotKeyToShortcut(HotKeyFromText("")).isEmpty());
  EXPECT_TRUE(HotKeyToShortcut(HotKey{0x07}).isEmpty());
  EXPECT_TRUE(HotKeyFromShortcut(QKeySequence(Qt::CTRL | Qt::Key_Eacute)).IsNone());
  // The keypad's five and minus keep their own codes.
  const QKeySequence keypadFive = HotKeyToShortcut(HotKey{0x65});
  EXPECT_TRUE(keypadFive[0].keyboardModifiers().testFlag(Qt::KeypadModifier));
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Minus, true), 0x6D);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Minus, false), 0xBD);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Enter, true), 0x0D);
  // What a key capture field records for Shift+; Shift+Ctrl+1 and Shift+8.
  EXPECT_EQ(HotKeyFromShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Colon)), (HotKey{0xBA, true, false, false}));
  EXPECT_EQ(HotKeyFromShortcut(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_Exclam)),
            (HotKey{0x31, true, true, false}));
  EXPECT_EQ(HotKeyFromShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Asterisk)),
            (HotKey{0x38, true, false, false}));
  EXPECT_EQ(HotKeyFromShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Backtab)),
            (HotKey{0x09, true, false, false}));
}

}  // namespace
}  // namespace zorvel
