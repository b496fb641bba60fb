#include "core/settings/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <vector>

#include "core/pages/page_zoom.h"
#include "core/settings/ini_file.h"
#include "core/settings/loupe_settings.h"
#include "core/settings/recent_texts.h"
#include "core/settings/screen_layout.h"
#include "core/settings/settings_entry.h"
#include "core/settings/settings_file.h"
#include "core/settings/window_bounds.h"
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

TEST_F(SettingsFile, WithoutAFileEverySettingIsTheDefault) {
  Settings settings = kUnusual;
  HotKeySet keys{};
  LoadSettings(ini, settings, keys);
  EXPECT_EQ(settings, Settings{});
  EXPECT_EQ(keys, DefaultHotKeys());
}

// Numbers are read as ParseProfileInt reads them (ini_file_test): here, the
// values that are not plain numbers and the keys.
TEST_F(SettingsFile, ReadsLenientlyAndSavesBackInTheRulesForm) {
  WriteFile(path,
            "[picture]\r\nLineSpace=abc\r\nIgnoreShift=2\r\nPictureRatio=-50\r\n"
            "[HotKey]\r\nFindSign=ctrl+shift+f2\r\nCancelSel=\r\nAll=Ctrl+Banana\r\n");
  Settings settings;
  HotKeySet keys{};
  LoadSettings(ini, settings, keys);
  EXPECT_EQ(settings.LineSpace, 70);
  EXPECT_EQ(settings.PictureRatio, -50) << "no range checks";
  EXPECT_TRUE(keys[int(HotKeyCommand::All)].IsNone());

  ScriptedPrompts prompts;
  ASSERT_TRUE(SaveSettings(ini, settings, KeyBindings{keys}, prompts));
  EXPECT_EQ(ini.ReadString("Picture", "IgnoreShift", ""), "1");
  EXPECT_EQ(ini.ReadString("HotKey", "FindSign", ""), "Shift+Ctrl+F2");
}

TEST_F(SettingsFile, EverySettingRoundTripsAndOtherSectionsStay) {
  WriteFile(path, "; kept\r\n[Screen]\r\nMainTop=5\r\n");
  KeyBindings keys{DefaultHotKeys(), DefaultCommandKeys()};
  keys.HotKeys[int(HotKeyCommand::NextPicture)] = HotKey{0x65, false, false, true};
  keys.HotKeys[int(HotKeyCommand::SelUserStr)] = HotKey{};
  keys.CommandKeys[int(CommandId::ZoomIn)] = HotKey{0x70, false, true, false};
  ScriptedPrompts prompts;
  ASSERT_TRUE(SaveSettings(ini, kUnusual, keys, prompts));
  Settings loaded;
  KeyBindings loadedKeys;
  LoadSettings(ini, loaded, loadedKeys);
  EXPECT_EQ(loaded, kUnusual);
  EXPECT_EQ(loadedKeys, keys);
  EXPECT_EQ(ReadFile(path).rfind("; kept\r\n[Screen]\r\nMainTop=5\r\n[CheckSign]\r\nSign1=<<\r\n", 0), 0u);
}

TEST_F(SettingsFile, FailuresWarnAndLeaveNoHalfWrittenSet) {
  WriteFile(path, "[CheckSign]\r\nSign1=[[\r\n");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ScriptedPrompts prompts;
  EXPECT_FALSE(SaveSettings(ini, kUnusual, {DefaultHotKeys()}, prompts));
  EXPECT_EQ(prompts.Shown, std::vector<std::string>{"警告 : zorvel.ini 無法寫入!"});
  EXPECT_EQ(ReadFile(path), "[CheckSign]\r\nSign1=[[\r\n");

  // The file can be written, the write fails: the error names the file and
  // none of the values is written.
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);
  Settings broken;
  broken.VolStart = 9;
  broken.UserString = "two\r\nlines";
  ScriptedPrompts later;
  EXPECT_FALSE(SaveSettings(ini, broken, {DefaultHotKeys()}, later));
  EXPECT_EQ(later.Shown, std::vector<std::string>{"Unable to write to " + path});
  EXPECT_EQ(ReadFile(path), "[CheckSign]\r\nSign1=[[\r\n");
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

// Section "Screen": the order of the keys written, and saved window bounds
// fitted into the area that shows them; section "Loupe" as a hand-edited
// file gives it.
TEST_F(SettingsFile, ScreenKeysAreWrittenInOrderAndReadBack) {
  ScreenLayout layout;
  layout.Main = {1, 2, 3, 4};
  layout.Text = {5, 6, 7, 8};
  layout.Image = {9, 10, 11, 12};
  ASSERT_EQ(WriteSettingsFile(ini, {.Screen = layout}), IniWrite::Written);
  EXPECT_EQ(ReadFile(path),
            "[Screen]\r\nSaveScreen=1\r\nMainTop=2\r\nMainLeft=1\r\nMainWidth=3\r\nMainHeight=4\r\n"
            "TextTop=6\r\nTextLeft=5\r\nTextWidth=7\r\nTextHeight=8\r\nImageTop=10\r\nImageLeft=9\r\n"
            "ImageWidth=11\r\nImageHeight=12\r\n");
  EXPECT_EQ(ReadScreenLayout(ini), layout);
}

// Every part in one rewrite: the sections of a new file in their order, a
// toolbar's keys as its section holds them, and the bookmarks kept.
TEST_F(SettingsFile, EveryPartGoesIntoOneWriteAndOtherSectionsStay) {
  WriteFile(path, "; mine\r\n[BookMark]\r\nCount=0\r\n");
  const std::vector<ToolbarSection> bars{{"tbMain"}, {"tbBigOne", false, "nil", 2, 30, -5, 7, 95, 40}};
  ASSERT_EQ(WriteSettingsFile(
                ini, {Settings{}, KeyBindings{}, ScreenLayout{}, RecentTexts{}, LoupeSettings{}, bars}),
            IniWrite::Written);
  EXPECT_EQ(ini.SectionNames(),
            (std::vector<std::string>{"BookMark", "CheckSign", "LineHead", "Picture", "RightTop", "HotKey",
                                      "Screen", "Recent", "Loupe", "tbMain", "tbBigOne"}));
  const std::string text = ReadFile(path);
  EXPECT_EQ(text.rfind("; mine\r\n[BookMark]\r\nCount=0\r\n[CheckSign]\r\n", 0), 0u);
  EXPECT_NE(text.find("[tbBigOne]\r\nVisible=0\r\nDockedTo=nil\r\nDockRow=2\r\nDockPos=30\r\nFloatLeft=-5\r\n"
                      "FloatTop=7\r\nFloatRight=95\r\nFloatBottom=40\r\nFloatRightX=95\r\n"),
            std::string::npos);
}

TEST(WindowBounds, SizesThatFitStayAndWindowsOutsideComeBackOnTheArea) {
  const WindowBounds screen{0, 0, 1280, 1000};
  const struct {
    const char* Name;
    WindowBounds Saved, Shown;
  } cases[] = {
      {"huge size", {0, 0, INT_MAX, INT_MAX}, {0, 0, 1280, 1000}},
      {"negative size", {10, 20, -5, INT_MIN}, {10, 20, 200, 150}},
      {"off to the right and below", {5000, 99999, 900, 700}, {380, 300, 900, 700}},
      {"start near the limit", {INT_MAX, INT_MAX, 300, 200}, {980, 800, 300, 200}},
      {"sticks out a little", {1000, 900, 400, 300}, {880, 700, 400, 300}},
  };
  for (const auto& c : cases) EXPECT_EQ(FitWindow(c.Saved, screen, 200, 150), c.Shown) << c.Name;
  // An area that does not start at 0 (a second screen, a panel on the left).
  EXPECT_EQ(FitWindow({0, 0, 500, 400}, {1280, 40, 1024, 728}, 200, 150), (WindowBounds{1280, 40, 500, 400}));
  // A minimum larger than the area gives the area.
  EXPECT_EQ(FitWindow({0, 0, 10, 10}, {0, 0, 120, 90}, 200, 150), (WindowBounds{0, 0, 120, 90}));
}

TEST_F(SettingsFile, LoupeSettingsReadLenientlyAndRoundTrip) {
  EXPECT_EQ(ReadLoupeSettings(ini), LoupeSettings{}) << "no file: shown at 200 %";

  // A zoom the loupe does not have, or no number, keeps the default; a place
  // needs both numbers.
  for (const auto& [file, expected] :
       {std::pair(
            "[loupe]\r\nshowloupe=0\r\nloupezoom=300\r\nloupefloating=0\r\nloupeleft=-5\r\nloupetop=7\r\n",
            LoupeSettings{false, 300, false, true, -5, 7}),
        {"[Loupe]\r\nShowLoupe=no\r\nLoupeZoom=250\r\nLoupeLeft=-1\r\nLoupeTop=x\r\n", {true, 200}}}) {
    WriteFile(path, file);
    EXPECT_EQ(ReadLoupeSettings(ini), expected) << file;
  }

  WriteFile(path, "[Screen]\r\nMainTop=3\r\n");
  ASSERT_EQ(WriteSettingsFile(ini, {.Loupe = LoupeSettings{false, 100}}), IniWrite::Written);
  EXPECT_EQ(ReadFile(path),
            "[Screen]\r\nMainTop=3\r\n[Loupe]\r\nShowLoupe=0\r\nLoupeZoom=100\r\nLoupeFloating=1\r\n");
  const LoupeSettings placed{true, 300, true, true, -1, 40};
  ASSERT_EQ(WriteSettingsFile(ini, {.Loupe = placed}), IniWrite::Written);
  EXPECT_EQ(ReadLoupeSettings(ini), placed);
}

TEST(LoupePlace, ShowsFiveByFiveCharactersWithinAShareOfTheScreen) {
  const WindowBounds screen{0, 0, 1920, 1080};
  EXPECT_EQ(LoupeSize(70, 49, 200, screen), (WindowBounds{0, 0, 700, 490}));
  EXPECT_EQ(LoupeSize(70, 49, 300, screen), (WindowBounds{0, 0, 768, 540})) << "two fifths by a half";
  EXPECT_EQ(LoupeSize(-70, 1 << 30, 100, {0, 0, 100, 100}), (WindowBounds{0, 0, 120, 120}));
}

TEST(LoupePlace, MovesOnlyWhenItCoversSomethingAndGivesUpTheLeastImportantFirst) {
  const WindowBounds screen{0, 0, 1000, 800}, loupe{600, 0, 400, 300}, choice{270, 290, 330, 100};
  for (const auto& [clear, placed] :
       std::initializer_list<std::pair<std::vector<WindowBounds>, WindowBounds>>{
           {{choice, {0, 0, 10, 10}}, loupe},                     // covers nothing: stays
           {{choice, {900, 100, 17, 17}}, {600, 500, 400, 300}},  // marker under it: bottom right
           {{choice, {650, 100, 1, 1}, {650, 600, 1, 1}}, {0, 500, 400, 300}},
           // Nowhere clear of all three: the marker, last, is let go.
           {{choice, {0, 0, 1000, 1}, {0, 799, 1000, 1}, {700, 400, 1, 1}}, {600, 250, 400, 300}},
           {{{0, 0, 1000, 800}}, loupe},  // nowhere at all: stays
       }) {
    EXPECT_EQ(PlaceClearOf(loupe, screen, clear), placed);
  }
  EXPECT_EQ(PlaceClearOf({900, -50, 400, 300}, screen, {}), (WindowBounds{600, 0, 400, 300}))
      << "back on screen";
}

TEST(WindowBounds, ASmallerAreaTakesWidthBeforeItMovesAWindow) {
  const WindowBounds area{0, 0, 930, 700};
  EXPECT_EQ(ShrinkIntoArea({620, 0, 760, 720}, area, 100, 60), (WindowBounds{620, 0, 310, 700}));
  EXPECT_EQ(ShrinkIntoArea({0, 0, 620, 720}, area, 100, 60), (WindowBounds{0, 0, 620, 700}));
  EXPECT_EQ(ShrinkIntoArea({900, 10, 300, 100}, area, 100, 60), (WindowBounds{830, 10, 100, 100}));
}

// The last text, the cursor in it and the recent texts, in zorvel.ini.
TEST(RecentTexts, TheListKeepsEightMostRecentFirstWithoutRepeats) {
  RecentTexts recent;
  for (int i = 1; i <= 10; ++i) NoteRecentText(recent, "/t/" + std::to_string(i) + ".txt");
  NoteRecentText(recent, "/t/./5.txt");  // the same file, named otherwise, moves up
  NoteRecentText(recent, "");
  EXPECT_EQ(recent.Files, (std::vector<std::string>{"/t/./5.txt", "/t/10.txt", "/t/9.txt", "/t/8.txt",
                                                    "/t/7.txt", "/t/6.txt", "/t/4.txt", "/t/3.txt"}));
}

TEST_F(SettingsFile, RecentTextsAreWrittenAndReadBackBesideTheOtherSections) {
  WriteFile(ini.Path(), "[Screen]\r\nMainTop=5\r\n");

  RecentTexts recent;
  for (int i = 1; i <= 8; ++i) NoteRecentText(recent, dir.File("T0" + std::to_string(i) + "n0001.txt"));
  NoteLastPosition(recent, recent.Files[0], 4242);
  ASSERT_TRUE(WriteRecentTexts(ini, recent));
  EXPECT_EQ(ReadRecentTexts(ini), recent);
  EXPECT_EQ(ini.ReadInteger("Screen", "MainTop", 0), 5);

  // A shorter list leaves no old entries behind; a path the file cannot hold
  // is left out rather than refusing the rest.
  RecentTexts shorter;
  NoteRecentText(shorter, "/a/one.txt");
  NoteRecentText(shorter, "/a/bad\nname.txt");
  ASSERT_TRUE(WriteRecentTexts(ini, shorter));
  EXPECT_EQ(ReadRecentTexts(ini).Files, std::vector<std::string>{"/a/one.txt"});
}

TEST_F(SettingsFile, GarbageInTheRecentTextsReadsQuietly) {
  const struct {
    const char* Section;
    RecentTexts Expected;
  } cases[] = {
      // clang-format off
      {"LastText=/a.txt\r\nLastPosition=-5\r\n", {"/a.txt", 0, {}}}, {"LastPosition=12\r\n", {"", 0, {}}},
      {"File1=/a.txt\r\nFile2=\r\nFile3=/b.txt\r\nFile4=/a.txt\r\nFile5=//b.txt\r\nFile9=/c.txt\r\n",
       {"", 0, {"/a.txt", "/b.txt"}}},
      {"File1\r\n=/x\r\nLastText\r\n", {"", 0, {}}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Section);
    WriteFile(ini.Path(), std::string("[Recent]\r\n") + c.Section);
    EXPECT_EQ(ReadRecentTexts(ini), c.Expected);
  }
}

}  // namespace
}  // namespace zorvel::test
