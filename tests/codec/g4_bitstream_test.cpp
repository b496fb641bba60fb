// Hand-made Group 4 bitstreams: each result code and the odd corners of the decoder, checked on the
// fast decoder and the literal reference alike.
#include <gtest/gtest.h>

#include <string>

#include "g4_builders.h"

namespace zorvel::test {
namespace {

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

struct Case {
  const char* name;
  std::string codes;  // as BitWriter reads them
  int width, length;
  ResultCode result;
  std::vector<std::string> lastRows = {};  // the last rows decoded, on erOk
  int firstRow = 1, rowCount = -1;
  bool lsbFirst = false;
};

void Check(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Decoded d = DecodeBoth(BitWriter(c.codes).Bytes(c.lsbFirst), c.width, c.length, c.lsbFirst,
                                 c.firstRow, c.rowCount);
    ASSERT_EQ(d.Result, c.result);
    const auto rows = d.Rows.size() / static_cast<std::size_t>((c.width + 7) / 8);
    for (std::size_t i = 0; i < c.lastRows.size(); ++i)
      EXPECT_EQ(RowText(d.Rows, c.width, static_cast<int>(rows - c.lastRows.size() + i)), c.lastRows[i]);
  }
}

TEST(G4Bitstream, ModesRowRangeAndLineLimit) {
  const std::string small = "H1,1 V0  V0 V0 V0  H0,16";  // 16 x 3: pixel 2 black twice, then all black
  // clang-format off
  Check({
      {"VL1 then V0 makes only the last pixel black", "VL1 V0", 10, 1, erOk, {".........#"}},
      {"horizontal, vertical and pass modes", "H4,4 V0  VR1 VR2 V0  H0,3 V0 V0 VL1 V0  P V0 V0 V0 V0", 16, 4, erOk,
       {"....####........", ".....#####......", "###..#####.....#", ".....#####.....#"}},
      {"a first row equal to the length", small, 16, 3, erOk, {"################"}, 3, 1},
      {"a first row beyond the page", small, 16, 3, erRowRange, {}, 4, 1},
      {"an empty page", small, 16, 0, erRowRange, {}, 1, 0},
      {"1 + 3998 entries is the longest line", Repeat("H1,1 ", 1999), 3998, 1, erOk, {Repeat(".#", 1999)}},
      {"a 4000th entry by horizontal mode", Repeat("H1,1 ", 2000), 4000, 1, erMaxLineBlk},
      {"a 4000th entry by V0", Repeat("H1,1 ", 1999) + "V0", 3999, 1, erMaxLineBlk},
      {"a 4000th entry by pass mode", Repeat("H1,1 ", 1999) + "P", 3999, 1, erMaxLineBlk},
      // The limit is tested after the first run of a pair: a broken second run still gives 20.
      {"the limit before the second run", Repeat("H1,1 ", 1999) + "001 0111 000000000000", 4010, 1,
       erMaxLineBlk},
      // Row 1 has pixel 2 black; in row 2 VL3 from b1 = 2 would put a1 at -1.
      {"VL3 before position 1", "H1,1 V0 VL3", 16, 2, erMaxLineBlk},
      // Row 1 is black from 13; in row 2 a0 is at 16 and b1 the end: VL3 puts a1 at 14, VL1 at a0.
      {"VL3 before a0", "H12,4  H14,1 VL3", 16, 2, erMaxLineBlk},
      {"VL1 onto a0", "H12,4  H14,1 VL1 V0", 16, 2, erOk},
  });
  // clang-format on
}

TEST(G4Bitstream, InvalidCodesAndTheEndOfTheData) {
  Check({
      {"VR1 alone ends the line past the width", "VR1", 8, 1, erDecode},
      {"seven zeros", "0000000 0", 16, 1, erMaxLineBlk},
      {"an extension other than uncompressed", "0000001 110", 16, 1, erMaxLineBlk},
      {"the strip ends before the last row", "11111111", 16, 9, erMaxLineBlk},
      {"the strip ends inside a run code", "001 00010", 16, 1, erDecode},
      // A run read wholly past the end is 7 white, then 2 black: on 9 pixels that ends the last row.
      {"runs past the end", "11111 001", 9, 6, erOk, {".........", ".......##"}},
      {"runs past the end, short of the width", "11111 001", 10, 6, erMaxLineBlk},
      {"one real bit of a white run", "1111 001 0", 9, 5, erOk, {".......##"}},
      {"EOL inside a run", "001 000000000001 0000", 16, 1, erDecode},
  });
}

std::string White(int n) {
  return std::string(static_cast<std::size_t>(n), '.');
}
std::string Black(int n) {
  return std::string(static_cast<std::size_t>(n), '#');
}

// A run of 2624 pixels or more is coded as a chain of make-up codes, on pages
// up to the widest the reader takes; a chain may not pass the line end.
TEST(G4Bitstream, LongRunsChainMakeUpCodes) {
  const std::string copy = "V0 V0 V0";  // the line above again: one V0 for each of its changes
  const std::string row = White(10000) + Black(10000) + White(12766);
  // clang-format off
  Check({
      {"2624: 2560 and 64", "H2624,1", 2625, 1, erOk, {White(2624) + "#"}},
      {"10000 of each, then copied by V0", "H10000,10000 H12766,0 " + copy, 32766, 2, erOk, {row, row}},
      {"the widest page black", "H0,32766", 32766, 1, erOk, {Black(32766)}},
      {"64 and 64", "001 11011 11011 0111 11", 132, 1, erOk, {White(130) + "##"}},
      {"a chain ending at the line end", "H5000,0", 5000, 1, erOk, {White(5000)}},
      {"a chain past the line end", "H5000,0", 4999, 1, erDecode},
      {"a chain that runs on", "001 " + Repeat("000000011111 ", 1000) + "0111", 32766, 1, erDecode},
      // Three codes of 2560 leave one bit of the last byte: the rest reads as all ones, 7 white and 2 black.
      {"the data end inside a chain", "001 " + Repeat("000000011111 ", 3), 7689, 1, erOk, {White(7687) + "##"}},
  });
  // clang-format on
}

TEST(G4Bitstream, UncompressedMode) {
  // clang-format off
  Check({
      // 1: black; 01: white, black; 00001: four white, black; 000001: five white; then two white and
      // an exit with a0 black: the last pixel is black.
      {"patterns", "U 1 01 00001 000001 000000001 1  h1,0", 16, 1, erOk, {"#.#....#.......#"}},
      // After the exit the tag's colour holds from a0 on, whatever the last pixel was.
      {"an exit to white after black", "U 1 01 0000001 0  V0", 16, 1, erOk, {"#.#............."}},
      {"an exit to black after white", "U 01 000001 0000001 1  V0", 16, 1, erOk, {".#.....#########"}},
      // Exits with 0 to 4 white pixels, and an empty pattern of eleven zeros; the last exit makes
      // the last pixel black.
      {"exits", "U 001 0000001 0  U 00000001 0  U 0000000001 0  U 00000000001 0  U 00000000000 0000001 1  V0",
       12, 1, erOk, {"..#........#"}},
      // An exit to white right where VL1 turned black: the last pixel is white after all, and the
      // next line's b1 is that zero-length black run.
      {"exit after VL1", "VL1 U 0000001 0 V0  V0 V0", 16, 2, erOk, {"................", "...............#"}},
      {"a0 beyond the width", "U 000001 000001 000001 000001", 16, 1, erMaxLineBlk},
      {"the line ends without an exit", "U 000001 000001 0001 1", 14, 1, erMaxLineBlk},
      {"an exit past the end", "U 000001 0000000001 0", 6, 1, erDecode},
      {"the data end before the tag bit", "V0 V0 U 01 001 0000001", 16, 3, erMaxLineBlk},
  });
  // clang-format on
}

TEST(G4Bitstream, RenderRowPaintsEveryRun) {
  // Runs across byte and word boundaries, a same-colour neighbour, and a last entry held to the end.
  const std::int32_t line[] = {1, -3, 9, 9, -70, 71, 72, -130};
  std::vector<std::uint8_t> row(17, 0xAA);
  RenderRow(line, 7, row.data(), 133);
  EXPECT_EQ(RowText(row, 133, 0), ".." + std::string(6, '#') + std::string(61, '.') + "#" +
                                      std::string(59, '.') + std::string(4, '#'));
  EXPECT_EQ(row[16] & 0x07, 0) << "bits after the last pixel";
}

}  // namespace
}  // namespace zorvel::test
