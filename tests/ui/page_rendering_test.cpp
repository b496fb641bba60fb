// The picture of a page as the window shows it, against the plain definition
// of its pixels: full size pixel for pixel (and the monochrome bitmap), and
// below full size at the scales with their own way of reducing (50 % and
// 25 %) and at others.

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/pages/marker_geometry.h"
#include "image_sample.h"
#include "ui/image/page_bitmap.h"
#include "ui/image/page_rendering.h"

namespace zorvel::test {
namespace {

// The plain definition of the picture below full size, pixel by pixel: a page
// pixel covers [i * s, (i + 1) * s) along each axis and gives each screen pixel
// it overlaps that overlap in 1/256 of the screen pixel, rounded per axis; the
// ink of a screen pixel is the sum of the products over its black page pixels.
struct Share {
  int Cell, A, B;
};

Share PixelShare(int i, double s) {
  const double lo = i * s;
  const double hi = (i + 1) * s;
  const double cell = std::floor(lo);
  if (hi <= cell + 1.0) return {static_cast<int>(cell), static_cast<int>(std::lround((hi - lo) * 256)), 0};
  return {static_cast<int>(cell), static_cast<int>(std::lround((cell + 1.0 - lo) * 256)),
          static_cast<int>(std::lround((hi - cell - 1.0) * 256))};
}

QImage PlainReducedPage(const DecodedPage& page, float scale, int width, int height) {
  const double s = scale;
  std::vector<long long> ink(static_cast<std::size_t>(width) * height, 0);
  for (int y = 0; y < page.Height; ++y) {
    const Share row = PixelShare(y, s);
    for (int x = 0; x < page.Width; ++x) {
      if (!page.IsBlack(x, y)) continue;
      const Share column = PixelShare(x, s);
      for (auto [v, wy] : {std::pair{row.Cell, row.A}, std::pair{row.Cell + 1, row.B}}) {
        for (auto [u, wx] : {std::pair{column.Cell, column.A}, std::pair{column.Cell + 1, column.B}}) {
          if (u < width && v < height) ink[static_cast<std::size_t>(v) * width + u] += wx * wy;
        }
      }
    }
  }
  QImage image(width, height, QImage::Format_RGB32);
  for (int v = 0; v < height; ++v) {
    for (int u = 0; u < width; ++u) {
      const double white = 1.0 - std::min(ink[static_cast<std::size_t>(v) * width + u], 65536LL) / 65536.0;
      const int grey = static_cast<int>(std::lround(255.0 * white * white * white));
      image.setPixel(u, v, qRgb(grey, grey, grey));
    }
  }
  return image;
}

// A page with strokes, dots, solid blocks and noise, whose row padding past
// the width is black, which the page does not show.
DecodedPage MixedPage(int width, int height) {
  DecodedPage page = WhitePage(width, height);
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool block = (x / 13 + y / 11) % 5 == 0;
      const bool stroke = x % 17 == 3 || y % 19 == 7;
      const bool noise = (next() >> 16) % 9 == 0;
      if (block || stroke || noise) Blacken(page, x, y);
    }
    if (width % 8 != 0)
      page.Rows[static_cast<std::size_t>(y) * page.BytesPerRow + page.BytesPerRow - 1] &=
          static_cast<std::uint8_t>(0xFF00 >> (width % 8));
  }
  return page;
}

TEST(PageRenderingExactTest, EveryScaleBelowFullSizeShowsExactlyThePlainDefinition) {
  // 50 % and 25 % take whole blocks of pixels; the others any scale.
  for (QSize size : {QSize(203, 161), QSize(64, 48), QSize(9, 7)}) {
    const DecodedPage page = MixedPage(size.width(), size.height());
    for (int ratio : {50, 25, 75, 57, 33, 10, 99, 1}) {
      const int width = ScaleToPicture(page.Width, ratio);
      const int height = ScaleToPicture(page.Height, ratio);
      if (width <= 0 || height <= 0) continue;
      const QImage fast = RenderReducedPage(page, PictureScale(ratio), width, height);
      const QImage plain = PlainReducedPage(page, PictureScale(ratio), width, height);
      ASSERT_EQ(fast.size(), plain.size()) << ratio;
      for (int v = 0; v < height; ++v)
        for (int u = 0; u < width; ++u)
          ASSERT_EQ(fast.pixel(u, v), plain.pixel(u, v))
              << size.width() << "x" << size.height() << " at " << ratio << " %, pixel " << u << "," << v;
    }
  }
}

// At full size both the window's picture and the monochrome bitmap show each
// page pixel black or white, at any stride (2408 is an odd 301 bytes a row).
TEST(PageRenderingExactTest, FullSizeShowsEachPagePixelBlackOrWhite) {
  for (QSize size : {QSize(203, 161), QSize(9, 7), QSize(2408, 5)}) {
    const DecodedPage page = MixedPage(size.width(), size.height());
    const QImage bitmap = MakePageBitmap(page);
    EXPECT_EQ(bitmap.format(), QImage::Format_Mono);
    for (const QImage& image : {RenderFullSizePage(page), bitmap}) {
      ASSERT_EQ(image.size(), size);
      for (int y = 0; y < page.Height; ++y)
        for (int x = 0; x < page.Width; ++x)
          ASSERT_EQ(image.pixel(x, y), page.IsBlack(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
              << size.width() << ": " << x << "," << y;
    }
  }
}

TEST(PageRenderingExactTest, TheBitmapRefusesPagesItCannotShow) {
  DecodedPage page = MixedPage(16, 4);
  page.Rows.resize(7);  // rows cut short
  EXPECT_TRUE(MakePageBitmap(page).isNull());
  page = MixedPage(16, 4);
  page.BytesPerRow = 3;  // a stride that does not fit the width
  EXPECT_TRUE(MakePageBitmap(page).isNull());
}

}  // namespace
}  // namespace zorvel::test
