// The decoder against its oracles: the literal reference on many random and
// mutated strips (same result code and, on success, the same rows), and libtiff,
// whose single-strip Group 4 pages must read back to exactly the pixels drawn.
#include "codec/a_tif_g4.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "g4_builders.h"
#include "pagegen/page_generator.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

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
}

// Wide pages with runs longer than one make-up code covers: libtiff chains make-up codes of 2560.
TEST(LibtiffRoundTrip, WidePagesWithLongRuns) {
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

}  // namespace
}  // namespace zorvel::test
