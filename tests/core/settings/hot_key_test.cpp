#include "core/settings/hot_key.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace zorvel {
namespace {

HotKey Key(int code, bool shift = false, bool ctrl = false, bool alt = false) {
  return HotKey{code, shift, ctrl, alt};
}

TEST(HotKeyText, ReadsModifiersInAnyOrderAndCase) {
  EXPECT_EQ(HotKeyFromText("ctrl+shift+f2"), Key(0x71, true, true));
  EXPECT_EQ(HotKeyToText(HotKeyFromText("ctrl+shift+f2")), "Shift+Ctrl+F2");
  EXPECT_EQ(HotKeyFromText("ALT+^shift+x"), Key('X', true, true, true));
  EXPECT_EQ(HotKeyToText(Key('X', true, true, true)), "Shift+Ctrl+Alt+X");
  EXPECT_EQ(HotKeyFromText("^F"), Key('F', false, true));
  EXPECT_EQ(HotKeyFromText("Ctrl+Ctrl+N"), Key('N', false, true));
  EXPECT_EQ(HotKeyFromText("ESC"), Key(0x1B));
  EXPECT_EQ(HotKeyToText(HotKeyFromText("ESC")), "Esc");
  EXPECT_EQ(HotKeyFromText("pgdn"), Key(0x22));
  EXPECT_EQ(HotKeyFromText("bksp"), Key(0x08));
  EXPECT_EQ(HotKeyFromText("F24"), Key(0x87));
  EXPECT_EQ(HotKeyFromText("Shift+Num +"), Key(0x6B, true));
  EXPECT_EQ(HotKeyFromText("Ctrl+-"), Key(0xBD, false, true));
}

TEST(HotKeyText, TextsThatNameNoKeyGiveNoKey) {
  for (const char* text : {"", "Shift+", "Ctrl+Alt+", "^", "F25", "F0", "Ctrl+FF", "Escape", "Ctrl F", "+",
                           "Ctrl+Q+", "Num 10", " F2", "Shift", "Ctrl+^"}) {
    EXPECT_TRUE(HotKeyFromText(text).IsNone()) << '"' << text << '"';
    EXPECT_EQ(HotKeyFromText(text), HotKey{}) << "no modifiers kept for " << text;
  }
}

TEST(HotKeyText, KeysWithoutANameWriteAnEmptyValue) {
  EXPECT_EQ(HotKeyToText(HotKey{}), "");
  EXPECT_EQ(HotKeyToText(Key(0, true, true)), "");
  EXPECT_EQ(HotKeyToText(Key(0x10, false, true)), "") << "the Shift key itself has no name";
  EXPECT_EQ(HotKeyToText(Key(0x6C)), "") << "the keypad separator has no key on a US layout";
  EXPECT_EQ(HotKeyToText(Key(0xFF)), "");
  EXPECT_EQ(HotKeyToText(Key(256)), "");
  EXPECT_EQ(HotKeyToText(Key(-5)), "");
  EXPECT_EQ(HotKeyToText(Key(0x41 + 256)), "") << "codes are not taken modulo 256";
}

TEST(HotKeyText, NamesOfTheRule) {
  const std::map<int, std::string> expected = {
      {8, "BkSp"},     {9, "Tab"},   {13, "Enter"}, {27, "Esc"},   {32, "Space"},   {33, "PgUp"},
      {34, "PgDn"},    {35, "End"},  {36, "Home"},  {37, "Left"},  {38, "Up"},      {39, "Right"},
      {40, "Down"},    {45, "Ins"},  {46, "Del"},   {0x30, "0"},   {0x39, "9"},     {0x41, "A"},
      {0x5A, "Z"},     {0x70, "F1"}, {0x7B, "F12"}, {0x87, "F24"}, {0x60, "Num 0"}, {0x69, "Num 9"},
      {0x6A, "Num *"}, {0xBA, ";"},  {0xC0, "`"},   {0xDC, "\\"},  {0xDE, "'"},
  };
  for (const auto& [code, name] : expected) EXPECT_EQ(KeyCodeName(code), name) << code;
  // Exactly the codes of the rule and the US layout's other keys have names.
  int named = 0;
  for (int code = 0; code <= 300; ++code) named += KeyCodeName(code).empty() ? 0 : 1;
  EXPECT_EQ(named, 15 + 10 + 26 + 10 + 24 + 5 + 11);
}

// Every key written reads back as the same key, with every modifier set.
TEST(HotKeyText, EveryKeyWrittenReadsBackAsTheSameKey) {
  std::set<std::string> names;
  for (int code = 8; code <= 255; ++code) {
    if (KeyCodeName(code).empty()) continue;
    EXPECT_TRUE(names.insert(std::string(KeyCodeName(code))).second)
        << "name used twice: " << KeyCodeName(code);
    for (int mods = 0; mods < 8; ++mods) {
      HotKey key = Key(code, mods & 1, mods & 2, mods & 4);
      std::string text = HotKeyToText(key);
      ASSERT_FALSE(text.empty()) << code;
      EXPECT_EQ(HotKeyFromText(text), key) << text;
    }
  }
}

TEST(HotKeyText, CommandsAndTheirDefaults) {
  const char* names[] = {"FindSign",        "ShowWord",    "SelectWord",  "All",
                         "PreviousPicture", "NextPicture", "SelFirstStr", "SelSecondStr",
                         "SelThirdStr",     "SelUserStr",  "CancelSel",   "CancelToNext"};
  const char* written[] = {"F2",     "F3",     "F4",     "F1",     "F5",  "F6",
                           "Ctrl+F", "Ctrl+S", "Ctrl+T", "Ctrl+U", "Esc", "Ctrl+N"};
  for (int i = 0; i < kHotKeyCount; ++i) {
    auto command = static_cast<HotKeyCommand>(i);
    EXPECT_EQ(HotKeyName(command), names[i]);
    HotKey key = HotKeyFromText(HotKeyDefaultText(command));
    EXPECT_FALSE(key.IsNone()) << names[i];
    EXPECT_EQ(HotKeyToText(key), written[i]);
  }
  EXPECT_EQ(HotKeyDefaultText(HotKeyCommand::CancelSel), "ESC");
}

}  // namespace
}  // namespace zorvel
