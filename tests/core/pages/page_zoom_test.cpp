// The zoom ladder of the page, the scroll that keeps a point in place, and the
// loupe's size.
#include "core/pages/page_zoom.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace zorvel::test {
namespace {

TEST(ZoomSteps, StepFromAnyRatioToTheNearestStepInTheDirection) {
  // Ratio, next, previous: the ends of the ladder stay, a ratio between two
  // steps, below or above the ladder goes to the nearest, none acts as 100 %.
  for (const auto& [ratio, next, previous] :
       {std::tuple(25, 33, 25), {200, 200, 150}, {57, 67, 50}, {10, 25, 10}, {400, 400, 200}, {0, 150, 75}})
    EXPECT_EQ(std::pair(NextZoomStep(ratio), PreviousZoomStep(ratio)), std::pair(next, previous)) << ratio;
  // Up from the bottom visits every step once.
  int ratio = 25;
  std::vector<int> visited{ratio};
  while (NextZoomStep(ratio) != ratio) visited.push_back(ratio = NextZoomStep(ratio));
  EXPECT_EQ(visited, (std::vector<int>{25, 33, 50, 67, 75, 100, 150, 200}));
}

TEST(ZoomSteps, ScrollKeepsThePointUnderTheAnchor) {
  // At 100 % the anchor 300 pixels into a view scrolled to 900 shows page 1200;
  // at 50 % that page pixel is shown at 600, so the view scrolls to 300.
  EXPECT_EQ(ScrollKeepingPoint(900, 300, 100, 50), 300);
  EXPECT_EQ(ScrollKeepingPoint(900, 300, 100, 200), 2100);
  // Stepping down and up again comes back within a pixel of the coarsest
  // scale passed (at 33 %, three page pixels), however often it is done.
  for (int start : {1234, 1235, 1236}) {
    int scroll = start;
    for (int round = 0; round < 5; ++round) {
      for (auto [from, to] : {std::pair{100, 67}, {67, 33}, {33, 67}, {67, 100}})
        scroll = ScrollKeepingPoint(scroll, 250, from, to);
    }
    EXPECT_NEAR(scroll, start, 3) << start;
  }
}

TEST(LoupePlace, ShowsFiveByFiveCharactersWithinAShareOfTheScreen) {
  const WindowBounds screen{0, 0, 1920, 1080};
  EXPECT_EQ(LoupeSize(70, 49, 200, screen), (WindowBounds{0, 0, 700, 490}));
  EXPECT_EQ(LoupeSize(70, 49, 300, screen), (WindowBounds{0, 0, 768, 540})) << "two fifths by a half";
  EXPECT_EQ(LoupeSize(-70, 1 << 30, 100, {0, 0, 100, 100}), (WindowBounds{0, 0, 120, 120}));
}

}  // namespace
}  // namespace zorvel::test
