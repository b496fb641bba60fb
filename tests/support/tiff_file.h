#pragma once
// A little-endian TIFF file made by hand: the header, the strip at offset 8,
// then one IFD whose entries each hold one value.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zorvel::test {

struct TiffFile {
  std::string ByteOrder = "II";
  std::uint16_t Version = 42;
  std::map<std::uint16_t, std::uint32_t> Tags;   // tag -> value field
  std::map<std::uint16_t, std::uint16_t> Types;  // field types other than the usual
  std::vector<std::uint8_t> Strip;

  // A single-strip Group 4 page with every tag the reader needs.
  static TiffFile Page(int width, int length, std::vector<std::uint8_t> strip) {
    TiffFile f;
    const auto w = static_cast<std::uint32_t>(width), h = static_cast<std::uint32_t>(length);
    const auto count = static_cast<std::uint32_t>(strip.size());
    f.Tags = {{256, w}, {257, h}, {258, 1}, {259, 4}, {262, 0}, {273, 8}, {277, 1}, {278, h}, {279, count}};
    f.Strip = std::move(strip);
    return f;
  }

  std::string Bytes() const {
    std::string s = ByteOrder.substr(0, 2);
    auto put = [&s](std::uint32_t v, int bytes) {
      for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(Version, 2);
    const auto ifdAt = static_cast<std::uint32_t>((8 + Strip.size() + 1) & ~std::size_t{1});
    put(ifdAt, 4);
    s.append(Strip.begin(), Strip.end());
    s.resize(ifdAt, '\0');
    put(static_cast<std::uint32_t>(Tags.size()), 2);
    for (const auto& [tag, value] : Tags) {
      const auto type = Types.find(tag);
      const bool isLong = tag == 273 || tag == 279 || tag == 258 || tag == 277;
      put(tag, 2);
      put(type != Types.end() ? type->second : (isLong ? 4 : 3), 2);
      put(1, 4);
      put(value, 4);
    }
    put(0, 4);  // no next IFD
    return s;
  }
};

}  // namespace zorvel::test
