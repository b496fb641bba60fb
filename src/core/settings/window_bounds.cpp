#include "core/settings/window_bounds.h"

#include <algorithm>

namespace zorvel {

namespace {

// One axis: the start and the length inside [areaStart, areaStart + areaLength).
void FitAxis(int& start, int& length, int areaStart, int areaLength, int minLength) {
  areaLength = std::max(areaLength, 1);
  length = std::clamp(length, std::min(std::max(minLength, 1), areaLength), areaLength);
  // In 64 bits: a start near the integer limit plus a length must not overflow.
  const long long last = static_cast<long long>(areaStart) + areaLength - length;
  start =
      static_cast<int>(std::clamp(static_cast<long long>(start), static_cast<long long>(areaStart), last));
}

}  // namespace

WindowBounds FitWindow(const WindowBounds& bounds, const WindowBounds& area, int minWidth, int minHeight) {
  WindowBounds fitted = bounds;
  FitAxis(fitted.Left, fitted.Width, area.Left, area.Width, minWidth);
  FitAxis(fitted.Top, fitted.Height, area.Top, area.Height, minHeight);
  return fitted;
}

}  // namespace zorvel
