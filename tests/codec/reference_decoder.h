#pragma once
// The plain, literal Group 4 decoder the fast one is checked against: one bit
// at a time, each code looked up at every length it may have. Same contract
// as zorvel::DecodeG4.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zorvel::test {

std::uint8_t ReferenceDecode(const std::uint8_t* strip, std::size_t length, bool lsbFirst, int width,
                             int imageLength, int firstRow, int rowCount, std::vector<std::uint8_t>& rows);

}  // namespace zorvel::test
