#pragma once
// Hand-made Group 4 bitstreams, and both decoders run on one strip.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "codec/g4_decoder.h"
#include "codec/t4_codes.h"
#include "reference_decoder.h"

namespace zorvel::test {

// Appends codes, first bit first, and packs them into bytes (spare bits 0). Codes are written as text,
// separated by spaces: bits ("0110"), V0, VR1-3, VL1-3, P (pass), U (uncompressed mode), and horizontal
// mode as Hfirst,second with a0 white or hfirst,second with a0 black.
class BitWriter {
 public:
  explicit BitWriter(std::string_view codes = "") { Codes(codes); }
  BitWriter& Codes(std::string_view codes) {
    static const std::map<std::string, const char*> modes = {
        {"V0", "1"},       {"VR1", "011"},     {"VR2", "000011"}, {"VR3", "0000011"}, {"VL1", "010"},
        {"VL2", "000010"}, {"VL3", "0000010"}, {"P", "0001"},     {"U", "0000001111"}};
    std::istringstream in{std::string(codes)};
    for (std::string t; in >> t;) {
      if (const auto mode = modes.find(t); mode != modes.end()) {
        bits_ += mode->second;
      } else if (t[0] == 'H' || t[0] == 'h') {
        bits_ += "001";
        Run(t[0] == 'H', std::stoi(t.substr(1))).Run(t[0] != 'H', std::stoi(t.substr(t.find(',') + 1)));
      } else if (t.find_first_not_of("01") == std::string::npos) {
        bits_ += t;
      } else {
        throw std::logic_error("no such code: " + t);
      }
    }
    return *this;
  }
  std::vector<std::uint8_t> Bytes(bool lsbFirst = false) const {
    std::vector<std::uint8_t> out((bits_.size() + 7) / 8, 0);
    for (std::size_t i = 0; i < bits_.size(); ++i)
      if (bits_[i] == '1') out[i / 8] |= static_cast<std::uint8_t>(1 << (lsbFirst ? i % 8 : 7 - i % 8));
    return out;
  }

 private:
  // Make-up codes where needed, then the terminating code: as T.4 codes them, a
  // run of 2624 or more starts with make-up codes of 2560.
  BitWriter& Run(bool white, int run) {
    for (; run >= 2624; run -= 2560) Code(ExtendedMakeUpCodes(), 2560);
    if (run >= 1792) Code(ExtendedMakeUpCodes(), run / 64 * 64);
    if (run >= 64 && run < 1792) Code(white ? WhiteMakeUpCodes() : BlackMakeUpCodes(), run / 64 * 64);
    return Code(white ? WhiteTerminatingCodes() : BlackTerminatingCodes(), run % 64);
  }
  BitWriter& Code(std::span<const T4Code> codes, int run) {
    for (const T4Code& c : codes) {
      if (c.Run != run) continue;
      for (int i = c.Length - 1; i >= 0; --i) bits_ += ((c.Bits >> i) & 1) ? '1' : '0';
      return *this;
    }
    throw std::logic_error("no code for run " + std::to_string(run));
  }
  std::string bits_;
};

struct Decoded {
  std::uint8_t Result = 0;
  std::vector<std::uint8_t> Rows;
};

// The fast decoder, checked against the literal reference: same result and, on success, same rows.
inline Decoded DecodeBoth(const std::vector<std::uint8_t>& strip, int width, int length,
                          bool lsbFirst = false, int firstRow = 1, int rowCount = -1) {
  Decoded fast, reference;
  if (rowCount < 0) rowCount = length;
  fast.Result =
      DecodeG4(G4Strip{strip.data(), strip.size(), lsbFirst}, width, length, firstRow, rowCount, fast.Rows);
  reference.Result = ReferenceDecode(strip.data(), strip.size(), lsbFirst, width, length, firstRow, rowCount,
                                     reference.Rows);
  EXPECT_EQ(int{fast.Result}, int{reference.Result}) << "width " << width << " length " << length;
  EXPECT_TRUE(fast.Result != erOk || reference.Result != erOk || fast.Rows == reference.Rows)
      << "rows differ";
  return fast;
}

// The pixels of one decoded row, '#' black and '.' white.
inline std::string RowText(const std::vector<std::uint8_t>& rows, int width, int y) {
  std::string s;
  for (int x = 0; x < width; ++x)
    s += (rows[static_cast<std::size_t>(y) * ((width + 7) / 8) + x / 8] & (0x80 >> (x % 8))) ? '.' : '#';
  return s;
}

}  // namespace zorvel::test
