#pragma once
// Runs the fast decoder and the literal reference on the same strip.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "codec/g4_decoder.h"
#include "reference_decoder.h"

namespace zorvel::test {

struct Decoded {
  std::uint8_t Result = 0;
  std::vector<std::uint8_t> Rows;
};

inline Decoded DecodeFast(const std::vector<std::uint8_t>& strip, int width, int length,
                          bool lsbFirst = false, int firstRow = 1, int rowCount = -1) {
  Decoded d;
  G4Strip s{strip.data(), strip.size(), lsbFirst};
  d.Result = DecodeG4(s, width, length, firstRow, rowCount < 0 ? length : rowCount, d.Rows);
  return d;
}

inline Decoded DecodeReference(const std::vector<std::uint8_t>& strip, int width, int length,
                               bool lsbFirst = false, int firstRow = 1, int rowCount = -1) {
  Decoded d;
  d.Result = ReferenceDecode(strip.data(), strip.size(), lsbFirst, width, length, firstRow,
                             rowCount < 0 ? length : rowCount, d.Rows);
  return d;
}

// Both decoders, which must agree on the result and, on success, on every row.
inline Decoded DecodeBoth(const std::vector<std::uint8_t>& strip, int width, int length,
                          bool lsbFirst = false, int firstRow = 1, int rowCount = -1) {
  Decoded fast = DecodeFast(strip, width, length, lsbFirst, firstRow, rowCount);
  Decoded reference = DecodeReference(strip, width, length, lsbFirst, firstRow, rowCount);
  EXPECT_EQ(int{fast.Result}, int{reference.Result}) << "width " << width << " length " << length;
  if (fast.Result == 1 && reference.Result == 1) {
    EXPECT_TRUE(fast.Rows == reference.Rows) << "rows differ, width " << width << " length " << length;
  }
  return fast;
}

// The pixels of one decoded row as a string, '#' black and '.' white.
inline std::string RowText(const std::vector<std::uint8_t>& rows, int width, int y) {
  const int bytesPerRow = (width + 7) / 8;
  std::string s;
  for (int x = 0; x < width; ++x) {
    const std::uint8_t byte = rows[static_cast<std::size_t>(y) * bytesPerRow + x / 8];
    s += (byte & (0x80 >> (x % 8))) ? '.' : '#';
  }
  return s;
}

}  // namespace zorvel::test
