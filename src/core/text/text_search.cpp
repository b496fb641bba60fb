#include "core/text/text_search.h"

#include <algorithm>

#include "core/text/big5.h"

namespace zorvel {

namespace {

bool IsWordByte(unsigned char b) {
  return (b >= '0' && b <= '9') || (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || b == '_';
}

unsigned char FoldAscii(unsigned char b) {
  return (b >= 'A' && b <= 'Z') ? b + 32 : b;
}

// Compares what with the text at p, which begins a character.
bool MatchesAt(std::string_view text, std::string_view what, std::size_t p, bool matchCase) {
  if (p + what.size() > text.size()) return false;
  std::size_t i = 0;
  while (i < what.size()) {
    const int length = Big5CharLength(text, p + i);
    if (length == 1) {
      const auto t = static_cast<unsigned char>(text[p + i]);
      const auto w = static_cast<unsigned char>(what[i]);
      if (t != w && (matchCase || FoldAscii(t) != FoldAscii(w))) return false;
      ++i;
    } else {
      // A double-byte character compares byte for byte, also when the match
      // ends on its first byte.
      for (int k = 0; k < length && i < what.size(); ++k, ++i) {
        if (text[p + i] != what[i]) return false;
      }
    }
  }
  return true;
}

}  // namespace

int FindBig5(std::string_view text, std::string_view what, int start, int end, FindOptions options,
             int base) {
  const int size = static_cast<int>(text.size());
  start = std::clamp(start, 0, size);
  end = std::clamp(end, 0, size);
  base = std::clamp(base, 0, start);
  if (what.empty() || static_cast<int>(what.size()) > end - start) return -1;
  const int last = end - static_cast<int>(what.size());
  const bool matchCase = options.MatchCase;
  const auto first = static_cast<unsigned char>(what[0]);
  const bool firstIsLetter = FoldAscii(first) >= 'a' && FoldAscii(first) <= 'z';
  int previousLength = 0;  // length of the character before p
  int p = base;
  while (p <= last) {
    const int length = Big5CharLength(text, static_cast<std::size_t>(p));
    if (p >= start) {
      const auto b = static_cast<unsigned char>(text[p]);
      const bool candidate = b == first || (!matchCase && firstIsLetter && FoldAscii(b) == FoldAscii(first));
      if (candidate && MatchesAt(text, what, static_cast<std::size_t>(p), matchCase)) {
        bool whole = true;
        if (options.WholeWord) {
          const int after = p + static_cast<int>(what.size());
          if (previousLength == 1 && IsWordByte(static_cast<unsigned char>(text[p - 1]))) whole = false;
          if (after < size && IsWordByte(static_cast<unsigned char>(text[after]))) {
            // The byte after the match begins a character unless the match ended
            // inside a double-byte one; a word byte counts only as a character.
            int q = p;
            while (q < after) q += Big5CharLength(text, static_cast<std::size_t>(q));
            if (q == after && Big5CharLength(text, static_cast<std::size_t>(after)) == 1) whole = false;
          }
        }
        if (whole) return p;
      }
    }
    previousLength = length;
    p += length;
  }
  return -1;
}

}  // namespace zorvel
