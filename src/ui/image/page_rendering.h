#pragma once
// How a decoded page looks on screen at a given scale. At full size every page
// pixel is one screen pixel. Below full size a monochrome scan loses its thin
// strokes when pixels are simply dropped, so each screen pixel is the ink share
// of the page area it covers, darkened a little so that a one-pixel stroke still
// shows clearly. Above full size the full-size rendering is stretched, pixel by
// pixel, for the part that is on screen.
//
// The renderings are kept per scale, so panning and repainting only copy
// pixels; a new page drops them.

#include <QImage>
#include <QRect>
#include <list>
#include <memory>

#include "codec/decoded_page.h"

class QPainter;

namespace zorvel {

// The page at shownWidth x shownHeight, no larger than the page, each pixel
// the darkened ink share of the page area [u / s, (u + 1) / s) it covers, where
// s is the given scale. Format_Grayscale8; a null image when there is no memory
// for it.
QImage RenderReducedPage(const DecodedPage& page, float scale, int shownWidth, int shownHeight);

// The page at full size, black and white. Format_Grayscale8; a null image when
// there is no memory for it.
QImage RenderFullSizePage(const DecodedPage& page);

class PageRendering {
 public:
  // Takes the page on display and its monochrome bitmap (MakePageBitmap);
  // drops every rendering of the previous page.
  void SetPage(std::shared_ptr<const DecodedPage> page, QImage bitmap);
  const DecodedPage* Page() const { return page_.get(); }
  const QImage& Bitmap() const { return bitmap_; }

  // Makes sure the rendering for the scale exists; made tells whether it had to
  // be made now. False when it cannot be made (no page, or no memory for it).
  bool Prepare(int pictureRatio, float scale, int shownWidth, int shownHeight, bool* made = nullptr);

  // Paints the part `area` of the shown picture (in shown picture pixels) at
  // `target` (the top-left of `area` on the painter). Prepare must have
  // succeeded for the scale.
  void Paint(QPainter& painter, const QPoint& target, const QRect& area, int pictureRatio, float scale);

 private:
  struct Entry {
    int Ratio = 0;
    QImage Image;
  };
  const QImage* Find(int pictureRatio);

  std::shared_ptr<const DecodedPage> page_;
  QImage bitmap_;
  std::list<Entry> cache_;  // most recently used first
};

}  // namespace zorvel
