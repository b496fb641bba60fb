#pragma once
// Finding the top-right corner of a page's printed frame on the scan, and from
// it where the page's first character stands.
//
// Ten columns right of the page's vertical middle (x = W / 2 + 20 i) are probed
// downward over the top 200 rows for the top border line, and ten rows below the
// horizontal middle (y = H / 2 + 20 i) leftward over the right 300 columns for
// the right border line. In each set the two smallest and two largest samples
// are dropped; the other six must each have met ink and lie within 6 pixels of
// each other, and their truncated mean is the border. A probe that reaches its
// limit without ink has found no border, so a blank page, or one whose frame
// lies beyond the probes, has no corner. The first character stands RightTopX left of
// the right border and RightTopY below the top border. Points outside the page
// are not ink, so a page smaller than the probes is probed safely.

#include "codec/decoded_page.h"
#include "core/pages/vol_shift.h"
#include "core/settings/settings.h"

namespace zorvel {

struct RightTopResult {
  bool Found = false;
  // The first character's corner as calibration values: FirstCharX from the
  // right edge, FirstCharY from the top edge. Only meaningful when Found.
  int FirstCharX = 0;
  int FirstCharY = 0;
};

// Measures the corner on the page; stores nothing.
RightTopResult FindRightTop(const DecodedPage& page, int rightTopX, int rightTopY);

// The whole rule for page pageNumber of the store: a calibrated page keeps its
// values unless CoverRightTop is on (true, nothing changes); otherwise the
// corner is measured and, when found, stored as FirstCharX and FirstCharY (the
// shifts stay) with Dirty set. False when the corner is not found, and for a
// page without a slot in the store, where nothing can be stored.
bool DetectRightTop(const DecodedPage& page, const Settings& settings, CVolShift& store, int pageNumber);

}  // namespace zorvel
