#pragma once
// Big5 (code page 950) bytes: the Big5-aware search and the lossless mapping
// between the document's bytes and Unicode.
//
// The mapping round-trips every byte string exactly: each valid code page 950
// character maps to its Unicode character, and every other byte (stray lead
// bytes, 0x80, 0xFF, unmapped pairs, the second pair of the ten duplicates) maps
// to a private-use code point that keeps it.
//
// How the text is cut into characters: a first byte (0x81 to 0xFE) followed by
// any byte other than CR or LF makes one double-byte character, valid or not;
// every other byte is a character of its own. A line break therefore always
// begins a character.
//
// Unicode side:
// - a valid pair maps to its BMP character;
// - of the pairs that code page 950 gives the same character (A2CC and A451 are
//   both U+5341), the one the code page writes back keeps the plain character
//   and the other is the character followed by a variation selector (U+FE00),
//   which is invisible on screen, so 十 still shows as 十;
// - every byte that is not part of a valid character maps to the supplementary
//   private-use code point U+F0000 + byte (a surrogate pair in UTF-16), shown by
//   the editor as a placeholder box.

#include <string>
#include <string_view>

namespace zorvel {

// The first byte of a double-byte character.
inline bool IsBig5LeadByte(unsigned char b) {
  return b >= 0x81 && b <= 0xFE;
}

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

// Bytes of the character that begins at pos (1 or 2; 0 at or past the end), as
// the editors cut the text (see above); a CR LF counts as one character here.
int Big5CharLength(std::string_view bytes, std::size_t pos);

// The private-use code point that keeps a byte with no character of its own.
constexpr char32_t kBytePlaceholderBase = 0xF0000;
// The variation selector that marks the second pair of a duplicate.
constexpr char16_t kDuplicateSelector = 0xFE00;

// Walks UTF-16 text one character at a time, cut as the bytes that
// UnicodeToBig5 writes are cut: a character is a code point, a surrogate pair,
// a character with the duplicate's variation selector, or the placeholder of a
// stray first byte together with the single byte that follows it. For each it
// gives the UTF-16 units it spans and the bytes it becomes.
class Big5UnicodeWalker {
 public:
  explicit Big5UnicodeWalker(std::u16string_view text) : text_(text) {}
  bool AtEnd() const { return pos_ >= text_.size(); }
  std::size_t Utf16Pos() const { return pos_; }
  // Steps over one character; returns its byte length (1 or 2).
  int Next();

 private:
  std::u16string_view text_;
  std::size_t pos_ = 0;
};

// Byte length of UnicodeToBig5(text), without building it.
int Big5Length(std::u16string_view text);
// The UTF-16 index of byte offset `bytes` within text. An offset inside a
// character gives that character's start, or its end when roundUp is set; an
// offset past the end gives text.size().
int Utf16IndexOfByteOffset(std::u16string_view text, int bytes, bool roundUp = false);
// Byte offset of UTF-16 index `index` (an index inside a character counts the
// whole character).
int ByteOffsetOfUtf16Index(std::u16string_view text, int index);

}  // namespace zorvel
