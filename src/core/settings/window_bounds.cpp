#include "core/settings/window_bounds.h"

#include <algorithm>
#include <array>
#include <utility>

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

WindowBounds ShrinkIntoArea(const WindowBounds& bounds, const WindowBounds& area, int minWidth,
                            int minHeight) {
  const auto shrink = [](int start, int& length, int areaStart, int areaLength, int minLength) {
    const long long room = static_cast<long long>(areaStart) + areaLength - start;
    if (room < length) length = static_cast<int>(std::max<long long>(room, std::min(minLength, length)));
  };
  WindowBounds shrunk = bounds;
  shrink(shrunk.Left, shrunk.Width, area.Left, area.Width, minWidth);
  shrink(shrunk.Top, shrunk.Height, area.Top, area.Height, minHeight);
  return FitWindow(shrunk, area, 1, 1);
}

bool Overlap(const WindowBounds& a, const WindowBounds& b) {
  if (a.Width <= 0 || a.Height <= 0 || b.Width <= 0 || b.Height <= 0) return false;
  const auto apart = [](long long start, long long length, long long otherStart, long long otherLength) {
    return start + length <= otherStart || otherStart + otherLength <= start;
  };
  return !apart(a.Left, a.Width, b.Left, b.Width) && !apart(a.Top, a.Height, b.Top, b.Height);
}

WindowBounds PlaceClearOf(const WindowBounds& bounds, const WindowBounds& area,
                          std::span<const WindowBounds> clear) {
  const WindowBounds own = FitWindow(bounds, area, 1, 1);
  const int left = area.Left, top = area.Top;
  const int right = area.Left + area.Width - own.Width;
  const int bottom = area.Top + area.Height - own.Height;
  const int middleX = left + (right - left) / 2, middleY = top + (bottom - top) / 2;
  const std::array<std::pair<int, int>, 9> places{{{own.Left, own.Top},
                                                   {right, top},
                                                   {right, bottom},
                                                   {left, bottom},
                                                   {left, top},
                                                   {middleX, top},
                                                   {middleX, bottom},
                                                   {left, middleY},
                                                   {right, middleY}}};
  for (std::size_t kept = clear.size(); kept > 0; --kept) {
    const std::span<const WindowBounds> important = clear.first(kept);
    for (const auto& [x, y] : places) {
      const WindowBounds at{x, y, own.Width, own.Height};
      if (std::none_of(important.begin(), important.end(),
                       [&at](const WindowBounds& c) { return Overlap(at, c); }))
        return at;
    }
  }
  return own;
}

SideBySideBounds SideBySide(const WindowBounds& area) {
  const int half = area.Width / 2;
  return {{area.Left, area.Top, half - 1, area.Height},
          {area.Left + half - 1, area.Top, half - 1, area.Height}};
}

std::vector<WindowBounds> Rows(const WindowBounds& area, int count) {
  std::vector<WindowBounds> rows;
  // In 64 bits: a tall area times many rows must not overflow.
  const auto edge = [&](int i) { return static_cast<int>(static_cast<long long>(area.Height) * i / count); };
  for (int i = 0; i < count; ++i)
    rows.push_back({area.Left, area.Top + edge(i), area.Width, edge(i + 1) - edge(i)});
  return rows;
}

}  // namespace zorvel
