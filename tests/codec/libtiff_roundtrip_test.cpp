// libtiff as the oracle: pages encoded by libtiff as single-strip Group 4 must
// read back to exactly the pixels drawn, through ReadPage, and the literal
// reference must agree with the fast decoder on every strip.
#include <gtest/gtest.h>

#include <string>

#include "codec/a_tif_g4.h"
#include "decode_both.h"
#include "pagegen/page_generator.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

using pagegen::Bitmap;
using pagegen::TiffOptions;

// Writes the page with libtiff, reads it with ReadPage and compares pixels.
void ExpectRoundTrip(const Bitmap& page, const TiffOptions& options = {}, bool checkReference = true) {
  TempDir dir;
  const std::string path = dir.File("page.tif");
  std::string error;
  ASSERT_TRUE(pagegen::WriteG4Tiff(path, page, options, &error)) << error;
  ATifG4 tif(path);
  ASSERT_EQ(ReadPage(tif), 1) << page.Width() << "x" << page.Height();
  std::string difference;
  EXPECT_TRUE(pagegen::SamePixels(page, tif.Page, &difference))
      << difference << " (" << page.Width() << "x" << page.Height() << ", fill order " << options.FillOrder
      << ", photometric " << options.Photometric << ")";
  if (checkReference) {
    const auto strip = pagegen::ReadRawStrip(path);
    Decoded reference = DecodeReference(strip, page.Width(), page.Height(), options.FillOrder == 2);
    EXPECT_EQ(reference.Result, 1);
    EXPECT_TRUE(reference.Rows == tif.Page.Rows) << "reference decoder differs";
  }
}

TEST(LibtiffRoundTrip, RandomPagesAtOddWidths) {
  for (int width : {1, 7, 9, 31, 64, 65, 2400, 2408}) {
    for (double share : {0.03, 0.5, 0.97}) {
      Bitmap page(width, 40);
      pagegen::FillRandom(page, share, static_cast<std::uint32_t>(width * 100 + share * 10));
      ExpectRoundTrip(page);
    }
  }
}

TEST(LibtiffRoundTrip, PlainAndStripedPages) {
  for (int width : {1, 9, 2400, 2408}) {
    Bitmap white(width, 30);
    ExpectRoundTrip(white);
    Bitmap black(width, 30);
    pagegen::FillRect(black, 0, 0, width, 30);
    ExpectRoundTrip(black);
  }
  // Alternating pixels, and columns that alternate from row to row.
  Bitmap checker(2408, 16);
  for (int y = 0; y < 16; ++y) {
    for (int x = (y & 1); x < 2408; x += 2) checker.Set(x, y, true);
  }
  ExpectRoundTrip(checker);
  // Long runs that need make-up and extended make-up codes, in both colours.
  Bitmap runs(2623, 24);
  const int lengths[] = {63, 64, 65, 127, 128, 1727, 1728, 1729, 1791, 1792, 1856, 2047, 2560, 2561, 2623};
  int y = 0;
  for (int run : lengths) {
    pagegen::FillRect(runs, 2623 - run, y, run, 1);  // black run to the end
    pagegen::FillRect(runs, 0, y + 1, 2623, 1);      // white run of the remainder below
    pagegen::FillRect(runs, run % 2623, y + 1, 1, 1, false);
    y = (y + 2) % 22;
  }
  ExpectRoundTrip(runs);
}

TEST(LibtiffRoundTrip, RealisticPages) {
  pagegen::PageLayout layout;
  ExpectRoundTrip(pagegen::DrawTextPage(layout, 7));
  ExpectRoundTrip(pagegen::DrawNearBlankPage(layout, 8), {}, false);
  ExpectRoundTrip(pagegen::DrawSpecklePage(layout, 9), {}, false);
  // A narrower page with the same layout, shifted by odd amounts.
  pagegen::PageLayout small;
  small.Width = 1203;
  small.Height = 700;
  small.Frame = {31, 17, 1150, 660};
  small.Text = {45, 30, 1120, 630};
  small.LinesPerRegister = 20;
  small.CharsPerLine = 9;
  ExpectRoundTrip(pagegen::DrawTextPage(small, 11));
  Bitmap speckled(1203, 300);
  pagegen::AddSpeckle(speckled, 0.02, 5, 4);
  ExpectRoundTrip(speckled);
}

TEST(LibtiffRoundTrip, FillOrderAndPhotometricGiveTheSamePage) {
  Bitmap page(517, 120);
  pagegen::FillRandom(page, 0.2, 3);
  pagegen::DrawGlyph(page, 10, 10, 100, 100, 4);
  for (int fillOrder : {1, 2}) {
    for (int photometric : {0, 1}) ExpectRoundTrip(page, {fillOrder, photometric});
  }
  // The tag values only: the strip of a FillOrder 2 file is the other file's
  // bytes with their bits reversed.
  TempDir dir;
  ASSERT_TRUE(pagegen::WriteG4Tiff(dir.File("a.tif"), page, {1, 0}));
  ASSERT_TRUE(pagegen::WriteG4Tiff(dir.File("b.tif"), page, {2, 1}));
  auto a = pagegen::ReadRawStrip(dir.File("a.tif"));
  auto b = pagegen::ReadRawStrip(dir.File("b.tif"));
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    int reversed = 0;
    for (int bit = 0; bit < 8; ++bit) reversed |= ((b[i] >> bit) & 1) << (7 - bit);
    ASSERT_EQ(a[i], reversed) << "byte " << i;
  }
}

TEST(LibtiffRoundTrip, NoCompressionTagDecodesAsGroup4) {
  Bitmap page(300, 50);
  pagegen::FillRandom(page, 0.1, 12);
  TiffOptions options;
  options.WriteCompressionTag = false;
  ExpectRoundTrip(page, options);
}

}  // namespace
}  // namespace zorvel::test
