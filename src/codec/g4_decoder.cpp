#include "codec/g4_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>
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

inline std::uint32_t Peek32(const std::uint8_t* data, std::uint64_t pos) {
  std::uint64_t word;
  std::memcpy(&word, data + (pos >> 3), 8);
  word = __builtin_bswap64(word);
  return static_cast<std::uint32_t>((word << (pos & 7)) >> 32);
}

// The rest of a run after its first make-up code: more make-up codes, then a
// terminating code. T.4 codes a run of 2560 pixels or more as a chain of make-up
// codes, so any number of them may follow, but their sum may not pass room,
// the pixels left to the line end: a run never passes the line end, and a
// corrupt chain cannot run on. The end of the data is tested at every code, as
// a chain can be long; past it the code reads as all ones (see ReadRun).
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
    const std::uint16_t entry = table[Peek32(data, pos) >> (32 - kBits)];
    const unsigned length = entry >> 12;
    if (length == 0 || length > total - pos) return kNoMatch;
    pos += length;
    const int part = entry & 0xFFF;
    run += part;
    if (part < 64) return run;
  }
}

// One run: a terminating code, or a chain of make-up codes and a terminating
// code (ReadMakeUpChain). Past the end of the data the code reads as all ones,
// which within the first kFirst bits is the terminating code of run 7 (white)
// or 2 (black) and after them matches nothing. Unchecked, at least 64 bits
// remain, enough for the first code of both runs of a horizontal mode: no test
// is needed for it.
template <bool kWhite, bool kChecked>
inline int ReadRun(const std::uint8_t* data, std::uint64_t& pos, std::uint64_t total,
                   const std::uint16_t* table, int room) {
  constexpr int kFirst = kWhite ? 4 : 2;
  constexpr int kBits = kWhite ? kWhiteBits : kBlackBits;
  constexpr int kAllOnes = kWhite ? 7 : 2;
  if (kChecked && total - pos < kFirst) {
    pos = total;
    return kAllOnes;
  }
  const std::uint16_t entry = table[Peek32(data, pos) >> (32 - kBits)];
  const unsigned length = entry >> 12;
  if (length == 0 || (kChecked && length > total - pos)) return kNoMatch;
  pos += length;
  const int run = entry & 0xFFF;
  if (run < 64) return run;
  return ReadMakeUpChain<kWhite>(data, pos, total, table, run, room);
}

// Masks that keep the bits of a 64-bit window outside a run of length bits
// starting shift bits from its most significant end (shift + length <= 64).
constexpr std::array<std::uint64_t, 8 * 65> kKeepOutsideRun = [] {
  std::array<std::uint64_t, 8 * 65> masks{};
  for (int shift = 0; shift < 8; ++shift) {
    for (int length = 1; shift + length <= 64; ++length) {
      const std::uint64_t run = (~std::uint64_t{0} >> shift) & (~std::uint64_t{0} << (64 - shift - length));
      masks[static_cast<std::size_t>(shift * 65 + length)] = ~run;
    }
  }
  return masks;
}();

inline std::uint64_t LoadBigEndian64(const std::uint8_t* p) {
  std::uint64_t word;
  std::memcpy(&word, p, 8);
  return __builtin_bswap64(word);
}

inline void StoreBigEndian64(std::uint8_t* p, std::uint64_t word) {
  word = __builtin_bswap64(word);
  std::memcpy(p, &word, 8);
}

// Paints a line held as its changing positions into a row that is all white
// (0xFF) and has 8 spare bytes after its last: changes[0] = 1 starts white and
// the colours alternate from there, so the odd indexes start black runs.
// changes[count] is a sentinel of width + 1, so the last change holds to the
// end of the row; no change exceeds it. The bits after the last pixel come out 0.
void RenderChanges(const std::int32_t* changes, int count, int width, std::uint8_t* row) {
  for (int i = 1; i < count; i += 2) {
    const int from = changes[i] - 1;  // black pixels from .. to - 1, 0-based
    const int to = changes[i + 1] - 1;
    if (to <= from) continue;
    std::uint8_t* at = row + (from >> 3);
    const int shift = from & 7;
    const int length = to - from;
    if (shift + length <= 64) {  // within one 64-bit window: clear its bits at once
      StoreBigEndian64(at,
                       LoadBigEndian64(at) & kKeepOutsideRun[static_cast<std::size_t>(shift * 65 + length)]);
    } else {
      const int last = (to - 1) >> 3;
      *at &= static_cast<std::uint8_t>(~(0xFF >> shift));
      std::memset(at + 1, 0, static_cast<std::size_t>(last - (from >> 3) - 1));
      row[last] &= static_cast<std::uint8_t>(~(0xFF << (7 - ((to - 1) & 7))));
    }
  }
  if (width & 7) row[width >> 3] &= static_cast<std::uint8_t>(0xFF << (8 - (width & 7)));
}

struct UncompressedState {
  std::uint64_t Pos;
  int M, Limit, A0, White, J;
};

// Uncompressed mode, after the mode code 0000001: the extension code 111, then
// patterns until an exit code. Returns 0 to go on decoding modes, else the
// result of the line. The state is that of DecodeLine.
__attribute__((noinline)) std::uint8_t UncompressedMode(UncompressedState& s, const std::uint8_t* data,
                                                        std::uint64_t total, int width, std::int32_t* cur) {
  auto append = [&](int at, int entryWhite) {
    if (entryWhite != (s.M & 1)) {
      cur[s.M++] = at;
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
  if (total - s.Pos < 3 || (Peek32(data, s.Pos) >> 29) != 7) return erMaxLineBlk;
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
      if (now != s.White) s.J = s.J > 0 ? s.J - 1 : 1;
      s.White = now;
      return 0;
    }
  }
}

// Reads the two runs of a horizontal mode code, the first in a0's colour, with
// room pixels left to the line end. Either is kNoMatch when its code matches
// nothing.
template <bool kChecked>
__attribute__((always_inline)) inline void ReadRunPair(const CodeTables& t, const std::uint8_t* data,
                                                       std::uint64_t& pos, std::uint64_t total, int white,
                                                       int room, int& first, int& second) {
  // After a chain of make-up codes in the first run the end may be near.
  if (white) {
    first = ReadRun<true, kChecked>(data, pos, total, t.White.data(), room);
    if (first == kNoMatch) return;
    const bool checkSecond = kChecked || total - pos < 64;
    second = checkSecond ? ReadRun<false, true>(data, pos, total, t.Black.data(), room - first)
                         : ReadRun<false, false>(data, pos, total, t.Black.data(), room - first);
  } else {
    first = ReadRun<false, kChecked>(data, pos, total, t.Black.data(), room);
    if (first == kNoMatch) return;
    const bool checkSecond = kChecked || total - pos < 64;
    second = checkSecond ? ReadRun<true, true>(data, pos, total, t.White.data(), room - first)
                         : ReadRun<true, false>(data, pos, total, t.White.data(), room - first);
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
// The state lives in plain locals, with no closures over it, so that it stays
// in registers.
std::uint8_t DecodeLine(const CodeTables& t, const std::uint8_t* data, std::uint64_t& position,
                        std::uint64_t total, int width, const std::int32_t* ref, int refCount,
                        std::int32_t* cur, int& curCount) {
  const int end = width + 1;
  // Every mode reads at most 55 bits before it tests for the end of the data
  // (a horizontal mode code and the first code of each run; uncompressed mode
  // and chains of make-up codes test every code), so while 64 are left no test
  // is needed.
  const std::uint64_t fastEnd = total >= 64 ? total - 64 : 0;
  std::uint64_t pos = position;
  int m = 1;                // changes kept in cur; the last one is white when m is odd
  int limit = CMaxLineBlk;  // the entry limit less the entries appended but not kept
  int a0 = 1;
  int origin = 0;  // where b1 is searched from: 0 at the start of a line, else a0
  int white = 1;   // colour of a0
  // Candidate index of b1 in ref. It has the parity of the changes to the
  // colour opposite a0's (odd: changes to black), and every change of that
  // parity before it lies at or left of origin, so stepping it on by two finds
  // b1: the first such change right of origin, or a sentinel (width + 1) at
  // refCount or beyond when there is none.
  int j = 1;
  cur[0] = 1;
  std::uint8_t result = erOk;

// Appends an entry of the colour at the position; fails the line at the limit.
#define ZORVEL_APPEND(at, entryWhite) \
  do {                                \
    if ((entryWhite) != (m & 1)) {    \
      cur[m++] = (at);                \
    } else {                          \
      --limit;                        \
    }                                 \
    if (m >= limit) {                 \
      result = erMaxLineBlk;          \
      goto done;                      \
    }                                 \
  } while (0)

  while (a0 <= width) {
    const bool checked = pos >= fastEnd;
    const std::uint8_t code = t.Modes[Peek32(data, pos) >> 25];
    const unsigned length = code >> 4;
    if (checked && length > total - pos) {  // the data end inside the mode code
      result = erMaxLineBlk;
      goto done;
    }
    pos += length;
    const unsigned mode = code & 15;
    if (mode <= kVL3) {
      while (ref[j] <= origin) j += 2;
      const int a1 = ref[j] + t.Offset[mode];
      if (a1 < a0) {  // corrupt: a change left of a0
        result = erMaxLineBlk;
        goto done;
      }
      ZORVEL_APPEND(a1, white ^ 1);
      a0 = a1;
      origin = a1;
      white ^= 1;
      // The colour flips, so b1 takes the other parity: j + 1 when a1 is at or
      // right of b1, else j - 1; the changes before either lie left of a1.
      j += t.Next[mode];
    } else if (mode == kHorizontal) {
      int first = 0;
      int second = 0;
      if (checked) {
        ReadRunPair<true>(t, data, pos, total, white, end - a0, first, second);
      } else {
        ReadRunPair<false>(t, data, pos, total, white, end - a0, first, second);
      }
      if (first == kNoMatch) {
        result = erDecode;
        goto done;
      }
      a0 += first;
      ZORVEL_APPEND(a0, white ^ 1);
      if (second == kNoMatch) {
        result = erDecode;
        goto done;
      }
      a0 += second;
      ZORVEL_APPEND(a0, white);
      origin = a0;
    } else if (mode == kPass) {
      while (ref[j] <= origin) j += 2;
      if (j >= refCount) {  // no b1: the end, in b1's colour
        ZORVEL_APPEND(end, white ^ 1);
        a0 = end;
      } else if (j + 1 >= refCount) {  // no b2: the end, in a0's colour
        ZORVEL_APPEND(end, white);
        a0 = end;
      } else {
        ZORVEL_APPEND(ref[j + 1], white);
        a0 = ref[j + 1];
        j += 2;  // b1 lies at or left of the new a0
      }
      origin = a0;
    } else if (mode == kExtension) {
      // Rare: in a function of its own, on a copy of the state.
      UncompressedState u{pos, m, limit, a0, white, j};
      result = UncompressedMode(u, data, total, width, cur);
      pos = u.Pos;
      m = u.M;
      limit = u.Limit;
      a0 = u.A0;
      white = u.White;
      j = u.J;
      origin = a0;
      if (result != 0) goto done;
    } else {
      result = erMaxLineBlk;  // invalid mode code
      goto done;
    }
  }
#undef ZORVEL_APPEND
  result = a0 == end ? erOk : erDecode;
  cur[m] = end;
  cur[m + 1] = end;
  cur[m + 2] = end;
  curCount = m;
done:
  position = pos;
  return result;
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
  std::vector<std::uint8_t> padded(bytesPerRow + 8, 0xFF);
  RenderChanges(changes.data(), count, width, padded.data());
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
  std::uint64_t pos = 0;
  const std::size_t bytesPerRow = static_cast<std::size_t>((width + 7) / 8);
  std::vector<std::uint8_t> scratch(bytesPerRow + 8);  // one row and room for 64-bit writes

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
  for (int row = 1; row <= length; ++row) {
    int curCount = 0;
    const std::uint8_t result = DecodeLine(t, data, pos, total, width, ref, refCount, cur, curCount);
    if (result != erOk) return result;
    std::swap(ref, cur);
    refCount = curCount;
    if (row >= firstRow && stored < rowCount) {
      std::memset(scratch.data(), 0xFF, bytesPerRow);
      RenderChanges(ref, refCount, width, scratch.data());
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
