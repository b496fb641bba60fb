#include "core/settings/hot_key.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace zorvel::test {
namespace {

HotKey Key(int code, bool shift = false, bool ctrl = false, bool alt = false) {
  return {code, shift, ctrl, alt};
}

TEST(HotKeyText, ReadsModifiersInAnyOrderAndCaseAndWritesThemInOrder) {
  EXPECT_EQ(HotKeyToText(HotKeyFromText("ctrl+shift+f2")), "Shift+Ctrl+F2");
  EXPECT_EQ(HotKeyToText(HotKeyFromText("ALT+^shift+x")), "Shift+Ctrl+Alt+X");
  EXPECT_EQ(HotKeyFromText("pgdn"), Key(0x22));
  EXPECT_EQ(HotKeyFromText("5"), Key('5')) << "the digit key, not the keypad's";
  EXPECT_EQ(HotKeyFromText("Shift+Num +"), Key(0x6B, true));
  for (const char* text : {"", "Shift+", "^", "F25", "Escape", "Ctrl F", "Ctrl+Q+", " F2", "Ctrl+^"})
    EXPECT_EQ(HotKeyFromText(text), HotKey{}) << '"' << text << '"';
  for (HotKey key : {HotKey{}, Key(0, true, true), Key(0x10, false, true), Key(0x6C), Key(0xFF), Key(0x141)})
    EXPECT_EQ(HotKeyToText(key), "") << key.Key;
}

// Every key written reads back as the same key, with every set of modifiers.
TEST(HotKeyText, EveryKeyWrittenReadsBackAsTheSameKey) {
  for (int code = 8; code <= 255; ++code) {
    if (KeyCodeName(code).empty()) continue;
    for (int mods = 0; mods < 8; ++mods)
      EXPECT_EQ(HotKeyFromText(HotKeyToText(Key(code, mods & 1, mods & 2, mods & 4))),
                Key(code, mods & 1, mods & 2, mods & 4))
          << code << " " << mods;
  }
}

std::array<std::string, kHotKeyCount> DefaultTexts() {
  std::array<std::string, kHotKeyCount> texts;
  for (int i = 0; i < kHotKeyCount; ++i) texts[i] = HotKeyDefaultText(HotKeyCommand(i));
  return texts;
}

// What the settings file wrote, and which commands are left without a key.
TEST(HotKeyReading, UnreadableAndRepeatedKeysAreDroppedAndNoted) {
  using C = HotKeyCommand;
  const struct {
    std::vector<std::pair<HotKeyCommand, std::string>> written;
    std::vector<HotKeyCommand> keyless;
    std::vector<std::string> notes;
  } cases[] = {
      // clang-format off
      {{}, {}, {}},
      {{{C::FindSign, "F1"}}, {C::All}, {"快速鍵 All (以上三者) 設為 \"F1\", 與「尋找差異符號」相同, 現在沒有快速鍵."}},
      {{{C::ShowWord, "F22x"}, {C::CancelSel, "Esc\xA4\x40"}}, {C::ShowWord, C::CancelSel},
       {"快速鍵 ShowWord (秀出圖形位置) 設為 \"F22x\", 無法辨認, 現在沒有快速鍵.",
        "快速鍵 CancelSel (取消選擇) 設為 \"Esc?\", 無法辨認, 現在沒有快速鍵."}},
      // The main window's own keys are taken too.
      {{{C::NextPicture, "ctrl+s"}}, {C::NextPicture},
       {"快速鍵 NextPicture (開啟下一張圖) 設為 \"ctrl+s\", 與「儲存檔案」相同, 現在沒有快速鍵."}},
      // Keys of different windows may be the same; an empty text is no key on purpose.
      {{{C::SelFirstStr, "F2"}, {C::FindSign, ""}}, {C::FindSign}, {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    auto texts = DefaultTexts();
    for (const auto& [command, text] : c.written) texts[int(command)] = text;
    const HotKeyReading reading = ReadHotKeys(texts);
    SCOPED_TRACE(c.notes.empty() ? "" : c.notes[0]);
    EXPECT_EQ(reading.Notes, c.notes);
    for (int i = 0; i < kHotKeyCount; ++i)
      EXPECT_EQ(reading.Keys[i], std::ranges::count(c.keyless, C(i)) ? HotKey{} : HotKeyFromText(texts[i]))
          << i;
  }
}

// The options dialog: the key just entered is refused and the command that has
// it is named.
TEST(HotKeyClashes, TheKeyJustEnteredIsRefusedNamingTheCommandThatHasIt) {
  const HotKeySet inForce = ReadHotKeys(DefaultTexts()).Keys;
  const struct {
    std::vector<std::pair<HotKeyCommand, const char*>> entered;
    std::optional<std::pair<HotKeyCommand, std::string_view>> clash;
  } cases[] = {
      // clang-format off
      {{}, std::nullopt}, {{{HotKeyCommand::FindSign, "F1"}}, std::pair{HotKeyCommand::FindSign, "以上三者"}},
      {{{HotKeyCommand::SelUserStr, "Ctrl+S"}}, std::pair{HotKeyCommand::SelUserStr, "選第二組"}},
      // Swapping two keys is fine; so is a choice key that a main-window command has.
      {{{HotKeyCommand::FindSign, "F1"}, {HotKeyCommand::All, "F2"}}, std::nullopt},
      {{{HotKeyCommand::SelFirstStr, "F1"}, {HotKeyCommand::CancelSel, "Ctrl+O"}}, std::nullopt},
      // Both changed to the same key: the first is refused.
      {{{HotKeyCommand::ShowWord, "F9"}, {HotKeyCommand::NextPicture, "F9"}},
       std::pair{HotKeyCommand::ShowWord, "開啟下一張圖"}},
      // clang-format on
  };
  for (const auto& c : cases) {
    HotKeySet keys = inForce;
    for (const auto& [command, text] : c.entered) keys[int(command)] = HotKeyFromText(text);
    const auto clash = FindHotKeyClash(keys, inForce);
    EXPECT_EQ(clash ? std::optional(std::pair(clash->Command, clash->TakenBy)) : std::nullopt, c.clash);
  }
  EXPECT_EQ(HotKeyTakenMessage(HotKeyFromText("F1"), "以上三者"),
            "錯誤 : 快速鍵 F1 已經是「以上三者」的快速鍵了, 請換一個.");
}

}  // namespace
}  // namespace zorvel::test
