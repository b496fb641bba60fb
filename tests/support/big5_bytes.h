#pragma once
// Test texts are written in UTF-8 and turned into Big5 through this small table,
// so that expected bytes never depend on the converter under test.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

namespace zorvel::test {

inline std::string Big5Bytes(std::string_view utf8) {
  // clang-format off
  static const std::map<std::string, std::string, std::less<>> kBig5 = {
      {"甲", "\xA5\xD2"}, {"乙", "\xA4\x41"}, {"丙", "\xA4\xFE"}, {"丁", "\xA4\x42"}, {"戊", "\xA5\xB3"},
      {"。", "\xA1\x43"}, {"║", "\xF9\xF8"}, {"金", "\xAA\xF7"}, {"本", "\xA5\xBB"}, {"＝", "\xA1\xD7"},
      // Characters whose second byte is the code of "|", "[", "]", "{" and "}".
      {"四", "\xA5\x7C"}, {"加", "\xA5\x5B"}, {"包", "\xA5\x5D"}, {"叻", "\xA5\x7B"}, {"囚", "\xA5\x7D"},
  };
  // clang-format on
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    if (n == 1) {
      out += utf8[i];
    } else if (auto it = kBig5.find(utf8.substr(i, n)); it != kBig5.end()) {
      out += it->second;
    } else {
      ADD_FAILURE() << "no Big5 bytes for " << utf8.substr(i, n) << " in the test table";
    }
    i += n;
  }
  return out;
}

}  // namespace zorvel::test
