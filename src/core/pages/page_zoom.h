#pragma once
// Stepping the scale of the page, and the loupe that shows the character under
// the marker at full size or larger.
//
// The zoom commands step PictureRatio through a fixed ladder of percentages;
// from a ratio between two steps they go to the nearer step in their direction.
// The loupe enlarges the full-size page by a whole factor, so each page pixel
// becomes a square block of screen pixels and no stroke is blurred or lost.

#include <span>

#include "core/settings/loupe_settings.h"
#include "core/settings/window_bounds.h"

namespace zorvel {

// The percentages the zoom commands step through, smallest first.
std::span<const int> ZoomSteps();

// The first step above ratio, or ratio itself when it is at or above the last
// step. A ratio of 0 or less counts as 100, as the image window shows it.
int NextZoomStep(int ratio);
// The last step below ratio, or ratio itself when it is at or below the first.
int PreviousZoomStep(int ratio);

// The scroll position that keeps the point of the page under `anchor` (a client
// coordinate of one axis) in place when the picture goes from oldRatio to
// newRatio, to the nearest shown pixel. Not clamped: the window clamps it to
// its range.
int ScrollKeepingPoint(int scroll, int anchor, int oldRatio, int newRatio);

// What the loupe shows: Width x Height screen pixels around the page pixel
// (CentreX, CentreY), each page pixel as a Factor x Factor block. The block of
// the centre pixel straddles the middle of the loupe, where its cross meets.
struct LoupeView {
  int CentreX = 0;
  int CentreY = 0;
  int Zoom = kDefaultLoupeZoom;  // percent, one of LoupeZooms()
  int Width = 0;
  int Height = 0;
  int Factor() const { return UsableLoupeZoom(Zoom) / 100; }
};

// The page column shown at loupe column u, and the page row at loupe row v; may
// lie outside the page.
int LoupePageX(const LoupeView& view, int u);
int LoupePageY(const LoupeView& view, int v);

// The loupe shows this many lines, and this many characters of each, around the
// marker's character.
inline constexpr int kLoupeCharacters = 5;
// The loupe's size (Width and Height; Left and Top are 0) for kLoupeCharacters
// lines lineSpace apart and characters wordHeight high at its zoom, but no more
// than two fifths of the screen's width and half its height, so that the page
// and the text stay in sight beside it; and no less than a small window.
WindowBounds LoupeSize(int lineSpace, int wordHeight, int zoom, const WindowBounds& screen);

}  // namespace zorvel
