#include "codec/g4_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <new>

#include "codec/a_tif_g4.h"
#include "codec/t4_codes.h"

namespace zorvel {

namespace {

// Mode codes, looked up by the next seven bits. The vertical modes come
// first, so that one comparison tells them.
enum Mode : std::uint8_t {
  kV0,
  kVR1,
  kVL1,
  kVR2,
  kVL2,
  kVR3,
  kVL3,
  kHorizontal,
  kPass,
  kExtension,
  kInvalid
};

constexpr int kWhiteBits = 12;  // longest white code
constexpr int kBlackBits = 13;  // longest black code
constexpr int kNoMatch = -1;

struct CodeTables {
  // Entry: code length in the top four bits, run in the low twelve; length 0
  // means no code starts with these bits.
  std::array<std::uint16_t, 1 << kWhiteBits> White{};
  std::array<std::uint16_t, 1 << kBlackBits> Black{};
  // Entry: mode in the low four bits, code length in the high four.
  std::array<std::uint8_t, 128> Modes{};
  // Vertical offset of each mode, and where the b1 candidate goes after it
  // (+1 when a1 is at or right of b1, else -1).
  std::array<std::int8_t, 16> Offset{};
  std::array<std::int8_t, 16> Next{};
};

template <std::size_t N>
void Enter(std::array<std::uint16_t, N>& table, int bits, std::span<const T4Code> codes) {
  for (const T4Code& code : codes) {
    const int spare = bits - code.Length;
    const int first = code.Bits << spare;
    for (int i = 0; i < (1 << spare); ++i) {
      table[static_cast<std::size_t>(first + i)] = static_cast<std::uint16_t>((code.Length << 12) | code.Run);
    }
  }
}

CodeTables BuildTables() {
  CodeTables t;
  Enter(t.White, kWhiteBits, WhiteTerminatingCodes());
  Enter(t.White, kWhiteBits, WhiteMakeUpCodes());
  Enter(t.White, kWhiteBits, ExtendedMakeUpCodes());
  Enter(t.Black, kBlackBits, BlackTerminatingCodes());
  Enter(t.Black, kBlackBits, BlackMakeUpCodes());
  Enter(t.Black, kBlackBits, ExtendedMakeUpCodes());
  struct ModeCode {
    int Bits, Length;
    Mode M;
  };
  const ModeCode modes[] = {
      {0b1, 1, kV0},        {0b011, 3, kVR1},          {0b010, 3, kVL1},    {0b001, 3, kHorizontal},
      {0b0001, 4, kPass},   {0b000011, 6, kVR2},       {0b000010, 6, kVL2}, {0b0000011, 7, kVR3},
      {0b0000010, 7, kVL3}, {0b0000001, 7, kExtension}};
  t.Modes.fill(static_cast<std::uint8_t>(kInvalid | (7 << 4)));
  for (const ModeCode& m : modes) {
    const int spare = 7 - m.Length;
    for (int i = 0; i < (1 << spare); ++i) {
      t.Modes[static_cast<std::size_t>((m.Bits << spare) + i)] =
          static_cast<std::uint8_t>(m.M | (m.Length << 4));
    }
  }
  t.Offset[kV0] = 0;
  t.Offset[kVR1] = 1;
  t.Offset[kVL1] = -1;
  t.Offset[kVR2] = 2;
  t.Offset[kVL2] = -2;
  t.Offset[kVR3] = 3;
  t.Offset[kVL3] = -3;
  for (int mode = kV0; mode <= kVL3; ++mode)
    t.Next[static_cast<std::size_t>(mode)] = t.Offset[static_cast<std::size_t>(mode)] >= 0 ? 1 : -1;
  return t;
}

const CodeTables& Tables() {
  static const CodeTables tables = BuildTables();
  return tables;
}

// The strip, most significant bit first, followed by zero bytes so that a
// 64-bit load at any bit position up to the end stays inside.
class BitSource {
 public:
  BitSource(const G4Strip& strip) : bytes_(strip.Length + 16, 0), total_(std::uint64_t{strip.Length} * 8) {
    if (strip.Length == 0) return;
    if (!strip.LsbFirst) {
      std::memcpy(bytes_.data(), strip.Data, strip.Length);
    } else {
      static const std::array<std::uint8_t, 256> reversed = [] {
        std::array<std::uint8_t, 256> r{};
        for (int i = 0; i < 256; ++i) {
          int v = 0;
          for (int b = 0; b < 8; ++b) v |= ((i >> b) & 1) << (7 - b);
          r[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v);
        }
        return r;
      }();
      for (std::size_t i = 0; i < strip.Length; ++i) bytes_[i] = reversed[strip.Data[i]];
    }
  }
  const std::uint8_t* Data() const { return bytes_.data(); }
  std::uint64_t Total() const { return total_; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint64_t total_;
};

// The bit reader's state: Acc holds the next bits of the strip from its most
// significant end, Avail of them valid, and Next is the strip bit just after
// them. Refill loads at least 57 bits while that many are left, and within the
// last ones exactly the bits left: so while Avail is 32 or more no code can
// reach past the end of the data, and below that every code is tested against
// Avail, which then counts exactly what is left.
struct BitReader {
  std::uint64_t Acc = 0;
  int Avail = 0;
  std::uint64_t Next = 0;  // strip bit after the valid bits of Acc
};

inline std::uint64_t LoadBigEndian64(const std::uint8_t* p) {
  std::uint64_t word;
  std::memcpy(&word, p, 8);
  return __builtin_bswap64(word);
}

__attribute__((always_inline)) inline void Refill(const std::uint8_t* data, std::uint64_t total,
                                                  std::uint64_t& acc, int& avail, std::uint64_t& next) {
  const std::uint64_t pos = next - static_cast<std::uint64_t>(avail);
  acc = LoadBigEndian64(data + (pos >> 3)) << (pos & 7);
  const std::uint64_t left = total - pos;
  const int loaded = 64 - static_cast<int>(pos & 7);
  avail = left < static_cast<std::uint64_t>(loaded) ? static_cast<int>(left) : loaded;
  next = pos + static_cast<std::uint64_t>(avail);
}

// True when a code of the given length (0: no code matched) does not lie
// within the avail bits: one unsigned comparison tests both.
inline bool Unmatched(int length, int avail) {
  return static_cast<unsigned>(length - 1) >= static_cast<unsigned>(avail);
}

// The rest of a run after its first make-up code, from strip bit pos: more
// make-up codes, then a terminating code. T.4 codes a run of 2560 pixels or
// more as a chain of make-up codes, so any number of them may follow, but
// their sum may not pass room, the pixels left to the line end: a run never
// passes the line end, and a corrupt chain cannot run on. Past the end of the
// data the code reads as all ones (see ReadRun).
template <bool kWhite>
__attribute__((noinline)) int ReadMakeUpChain(const std::uint8_t* data, std::uint64_t& pos,
                                              std::uint64_t total, const std::uint16_t* table, int run,
                                              int room) {
  constexpr int kFirst = kWhite ? 4 : 2;
  constexpr int kBits = kWhite ? kWhiteBits : kBlackBits;
  constexpr int kAllOnes = kWhite ? 7 : 2;
  for (;;) {
    if (run > room) return kNoMatch;
    if (total - pos < kFirst) {
      pos = total;
      return run + kAllOnes;
    }
    const std::uint16_t entry = table[(LoadBigEndian64(data + (pos >> 3)) << (pos & 7)) >> (64 - kBits)];
    const unsigned length = entry >> 12;
    if (length == 0 || length > total - pos) return kNoMatch;
    pos += length;
    const int part = entry & 0xFFF;
    run += part;
    if (part < 64) return run;
  }
}

// One run: a terminating code, or a chain of make-up codes and a terminating
// code (ReadMakeUpChain), with room pixels left to the line end. Past the end
// of the data the code reads as all ones, which within the first kFirst bits
// is the terminating code of run 7 (white) or 2 (black) and after them matches
// nothing. kNoMatch when no code matches.
template <bool kWhite>
__attribute__((always_inline)) inline int ReadRun(const std::uint8_t* data, std::uint64_t total,
                                                  std::uint64_t& acc, int& avail, std::uint64_t& next,
                                                  const std::uint16_t* table, int room) {
  constexpr int kFirst = kWhite ? 4 : 2;
  constexpr int kBits = kWhite ? kWhiteBits : kBlackBits;
  constexpr int kAllOnes = kWhite ? 7 : 2;
  if (avail < 16) {
    Refill(data, total, acc, avail, next);
    if (avail < kFirst) {  // all that is left, then ones
      avail = 0;
      return kAllOnes;
    }
  }
  const std::uint16_t entry = table[acc >> (64 - kBits)];
  const int length = entry >> 12;
  if (Unmatched(length, avail)) return kNoMatch;
  acc <<= length;
  avail -= length;
  const int run = entry & 0xFFF;
  if (run < 64) return run;
  std::uint64_t pos = next - static_cast<std::uint64_t>(avail);
  const int chained = ReadMakeUpChain<kWhite>(data, pos, total, table, run, room);
  next = pos;  // the next read refills
  avail = 0;
  return chained;
}

// The row being decoded is painted as it goes: each change at pixel p (from
// 1) flips the colour from p to the end of its 64-pixel word, and FlushRow
// carries the colour from word to word. Bit 63 of a word is its first pixel.
// Changes lie at most a few hundred pixels past the width, even on a line
// that fails, so kTogglePadding words after the row's take them.
constexpr int kTogglePadding = 8;

inline void Toggle(std::uint64_t* toggles, int at) {
  const unsigned p = static_cast<unsigned>(at - 1);
  toggles[p >> 6] ^= ~std::uint64_t{0} >> (p & 63);
}

struct UncompressedState {
  std::uint64_t Pos;
  int M, Limit, A0, J;
  std::uint64_t* Toggles;
};

// Uncompressed mode, after the mode code 0000001: the extension code 111, then
// patterns until an exit code. Returns 0 to go on decoding modes, else the
// result of the line. The state is that of DecodeLine, whose a0 is white when
// M is odd, before and after.
__attribute__((noinline)) std::uint8_t UncompressedMode(UncompressedState& s, const std::uint8_t* data,
                                                        std::uint64_t total, int width, std::int32_t* cur) {
  auto append = [&](int at, int entryWhite) {
    if (entryWhite != (s.M & 1)) {
      cur[s.M++] = at;
      Toggle(s.Toggles, at);
    } else {
      --s.Limit;
    }
    return s.M < s.Limit;
  };
  auto bit = [&]() -> int {
    if (s.Pos >= total) return -1;
    const int b = (data[s.Pos >> 3] >> (7 - (s.Pos & 7))) & 1;
    ++s.Pos;
    return b;
  };
  const int white = s.M & 1;  // a0's colour on entry
  if (total - s.Pos < 3 || (LoadBigEndian64(data + (s.Pos >> 3)) << (s.Pos & 7)) >> 61 != 7) {
    return erMaxLineBlk;
  }
  s.Pos += 3;
  for (;;) {
    if (s.A0 > width) return erMaxLineBlk;
    int zeros = 0;
    while (zeros < 11) {
      const int b = bit();
      if (b < 0) return erMaxLineBlk;
      if (b == 1) break;
      ++zeros;
    }
    if (zeros == 11) continue;  // no pixels
    if (zeros <= 4) {           // zeros white pixels, then one black
      if (zeros > 0 && !append(s.A0, 1)) return erMaxLineBlk;
      if (!append(s.A0 + zeros, 0)) return erMaxLineBlk;
      s.A0 += zeros + 1;
    } else if (zeros == 5) {  // five white pixels
      if (!append(s.A0, 1)) return erMaxLineBlk;
      s.A0 += 5;
    } else {  // exit after zeros - 6 white pixels; the tag bit gives a0's colour
      const int whites = zeros - 6;
      const int tag = bit();
      if (tag < 0) return erMaxLineBlk;
      if (whites > 0) {
        if (!append(s.A0, 1)) return erMaxLineBlk;
        s.A0 += whites;
      }
      // The tag's colour holds from a0 on: a change when the line's last
      // entry is of the other colour.
      const int now = tag == 0;
      if (now != (s.M & 1) && !append(s.A0, now)) return erMaxLineBlk;
      // b1 takes the other parity: one index back, as what lies before it is
      // left of a0; from index 0 (changes to white) that is the line's first
      // change to black.
      if (now != white) s.J = s.J > 0 ? s.J - 1 : 1;
      return 0;
    }
  }
}

// Decodes one coded line. The reference line and the coding line are held as
// their changing elements only (entries whose colour differs from the entry
// before): entries that go on in the same colour paint nothing, and the b1
// and b2 searches never stop at them, so the pixels and every a0 are those of
// the full list of entries. All appended entries count towards the limit.
// ref is followed by three sentinels of width + 1; so is cur when the line is
// finished. Returns erOk, erDecode or erMaxLineBlk.
//
// Between modes the colour of a0 is that of the line's last change (every mode
// leaves a0 in the colour it appended last, an exit from uncompressed mode
// included), so it is not kept apart: with m changes kept, a0 is white when m
// is odd. A vertical mode and each run of a horizontal mode therefore always
// add a change, and a pass mode within the line never does.
//
// The state lives in plain locals, with no closures over it, so that it stays
// in registers.
std::uint8_t DecodeLine(const CodeTables& t, const std::uint8_t* data, std::uint64_t total, BitReader& bits,
                        int width, const std::int32_t* ref, int refCount, std::int32_t* cur, int& curCount,
                        std::uint64_t* toggles) {
  const int end = width + 1;
  std::uint64_t acc = bits.Acc;
  int avail = bits.Avail;
  std::uint64_t next = bits.Next;
  int m = 1;                // changes kept in cur; a0 is white when m is odd
  int limit = CMaxLineBlk;  // the entry limit less the entries appended but not kept
  int a0 = 1;
  int origin = 0;  // where b1 is searched from: 0 at the start of a line, else a0
  // Candidate index of b1 in ref. It has the parity of the changes to the
  // colour opposite a0's (odd: changes to black), and every change of that
  // parity before it lies at or left of origin, so stepping it on by two finds
  // b1: the first such change right of origin, or a sentinel (width + 1) at
  // refCount or beyond when there is none.
  int j = 1;
  cur[0] = 1;
  std::uint8_t result = erOk;

#define ZORVEL_KEEP(at)      \
  do {                       \
    cur[m++] = (at);         \
    Toggle(toggles, (at));   \
    if (m >= limit) {        \
      result = erMaxLineBlk; \
      goto done;             \
    }                        \
  } while (0)

  while (a0 <= width) {
    if (avail < 32) Refill(data, total, acc, avail, next);
    // V0, the commonest code: "1". The window holds zeros past the end of the
    // data, so a 1 there is a bit of the data.
    if (static_cast<std::int64_t>(acc) < 0) {
      acc <<= 1;
      --avail;
      while (ref[j] <= origin) j += 2;
      a0 = ref[j];  // never left of a0: b1 lies right of origin, which is a0 or 0
      ZORVEL_KEEP(a0);
      origin = a0;
      ++j;
      continue;
    }
    const std::uint8_t code = t.Modes[acc >> 57];
    const int length = code >> 4;
    if (length > avail) {  // the data end inside the mode code
      result = erMaxLineBlk;
      goto done;
    }
    acc <<= length;
    avail -= length;
    const unsigned mode = code & 15;
    if (mode <= kVL3) {
      while (ref[j] <= origin) j += 2;
      const int a1 = ref[j] + t.Offset[mode];
      if (a1 < a0) {  // corrupt: a change left of a0
        result = erMaxLineBlk;
        goto done;
      }
      ZORVEL_KEEP(a1);
      a0 = a1;
      origin = a1;
      // The colour flips, so b1 takes the other parity: j + 1 when a1 is at or
      // right of b1, else j - 1; the changes before either lie left of a1.
      j += t.Next[mode];
    } else if (mode == kHorizontal) {
      int first;
      int second = kNoMatch;
      if (m & 1) {
        first = ReadRun<true>(data, total, acc, avail, next, t.White.data(), end - a0);
        if (first != kNoMatch) {
          second = ReadRun<false>(data, total, acc, avail, next, t.Black.data(), end - a0 - first);
        }
      } else {
        first = ReadRun<false>(data, total, acc, avail, next, t.Black.data(), end - a0);
        if (first != kNoMatch) {
          second = ReadRun<true>(data, total, acc, avail, next, t.White.data(), end - a0 - first);
        }
      }
      if (first == kNoMatch) {
        result = erDecode;
        goto done;
      }
      a0 += first;
      ZORVEL_KEEP(a0);
      if (second == kNoMatch) {
        result = erDecode;
        goto done;
      }
      a0 += second;
      ZORVEL_KEEP(a0);
      origin = a0;
    } else if (mode == kPass) {
      while (ref[j] <= origin) j += 2;
      if (j >= refCount) {  // no b1: the end, in b1's colour, which ends the line
        ZORVEL_KEEP(end);
      } else if (m >= --limit) {  // b2, or the end when there is none, in a0's colour: no change
        result = erMaxLineBlk;
        goto done;
      }
      if (j + 1 >= refCount) {
        a0 = end;
      } else {
        a0 = ref[j + 1];
        j += 2;  // b1 lies at or left of the new a0
      }
      origin = a0;
    } else if (mode == kExtension) {
      // Rare: in a function of its own, on a copy of the state.
      UncompressedState u{next - static_cast<std::uint64_t>(avail), m, limit, a0, j, toggles};
      result = UncompressedMode(u, data, total, width, cur);
      next = u.Pos;  // the next read refills
      avail = 0;
      m = u.M;
      limit = u.Limit;
      a0 = u.A0;
      j = u.J;
      origin = a0;
      if (result != 0) goto done;
    } else {
      result = erMaxLineBlk;  // invalid mode code
      goto done;
    }
  }
#undef ZORVEL_KEEP
  result = a0 == end ? erOk : erDecode;
  cur[m] = end;
  cur[m + 1] = end;
  cur[m + 2] = end;
  curCount = m;
done:
  bits.Acc = acc;
  bits.Avail = avail;
  bits.Next = next;
  return result;
}

inline void StoreBigEndian64(std::uint8_t* p, std::uint64_t word) {
  word = __builtin_bswap64(word);
  std::memcpy(p, &word, 8);
}

// Paints a line held as its changing positions (changes[0] = 1 starts white,
// the colours alternate from there, changes[count] and on are sentinels) into
// the row, 64 pixels at a time: each change flips the colour from its pixel to
// the end of the word. Writes whole 8-byte words, so the row needs up to 7
// spare bytes after its last; the bits after the last pixel come out 0.
void PaintChanges(std::int32_t* changes, int count, int width, std::uint8_t* row) {
  const std::int32_t sentinel = changes[count];
  changes[count] = std::numeric_limits<std::int32_t>::max();  // stops the last word's scan
  std::uint64_t fill = ~std::uint64_t{0};                     // the colour at the start of the word
  int i = 1;
  std::uint8_t* out = row;
  for (int wordEnd = 64; wordEnd - 64 < width; wordEnd += 64) {
    std::uint64_t word = fill;
    for (; changes[i] <= wordEnd; ++i) word ^= ~std::uint64_t{0} >> ((changes[i] - 1) & 63);
    fill = std::uint64_t{0} - (word & 1);
    StoreBigEndian64(out, word);
    out += 8;
  }
  changes[count] = sentinel;
  if (width & 7) row[width >> 3] &= static_cast<std::uint8_t>(0xFF << (8 - (width & 7)));
}

// Turns the flips that DecodeLine made for a finished line of count changes
// into its row, 1 white, and clears them for the next line. Writes whole
// 8-byte words, so the row needs up to 7 spare bytes after its last; the bits
// after the last pixel come out 0. A line with few changes is painted from its
// changes, the words between them filled whole; a busy one word by word.
void FlushRow(std::uint64_t* toggles, const std::int32_t* changes, int count, int width, std::uint8_t* row) {
  const int words = (width + 63) >> 6;
  std::uint64_t carry = 0;  // all ones while the colour is black
  if (2 * count < words) {
    int w = 0;  // the first word not yet written
    for (int i = 1; i < count && w < words; ++i) {
      const int at = (changes[i] - 1) >> 6;
      if (at < w) continue;  // its word is written
      const int solid = std::min(at, words) - w;
      std::memset(row + 8 * w, carry ? 0x00 : 0xFF, 8 * static_cast<std::size_t>(solid));
      w += solid;
      if (w == words) break;
      const std::uint64_t black = toggles[w] ^ carry;
      toggles[w] = 0;
      carry = std::uint64_t{0} - (black & 1);
      StoreBigEndian64(row + 8 * w, ~black);
      ++w;
    }
    std::memset(row + 8 * w, carry ? 0x00 : 0xFF, 8 * static_cast<std::size_t>(words - w));
  } else {
    for (int w = 0; w < words; ++w) {
      const std::uint64_t black = toggles[w] ^ carry;
      toggles[w] = 0;
      carry = std::uint64_t{0} - (black & 1);
      StoreBigEndian64(row + 8 * w, ~black);
    }
  }
  toggles[words] = 0;  // a change at width + 1 when the width fills the last word
  if (width & 7) row[width >> 3] &= static_cast<std::uint8_t>(0xFF << (8 - (width & 7)));
}

}  // namespace

void InitCodeTables() {
  Tables();
}

void RenderRow(const std::int32_t* line, int lastIndex, std::uint8_t* row, int width) {
  // Keep the entries that change the colour; the others paint nothing new.
  std::vector<std::int32_t> changes;
  changes.reserve(static_cast<std::size_t>(lastIndex) + 3);
  changes.push_back(1);
  for (int i = 1; i <= lastIndex; ++i) {
    const bool entryWhite = line[i] > 0;
    if (entryWhite != (changes.size() % 2 == 1)) changes.push_back(line[i] < 0 ? -line[i] : line[i]);
  }
  const int count = static_cast<int>(changes.size());
  changes.push_back(width + 1);
  const std::size_t bytesPerRow = static_cast<std::size_t>((width + 7) / 8);
  std::vector<std::uint8_t> padded(bytesPerRow + 8);
  PaintChanges(changes.data(), count, width, padded.data());
  std::memcpy(row, padded.data(), bytesPerRow);
}

std::uint8_t DecodeG4(const G4Strip& strip, int width, int length, int firstRow, int rowCount,
                      std::vector<std::uint8_t>& rows, std::int32_t* lineA, std::int32_t* lineB) {
  const CodeTables& t = Tables();
  if (width < 0 || width > kMaxImageWidth || length < 0) return erHeader;
  if (firstRow > length) return erRowRange;
  if (firstRow < 1) firstRow = 1;

  std::vector<std::int32_t> own;
  if (!lineA || !lineB) {
    own.resize(2 * kLineCapacity);
    lineA = own.data();
    lineB = own.data() + kLineCapacity;
  }
  const BitSource source(strip);
  const std::uint8_t* data = source.Data();
  const std::uint64_t total = source.Total();
  BitReader bits;
  const std::size_t bytesPerRow = static_cast<std::size_t>((width + 7) / 8);
  // Each row is painted in a scratch row, in whole 8-byte words, and then
  // appended: the scratch row stays in the cache.
  std::vector<std::uint8_t> scratch(bytesPerRow + 8);

  // The line above the first row: all white.
  std::int32_t* ref = lineA;
  std::int32_t* cur = lineB;
  ref[0] = 1;
  ref[1] = width + 1;
  ref[2] = width + 1;
  ref[3] = width + 1;
  ref[4] = width + 1;
  int refCount = 2;
  int stored = 0;
  std::vector<std::uint64_t> toggles(static_cast<std::size_t>((width + 63) / 64 + kTogglePadding), 0);
  for (int row = 1; row <= length; ++row) {
    int curCount = 0;
    const std::uint8_t result =
        DecodeLine(t, data, total, bits, width, ref, refCount, cur, curCount, toggles.data());
    if (result != erOk) return result;
    std::swap(ref, cur);
    refCount = curCount;
    FlushRow(toggles.data(), ref, refCount, width, scratch.data());
    if (row >= firstRow && stored < rowCount) {
      rows.insert(rows.end(), scratch.begin(), scratch.begin() + static_cast<long>(bytesPerRow));
      if (++stored == rowCount) break;
    }
  }
  return erOk;
}

std::uint8_t DecodeRows(ATifG4& tif, int firstRow, int rowCount, std::vector<std::uint8_t>& rows) {
  const std::uint8_t prepared = PrepareDecoding(tif);
  if (prepared != erOk) return prepared;
  G4Strip strip{tif.Strip.data(), tif.Strip.size(), tif.LsbFirst};
  try {
    return DecodeG4(strip, tif.ImageWidth, tif.ImageLength, firstRow, rowCount, rows, tif.LineA.data(),
                    tif.LineB.data());
  } catch (const std::bad_alloc&) {
    return erMemory;
  }
}

}  // namespace zorvel
