// Hot keys between the settings file's virtual-key codes and Qt's shortcuts.
#include <gtest/gtest.h>

#include <QKeySequence>
#include <map>
#include <string>

#include "core/settings/hot_key.h"
#include "ui/shell/hot_key_qt.h"

namespace zorvel {
namespace {

// The shortcut of every key the settings can name is the key Qt itself calls by
// that name (Qt's text of the shortcut is the settings text, but for Qt's few
// names of its own), and maps back to the same key with any modifiers, also
// through the text form that menus and the options dialog use.
TEST(HotKeyQt, EveryNamedKeyIsTheQtKeyOfThatNameAndMapsBack) {
  const std::map<std::string, std::string> qtNames = {
      {"BkSp", "Backspace"}, {"Enter", "Return"}, {"PgDn", "PgDown"}};
  int named = 0;
  for (int code = 8; code <= 255; ++code) {
    const std::string text = HotKeyToText(HotKey{code});
    if (text.empty()) continue;
    ++named;
    std::string expected = text;
    if (const auto own = qtNames.find(text); own != qtNames.end()) expected = own->second;
    if (expected.rfind("Num ", 0) == 0) expected = "Num+" + expected.substr(4);
    EXPECT_EQ(HotKeyToShortcut(HotKey{code}).toString(QKeySequence::PortableText).toStdString(), expected)
        << "code " << code;
    for (int modifiers = 0; modifiers < 8; ++modifiers) {
      const HotKey key{code, (modifiers & 1) != 0, (modifiers & 2) != 0, (modifiers & 4) != 0};
      const QKeySequence shortcut = HotKeyToShortcut(key);
      EXPECT_EQ(HotKeyFromShortcut(shortcut), key) << HotKeyToText(key);
      EXPECT_EQ(HotKeyFromShortcut(QKeySequence(shortcut.toString())), key) << HotKeyToText(key);
    }
  }
  EXPECT_EQ(named, 10 + 26 + 24 + 15 + 15 + 11);
  // The modifiers, in Qt's order.
  EXPECT_EQ(HotKeyToShortcut(HotKeyFromText("Shift+Ctrl+Alt+PgDn")).toString(QKeySequence::PortableText),
            "Ctrl+Alt+Shift+PgDown");
}

TEST(HotKeyQt, SettingsTextsKeypadAndShiftedKeysMapToTheirShortcuts) {
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
