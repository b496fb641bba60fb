// The decoded page on screen: MakePageBitmap at full size (a monochrome
// QImage, 1 white) and RenderReducedPage below it.
#include <gtest/gtest.h>

#include <QImage>

#include "core/pages/marker_geometry.h"
#include "image_sample.h"
#include "ui/image/page_bitmap.h"
#include "ui/image/page_rendering.h"

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

}  // namespace
}  // namespace zorvel::test
