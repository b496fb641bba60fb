#pragma once
// Pages drawn by hand for the tests: a white page, and one pixel inked.

#include <cstddef>
#include <cstdint>

#include "codec/decoded_page.h"

namespace zorvel::test {

// A white page of width x height (1 = white).
inline DecodedPage WhitePage(int width, int height) {
  DecodedPage page;
  page.Width = width;
  page.Height = height;
  page.BytesPerRow = (width + 7) / 8;
  page.Rows.assign(static_cast<std::size_t>(page.BytesPerRow) * height, 0xFF);
  return page;
}

inline void Blacken(DecodedPage& page, int x, int y) {
  page.Rows[static_cast<std::size_t>(y) * page.BytesPerRow + x / 8] &=
      static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
}

}  // namespace zorvel::test
