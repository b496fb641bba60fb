// The decoded page on screen: MakePageBitmap at full size (a monochrome
// QImage, 1 white) and RenderReducedPage below it.
#include <gtest/gtest.h>

#include <QImage>

#include "core/pages/marker_geometry.h"
#include "image_sample.h"
#include "ui/page_bitmap.h"
#include "ui/page_rendering.h"

namespace zorvel::test {
namespace {

// A page with a diagonal of black pixels and a black last column.
DecodedPage DiagonalPage(int width, int height) {
  DecodedPage page = WhitePage(width, height);
  for (int y = 0; y < height; ++y) {
    Blacken(page, y % width, y);
    Blacken(page, width - 1, y);
  }
  return page;
}

TEST(PageBitmap, KeepsEveryPixelAtAnyStride) {
  // 2400 is 300 bytes a row, 2408 301 (odd), 1 and 9 are partial bytes.
  for (int width : {1, 9, 33, 2400, 2408}) {
    const DecodedPage page = DiagonalPage(width, 37);
    const QImage image = MakePageBitmap(page);
    ASSERT_FALSE(image.isNull()) << width;
    EXPECT_EQ(image.format(), QImage::Format_Mono);
    EXPECT_EQ(image.size(), QSize(width, 37));
    for (int y = 0; y < 37; ++y) {
      for (int x = 0; x < width; ++x) {
        ASSERT_EQ(image.pixel(x, y), page.IsBlack(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
            << width << ": " << x << "," << y;
      }
    }
  }
}

TEST(PageBitmap, RefusesWhatItCannotShow) {
  EXPECT_TRUE(MakePageBitmap(DecodedPage{}).isNull());
  DecodedPage page = DiagonalPage(16, 4);
  page.Rows.resize(7);  // rows cut short
  EXPECT_TRUE(MakePageBitmap(page).isNull());
  page = DiagonalPage(16, 4);
  page.BytesPerRow = 3;  // a stride that does not fit the width
  EXPECT_TRUE(MakePageBitmap(page).isNull());
  EXPECT_TRUE(MakePageBitmap(0, 5, page.Rows.data()).isNull());
  EXPECT_TRUE(MakePageBitmap(5, 5, nullptr).isNull());
}

TEST(PageRenderingTest, BelowFullSizeThinStrokesStayVisibleAndWhiteStaysWhite) {
  // One-pixel strokes: a column and a row, on a page whose width is not a
  // multiple of eight.
  DecodedPage page = WhitePage(203, 160);
  for (int y = 0; y < page.Height; ++y) Blacken(page, 101, y);
  for (int x = 0; x < page.Width; ++x) Blacken(page, x, 37);

  for (int ratio : {50, 33, 25, 10}) {
    const float s = PictureScale(ratio);
    const int width = ScaleToPicture(page.Width, ratio);
    const int height = ScaleToPicture(page.Height, ratio);
    const QImage image = RenderReducedPage(page, s, width, height);
    ASSERT_EQ(image.size(), QSize(width, height)) << ratio;
    const int column = ScaleToPicture(101, ratio);
    const int row = ScaleToPicture(37, ratio);
    // The strokes show as clear grey wherever they pass...
    for (int v = 0; v < height; ++v) EXPECT_LT(qGray(image.pixel(column, v)), 200) << ratio << " row " << v;
    for (int u = 0; u < width; ++u) EXPECT_LT(qGray(image.pixel(u, row)), 200) << ratio << " column " << u;
    // ...and the paper away from them stays white.
    for (int v = 0; v < height; ++v) {
      for (int u = 0; u < width; ++u) {
        if (std::abs(u - column) > 1 && std::abs(v - row) > 1) {
          ASSERT_EQ(image.pixel(u, v), qRgb(255, 255, 255)) << ratio << " at " << u << "," << v;
        }
      }
    }
  }
}

TEST(PageRenderingTest, AFullyInkedAreaIsBlackAndHalfInkIsDarkerThanAQuarter) {
  DecodedPage page = WhitePage(64, 64);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 64; ++x) Blacken(page, x, y);  // the top half black
  }
  for (int y = 32; y < 64; y += 2) {
    for (int x = 0; x < 32; x += 2) Blacken(page, x, y);  // a quarter of the bottom left
  }
  for (int y = 32; y < 64; ++y) {
    for (int x = 32; x < 64; x += 2) Blacken(page, x, y);  // half of the bottom right
  }
  const QImage image = RenderReducedPage(page, PictureScale(25), 16, 16);
  EXPECT_EQ(image.pixel(3, 3), qRgb(0, 0, 0));
  const int quarter = qGray(image.pixel(3, 12));
  const int half = qGray(image.pixel(12, 12));
  EXPECT_LT(half, quarter);
  EXPECT_LT(quarter, 255);
  EXPECT_GT(half, 0);
}

}  // namespace
}  // namespace zorvel::test
