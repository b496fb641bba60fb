// MakePageBitmap: the decoded page as a monochrome QImage, 1 white.
#include <gtest/gtest.h>

#include <QImage>

#include "codec/a_tif_g4.h"
#include "pagegen/page_generator.h"
#include "support/test_support.h"
#include "ui/page_bitmap.h"

namespace zorvel {
namespace {

// A page with a diagonal of black pixels and a black last column.
DecodedPage DiagonalPage(int width, int height) {
  DecodedPage page;
  page.Width = width;
  page.Height = height;
  page.BytesPerRow = (width + 7) / 8;
  page.Rows.assign(static_cast<std::size_t>(page.BytesPerRow) * height, 0xFF);
  auto black = [&](int x, int y) {
    page.Rows[static_cast<std::size_t>(y) * page.BytesPerRow + x / 8] &=
        static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
  };
  for (int y = 0; y < height; ++y) {
    black(y % width, y);
    black(width - 1, y);
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
    EXPECT_EQ(image.width(), width);
    EXPECT_EQ(image.height(), 37);
    ASSERT_EQ(image.colorCount(), 2);
    EXPECT_EQ(image.color(0), qRgb(0, 0, 0));
    EXPECT_EQ(image.color(1), qRgb(255, 255, 255));
    for (int y = 0; y < 37; ++y) {
      for (int x = 0; x < width; ++x) {
        ASSERT_EQ(image.pixelIndex(x, y) == 0, page.IsBlack(x, y)) << width << ": " << x << "," << y;
      }
    }
    EXPECT_EQ(image.pixel(width - 1, 0), qRgb(0, 0, 0));
    if (width > 2) {
      EXPECT_EQ(image.pixel(1, 0), qRgb(255, 255, 255));
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

TEST(PageBitmap, ShowsADecodedScan) {
  test::TempDir dir;
  pagegen::Bitmap drawn(2408, 120);
  pagegen::DrawFrame(drawn, 10, 10, 2380, 100, 4);
  pagegen::DrawGlyph(drawn, 40, 30, 60, 60, 9);
  ASSERT_TRUE(pagegen::WriteG4Tiff(dir.File("p.tif"), drawn));
  ATifG4 tif(dir.File("p.tif"));
  ASSERT_EQ(ReadPage(tif), 1);
  const QImage image = MakePageBitmap(tif.Page);
  ASSERT_FALSE(image.isNull());
  for (int y = 0; y < drawn.Height(); ++y) {
    for (int x = 0; x < drawn.Width(); ++x) {
      ASSERT_EQ(image.pixel(x, y) == qRgb(0, 0, 0), drawn.IsBlack(x, y)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace zorvel
