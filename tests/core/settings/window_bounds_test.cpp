// Saved window bounds are fitted into the area that shows them.
#include "core/settings/window_bounds.h"

#include <gtest/gtest.h>

#include <climits>

namespace zorvel {
namespace {

TEST(WindowBounds, SizesThatFitStayAndWindowsOutsideComeBackOnTheArea) {
  const WindowBounds screen{0, 0, 1280, 1000};
  struct Case {
    const char* Name;
    WindowBounds Saved;
    WindowBounds Shown;
  };
  const Case cases[] = {
      {"fits", {40, 30, 900, 700}, {40, 30, 900, 700}},
      {"huge size", {0, 0, INT_MAX, INT_MAX}, {0, 0, 1280, 1000}},
      {"negative size", {10, 20, -5, INT_MIN}, {10, 20, 200, 150}},
      {"off to the right and below", {5000, 99999, 900, 700}, {380, 300, 900, 700}},
      {"off to the left and above", {-3000, INT_MIN, 900, 700}, {0, 0, 900, 700}},
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

}  // namespace
}  // namespace zorvel
