#pragma once
// Builders for hand-made Group 4 bitstreams and TIFF files.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zorvel::test {

// Appends bits, first bit first, and packs them into bytes (spare bits 0).
class BitWriter {
 public:
  BitWriter& Bits(std::string_view bits);  // "0110", spaces ignored
  BitWriter& V0() { return Bits("1"); }
  BitWriter& VR(int k);  // 1 to 3
  BitWriter& VL(int k);
  BitWriter& Pass() { return Bits("0001"); }
  // Horizontal mode with the two runs, the first in the colour of a0.
  BitWriter& Horizontal(bool a0White, int first, int second);
  BitWriter& Run(bool white, int run);  // make-up and terminating codes
  BitWriter& Uncompressed() { return Bits("0000001111"); }
  std::size_t BitCount() const { return bits_.size(); }
  std::vector<std::uint8_t> Bytes(bool lsbFirst = false) const;

 private:
  std::string bits_;
};

// A little-endian TIFF file made by hand: header, one IFD, one strip.
struct TiffFile {
  std::string ByteOrder = "II";
  std::uint16_t Version = 42;
  std::map<std::uint16_t, std::uint32_t> Tags;   // tag -> value field
  std::map<std::uint16_t, std::uint16_t> Types;  // field types other than the usual
  std::vector<std::uint8_t> Strip;
  bool AutoStripTags = true;  // fill StripOffsets and StripByteCounts when present in Tags

  // A valid page of the given size coded by the strip.
  static TiffFile Page(int width, int length, std::vector<std::uint8_t> strip);
  std::string Bytes() const;
};

}  // namespace zorvel::test
