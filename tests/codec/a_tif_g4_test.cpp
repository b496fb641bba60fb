// The page reader: header and tag checks, strip loading, and the page it hands over.
#include <gtest/gtest.h>

#include <random>

#include "codec/a_tif_g4.h"
#include "g4_builders.h"
#include "pagegen/page_generator.h"
#include "support/test_support.h"
#include "support/tiff_file.h"

namespace zorvel::test {
namespace {

// A 16 x 3 page: rows 1 and 2 have pixel 2 black, row 3 is all black.
std::vector<std::uint8_t> SmallStrip(bool lsbFirst = false) {
  return BitWriter("H1,1 V0  V0 V0 V0  H0,16").Bytes(lsbFirst);
}

class ReaderTest : public ::testing::Test {
 protected:
  std::uint8_t ReadBytes(const std::string& bytes) {
    WriteFile(path_, bytes);
    reader_ = std::make_unique<ATifG4>(path_);
    return ReadPage(*reader_);
  }
  std::uint8_t Read(const TiffFile& file) { return ReadBytes(file.Bytes()); }
  TempDir dir_;
  std::string path_ = dir_.File("page.tif");
  std::unique_ptr<ATifG4> reader_;
  const TiffFile good_ = TiffFile::Page(16, 3, SmallStrip());
};

TEST_F(ReaderTest, ReadsAValidPageOnce) {
  ASSERT_EQ(Read(good_), erOk);
  const DecodedPage& page = reader_->Page;
  ASSERT_EQ(page.Rows.size(), 6u);  // the layout is checked on libtiff's pages
  EXPECT_EQ(RowText(page.Rows, 16, 1), ".#..............");
  EXPECT_EQ(RowText(page.Rows, 16, 2), "################");
  EXPECT_FALSE(page.IsBlack(16, 2));  // outside

  // With the file gone, rows still decode from the loaded strip.
  std::filesystem::remove(path_);
  std::vector<std::uint8_t> last;
  EXPECT_EQ(DecodeRows(*reader_, 3, 1, last), erOk);
  EXPECT_EQ(RowText(last, 16, 0), "################");
  EXPECT_EQ(DecodeRows(*reader_, 4, 1, last), erRowRange);
}

TEST_F(ReaderTest, HeaderAndTagCases) {
  ASSERT_EQ(Read(good_), erOk);
  const std::vector<std::uint8_t> goodRows = reader_->Page.Rows;
  const struct {
    const char* name;
    std::function<void(TiffFile&)> change;
    ResultCode result;  // on erOk the page must equal the good one
    ResultCode header;  // the header step's own code, which the page read turns into erHeader
  } cases[] = {
      {"MM", [](TiffFile& f) { f.ByteOrder = "MM"; }, erHeader, erCpu},
      {"version 43", [](TiffFile& f) { f.Version = 43; }, erHeader, erVersion},
      {"Compression 3", [](TiffFile& f) { f.Tags[259] = 3; }, erHeader, erVersion},
      {"BitsPerSample 8", [](TiffFile& f) { f.Tags[258] = 8; }, erHeader, erVersion},
      {"SamplesPerPixel 3", [](TiffFile& f) { f.Tags[277] = 3; }, erHeader, erVersion},
      {"Photometric 2", [](TiffFile& f) { f.Tags[262] = 2; }, erHeader, erVersion},
      {"width 32767", [](TiffFile& f) { f.Tags[256] = 32767; }, erHeader, erVersion},
      {"length 32768", [](TiffFile& f) { f.Tags[257] = 32768; }, erHeader, erVersion},
      {"LONG width beyond 16 bits", [](TiffFile& f) { f.Types[256] = 4, f.Tags[256] = 65536 + 16; }, erHeader,
       erVersion},
      {"no StripByteCounts", [](TiffFile& f) { f.Tags.erase(279); }, erStrip, erOk},
      {"no ImageLength", [](TiffFile& f) { f.Tags.erase(257); }, erRowRange, erOk},
      // The largest page there may be passes the header and fails in the data.
      {"32766 x 32767", [](TiffFile& f) { f.Tags[256] = 32766, f.Tags[257] = 32767; }, erMaxLineBlk, erOk},
      {"Photometric 1", [](TiffFile& f) { f.Tags[262] = 1; }, erOk, erOk},
      {"FillOrder 2", [](TiffFile& f) { f.Tags[266] = 2, f.Strip = SmallStrip(true); }, erOk, erOk},
      {"LONG width that fits", [](TiffFile& f) { f.Types[256] = 4; }, erOk, erOk},
      {"ignored tags, a SHORT with a high half",
       [](TiffFile& f) { f.Tags[254] = 7, f.Tags[284] = 2, f.Tags[256] = 16 | (5u << 16); }, erOk, erOk},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TiffFile f = good_;
    c.change(f);
    EXPECT_EQ(Read(f), c.result);
    EXPECT_TRUE(c.result != erOk || reader_->Page.Rows == goodRows);
    ATifG4 fresh(path_);
    EXPECT_EQ(ReadHeader(fresh), c.header);
    EXPECT_EQ(fresh.HeaderRead, c.header == erOk);
    EXPECT_TRUE(c.header != erOk || fresh.BytesPerRow == (fresh.ImageWidth + 7) / 8);
  }

  // Broken files: too short, the IFD beyond the end, out of reach or cut short,
  // a negative entry count. The header step says which.
  const std::string bytes = good_.Bytes();
  const std::size_t ifd = static_cast<unsigned char>(bytes[4]);
  std::string farIfd = bytes, unreachableIfd = bytes, negativeCount = bytes;
  farIfd[5] = '\xFF';
  unreachableIfd[7] = '\x80';
  negativeCount[ifd + 1] = '\x80';
  // clang-format off
  const std::pair<std::string, ResultCode> broken[] = {{std::string("II*"), erHeader}, {farIfd, erHeader},
      {unreachableIfd, erStrip}, {bytes.substr(0, bytes.size() - 20), erHeader}, {negativeCount, erHeader}};
  // clang-format on
  for (const auto& [file, header] : broken) {
    SCOPED_TRACE(std::to_string(file.size()) + " bytes");
    EXPECT_EQ(ReadBytes(file), erHeader);
    ATifG4 fresh(path_);
    EXPECT_EQ(ReadHeader(fresh), header);
    EXPECT_FALSE(fresh.HeaderRead);
  }
}

TEST_F(ReaderTest, MissingFileIsNotCreated) {
  const std::string missing = dir_.File("no such page.tif");
  ATifG4 tif(missing);
  EXPECT_EQ(ReadPage(tif), erHeader);
  EXPECT_FALSE(std::filesystem::exists(missing));
  ATifG4 folder(dir_.Path().string());
  EXPECT_EQ(ReadPage(folder), erHeader);
}

TEST_F(ReaderTest, ShortStripsAreReadAsFarAsTheyGo) {
  // The strip is last in the file and claims more bytes than remain: the rest is the end of the data.
  const std::vector<std::uint8_t> strip = SmallStrip();
  TiffFile f = TiffFile::Page(16, 3, strip);
  f.Strip.clear();
  f.Tags[273] = static_cast<std::uint32_t>(f.Bytes().size());
  for (std::size_t keep = 0; keep < strip.size(); ++keep) {
    const std::vector<std::uint8_t> kept(strip.begin(), strip.begin() + static_cast<long>(keep));
    const std::uint8_t result = ReadBytes(f.Bytes() + std::string(kept.begin(), kept.end()));
    EXPECT_EQ(result, DecodeBoth(kept, 16, 3).Result) << "kept " << keep;
    EXPECT_TRUE(result == erMaxLineBlk || result == erDecode) << "kept " << keep;
  }
  // A strip past the end of the file has no data, however long it claims to be.
  f.Tags[273] = 100000;
  for (std::uint32_t count : {5u, 0xFFFFFFFFu}) {
    f.Tags[279] = count;
    EXPECT_EQ(Read(f), erMaxLineBlk) << count;
  }
}

// The decoder against its oracles: the literal reference on many random and
// mutated strips (same result code and, on success, the same rows), and libtiff,
// whose single-strip Group 4 pages must read back to exactly the pixels drawn.
using pagegen::Bitmap;

int Pick(std::mt19937& rng, int n) {
  return static_cast<int>(rng() % static_cast<unsigned>(n));
}

// Strips of plausible codes, so that lines often decode far.
std::vector<std::uint8_t> RandomCodes(std::mt19937& rng, int width, int rows) {
  static const char* patterns[] = {"1", "01", "001", "0001", "00001", "000001", "00000000000"};
  static const char* exits[] = {"0000001", "00000001", "000000001", "0000000001", "00000000001"};
  std::string codes;
  bool white = true;
  for (int i = rows * (2 + Pick(rng, 12)); i > 0; --i) {
    const int m = Pick(rng, 100), limit = Pick(rng, 10) == 0 ? width + 64 : std::max(1, width / 3);
    if (m < 50) {
      codes += m < 35 ? "V0" : (Pick(rng, 2) ? "VR" : "VL") + std::to_string(1 + Pick(rng, 3));
      white = !white;
    } else if (m < 75) {
      codes += (white ? "H" : "h") + std::to_string(Pick(rng, limit + 1)) + "," +
               std::to_string(Pick(rng, limit + 1));
    } else if (m < 88) {
      codes += "P";
    } else if (m < 92) {
      codes += "U";
      for (int k = Pick(rng, 4); k > 0; --k) codes += std::string(" ") + patterns[Pick(rng, 7)];
      codes += std::string(" ") + exits[Pick(rng, 5)] + (Pick(rng, 2) ? "1" : "0");
    } else {
      codes += m < 94 ? (Pick(rng, 2) ? "0000000" : "000000000001") : "V0";
    }
    codes += ' ';
  }
  return BitWriter(codes).Bytes();
}

// Flips a bit, cuts the strip, or inserts or erases a byte.
void Mutate(std::mt19937& rng, std::vector<std::uint8_t>& strip) {
  if (strip.empty()) return;
  const auto at = static_cast<long>(rng() % strip.size());
  const int kind = Pick(rng, 4);
  if (kind == 0) strip[at] ^= static_cast<std::uint8_t>(1u << Pick(rng, 8));
  if (kind == 1) strip.resize(at);
  if (kind == 2) strip.insert(strip.begin() + at, static_cast<std::uint8_t>(rng()));
  if (kind == 3) strip.erase(strip.begin() + at);
}

TEST(G4Differential, RandomBytesAndCodeStreams) {
  std::mt19937 rng(2);
  int decoded = 0;
  for (int i = 0; i < 6000 && !HasFailure(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    if (i % 2 == 0) {  // sparse or dense random bytes, either fill order
      std::vector<std::uint8_t> strip(rng() % 64);
      for (auto& b : strip) b = static_cast<std::uint8_t>(rng() & (rng() % 3 == 0 ? 0x11 : 0xFF));
      DecodeBoth(strip, Pick(rng, 40), 1 + Pick(rng, 6), rng() % 2 == 0);
      continue;
    }
    const int width = 1 + Pick(rng, i % 10 == 1 ? 12000 : i % 10 == 3 ? 32766 : 60), rows = 1 + Pick(rng, 5);
    std::vector<std::uint8_t> strip = RandomCodes(rng, width, rows);
    if (rng() % 3 == 0) Mutate(rng, strip);
    const int firstRow = rng() % 4 == 0 ? 1 + Pick(rng, rows + 1) : 1;
    if (DecodeBoth(strip, width, rows, false, firstRow, rows).Result == erOk) ++decoded;
  }
  EXPECT_GT(decoded, 50) << "the streams should decode now and then";
}

TEST(G4Differential, MutatedLibtiffStrips) {
  TempDir dir;
  std::mt19937 rng(3);
  for (int page = 0; page < 6 && !HasFailure(); ++page) {
    const int width = 1 + Pick(rng, 300);
    pagegen::Bitmap bitmap(width, 24);
    pagegen::FillRandom(bitmap, 0.05 + 0.15 * page, static_cast<std::uint32_t>(page));
    pagegen::DrawGlyph(bitmap, 0, 0, width, 24, static_cast<std::uint32_t>(page));
    ASSERT_TRUE(pagegen::WriteG4Tiff(dir.File("p.tif"), bitmap));
    const std::vector<std::uint8_t> strip = pagegen::ReadRawStrip(dir.File("p.tif"));
    ASSERT_EQ(DecodeBoth(strip, width, 24).Result, erOk);
    for (int i = 0; i < 400 && !HasFailure(); ++i) {
      SCOPED_TRACE("page " + std::to_string(page) + " case " + std::to_string(i));
      std::vector<std::uint8_t> mutated = strip;
      for (int k = 1 + Pick(rng, 3); k > 0; --k) Mutate(rng, mutated);
      DecodeBoth(mutated, width, 24);
    }
  }
}

// Fill order and photometric interpretation are the reader's header cases (a_tif_g4_test).
void ExpectRoundTrip(const Bitmap& page, const pagegen::TiffOptions& options = {}) {
  SCOPED_TRACE(std::to_string(page.Width()) + "x" + std::to_string(page.Height()));
  TempDir dir;
  std::string error;
  ASSERT_TRUE(pagegen::WriteG4Tiff(dir.File("page.tif"), page, options, &error)) << error;
  ATifG4 tif(dir.File("page.tif"));
  ASSERT_EQ(ReadPage(tif), erOk);
  std::string difference;
  EXPECT_TRUE(pagegen::SamePixels(page, tif.Page, &difference)) << difference;
}

TEST(LibtiffRoundTrip, SyntheticPages) {
  for (int width : {1, 7, 9, 2400, 2408}) {
    for (double share : {0.0, 0.03, 0.5, 0.97, 1.0}) {  // all white and all black at the ends
      Bitmap page(width, 30);
      pagegen::FillRandom(page, share, static_cast<std::uint32_t>(width * 100 + share * 10));
      ExpectRoundTrip(page);
    }
  }
  // Pixels alternating along the row and from row to row.
  Bitmap checker(2408, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = y & 1; x < 2408; x += 2) checker.Set(x, y, true);
  ExpectRoundTrip(checker);
  // Long runs that need make-up and extended make-up codes, in both colours.
  Bitmap runs(2623, 24);
  int y = 0;
  for (int run : {63, 64, 65, 127, 128, 1727, 1728, 1729, 1791, 1792, 1856, 2047, 2560, 2561, 2623}) {
    pagegen::FillRect(runs, 2623 - run, y, run, 1);  // black run to the end
    pagegen::FillRect(runs, 0, y + 1, 2623, 1);      // a white pixel in a black row below
    pagegen::FillRect(runs, run % 2623, y + 1, 1, 1, false);
    y = (y + 2) % 22;
  }
  ExpectRoundTrip(runs);
  // Wide pages with runs longer than one make-up code covers: libtiff chains make-up codes of 2560.
  for (int width : {2624, 5000, 10001, 32766}) {
    Bitmap page(width, 15);
    int y = 0;
    for (int run : {2623, 2624, 5000, 10000, 32766}) {
      if (run > width) break;
      pagegen::FillRect(page, width - run, y, run, 1);  // a black run to the end of the row
      pagegen::FillRect(page, 0, y + 1, run, 1);        // a black run from the start, then white
      pagegen::FillRect(page, run / 2, y + 2, 1, 1);    // a dot between two long white runs
      y += 3;
    }
    ExpectRoundTrip(page);
  }
}

TEST(LibtiffRoundTrip, RealisticPages) {
  pagegen::PageLayout layout;
  ExpectRoundTrip(pagegen::DrawTextPage(layout, 7));
  ExpectRoundTrip(pagegen::DrawNearBlankPage(layout, 8));
  ExpectRoundTrip(pagegen::DrawSpecklePage(layout, 9));
}

// Hand-made Group 4 bitstreams: each result code and the odd corners of the decoder, checked on the
// fast decoder and the literal reference alike.
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
