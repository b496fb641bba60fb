// The fast Group 4 decoder against the literal reference decoder of the tests,
// on arbitrary strips: both must give the same result and the same rows.
// Input: width (2 bytes, little-endian, taken modulo 32767, up to the widest page the reader takes), rows (1
// byte, modulo 17, plus 1), flags (1 byte: bit 0 FillOrder 2, bits 1-2 pick the first row), then the strip.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "codec/g4_decoder.h"
#include "reference_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const int width = (data[0] | (data[1] << 8)) % 32767;
  const int length = data[2] % 17 + 1;
  const bool lsbFirst = data[3] & 1;
  const int firstRow = 1 + ((data[3] >> 1) & 3) % length;
  const std::uint8_t* strip = data + 4;
  const std::size_t stripLength = size - 4;

  std::vector<std::uint8_t> fast;
  const zorvel::G4Strip s{strip, stripLength, lsbFirst};
  const std::uint8_t fastResult = zorvel::DecodeG4(s, width, length, firstRow, length, fast);
  std::vector<std::uint8_t> reference;
  const std::uint8_t referenceResult =
      zorvel::test::ReferenceDecode(strip, stripLength, lsbFirst, width, length, firstRow, length, reference);
  if (fastResult != referenceResult) std::abort();
  if (fastResult == zorvel::erOk && fast != reference) std::abort();
  return 0;
}
