#pragma once
// A decoded monochrome page: rows top first, each (Width + 7) / 8 bytes with no
// gap, the leftmost pixel in the most significant bit, 1 white and 0 black.

#include <cstdint>
#include <vector>

namespace zorvel {

struct DecodedPage {
  int Width = 0;
  int Height = 0;
  int BytesPerRow = 0;
  std::vector<std::uint8_t> Rows;  // Height * BytesPerRow bytes

  const std::uint8_t* Row(int y) const { return Rows.data() + static_cast<std::size_t>(y) * BytesPerRow; }
  // True for a black pixel; points outside the page are white.
  bool IsBlack(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return false;
    return (Row(y)[x >> 3] & (0x80 >> (x & 7))) == 0;
  }
};

}  // namespace zorvel
