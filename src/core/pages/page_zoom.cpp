#include "core/pages/page_zoom.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/pages/marker_geometry.h"

namespace zorvel {

namespace {

constexpr int kZoomSteps[] = {25, 33, 50, 67, 75, 100, 150, 200};

// Division that rounds toward minus infinity, for positions left of or above
// the centre.
int FloorDiv(long long a, int b) {
  long long q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return static_cast<int>(
      std::clamp<long long>(q, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int Position(int centre, int size, int factor, int at) {
  // The centre pixel's block starts half a block before the middle.
  const long long first = static_cast<long long>(size / 2) - factor / 2;
  return static_cast<int>(std::clamp<long long>(static_cast<long long>(centre) + FloorDiv(at - first, factor),
                                                std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

}  // namespace

std::span<const int> ZoomSteps() {
  return kZoomSteps;
}

int NextZoomStep(int ratio) {
  ratio = EffectivePictureRatio(ratio);
  for (int step : kZoomSteps) {
    if (step > ratio) return step;
  }
  return ratio;
}

int PreviousZoomStep(int ratio) {
  ratio = EffectivePictureRatio(ratio);
  for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it) {
    if (*it < ratio) return *it;
  }
  return ratio;
}

int ScrollKeepingPoint(int scroll, int anchor, int oldRatio, int newRatio) {
  // The page point under the anchor, unrounded, and the nearest shown pixel to
  // it, so that stepping down and up again lands within a pixel of the coarsest
  // scale passed.
  const double page = (static_cast<double>(scroll) + anchor) / static_cast<double>(PictureScale(oldRatio));
  const double shown = std::round(page * static_cast<double>(PictureScale(newRatio))) - anchor;
  return static_cast<int>(std::clamp(shown, static_cast<double>(std::numeric_limits<int>::min()),
                                     static_cast<double>(std::numeric_limits<int>::max())));
}

int LoupePageX(const LoupeView& view, int u) {
  return Position(view.CentreX, view.Width, view.Factor(), u);
}

int LoupePageY(const LoupeView& view, int v) {
  return Position(view.CentreY, view.Height, view.Factor(), v);
}

WindowBounds LoupeSize(int lineSpace, int wordHeight, int zoom, const WindowBounds& screen) {
  constexpr long long kLeast = 120;
  const long long factor = UsableLoupeZoom(zoom) / 100;
  // Calibration values come from a file: a negative or absurd one gives the
  // smallest or the largest loupe, never an overflow.
  const auto side = [&](int cell, int screenSide, int share, int of) {
    const long long most = std::max(kLeast, static_cast<long long>(screenSide) * share / of);
    return static_cast<int>(
        std::clamp(kLoupeCharacters * factor * std::clamp(cell, 0, 100000), kLeast, most));
  };
  return {0, 0, side(lineSpace, screen.Width, 2, 5), side(wordHeight, screen.Height, 1, 2)};
}

}  // namespace zorvel
