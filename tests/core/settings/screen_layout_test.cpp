// Section "Screen": the order of the keys written, and saved window bounds
// fitted into the area that shows them; section "Loupe" as a hand-edited
// file gives it.
#include "core/settings/screen_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "core/pages/page_zoom.h"
#include "core/settings/loupe_settings.h"
#include "core/settings/window_bounds.h"
#include "support/test_support.h"

namespace zorvel {
namespace {

using test::TempDir;

TEST(ScreenLayout, WritesEveryKeyInOrderAndReadsThemBack) {
  TempDir dir;
  IniFile out(dir.File("zorvel.ini"));
  ScreenLayout layout;
  layout.Main = {1, 2, 3, 4};
  layout.Text = {5, 6, 7, 8};
  layout.Image = {9, 10, 11, 12};
  ASSERT_EQ(WriteScreenLayout(out, layout), LayoutWrite::Written);
  EXPECT_EQ(test::ReadFile(dir.File("zorvel.ini")),
            "[Screen]\r\nSaveScreen=1\r\nMainTop=2\r\nMainLeft=1\r\nMainWidth=3\r\nMainHeight=4\r\n"
            "TextTop=6\r\nTextLeft=5\r\nTextWidth=7\r\nTextHeight=8\r\nImageTop=10\r\nImageLeft=9\r\n"
            "ImageWidth=11\r\nImageHeight=12\r\n");
  EXPECT_EQ(ReadScreenLayout(out), layout);
}

TEST(WindowBounds, SizesThatFitStayAndWindowsOutsideComeBackOnTheArea) {
  const WindowBounds screen{0, 0, 1280, 1000};
  struct Case {
    const char* Name;
    WindowBounds Saved;
    WindowBounds Shown;
  };
  const Case cases[] = {
      {"huge size", {0, 0, INT_MAX, INT_MAX}, {0, 0, 1280, 1000}},
      {"negative size", {10, 20, -5, INT_MIN}, {10, 20, 200, 150}},
      {"off to the right and below", {5000, 99999, 900, 700}, {380, 300, 900, 700}},
      {"start near the limit", {INT_MAX, INT_MAX, 300, 200}, {980, 800, 300, 200}},
      {"sticks out a little", {1000, 900, 400, 300}, {880, 700, 400, 300}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(FitWindow(c.Saved, screen, 200, 150), c.Shown);
  }
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

  struct Case {
    const char* file;
    LoupeSettings expected;
  };
  for (const Case& c : {
           Case{
               "[loupe]\r\nshowloupe=0\r\nloupezoom=300\r\nloupefloating=0\r\nloupeleft=-5\r\nloupetop=7\r\n",
               {false, 300, false, true, -5, 7}},
           // A zoom the loupe does not have, or no number, keeps the default;
           // a place needs both numbers.
           Case{"[Loupe]\r\nShowLoupe=no\r\nLoupeZoom=250\r\nLoupeLeft=-1\r\nLoupeTop=x\r\n", {true, 200}},
       }) {
    test::WriteFile(path, c.file);
    EXPECT_EQ(ReadLoupeSettings(ini), c.expected) << c.file;
  }

  test::WriteFile(path, "[Screen]\r\nMainTop=3\r\n");
  ASSERT_TRUE(WriteLoupeSettings(ini, {false, 100}));
  EXPECT_EQ(test::ReadFile(path),
            "[Screen]\r\nMainTop=3\r\n[Loupe]\r\nShowLoupe=0\r\nLoupeZoom=100\r\nLoupeFloating=1\r\n");
  const LoupeSettings placed{true, 300, true, true, -1, 40};
  ASSERT_TRUE(WriteLoupeSettings(ini, placed));
  EXPECT_EQ(ReadLoupeSettings(ini), placed);
}

TEST(LoupePlace, ShowsFiveByFiveCharactersWithinAShareOfTheScreen) {
  const WindowBounds screen{0, 0, 1920, 1080};
  EXPECT_EQ(LoupeSize(70, 49, 200, screen), (WindowBounds{0, 0, 700, 490}));
  EXPECT_EQ(LoupeSize(70, 49, 300, screen), (WindowBounds{0, 0, 768, 540})) << "two fifths by a half";
  EXPECT_EQ(LoupeSize(-70, 1 << 30, 100, {0, 0, 100, 100}), (WindowBounds{0, 0, 120, 120}));
}

TEST(LoupePlace, MovesOnlyWhenItCoversSomethingAndGivesUpTheLeastImportantFirst) {
  const WindowBounds screen{0, 0, 1000, 800};
  const WindowBounds loupe{600, 0, 400, 300};
  const WindowBounds choice{270, 290, 330, 100};
  struct Case {
    std::vector<WindowBounds> clear;
    WindowBounds placed;
  };
  for (const Case& c : {
           Case{{choice, {0, 0, 10, 10}}, loupe},                     // covers nothing: stays
           Case{{choice, {900, 100, 17, 17}}, {600, 500, 400, 300}},  // marker under it: bottom right
           Case{{choice, {650, 100, 1, 1}, {650, 600, 1, 1}}, {0, 500, 400, 300}},
           // Nowhere clear of all three: the marker, last, is let go.
           Case{{choice, {0, 0, 1000, 1}, {0, 799, 1000, 1}, {700, 400, 1, 1}}, {600, 250, 400, 300}},
           Case{{{0, 0, 1000, 800}}, loupe},  // nowhere at all: stays
       }) {
    EXPECT_EQ(PlaceClearOf(loupe, screen, c.clear), c.placed);
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

}  // namespace
}  // namespace zorvel
