#pragma once
// Big5 (code page 950) bytes: the Big5-aware search and the lossless mapping
// between the document's bytes and Unicode.
//
// The mapping round-trips every byte string exactly: each valid code page 950
// character maps to its Unicode character, and every other byte (stray lead
// bytes, 0x80, 0xFF, unmapped pairs, the second pair of the ten duplicates) maps
// to a private-use code point that keeps it.

#include <string>
#include <string_view>

namespace zorvel {

// The first byte of a double-byte character.
inline bool IsBig5LeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// 1-based index of the first occurrence of needle in haystack that does not
// begin on the second byte of a double-byte character; 0 when there is none.
int Big5Pos(std::string_view needle, std::string_view haystack);

// Lossless Big5 -> UTF-16 and back. UnicodeToBig5 turns every character that
// Big5 cannot hold into "?" and counts them in *replaced.
std::u16string Big5ToUnicode(std::string_view bytes);
std::string UnicodeToBig5(std::u16string_view text, int* replaced = nullptr);

// The same through UTF-8, for messages, file names and tools.
std::string Big5ToUtf8(std::string_view bytes);
std::string Utf8ToBig5(std::string_view utf8, int* replaced = nullptr);

}  // namespace zorvel
