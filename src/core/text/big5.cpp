#include "core/text/big5.h"

#include <unicode/ucnv.h>

#include <array>
#include <map>
#include <memory>
#include <vector>

namespace zorvel {

namespace {

// The code page 950 tables, built once from ICU's converter.
struct Big5Tables {
  // Pair (lead << 8 | trail) -> BMP character; 0 when the pair is no character.
  std::vector<char16_t> decode = std::vector<char16_t>(65536, 0);
  // Pair -> 1 when it is the second pair of a duplicate (written with the
  // variation selector).
  std::vector<unsigned char> duplicate = std::vector<unsigned char>(65536, 0);
  // BMP character -> pair; 0 when Big5 cannot hold it.
  std::vector<unsigned short> encode = std::vector<unsigned short>(65536, 0);
  // BMP character -> the second pair of its duplicate; 0 when it has none.
  std::vector<unsigned short> encodeDuplicate = std::vector<unsigned short>(65536, 0);
};

bool IsTrailByte(int b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0xA1 && b <= 0xFE);
}

std::unique_ptr<Big5Tables> BuildTables() {
  auto tables = std::make_unique<Big5Tables>();
  UErrorCode error = U_ZERO_ERROR;
  UConverter* converter = ucnv_open("windows-950", &error);
  if (U_FAILURE(error) || converter == nullptr) return tables;  // every pair stays a placeholder
  error = U_ZERO_ERROR;
  ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
  error = U_ZERO_ERROR;
  ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);

  std::map<char16_t, std::vector<int>> pairsOf;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (!IsTrailByte(trail)) continue;
      const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      UChar out[4];
      error = U_ZERO_ERROR;
      ucnv_resetToUnicode(converter);
      const int n = ucnv_toUChars(converter, out, 4, bytes, 2, &error);
      if (U_FAILURE(error) || n != 1) continue;
      const char16_t c = static_cast<char16_t>(out[0]);
      if (c == 0xFFFD || (c >= 0xD800 && c <= 0xDFFF) || c < 0x80) continue;
      pairsOf[c].push_back(lead << 8 | trail);
    }
  }
  for (const auto& [c, pairs] : pairsOf) {
    // The pair the code page writes back keeps the plain character.
    int canonical = pairs.front();
    const UChar in[1] = {static_cast<UChar>(c)};
    char out[4];
    error = U_ZERO_ERROR;
    ucnv_resetFromUnicode(converter);
    const int n = ucnv_fromUChars(converter, out, 4, in, 1, &error);
    if (U_SUCCESS(error) && n == 2) {
      const int back = static_cast<unsigned char>(out[0]) << 8 | static_cast<unsigned char>(out[1]);
      for (int p : pairs) {
        if (p == back) canonical = back;
      }
    }
    tables->decode[canonical] = c;
    tables->encode[c] = static_cast<unsigned short>(canonical);
    // Code page 950 has no character with three pairs; a further pair, should
    // one appear, stays a placeholder.
    for (int p : pairs) {
      if (p == canonical || tables->encodeDuplicate[c] != 0) continue;
      tables->decode[p] = c;
      tables->duplicate[p] = 1;
      tables->encodeDuplicate[c] = static_cast<unsigned short>(p);
    }
  }
  ucnv_close(converter);
  return tables;
}

const Big5Tables& Tables() {
  static const std::unique_ptr<Big5Tables> tables = BuildTables();
  return *tables;
}

bool IsLineBreakByte(unsigned char b) {
  return b == '\r' || b == '\n';
}

void AppendPlaceholder(std::u16string& out, unsigned char b) {
  const char32_t cp = kBytePlaceholderBase + b - 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// One character of UTF-16 text as Big5: its units and its bytes ("?" when Big5
// cannot hold it). Returns the number of units consumed.
std::size_t EncodeOne(std::u16string_view text, std::size_t i, char out[2], int* length, bool* replaced) {
  const Big5Tables& t = Tables();
  const char16_t c = text[i];
  *replaced = false;
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
    *length = 1;
    return 1;
  }
  if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
    const char32_t cp = 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
    *length = 1;
    if (cp >= kBytePlaceholderBase && cp < kBytePlaceholderBase + 0x100) {
      out[0] = static_cast<char>(cp - kBytePlaceholderBase);
    } else {
      out[0] = '?';
      *replaced = true;
    }
    return 2;
  }
  const unsigned short pair = t.encode[c];
  if (pair != 0) {
    std::size_t used = 1;
    unsigned short bytes = pair;
    if (i + 1 < text.size() && text[i + 1] == kDuplicateSelector && t.encodeDuplicate[c] != 0) {
      bytes = t.encodeDuplicate[c];
      used = 2;
    }
    out[0] = static_cast<char>(bytes >> 8);
    out[1] = static_cast<char>(bytes & 0xFF);
    *length = 2;
    return used;
  }
  out[0] = '?';
  *length = 1;
  *replaced = true;
  return 1;
}

}  // namespace

int Big5Pos(std::string_view needle, std::string_view haystack) {
  if (needle.empty() || needle.size() > haystack.size()) return 0;
  std::size_t i = 0;
  while (i + needle.size() <= haystack.size()) {
    if (haystack.compare(i, needle.size(), needle) == 0) return static_cast<int>(i) + 1;
    i += IsBig5LeadByte(static_cast<unsigned char>(haystack[i])) ? 2 : 1;
  }
  return 0;
}

int Big5CharLength(std::string_view bytes, std::size_t pos) {
  if (pos >= bytes.size()) return 0;
  const auto b = static_cast<unsigned char>(bytes[pos]);
  if (pos + 1 >= bytes.size()) return 1;
  const auto next = static_cast<unsigned char>(bytes[pos + 1]);
  if (IsBig5LeadByte(b) && !IsLineBreakByte(next)) return 2;
  if (b == '\r' && next == '\n') return 2;
  return 1;
}

std::u16string Big5ToUnicode(std::string_view bytes) {
  const Big5Tables& t = Tables();
  std::u16string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    if (Big5CharLength(bytes, i) == 2) {
      const auto trail = static_cast<unsigned char>(bytes[i + 1]);
      const int pair = b << 8 | trail;
      if (t.decode[pair] != 0) {
        out.push_back(t.decode[pair]);
        if (t.duplicate[pair]) out.push_back(kDuplicateSelector);
      } else {
        AppendPlaceholder(out, b);
        AppendPlaceholder(out, trail);
      }
      i += 2;
      continue;
    }
    AppendPlaceholder(out, b);
    ++i;
  }
  return out;
}

std::string UnicodeToBig5(std::u16string_view text, int* replaced) {
  std::string out;
  out.reserve(text.size() * 2);
  int count = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    char bytes[2];
    int length = 0;
    bool bad = false;
    i += EncodeOne(text, i, bytes, &length, &bad);
    out.append(bytes, length);
    if (bad) ++count;
  }
  if (replaced) *replaced = count;
  return out;
}

int Big5UnicodeWalker::Next() {
  char bytes[2];
  int length = 0;
  bool bad = false;
  pos_ += EncodeOne(text_, pos_, bytes, &length, &bad);
  // A stray first byte takes the next single byte with it, as the bytes are cut.
  if (length == 1 && IsBig5LeadByte(static_cast<unsigned char>(bytes[0])) && !AtEnd()) {
    char next[2];
    int nextLength = 0;
    const std::size_t used = EncodeOne(text_, pos_, next, &nextLength, &bad);
    if (nextLength == 1 && next[0] != '\r' && next[0] != '\n') {
      pos_ += used;
      return 2;
    }
  }
  return length;
}

int Big5Length(std::u16string_view text) {
  Big5UnicodeWalker walk(text);
  int total = 0;
  while (!walk.AtEnd()) total += walk.Next();
  return total;
}

int Utf16IndexOfByteOffset(std::u16string_view text, int bytes, bool roundUp) {
  Big5UnicodeWalker walk(text);
  int at = 0;
  while (!walk.AtEnd() && at < bytes) {
    const std::size_t before = walk.Utf16Pos();
    const int length = walk.Next();
    if (at + length > bytes && !roundUp) return static_cast<int>(before);
    at += length;
  }
  return static_cast<int>(walk.Utf16Pos());
}

int ByteOffsetOfUtf16Index(std::u16string_view text, int index) {
  Big5UnicodeWalker walk(text);
  int at = 0;
  while (!walk.AtEnd() && static_cast<int>(walk.Utf16Pos()) < index) at += walk.Next();
  return at;
}

namespace {

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    char32_t cp = 0xFFFD;
    std::size_t n = 1;
    if (b < 0x80) {
      cp = b;
    } else if ((b & 0xE0) == 0xC0) {
      n = 2;
    } else if ((b & 0xF0) == 0xE0) {
      n = 3;
    } else if ((b & 0xF8) == 0xF0) {
      n = 4;
    }
    if (n > 1) {
      bool ok = i + n <= utf8.size();
      char32_t v = b & (0x7F >> n);
      for (std::size_t k = 1; ok && k < n; ++k) {
        const auto c = static_cast<unsigned char>(utf8[i + k]);
        if ((c & 0xC0) != 0x80) ok = false;
        v = v << 6 | (c & 0x3F);
      }
      if (ok && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF)) {
        cp = v;
      } else {
        n = 1;  // a broken sequence: one replacement character per byte
      }
    }
    if (cp >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += n;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

}  // namespace

std::string Big5ToUtf8(std::string_view bytes) {
  return Utf16ToUtf8(Big5ToUnicode(bytes));
}

std::string Utf8ToBig5(std::string_view utf8, int* replaced) {
  return UnicodeToBig5(Utf8ToUtf16(utf8), replaced);
}

}  // namespace zorvel
