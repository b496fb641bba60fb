#pragma once
// The monochrome bitmap of a decoded page, as the image window shows it.

#include <QImage>
#include <cstdint>

#include "codec/decoded_page.h"

namespace zorvel {

// A QImage::Format_Mono copy of the page: bit 1 shows white and 0 black (the
// colour table has black at index 0 and white at index 1). A null image when it
// cannot be made: an empty page, rows that do not fit the size, or no memory.
QImage MakePageBitmap(const DecodedPage& page);

// The same from width, height and rows of (width + 7) / 8 bytes each.
QImage MakePageBitmap(int width, int height, const std::uint8_t* rows);

}  // namespace zorvel
