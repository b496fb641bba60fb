#pragma once
// Window bounds read from section "Screen" are numbers from a file: a window
// is shown only where it can be seen and reached.

#include <span>
#include <vector>

namespace zorvel {

struct WindowBounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  friend bool operator==(const WindowBounds&, const WindowBounds&) = default;
};

// Fits bounds into area. A size that fits is kept; a larger one shrinks to the
// area's, a smaller one than the minimum grows to it (never beyond the area).
// Then a window that sticks out is moved just far enough to lie inside the
// area, so that a window that fits keeps its place.
WindowBounds FitWindow(const WindowBounds& bounds, const WindowBounds& area, int minWidth, int minHeight);

// Keeps a window in an area that has become smaller: one that sticks out past
// its right or bottom edge first gives up width or height, down to the
// minimum, and only then moves; so that windows side by side stay side by
// side. A window that fits is kept as it is.
WindowBounds ShrinkIntoArea(const WindowBounds& bounds, const WindowBounds& area, int minWidth,
                            int minHeight);

// Whether two bounds share a pixel; an empty one shares none.
bool Overlap(const WindowBounds& a, const WindowBounds& b);

// Where a window that should leave the places in `clear` uncovered goes: its
// own place, fitted into area, when it covers none of them; else the first of
// the corners of area (from the top right round by the bottom) and then the
// middles of its sides where it covers none. When no place leaves them all
// uncovered, the last of `clear` (the least important) is let go, and so on;
// with none left, the window stays. A window is moved only when it has to be,
// so that one the operator put somewhere stays there.
WindowBounds PlaceClearOf(const WindowBounds& bounds, const WindowBounds& area,
                          std::span<const WindowBounds> clear);

// The two proof windows side by side in area (half = area width / 2): the
// image window at the left, the text window at half - 1, each half - 1 wide
// and as tall as the area.
struct SideBySideBounds {
  WindowBounds Image;
  WindowBounds Text;
  friend bool operator==(const SideBySideBounds&, const SideBySideBounds&) = default;
};
SideBySideBounds SideBySide(const WindowBounds& area);

// count windows stacked from the top of area down, each as wide as the area:
// row i runs from height x i / count to height x (i + 1) / count. None for a
// count of 0 or less.
std::vector<WindowBounds> Rows(const WindowBounds& area, int count);

}  // namespace zorvel
