// Hand-made Group 4 bitstreams: each result code and the odd corners of the
// decoder, checked on the fast decoder and the literal reference alike.
#include <gtest/gtest.h>

#include <string>

#include "decode_both.h"
#include "g4_builders.h"

namespace zorvel::test {
namespace {

TEST(G4Bitstream, ModesAgainstAWhiteReferenceLine) {
  // One V0 per line copies the all-white line above.
  {
    Decoded d = DecodeBoth(BitWriter().V0().V0().V0().Bytes(), 20, 3);
    ASSERT_EQ(d.Result, 1);
    for (int y = 0; y < 3; ++y) EXPECT_EQ(RowText(d.Rows, 20, y), std::string(20, '.'));
  }
  // VR1 alone puts a1 at width + 2: the line does not end at the width.
  EXPECT_EQ(DecodeBoth(BitWriter().VR(1).Bytes(), 8, 1).Result, 7);
  // VL1 then V0 makes only the last pixel black.
  {
    Decoded d = DecodeBoth(BitWriter().VL(1).V0().Bytes(), 10, 1);
    ASSERT_EQ(d.Result, 1);
    EXPECT_EQ(RowText(d.Rows, 10, 0), ".........#");
  }
  // Horizontal runs, then vertical modes against the line above, then pass mode.
  {
    BitWriter w;
    w.Horizontal(true, 4, 4).V0();                  // row 1: pixels 5..8 black
    w.VR(1).VR(2).V0();                             // row 2: black from 6 to 10
    w.Horizontal(true, 0, 3).V0().V0().VL(1).V0();  // row 3
    w.Pass().V0().V0().V0().V0();                   // row 4: pass over row 3's first black
    Decoded d = DecodeBoth(w.Bytes(), 16, 4);
    ASSERT_EQ(d.Result, 1);
    EXPECT_EQ(RowText(d.Rows, 16, 0), "....####........");
    EXPECT_EQ(RowText(d.Rows, 16, 1), ".....#####......");
    EXPECT_EQ(RowText(d.Rows, 16, 2), "###..#####.....#");
    EXPECT_EQ(RowText(d.Rows, 16, 3), ".....#####.....#");
  }
}

TEST(G4Bitstream, InvalidCodesAndTheEndOfTheData) {
  // Seven zeros where a mode code is due.
  EXPECT_EQ(DecodeBoth(BitWriter().Bits("0000000 0").Bytes(), 16, 1).Result, 20);
  // An extension other than uncompressed mode.
  EXPECT_EQ(DecodeBoth(BitWriter().Bits("0000001 110").Bytes(), 16, 1).Result, 20);
  // The strip ends before the last row: the next mode code finds no data.
  EXPECT_EQ(DecodeBoth(BitWriter().Bits("11111111").Bytes(), 16, 9).Result, 20);
  // Empty strip.
  EXPECT_EQ(DecodeBoth({}, 16, 1).Result, 20);
  // The strip ends inside a run code (white 20 is 0001000; five bits of it remain).
  EXPECT_EQ(DecodeBoth(BitWriter().Bits("001 00010").Bytes(), 16, 1).Result, 7);
  // A run read wholly past the end comes out as 7 white, then 2 black: on a
  // 9-pixel page that ends the line exactly, and a last row decodes that way.
  {
    Decoded d = DecodeBoth(BitWriter().Bits("11111 001").Bytes(), 9, 6);
    ASSERT_EQ(d.Result, 1);
    EXPECT_EQ(RowText(d.Rows, 9, 4), ".........");
    EXPECT_EQ(RowText(d.Rows, 9, 5), ".......##");
    EXPECT_EQ(DecodeBoth(BitWriter().Bits("11111 001").Bytes(), 9, 7).Result, 20);
    EXPECT_EQ(DecodeBoth(BitWriter().Bits("11111 001").Bytes(), 10, 6).Result, 20);
  }
  // One real bit left where a white run starts: the run still reads as 7.
  {
    Decoded d = DecodeBoth(BitWriter().Bits("1111 001 0").Bytes(), 9, 5);
    ASSERT_EQ(d.Result, 1);
    EXPECT_EQ(RowText(d.Rows, 9, 4), ".......##");
  }
  // Four real bits of a white code, then the end: run 2, then black 2, then no mode code.
  EXPECT_EQ(DecodeBoth(BitWriter().Bits("1 001 0111").Bytes(), 16, 2).Result, 20);
  // A code that matches nothing (EOL) inside a run fails the line with 7.
  EXPECT_EQ(DecodeBoth(BitWriter().Bits("001 000000000001 0000").Bytes(), 16, 1).Result, 7);
  // A make-up code followed by another make-up code: only one terminating code may follow.
  EXPECT_EQ(DecodeBoth(BitWriter().Bits("001 11011 11011 0111 11").Bytes(), 200, 1).Result, 7);
}

TEST(G4Bitstream, EntryLimit) {
  auto alternating = [](int pairs) {
    BitWriter w;
    for (int i = 0; i < pairs; ++i) w.Horizontal(true, 1, 1);
    return w;
  };
  // 1 + 3998 entries is the longest line there can be.
  {
    Decoded d = DecodeBoth(alternating(1999).Bytes(), 3998, 1);
    ASSERT_EQ(d.Result, 1);
    const std::string row = RowText(d.Rows, 3998, 0);
    EXPECT_EQ(row.substr(0, 6), ".#.#.#");
    EXPECT_EQ(row.substr(3992), ".#.#.#");
  }
  // The 4000th entry fails the line, whichever mode appends it.
  EXPECT_EQ(DecodeBoth(alternating(2000).Bytes(), 4000, 1).Result, 20);
  EXPECT_EQ(DecodeBoth(alternating(1999).V0().Bytes(), 3999, 1).Result, 20);
  EXPECT_EQ(DecodeBoth(alternating(1999).Pass().Bytes(), 3999, 1).Result, 20);
  // The limit is tested after the first run of a horizontal pair, before the
  // second is read: a broken second run still gives 20.
  EXPECT_EQ(DecodeBoth(alternating(1999).Bits("001 0111 000000000000").Bytes(), 4010, 1).Result, 20);
}

TEST(G4Bitstream, UncompressedMode) {
  // 1: black; 01: white, black; 00001: four white, black; 000001: five white;
  // 000000001 T: two white and exit with a0 black.
  {
    BitWriter w;
    w.Uncompressed().Bits("1 01 00001 000001 000000001 1");
    w.Horizontal(false, 1, 0);  // one more pixel; a0 is black but the last entry is white
    Decoded d = DecodeBoth(w.Bytes(), 16, 1);
    ASSERT_EQ(d.Result, 1);
    EXPECT_EQ(RowText(d.Rows, 16, 0), "#.#....#........");
  }
  // The plain exit, and the exits with one, three and four white pixels; a
  // pattern of eleven zeros that paints nothing; an exit that leaves a0 black.
  {
    BitWriter w;
    w.Uncompressed().Bits("001 0000001 0");          // white, white, black; exit white
    w.Uncompressed().Bits("00000001 0");             // one white
    w.Uncompressed().Bits("0000000001 0");           // three white
    w.Uncompressed().Bits("00000000001 0");          // four white: a0 = 12
    w.Uncompressed().Bits("00000000000 0000001 1");  // nothing; exit black
    w.V0();                                          // b1 is the end
    Decoded d = DecodeBoth(w.Bytes(), 12, 1);
    ASSERT_EQ(d.Result, 1);
    EXPECT_EQ(RowText(d.Rows, 12, 0), "..#.........");
  }
  // An exit that turns a0 white again right after a change to black at b1 of
  // the first reference change: the b1 search must start from the line's start.
  {
    BitWriter w;
    w.VL(1).Uncompressed().Bits("0000001 0").V0();
    Decoded d = DecodeBoth(w.Bytes(), 16, 1);
    ASSERT_EQ(d.Result, 1);
    EXPECT_EQ(RowText(d.Rows, 16, 0), "...............#");
    EXPECT_EQ(DecodeBoth(w.V0().V0().Bytes(), 16, 2).Result, 1);  // row 2 copies row 1
  }
  // a0 beyond the width before a pattern.
  EXPECT_EQ(DecodeBoth(BitWriter().Uncompressed().Bits("000001 000001 000001 000001").Bytes(), 16, 1).Result,
            20);
  // A line that reaches its end inside uncompressed mode without an exit.
  EXPECT_EQ(DecodeBoth(BitWriter().Uncompressed().Bits("000001 000001 0001 1").Bytes(), 14, 1).Result, 20);
  // An exit past the end gives 7.
  EXPECT_EQ(DecodeBoth(BitWriter().Uncompressed().Bits("000001 0000000001 0").Bytes(), 6, 1).Result, 7);
  // The data end inside uncompressed mode, and before the tag bit.
  EXPECT_EQ(DecodeBoth(BitWriter().Uncompressed().Bits("000001").Bytes(), 16, 1).Result, 20);
  {
    BitWriter w;
    w.V0().V0().Uncompressed().Bits("01 001 0000001");  // 24 bits: the tag bit is past the end
    EXPECT_EQ(DecodeBoth(w.Bytes(), 16, 3).Result, 20);
  }
}

TEST(G4Bitstream, CorruptCodesCannotMoveLeft) {
  // Row 1 has pixel 2 black; in row 2 VL3 from b1 = 2 would put a1 at -1.
  BitWriter w;
  w.Horizontal(true, 1, 1).V0().VL(3);
  EXPECT_EQ(DecodeBoth(w.Bytes(), 16, 2).Result, 20);
  // Left of a0 in the middle of a line: row 1 is black from 13; in row 2 a0
  // stands at 16 and b1 is the end, so VL3 would put a1 at 14.
  BitWriter v;
  v.Horizontal(true, 12, 4);
  v.Horizontal(true, 14, 1).VL(3);
  EXPECT_EQ(DecodeBoth(v.Bytes(), 16, 2).Result, 20);
  // VL1 there puts a1 at a0 itself, which is allowed.
  BitWriter u;
  u.Horizontal(true, 12, 4);
  u.Horizontal(true, 14, 1).VL(1).V0();
  EXPECT_EQ(DecodeBoth(u.Bytes(), 16, 2).Result, 1);
}

TEST(G4Bitstream, RowRangeAndFillOrder) {
  BitWriter w;
  w.Horizontal(true, 1, 1).V0();  // row 1: pixel 2 black
  w.V0().V0().V0();               // row 2: the same
  w.Horizontal(true, 0, 16);      // row 3: all black
  const auto bytes = w.Bytes();
  // A first row equal to the length stores only the last row.
  Decoded last = DecodeBoth(bytes, 16, 3, false, 3, 1);
  ASSERT_EQ(last.Result, 1);
  ASSERT_EQ(last.Rows.size(), 2u);
  EXPECT_EQ(RowText(last.Rows, 16, 0), std::string(16, '#'));
  // Beyond the page, and an empty page.
  EXPECT_EQ(DecodeBoth(bytes, 16, 3, false, 4, 1).Result, 14);
  EXPECT_EQ(DecodeBoth(bytes, 16, 0, false, 1, 0).Result, 14);
  // A middle row alone.
  Decoded middle = DecodeBoth(bytes, 16, 3, false, 2, 1);
  ASSERT_EQ(middle.Result, 1);
  EXPECT_EQ(RowText(middle.Rows, 16, 0), ".#..............");
  // FillOrder 2 reads each byte from its least significant bit.
  Decoded msb = DecodeBoth(bytes, 16, 3);
  Decoded lsb = DecodeBoth(w.Bytes(true), 16, 3, true);
  ASSERT_EQ(msb.Result, 1);
  EXPECT_EQ(lsb.Result, 1);
  EXPECT_EQ(msb.Rows, lsb.Rows);
}

TEST(G4Bitstream, RenderRowPaintsEveryRun) {
  // Runs across byte and word boundaries, a same-colour neighbour, and a last
  // entry that holds to the end of the row.
  const std::int32_t line[] = {1, -3, 9, 9, -70, 71, 72, -130};
  std::vector<std::uint8_t> row(17, 0xAA);
  RenderRow(line, 7, row.data(), 133);
  std::string expected = "..";
  expected += std::string(6, '#');
  expected += std::string(61, '.');
  expected += "#";
  expected += std::string(59, '.');
  expected += std::string(4, '#');
  EXPECT_EQ(RowText(row, 133, 0), expected);
  EXPECT_EQ(row[16] & 0x07, 0) << "bits after the last pixel";
}

}  // namespace
}  // namespace zorvel::test
