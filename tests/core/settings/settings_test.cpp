#include "core/settings/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>

#include "core/settings/ini_file.h"
#include "core/settings/settings_entry.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

// Settings whose every number differs from every other and from its default,
// and whose texts and switches differ from theirs, so that a value taken into
// or written from the wrong member shows.
Settings Distinct() {
  Settings s;
  for (int i = 0; i < kEntryFieldCount; ++i) EntryFieldValue(s, EntryField(i)) = 1000 + i;
  s.PictureRatio = 999;  // the largest scale is 1000
  s.Sign1 = "<<";
  s.Sign2 = "\xA1\x40";
  s.Sign3 = ">>";
  s.UserString = "\xB3\x5C";  // Big5 whose second byte is a backslash
  s.PictureFileNameFormat = "X:<V>\\<P>.tif";
  s.IgnoreShift = false;
  s.AutoSetRightTop = false;
  s.CoverRightTop = true;
  s.ShowWay = 1;
  return s;
}

HotKeySet DefaultHotKeys() {
  HotKeySet keys;
  for (int i = 0; i < kHotKeyCount; ++i)
    keys[i] = HotKeyFromText(HotKeyDefaultText(static_cast<HotKeyCommand>(i)));
  return keys;
}

const Settings kUnusual = Distinct();

TEST(LoadSettings, WithoutAFileEverythingIsTheDefault) {
  TempDir dir;
  Settings settings = kUnusual;
  HotKeySet keys{};
  LoadSettings(IniFile(dir.File("zorvel.ini")), settings, keys);
  EXPECT_EQ(settings, Settings{});
  EXPECT_EQ(keys, DefaultHotKeys());
}

// Numbers are read as ParseProfileInt reads them (ini_file_test): here, the
// values that are not plain numbers and the keys.
TEST(LoadSettings, ReadsLenientlyAndSavesBackInTheRulesForm) {
  TempDir dir;
  WriteFile(dir.File("zorvel.ini"),
            "[picture]\r\nLineSpace=abc\r\nIgnoreShift=2\r\nPictureRatio=-50\r\n"
            "[HotKey]\r\nFindSign=ctrl+shift+f2\r\nCancelSel=\r\nAll=Ctrl+Banana\r\n");
  IniFile ini(dir.File("zorvel.ini"));
  Settings settings;
  HotKeySet keys{};
  LoadSettings(ini, settings, keys);
  EXPECT_EQ(settings.LineSpace, 70);
  EXPECT_EQ(settings.PictureRatio, -50) << "no range checks";
  EXPECT_TRUE(keys[int(HotKeyCommand::All)].IsNone());

  ScriptedPrompts prompts;
  ASSERT_TRUE(SaveSettings(ini, settings, keys, prompts));
  EXPECT_EQ(ini.ReadString("Picture", "IgnoreShift", ""), "1");
  EXPECT_EQ(ini.ReadString("HotKey", "FindSign", ""), "Shift+Ctrl+F2");
}

TEST(SaveSettings, EverySettingRoundTripsAndOtherSectionsStay) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  WriteFile(path, "; kept\r\n[Screen]\r\nMainTop=5\r\n");
  IniFile ini(path);
  HotKeySet keys = DefaultHotKeys();
  keys[int(HotKeyCommand::NextPicture)] = HotKey{0x65, false, false, true};
  keys[int(HotKeyCommand::SelUserStr)] = HotKey{};
  ScriptedPrompts prompts;
  ASSERT_TRUE(SaveSettings(ini, kUnusual, keys, prompts));
  Settings loaded;
  HotKeySet loadedKeys{};
  LoadSettings(ini, loaded, loadedKeys);
  EXPECT_EQ(loaded, kUnusual);
  EXPECT_EQ(loadedKeys, keys);
  EXPECT_EQ(ReadFile(path).rfind("; kept\r\n[Screen]\r\nMainTop=5\r\n[CheckSign]\r\nSign1=<<\r\n", 0), 0u);
}

TEST(SaveSettings, FailuresWarnAndLeaveNoHalfWrittenSet) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  WriteFile(path, "[CheckSign]\r\nSign1=[[\r\n");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  IniFile ini(path);
  ScriptedPrompts prompts;
  EXPECT_FALSE(SaveSettings(ini, kUnusual, DefaultHotKeys(), prompts));
  EXPECT_EQ(prompts.Shown, std::vector<std::string>{"警告 : zorvel.ini 無法寫入!"});
  EXPECT_EQ(ReadFile(path), "[CheckSign]\r\nSign1=[[\r\n");

  // The test write passes, a later one fails: the error names the file and
  // none of the later values is written.
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);
  Settings broken;
  broken.VolStart = 9;
  broken.UserString = "two\r\nlines";
  ScriptedPrompts later;
  EXPECT_FALSE(SaveSettings(ini, broken, DefaultHotKeys(), later));
  EXPECT_EQ(later.Shown, std::vector<std::string>{"Unable to write to " + path});
  EXPECT_EQ(ReadFile(path), "[CheckSign]\r\nSign1={{\r\n");
}

// The options dialog's rule for taking what was typed back into the settings:
// the order of the fields, the stop at a field that is not a whole number, the
// refusal of a scale of 0 or less, and the key fields' substitutes.
TEST(SettingsEntryTest, FieldsShowTheSettingsAndGoBackUnchanged) {
  const Settings original = Distinct();
  const SettingsEntry entry = EntryFromSettings(original);
  Settings target;  // defaults
  EXPECT_TRUE(ApplySettingsEntry(entry, target).Ok());
  EXPECT_EQ(target, original);
}

TEST(SettingsEntryTest, ABadNumberStopsAtItsFieldWithTheEarlierOnesTaken) {
  const Settings old = Distinct();
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
    Settings s = Distinct();
    const EntryResult result = ApplySettingsEntry(entry, s);
    EXPECT_EQ(std::pair(result.Result, result.Field), std::pair(c.outcome, c.field));
    EXPECT_EQ(EntryResultMessage(result), c.message);
    EXPECT_EQ(EntryFieldValue(s, c.field), EntryFieldValue(Distinct(), c.field));
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
