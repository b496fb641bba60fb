// libtiff as the oracle: pages it encodes as single-strip Group 4 must read back through ReadPage to
// exactly the pixels drawn.
#include <gtest/gtest.h>

#include <string>

#include "codec/a_tif_g4.h"
#include "pagegen/page_generator.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

using pagegen::Bitmap;

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
  for (int y = 0; y < 16; ++y) {
    for (int x = y & 1; x < 2408; x += 2) checker.Set(x, y, true);
  }
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
