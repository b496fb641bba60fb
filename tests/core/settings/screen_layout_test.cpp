// Section "Screen": the order of the keys written, and saved window bounds
// fitted into the area that shows them; section "Loupe" as a hand-edited
// file gives it.
#include "core/settings/screen_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/settings/ini_file.h"
#include "core/settings/loupe_settings.h"
#include "core/settings/recent_texts.h"
#include "core/settings/window_bounds.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

TEST(ScreenLayout, WritesEveryKeyInOrderAndReadsThemBack) {
  TempDir dir;
  IniFile out(dir.File("zorvel.ini"));
  ScreenLayout layout;
  layout.Main = {1, 2, 3, 4};
  layout.Text = {5, 6, 7, 8};
  layout.Image = {9, 10, 11, 12};
  ASSERT_EQ(WriteScreenLayout(out, layout), LayoutWrite::Written);
  EXPECT_EQ(ReadFile(dir.File("zorvel.ini")),
            "[Screen]\r\nSaveScreen=1\r\nMainTop=2\r\nMainLeft=1\r\nMainWidth=3\r\nMainHeight=4\r\n"
            "TextTop=6\r\nTextLeft=5\r\nTextWidth=7\r\nTextHeight=8\r\nImageTop=10\r\nImageLeft=9\r\n"
            "ImageWidth=11\r\nImageHeight=12\r\n");
  EXPECT_EQ(ReadScreenLayout(out), layout);
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

TEST(LoupeSettings, ReadsLenientlyAndRoundTrips) {
  TempDir dir;
  const std::string path = dir.File("zorvel.ini");
  IniFile ini(path);
  EXPECT_EQ(ReadLoupeSettings(ini), LoupeSettings{}) << "no file: shown at 200 %";

  // A zoom the loupe does not have, or no number, keeps the default.
  for (const auto& [file, expected] :
       {std::pair("[loupe]\r\nshowloupe=0\r\nloupezoom=300\r\n", LoupeSettings{false, 300}),
        {"[Loupe]\r\nShowLoupe=no\r\nLoupeZoom=250\r\n", {true, 200}}}) {
    WriteFile(path, file);
    EXPECT_EQ(ReadLoupeSettings(ini), expected) << file;
  }

  WriteFile(path, "[Screen]\r\nMainTop=3\r\n");
  ASSERT_TRUE(WriteLoupeSettings(ini, {false, 100}));
  EXPECT_EQ(ReadFile(path), "[Screen]\r\nMainTop=3\r\n[Loupe]\r\nShowLoupe=0\r\nLoupeZoom=100\r\n");
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

TEST(RecentTexts, WrittenAndReadBackBesideTheOtherSections) {
  TempDir dir;
  IniFile ini(dir.File("zorvel.ini"));
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

TEST(RecentTexts, GarbageInTheSectionReadsQuietly) {
  TempDir dir;
  IniFile ini(dir.File("zorvel.ini"));
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
