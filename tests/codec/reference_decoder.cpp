#include "reference_decoder.h"

#include <map>
#include <string>

#include "codec/result_codes.h"
#include "codec/t4_codes.h"

namespace zorvel::test {

namespace {

constexpr std::uint16_t kEndOfData = 0xFFFF;
constexpr int kNoCode = -32000;  // 0x8300

// A colour's codes, by length and by the code with every bit above the length set.
using CodeTable = std::map<std::pair<int, std::uint16_t>, int>;

struct ColourTables {
  CodeTable MakeUp, Terminating;
};

void AddCodes(CodeTable& table, std::span<const T4Code> codes) {
  for (const T4Code& code : codes)
    table.emplace(
        std::pair{int(code.Length), static_cast<std::uint16_t>(code.Bits | (0xFFFF << code.Length))},
        code.Run);
}

ColourTables MakeTables(std::span<const T4Code> terminating, std::span<const T4Code> makeUp) {
  ColourTables tables;
  AddCodes(tables.Terminating, terminating);
  AddCodes(tables.MakeUp, makeUp);
  AddCodes(tables.MakeUp, ExtendedMakeUpCodes());
  return tables;
}

const ColourTables& CodeTables(bool white) {
  static const ColourTables whiteTables = MakeTables(WhiteTerminatingCodes(), WhiteMakeUpCodes());
  static const ColourTables blackTables = MakeTables(BlackTerminatingCodes(), BlackMakeUpCodes());
  return white ? whiteTables : blackTables;
}

class Reference {
 public:
  Reference(const std::uint8_t* strip, std::size_t length, bool lsbFirst, int width)
      : strip_(strip), length_(length), lsbFirst_(lsbFirst), width_(width) {}

  std::uint8_t Decode(int imageLength, int firstRow, int rowCount, std::vector<std::uint8_t>& rows) {
    if (firstRow > imageLength) return erRowRange;
    if (firstRow < 1) firstRow = 1;
    const int bytesPerRow = (width_ + 7) / 8;
    ref_ = {1, -(width_ + 1)};
    int decoded = 0, stored = 0;
    while (decoded < imageLength) {
      a0_ = 1;
      while (a0_ <= width_) {
        const std::uint8_t result = DecodeMode();
        if (result != erOk) return result;
      }
      if (a0_ != width_ + 1) return erDecode;
      ref_.swap(cur_);
      cur_.assign(1, 1);
      white_ = true;
      firstOfLine_ = true;
      refIndex_ = 0;
      ++decoded;
      if (decoded >= firstRow && stored < rowCount) {
        rows.resize(rows.size() + static_cast<std::size_t>(bytesPerRow), 0);
        RenderRow(rows.data() + rows.size() - bytesPerRow);
        if (++stored == rowCount) break;
      }
    }
    return erOk;
  }

 private:
  std::uint16_t ReadBit() {
    if ((bitPos_ >> 3) >= length_) return kEndOfData;
    const std::size_t shift = lsbFirst_ ? bitPos_ & 7 : 7 - (bitPos_ & 7);
    return (strip_[bitPos_++ >> 3] >> shift) & 1;
  }

  // Reads a code of the colour over the given lengths, the first at once.
  int ReadCode(const ColourTables& tables, const std::vector<int>& lengths, bool* wasMakeUp) {
    std::uint16_t value = 0;
    int have = 0;
    for (; have < lengths.front(); ++have) value = static_cast<std::uint16_t>((value << 1) | ReadBit());
    value = static_cast<std::uint16_t>(value | (0xFFFF << have));
    for (int length : lengths) {
      for (; have < length; ++have) value = static_cast<std::uint16_t>((value << 1) | ReadBit());
      const std::pair key{length, value};
      if (const auto m = tables.MakeUp.find(key); m != tables.MakeUp.end()) {
        *wasMakeUp = true;
        return m->second;
      }
      if (const auto t = tables.Terminating.find(key); t != tables.Terminating.end()) return t->second;
    }
    return kNoCode;
  }

  // A run: make-up codes, as many as come, then a terminating code. The make-up
  // codes may not add up to more than room, the pixels left to the line end.
  int ReadRun(bool white, int room) {
    static const std::vector<int> whiteRun = {4, 5, 6, 7, 8, 9, 11, 12};  // 10 is not tried
    static const std::vector<int> blackRun = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    int sum = 0;
    for (;;) {
      bool makeUp = false;
      const int run = ReadCode(CodeTables(white), white ? whiteRun : blackRun, &makeUp);
      if (run == kNoCode) return kNoCode;
      sum += run;
      if (!makeUp) return sum;
      if (sum > room) return kNoCode;
    }
  }

  int Position(int entry) const { return entry < 0 ? -entry : entry; }

  bool Append(int entry) {
    cur_.push_back(entry);
    return static_cast<int>(cur_.size()) < CMaxLineBlk;
  }

  // Returns b1's position; refIndex_ == count when b1 is the end.
  int FindB1() {
    const int count = static_cast<int>(ref_.size());
    if (refIndex_ > count - 1) refIndex_ = count - 1;
    while (refIndex_ > 0 && Position(ref_[refIndex_]) > a0_) --refIndex_;
    const int a0 = firstOfLine_ ? 0 : a0_;
    while (refIndex_ < count) {
      const int e = ref_[refIndex_];
      if (white_ && e < 0 && -e > a0 && ref_[refIndex_ - 1] > 0) break;
      if (!white_ && e > 0 && e > a0 && ref_[refIndex_ - 1] < 0) break;
      ++refIndex_;
    }
    return refIndex_ < count ? Position(ref_[refIndex_]) : width_ + 1;
  }

  std::uint8_t Vertical(int offset) {
    const int a1 = FindB1() + offset;
    if (a1 < a0_) return erMaxLineBlk;
    const bool ok = Append(white_ ? -a1 : a1);
    a0_ = a1;
    white_ = !white_;
    firstOfLine_ = false;
    return ok ? erOk : erMaxLineBlk;
  }

  std::uint8_t Pass() {
    const int end = width_ + 1;
    FindB1();
    const int count = static_cast<int>(ref_.size());
    // No b1: the end in b1's colour; else b2, or the end in a0's colour when there is none.
    int j = refIndex_;
    while (j < count && (white_ ? ref_[j] < 0 : ref_[j] > 0)) ++j;
    const int entry = refIndex_ >= count ? (white_ ? -end : end)
                      : j < count        ? ref_[j]
                                         : (white_ ? end : -end);
    a0_ = Position(entry);
    firstOfLine_ = false;
    return Append(entry) ? erOk : erMaxLineBlk;
  }

  std::uint8_t Horizontal() {
    for (const bool white : {white_, !white_}) {
      const int run = ReadRun(white, width_ + 1 - a0_);
      if (run == kNoCode) return erDecode;
      a0_ += run;
      if (!Append(white ? -a0_ : a0_)) return erMaxLineBlk;
    }
    firstOfLine_ = false;
    return erOk;
  }

  // Reads bits until they match one of the patterns; -1 when the data end.
  int Match(const std::vector<std::string>& patterns) {
    std::string bits;
    for (;;) {
      const std::uint16_t bit = ReadBit();
      if (bit == kEndOfData) return -1;
      bits += bit ? '1' : '0';
      for (std::size_t i = 0; i < patterns.size(); ++i)
        if (patterns[i] == bits) return static_cast<int>(i);
    }
  }

  std::uint8_t Uncompressed() {
    static const std::vector<std::string> patterns = {
        "1",       "01",       "001",       "0001",       "00001",       "000001",
        "0000001", "00000001", "000000001", "0000000001", "00000000001", "00000000000"};
    firstOfLine_ = false;
    for (;;) {
      if (a0_ > width_) return erMaxLineBlk;
      const int p = Match(patterns);
      if (p < 0) return erMaxLineBlk;
      if (p == 0) {
        if (!Append(-a0_++)) return erMaxLineBlk;
      } else if (p <= 4) {
        if (!Append(a0_) || !Append(-(a0_ + p))) return erMaxLineBlk;
        a0_ += p + 1;
      } else if (p == 5) {
        if (!Append(a0_)) return erMaxLineBlk;
        a0_ += 5;
      } else if (p <= 10) {
        const int whites = p - 6;
        const std::uint16_t tag = ReadBit();
        if (tag == kEndOfData) return erMaxLineBlk;
        if (whites > 0 && !Append(a0_)) return erMaxLineBlk;
        a0_ += whites;
        white_ = tag == 0;
        // The colour of a0 holds from a0 on.
        if ((cur_.back() > 0) != white_ && !Append(white_ ? a0_ : -a0_)) return erMaxLineBlk;
        return erOk;
      }
    }
  }

  std::uint8_t DecodeMode() {
    // V0, VR1, VL1, VR2, VL2, VR3, VL3, then horizontal, pass, extension and the invalid code.
    static const std::vector<std::string> modes = {"1",       "011", "010",  "000011",  "000010", "0000011",
                                                   "0000010", "001", "0001", "0000001", "0000000"};
    static const int offsets[] = {0, 1, -1, 2, -2, 3, -3};
    const int mode = Match(modes);
    if (mode >= 0 && mode < 7) return Vertical(offsets[mode]);
    if (mode == 7) return Horizontal();
    if (mode == 8) return Pass();
    if (mode != 9) return erMaxLineBlk;  // 0000000, or the data ended
    for (int i = 0; i < 3; ++i)
      if (ReadBit() != 1) return erMaxLineBlk;
    return Uncompressed();
  }

  void RenderRow(std::uint8_t* row) const {
    const std::vector<int>& line = ref_;  // the line just finished
    for (std::size_t i = 0; i < line.size(); ++i) {
      const int from = Position(line[i]);
      const int to = i + 1 < line.size() ? Position(line[i + 1]) : width_ + 1;
      for (int p = from; p < to && p <= width_; ++p) {
        const int mask = 0x80 >> ((p - 1) % 8);
        std::uint8_t& byte = row[(p - 1) / 8];
        byte = static_cast<std::uint8_t>(line[i] > 0 ? byte | mask : byte & ~mask);
      }
    }
  }

  const std::uint8_t* strip_;
  std::size_t length_, bitPos_ = 0;
  bool lsbFirst_, white_ = true, firstOfLine_ = true;
  int width_, refIndex_ = 0, a0_ = 1;
  std::vector<int> ref_, cur_{1};
};

}  // namespace

std::uint8_t ReferenceDecode(const std::uint8_t* strip, std::size_t length, bool lsbFirst, int width,
                             int imageLength, int firstRow, int rowCount, std::vector<std::uint8_t>& rows) {
  Reference decoder(strip, length, lsbFirst, width);
  return decoder.Decode(imageLength, firstRow, rowCount, rows);
}

}  // namespace zorvel::test
