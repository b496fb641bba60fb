#include "g4_builders.h"

#include <stdexcept>

#include "codec/t4_codes.h"

namespace zorvel::test {

namespace {

std::string CodeBits(const T4Code& code) {
  std::string s;
  for (int i = code.Length - 1; i >= 0; --i) s += ((code.Bits >> i) & 1) ? '1' : '0';
  return s;
}

const T4Code& Find(std::span<const T4Code> codes, int run) {
  for (const T4Code& c : codes) {
    if (c.Run == run) return c;
  }
  throw std::logic_error("no code for run " + std::to_string(run));
}

void Put16(std::string& s, std::uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}

void Put32(std::string& s, std::uint32_t v) {
  Put16(s, static_cast<std::uint16_t>(v & 0xFFFF));
  Put16(s, static_cast<std::uint16_t>(v >> 16));
}

}  // namespace

BitWriter& BitWriter::Bits(std::string_view bits) {
  for (char c : bits) {
    if (c == '0' || c == '1') bits_ += c;
  }
  return *this;
}

BitWriter& BitWriter::VR(int k) {
  static const char* codes[] = {"", "011", "000011", "0000011"};
  return Bits(codes[k]);
}

BitWriter& BitWriter::VL(int k) {
  static const char* codes[] = {"", "010", "000010", "0000010"};
  return Bits(codes[k]);
}

BitWriter& BitWriter::Horizontal(bool a0White, int first, int second) {
  Bits("001");
  Run(a0White, first);
  return Run(!a0White, second);
}

BitWriter& BitWriter::Run(bool white, int run) {
  if (run >= 64) {
    const int makeUp = run / 64 * 64;
    if (makeUp >= 1792) {
      Bits(CodeBits(Find(ExtendedMakeUpCodes(), makeUp)));
    } else {
      Bits(CodeBits(Find(white ? WhiteMakeUpCodes() : BlackMakeUpCodes(), makeUp)));
    }
  }
  return Bits(CodeBits(Find(white ? WhiteTerminatingCodes() : BlackTerminatingCodes(), run % 64)));
}

std::vector<std::uint8_t> BitWriter::Bytes(bool lsbFirst) const {
  std::vector<std::uint8_t> out((bits_.size() + 7) / 8, 0);
  for (std::size_t i = 0; i < bits_.size(); ++i) {
    if (bits_[i] != '1') continue;
    const int shift = lsbFirst ? static_cast<int>(i % 8) : 7 - static_cast<int>(i % 8);
    out[i / 8] = static_cast<std::uint8_t>(out[i / 8] | (1 << shift));
  }
  return out;
}

TiffFile TiffFile::Page(int width, int length, std::vector<std::uint8_t> strip) {
  TiffFile f;
  f.Tags = {{256, static_cast<std::uint32_t>(width)},
            {257, static_cast<std::uint32_t>(length)},
            {258, 1},
            {259, 4},
            {262, 0},
            {273, 0},
            {277, 1},
            {278, static_cast<std::uint32_t>(length)},
            {279, 0}};
  f.Strip = std::move(strip);
  return f;
}

std::string TiffFile::Bytes() const {
  // Header, strip at 8, IFD after the strip (word aligned).
  std::string s = ByteOrder.substr(0, 2);
  Put16(s, Version);
  const std::uint32_t stripAt = 8;
  std::uint32_t ifdAt = stripAt + static_cast<std::uint32_t>(Strip.size());
  ifdAt += ifdAt & 1;
  Put32(s, ifdAt);
  s.append(Strip.begin(), Strip.end());
  while (s.size() < ifdAt) s += '\0';
  Put16(s, static_cast<std::uint16_t>(Tags.size()));
  for (const auto& [tag, value] : Tags) {
    std::uint32_t v = value;
    if (AutoStripTags && tag == 273) v = stripAt;
    if (AutoStripTags && tag == 279) v = static_cast<std::uint32_t>(Strip.size());
    Put16(s, tag);
    const auto type = Types.find(tag);
    Put16(s, type != Types.end() ? type->second
                                 : (tag == 273 || tag == 279 || tag == 258 || tag == 277 ? 4 : 3));
    Put32(s, 1);
    Put32(s, v);
  }
  Put32(s, 0);  // no next IFD
  return s;
}

}  // namespace zorvel::test
