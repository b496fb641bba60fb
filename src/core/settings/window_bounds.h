#pragma once
// Window bounds read from section "Screen" are numbers from a file: a window
// is shown only where it can be seen and reached.

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

}  // namespace zorvel
