#include "ui/image/page_bitmap.h"

#include <cstring>

namespace zorvel {

QImage MakePageBitmap(int width, int height, const std::uint8_t* rows) {
  if (width <= 0 || height <= 0 || !rows) return QImage();
  QImage image(width, height, QImage::Format_Mono);
  if (image.isNull()) return QImage();  // no memory
  image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  // QImage rows are padded to 32-bit words, so each row is copied to its own
  // stride; the padding has no defined value.
  const std::size_t bytesPerRow = static_cast<std::size_t>((width + 7) / 8);
  for (int y = 0; y < height; ++y) {
    std::memcpy(image.scanLine(y), rows + static_cast<std::size_t>(y) * bytesPerRow, bytesPerRow);
  }
  return image;
}

QImage MakePageBitmap(const DecodedPage& page) {
  if (page.Width <= 0 || page.Height <= 0 || page.BytesPerRow != (page.Width + 7) / 8) return QImage();
  if (page.Rows.size() < static_cast<std::size_t>(page.BytesPerRow) * static_cast<std::size_t>(page.Height)) {
    return QImage();
  }
  return MakePageBitmap(page.Width, page.Height, page.Rows.data());
}

}  // namespace zorvel
