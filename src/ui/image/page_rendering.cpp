#include "ui/image/page_rendering.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace zorvel {

namespace {

// Renderings kept at once: the current scale and the two used before it.
constexpr std::size_t kCachedScales = 3;

// Weights are in 1/256 of a screen pixel's width or height.
constexpr int kOne = 256;
constexpr std::uint32_t kFullInk = kOne * kOne;

// Where the page pixels of one axis land on the reduced picture: pixel i puts
// WeightA of its extent into cell Index and the rest into cell Index + 1.
// Pixels past the last cell that is kept put nothing anywhere.
struct AxisMap {
  std::vector<int> Index;
  std::vector<std::uint32_t> WeightA;
  std::vector<std::uint32_t> WeightB;
};

AxisMap MapAxis(int pageSize, double scale, int shownSize) {
  AxisMap map;
  map.Index.resize(pageSize);
  map.WeightA.resize(pageSize);
  map.WeightB.resize(pageSize);
  for (int i = 0; i < pageSize; ++i) {
    const double lo = i * scale;
    const double hi = (i + 1) * scale;
    const double cell = std::floor(lo);
    const double split = cell + 1.0;
    int a = 0;
    int b = 0;
    if (hi <= split) {
      a = static_cast<int>(std::lround((hi - lo) * kOne));
    } else {
      a = static_cast<int>(std::lround((split - lo) * kOne));
      b = static_cast<int>(std::lround((hi - split) * kOne));
    }
    if (cell > shownSize) {
      map.Index[i] = shownSize;
      a = b = 0;
    } else {
      map.Index[i] = static_cast<int>(cell);
    }
    map.WeightA[i] = static_cast<std::uint32_t>(a);
    map.WeightB[i] = static_cast<std::uint32_t>(b);
  }
  return map;
}

// The grey of a screen pixel from its ink share (0 to kFullInk): the cube of
// the white share, so that a stroke covering a fifth of the pixel is already
// mid grey and one covering a tenth still shows.
const std::vector<std::uint8_t>& GreyTable() {
  static const std::vector<std::uint8_t> table = [] {
    std::vector<std::uint8_t> grey(kFullInk + 1);
    for (std::uint32_t ink = 0; ink <= kFullInk; ++ink) {
      const double white = 1.0 - static_cast<double>(ink) / kFullInk;
      grey[ink] = static_cast<std::uint8_t>(std::lround(255.0 * white * white * white));
    }
    return grey;
  }();
  return table;
}

// The ink of a row of the page bytes as black bits; bits past the page's
// width read as white.
inline unsigned BlackBits(const std::uint8_t* bits, int byte, int fullBytes, unsigned tailMask) {
  const unsigned black = static_cast<std::uint8_t>(~bits[byte]);
  return byte < fullBytes ? black : (black & tailMask);
}

// Whether every page pixel of the axis falls whole into cell i / block with
// the weight of 1 / block: the scales 1/2 and 1/4.
bool IsWholeBlocks(const AxisMap& map, int block, int shownSize) {
  const std::uint32_t weight = kOne / block;
  for (std::size_t i = 0; i < map.Index.size(); ++i) {
    const int cell = static_cast<int>(i) / block;
    if (cell >= shownSize) break;  // the rest is not shown
    if (map.Index[i] != cell || map.WeightA[i] != weight || map.WeightB[i] != 0) return false;
  }
  return true;
}

// The scales that put whole blocks of block x block page pixels into each
// screen pixel: its ink is the count of black pixels in the block times the
// weight of one, so the rows' bytes are counted with a table, group by group.
void ReduceWholeBlocks(const DecodedPage& page, int block, QImage& image) {
  const int width = image.width();
  const int height = image.height();
  const int groups = 8 / block;  // screen pixels per page byte
  const std::uint32_t groupMask = (1u << block) - 1;
  // Black pixels of each group of a byte, one count per 8-bit field, the
  // leftmost group in the lowest field.
  std::array<std::uint32_t, 256> counts{};
  for (unsigned black = 0; black < 256; ++black) {
    std::uint32_t packed = 0;
    for (int g = 0; g < groups; ++g) {
      const unsigned bits = (black >> (8 - block * (g + 1))) & groupMask;
      packed |= static_cast<std::uint32_t>(__builtin_popcount(bits)) << (8 * g);
    }
    counts[black] = packed;
  }
  // The grey of each count (at most block * block).
  const std::uint32_t weight = kOne / block;
  std::array<std::uint8_t, 65> greyOf{};
  const std::vector<std::uint8_t>& grey = GreyTable();
  for (int n = 0; n <= block * block; ++n)
    greyOf[n] = grey[std::min<std::uint32_t>(n * weight * weight, kFullInk)];

  const int bytes = std::min(page.BytesPerRow, (width + groups - 1) / groups);
  const int fullBytes = page.Width / 8;
  const unsigned tailMask = (0xFF00u >> (page.Width % 8)) & 0xFFu;
  std::vector<std::uint32_t> sums(static_cast<std::size_t>(bytes));
  for (int v = 0; v < height; ++v) {
    std::fill(sums.begin(), sums.end(), 0);
    bool any = false;
    const int lastRow = std::min(page.Height, (v + 1) * block);
    for (int y = v * block; y < lastRow; ++y) {
      const std::uint8_t* bits = page.Row(y);
      for (int i = 0; i < bytes; ++i) {
        const unsigned black = BlackBits(bits, i, fullBytes, tailMask);
        sums[i] += counts[black];
        any |= black != 0;
      }
    }
    std::uint8_t* to = image.scanLine(v);
    if (!any) {
      std::memset(to, 0xFF, static_cast<std::size_t>(width));
      continue;
    }
    for (int i = 0; i < bytes; ++i) {
      const std::uint32_t sum = sums[i];
      const int u0 = i * groups;
      const int n = std::min(groups, width - u0);
      if (sum == 0) {
        std::memset(to + u0, 0xFF, static_cast<std::size_t>(n));
        continue;
      }
      for (int g = 0; g < n; ++g) to[u0 + g] = greyOf[(sum >> (8 * g)) & 0xFFu];
    }
  }
}

// Any other scale: each page row is summed into the columns' ink with the
// column weights, then into the one or two screen rows it covers with its own
// weight. A screen row is turned to grey as soon as no later page row can
// reach it, so only two rows of ink are held.
void ReduceAnyScale(const DecodedPage& page, double s, QImage& image) {
  const int width = image.width();
  const int height = image.height();
  const AxisMap columns = MapAxis(page.Width, s, width);
  const AxisMap rows = MapAxis(page.Height, s, height);
  const std::vector<std::uint8_t>& grey = GreyTable();

  // Ink per screen pixel of a row, with a spare column for the second share of
  // the last page pixels.
  const std::size_t stride = static_cast<std::size_t>(width) + 2;
  std::vector<std::uint32_t> rowInk(stride, 0);
  std::vector<std::uint32_t> upper(stride, 0);
  std::vector<std::uint32_t> lower(stride, 0);
  int upperRow = 0;  // the screen row that `upper` holds

  auto finishRow = [&](int v) {
    if (v >= height) return;
    std::uint8_t* to = image.scanLine(v);
    for (int u = 0; u < width; ++u) to[u] = grey[std::min(upper[u], kFullInk)];
  };

  const int fullBytes = page.Width / 8;
  const int bytes = page.BytesPerRow;
  const unsigned tailMask = (0xFF00u >> (page.Width % 8)) & 0xFFu;
  for (int y = 0; y < page.Height; ++y) {
    const int cellY = rows.Index[y];
    if (cellY >= height) break;
    while (upperRow < cellY) {
      finishRow(upperRow);
      upper.swap(lower);
      std::fill(lower.begin(), lower.end(), 0);
      ++upperRow;
    }
    const std::uint32_t weightA = rows.WeightA[y];
    const std::uint32_t weightB = rows.WeightB[y];
    if (weightA == 0 && weightB == 0) continue;

    const std::uint8_t* bits = page.Row(y);
    int firstByte = -1;
    int lastByte = -1;
    // Most bytes are all white: skip them whole, and walk the black bits of
    // the others.
    for (int i = 0; i < bytes; ++i) {
      unsigned black = BlackBits(bits, i, fullBytes, tailMask);
      if (black == 0) continue;
      if (firstByte < 0) firstByte = i;
      lastByte = i;
      const int base = i * 8;
      while (black != 0) {
        const int bit = __builtin_clz(black) - 24;  // from the left
        black &= ~(0x80u >> bit);
        const int x = base + bit;
        const int cell = columns.Index[x];
        rowInk[cell] += columns.WeightA[x];
        rowInk[cell + 1] += columns.WeightB[x];
      }
    }
    if (firstByte < 0) continue;
    const int first = columns.Index[firstByte * 8];
    const int last = columns.Index[std::min(lastByte * 8 + 7, page.Width - 1)] + 1;
    if (weightB == 0) {
      for (int c = first; c <= last; ++c) {
        upper[c] += rowInk[c] * weightA;
        rowInk[c] = 0;
      }
    } else {
      for (int c = first; c <= last; ++c) {
        upper[c] += rowInk[c] * weightA;
        lower[c] += rowInk[c] * weightB;
        rowInk[c] = 0;
      }
    }
  }
  // The rows still held, and the ones no page row reached.
  for (; upperRow < height; ++upperRow) {
    finishRow(upperRow);
    upper.swap(lower);
    std::fill(lower.begin(), lower.end(), 0);
  }
}

}  // namespace

QImage RenderFullSizePage(const DecodedPage& page) {
  if (page.Width <= 0 || page.Height <= 0) return {};
  QImage image(page.Width, page.Height, QImage::Format_Grayscale8);
  if (image.isNull()) return {};
  // Each byte of a row becomes eight grey bytes at once: white for a 1 bit,
  // black for a 0, the leftmost pixel first.
  static const std::array<std::uint64_t, 256> expand = [] {
    std::array<std::uint64_t, 256> table{};
    for (unsigned b = 0; b < 256; ++b) {
      std::uint8_t pixels[8];
      for (int bit = 0; bit < 8; ++bit) pixels[bit] = (b & (0x80u >> bit)) ? 0xFF : 0x00;
      std::memcpy(&table[b], pixels, sizeof pixels);
    }
    return table;
  }();
  const int fullBytes = page.Width / 8;
  const int tail = page.Width % 8;
  for (int y = 0; y < page.Height; ++y) {
    const std::uint8_t* bits = page.Row(y);
    std::uint8_t* to = image.scanLine(y);
    for (int i = 0; i < fullBytes; ++i) std::memcpy(to + i * 8, &expand[bits[i]], 8);
    if (tail != 0) std::memcpy(to + fullBytes * 8, &expand[bits[fullBytes]], static_cast<std::size_t>(tail));
  }
  return image;
}

QImage RenderReducedPage(const DecodedPage& page, float scale, int shownWidth, int shownHeight) {
  if (shownWidth <= 0 || shownHeight <= 0 || page.Width <= 0 || page.Height <= 0) return {};
  shownWidth = std::min(shownWidth, page.Width);
  shownHeight = std::min(shownHeight, page.Height);
  QImage image(shownWidth, shownHeight, QImage::Format_Grayscale8);
  if (image.isNull()) return {};

  try {
    const double s = static_cast<double>(scale);
    for (int block : {2, 4}) {
      if (s * block != 1.0) continue;
      if (IsWholeBlocks(MapAxis(page.Width, s, shownWidth), block, shownWidth) &&
          IsWholeBlocks(MapAxis(page.Height, s, shownHeight), block, shownHeight)) {
        ReduceWholeBlocks(page, block, image);
        return image;
      }
    }
    ReduceAnyScale(page, s, image);
  } catch (const std::bad_alloc&) {
    return {};
  }
  return image;
}

void PageRendering::SetPage(std::shared_ptr<const DecodedPage> page, QImage bitmap) {
  page_ = std::move(page);
  bitmap_ = std::move(bitmap);
  cache_.clear();
}

const QImage* PageRendering::Find(int pictureRatio) {
  for (auto it = cache_.begin(); it != cache_.end(); ++it) {
    if (it->Ratio == pictureRatio) {
      cache_.splice(cache_.begin(), cache_, it);
      return &cache_.front().Image;
    }
  }
  return nullptr;
}

bool PageRendering::Prepare(int pictureRatio, float scale, int shownWidth, int shownHeight, bool* made) {
  if (made) *made = false;
  if (!page_) return false;
  // Above full size the full-size rendering is stretched while painting.
  const int key = std::min(pictureRatio, 100);
  if (Find(key)) return true;
  QImage image =
      key >= 100 ? RenderFullSizePage(*page_) : RenderReducedPage(*page_, scale, shownWidth, shownHeight);
  if (image.isNull()) return false;
  if (made) *made = true;
  cache_.push_front(Entry{key, std::move(image)});
  if (cache_.size() > kCachedScales) cache_.pop_back();
  return true;
}
void PageRendering::Paint(QPainter& painter, const QPoint& target, const QRect& area, int pictureRatio,
                          float scale) {
  const QImage* image = Find(std::min(pictureRatio, 100));
  if (!image || area.isEmpty()) return;
  if (pictureRatio <= 100) {
    painter.drawImage(target, *image, area);
    return;
  }
  // Screen pixel u shows page pixel trunc(u / s).
  const double s = static_cast<double>(scale);
  const QRectF source(area.x() / s, area.y() / s, area.width() / s, area.height() / s);
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(QRectF(target, area.size()), *image, source);
  painter.restore();
}

}  // namespace zorvel
