// Saved window bounds fitted into the area that shows them, a smaller area,
// the loupe kept clear of what the operator looks at, and the tiling.
#include "core/settings/window_bounds.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace zorvel::test {
namespace {

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

// The two proof windows side by side, and the windows in rows: one pixel
// narrower than half each, and rows that share the height to the last pixel.
TEST(WindowBounds, SideBySideAndRowsShareTheArea) {
  EXPECT_EQ(SideBySide({10, 20, 801, 500}), (SideBySideBounds{{10, 20, 399, 500}, {409, 20, 399, 500}}));
  EXPECT_EQ(Rows({5, 7, 640, 10}, 3),
            (std::vector<WindowBounds>{{5, 7, 640, 3}, {5, 10, 640, 3}, {5, 13, 640, 4}}));
  EXPECT_TRUE(Rows({0, 0, 640, 480}, 0).empty());
  EXPECT_EQ(Rows({0, 0, 10, INT_MAX}, 2)[1], (WindowBounds{0, INT_MAX / 2, 10, INT_MAX - INT_MAX / 2}));
}

}  // namespace
}  // namespace zorvel::test
