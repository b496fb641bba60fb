// The options dialog's rule for taking what was typed back into the settings:
// the order of the fields, the stop at a field that is not a whole number, the
// refusal of a scale of 0 or less, and the key fields' substitutes.
#include "core/settings/settings_entry.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/test_support.h"

namespace zorvel::test {
namespace {

TEST(SettingsEntryTest, FieldsShowTheSettingsAndGoBackUnchanged) {
  const Settings original = DistinctSettings();
  const SettingsEntry entry = EntryFromSettings(original);
  Settings target;  // defaults
  EXPECT_TRUE(ApplySettingsEntry(entry, target).Ok());
  EXPECT_EQ(target, original);
}

TEST(SettingsEntryTest, ABadNumberStopsAtItsFieldWithTheEarlierOnesTaken) {
  const Settings old = DistinctSettings();
  SettingsEntry entry = EntryFromSettings(Settings{});  // every field at its default
  entry.Sign1 = "[[";
  entry.Number(EntryField::LineSpace) = "7O";  // a letter O

  Settings s = old;
  // The message names the field and quotes the text.
  EXPECT_EQ(EntryResultMessage(ApplySettingsEntry(entry, s)),
            "行距欄要填入數字 : '7O' is not a valid integer value");
  // The texts and every number before LineSpace are new; LineSpace and everything after it keep their old
  // values.
  Settings rest = old;
  rest.Sign1 = s.Sign1;
  rest.Sign2 = s.Sign2;
  rest.Sign3 = s.Sign3;
  rest.UserString = s.UserString;
  for (int i = 0; i < static_cast<int>(EntryField::LineSpace); ++i)
    EntryFieldValue(rest, EntryField(i)) = EntryFieldValue(s, EntryField(i));
  EXPECT_EQ(s, rest);
}

TEST(SettingsEntryTest, ScalesOutsideOneToAThousandAndNegativeSpacingsAreRefusedByName) {
  const struct {
    EntryField field;
    const char* text;
    EntryResult::Outcome outcome;
    const char* message;
  } cases[] = {
      {EntryField::PictureRatio, "1001", EntryResult::Outcome::RatioTooLarge,
       "錯誤 : 圖形比例不可大於 1000 !"},
      {EntryField::PictureRatio, "0", EntryResult::Outcome::RatioNotPositive, "錯誤 : 圖形比例必須大於 0 !"},
      {EntryField::FieldSpace, "-1", EntryResult::Outcome::SpacingNegative,
       "錯誤 : 每一個欄的距離不可小於 0 !"},
      {EntryField::WordSpace, "-2147483648", EntryResult::Outcome::SpacingNegative,
       "錯誤 : 字距不可小於 0 !"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    SettingsEntry entry = EntryFromSettings(Settings{});
    entry.Number(c.field) = c.text;
    Settings s = DistinctSettings();
    const EntryResult result = ApplySettingsEntry(entry, s);
    EXPECT_EQ(std::pair(result.Result, result.Field), std::pair(c.outcome, c.field));
    EXPECT_EQ(EntryResultMessage(result), c.message);
    EXPECT_EQ(EntryFieldValue(s, c.field), EntryFieldValue(DistinctSettings(), c.field));
  }
}

TEST(SettingsEntryTest, WholeNumbersAreEnteredStrictly) {
  int v = 42;
  for (const char* bad : {"", " ", "5 ", " 5", "1.5", "1e3", "abc", "--1", "+", "-", "2147483648",
                          "-2147483649", "0x", "$", "\xA4\xA4"})
    EXPECT_TRUE(!ParseEnteredInteger(bad, v) && v == 42) << bad;
  const std::pair<const char*, int> good[] = {
      {"-1", -1}, {"+7", 7}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"$1F", 31}, {"0x10", 16}};
  for (auto [text, expected] : good) EXPECT_TRUE(ParseEnteredInteger(text, v) && v == expected) << text;
}

TEST(SettingsEntryTest, KeyFieldsReplaceABareOrShiftedKeyByTheirSubstitute) {
  const int F7 = 0x76;
  const HotKey bare{F7}, shifted{F7, true, false, false}, ctrl{F7, false, true, false};
  const HotKey ctrlShift{F7, true, true, false}, alt{F7, false, false, true};
  const auto Ctrl = HotKeySubstitute::Ctrl, Alone = HotKeySubstitute::Alone;
  // clang-format off
  const struct { HotKey key; HotKeySubstitute with; HotKey result; } cases[] = {
      {bare, Ctrl, ctrl}, {shifted, Ctrl, ctrl}, {shifted, Alone, bare}, {bare, Alone, bare},
      {ctrlShift, Alone, ctrlShift}, {alt, Ctrl, alt}, {HotKey{}, Ctrl, HotKey{}}};
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(SubstituteHotKey(c.key, c.with), c.result) << HotKeyToText(c.key);
}

}  // namespace
}  // namespace zorvel::test
