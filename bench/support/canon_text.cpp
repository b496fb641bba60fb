#include "support/canon_text.h"

#include <cstdio>
#include <random>

namespace zorvel::test {

namespace {

// A frequently used Big5 character (A440 to C67E), now and then one whose
// second byte is "[", "]", "{", "|", "}" or "\".
void AppendCharacter(std::string& out, std::mt19937& random) {
  static const unsigned char kTricky[] = {0x5B, 0x5C, 0x5D, 0x7B, 0x7C, 0x7D};
  const int lead = 0xA4 + static_cast<int>(random() % (0xC6 - 0xA4));
  int trail;
  if (random() % 10 == 0) {
    trail = kTricky[random() % sizeof kTricky];
  } else {
    const int k = static_cast<int>(random() % 157);
    trail = k < 63 ? 0x40 + k : 0xA1 + (k - 63);
  }
  out += static_cast<char>(lead);
  out += static_cast<char>(trail);
}

void AppendReading(std::string& out, std::mt19937& random) {
  const int n = 1 + static_cast<int>(random() % 2);
  for (int k = 0; k < n; ++k) AppendCharacter(out, random);
}

}  // namespace

std::string MakeCanonText(const CanonTextOptions& options) {
  std::mt19937 random(options.Seed);
  std::string out;
  out.reserve(options.TargetBytes + 256);
  int sutra = 1;
  int page = 1;
  int reg = 0;
  int line = 1;
  while (out.size() < options.TargetBytes) {
    char head[32];
    std::snprintf(head, sizeof head, "T%02dn%04d_p%04d%c%02d", options.Volume % 100, sutra % 10000,
                  page % 10000, "abc"[reg], line);
    out += head;
    out += "\xF9\xF8";  // ║
    const bool mark = options.LinesPerMark > 0 && random() % static_cast<unsigned>(options.LinesPerMark) == 0;
    const int mark_at =
        mark ? static_cast<int>(random() % static_cast<unsigned>(options.CharactersPerLine)) : -1;
    for (int k = 0; k < options.CharactersPerLine; ++k) {
      if (k == mark_at) {
        out += "{{";
        AppendReading(out, random);
        out += "||";
        AppendReading(out, random);
        if (random() % 5 == 0) {
          out += "||";
          AppendReading(out, random);
        }
        out += "}}";
      }
      if (k > 0 && random() % 8 == 0) {
        out += "\xA1\x43";  // 。
      } else {
        AppendCharacter(out, random);
      }
    }
    out += "\r\n";
    if (++line > 29) {
      line = 1;
      if (++reg > 2) {
        reg = 0;
        if (++page % 40 == 0) ++sutra;
      }
    }
  }
  return out;
}

}  // namespace zorvel::test
