#include "core/settings/hot_key.h"

#include <gtest/gtest.h>

#include <set>

namespace zorvel {
namespace {

HotKey Key(int code, bool shift = false, bool ctrl = false, bool alt = false) {
  return {code, shift, ctrl, alt};
}

TEST(HotKeyText, ReadsModifiersInAnyOrderAndCaseAndWritesThemInOrder) {
  EXPECT_EQ(HotKeyFromText("ctrl+shift+f2"), Key(0x71, true, true));
  EXPECT_EQ(HotKeyToText(Key(0x71, true, true)), "Shift+Ctrl+F2");
  EXPECT_EQ(HotKeyFromText("ALT+^shift+x"), Key('X', true, true, true));
  EXPECT_EQ(HotKeyToText(Key('X', true, true, true)), "Shift+Ctrl+Alt+X");
  EXPECT_EQ(HotKeyToText(HotKeyFromText("ESC")), "Esc");
  EXPECT_EQ(HotKeyFromText("pgdn"), Key(0x22));
  EXPECT_EQ(HotKeyFromText("5"), Key('5')) << "the digit key, not the keypad's";
  EXPECT_EQ(HotKeyFromText("Shift+Num +"), Key(0x6B, true));
}

TEST(HotKeyText, NoNameNoKey) {
  for (const char* text : {"", "Shift+", "^", "F25", "Escape", "Ctrl F", "Ctrl+Q+", " F2", "Ctrl+^"}) {
    EXPECT_EQ(HotKeyFromText(text), HotKey{}) << '"' << text << '"';
  }
  for (HotKey key :
       {HotKey{}, Key(0, true, true), Key(0x10, false, true), Key(0x6C), Key(0xFF), Key(0x141)}) {
    EXPECT_EQ(HotKeyToText(key), "") << key.Key;
  }
}

// Every key written reads back as the same key, with every set of modifiers,
// and the named keys are exactly those of the rule and a US layout.
TEST(HotKeyText, EveryKeyWrittenReadsBackAsTheSameKey) {
  std::set<std::string_view> names;
  for (int code = 8; code <= 255; ++code) {
    if (KeyCodeName(code).empty()) continue;
    names.insert(KeyCodeName(code));
    for (int mods = 0; mods < 8; ++mods) {
      HotKey key = Key(code, mods & 1, mods & 2, mods & 4);
      EXPECT_EQ(HotKeyFromText(HotKeyToText(key)), key) << HotKeyToText(key);
    }
  }
  EXPECT_EQ(names.size(), 15u + 10 + 26 + 10 + 24 + 5 + 11);
  for (auto [code, name] :
       {std::pair{8, "BkSp"}, {27, "Esc"}, {46, "Del"}, {0x87, "F24"}, {0x65, "Num 5"}, {0xDC, "\\"}}) {
    EXPECT_EQ(KeyCodeName(code), name);
  }
}

}  // namespace
}  // namespace zorvel
