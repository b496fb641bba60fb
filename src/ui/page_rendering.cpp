#include "ui/page_rendering.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <vector>

namespace zorvel {

namespace {

// Renderings kept at once: the current scale and the two used before it.
constexpr std::size_t kCachedScales = 3;

// Weights are in 1/256 of a screen pixel's width or height.
constexpr int kOne = 256;

// Where the page pixels of one axis land on the reduced picture: pixel i puts
// WeightA of its extent into cell Index and the rest into cell Index + 1.
struct AxisMap {
  std::vector<int> Index;
  std::vector<int> WeightA;
  std::vector<int> WeightB;
};

AxisMap MapAxis(int pageSize, double scale) {
  AxisMap map;
  map.Index.resize(pageSize);
  map.WeightA.resize(pageSize);
  map.WeightB.resize(pageSize);
  for (int i = 0; i < pageSize; ++i) {
    const double lo = i * scale;
    const double hi = (i + 1) * scale;
    const double cell = std::floor(lo);
    const double split = cell + 1.0;
    map.Index[i] = static_cast<int>(cell);
    if (hi <= split) {
      map.WeightA[i] = static_cast<int>(std::lround((hi - lo) * kOne));
      map.WeightB[i] = 0;
    } else {
      map.WeightA[i] = static_cast<int>(std::lround((split - lo) * kOne));
      map.WeightB[i] = static_cast<int>(std::lround((hi - split) * kOne));
    }
  }
  return map;
}

// The grey of a screen pixel from its ink share (0 to kOne * kOne): the cube
// of the white share, so that a stroke covering a fifth of the pixel is
// already mid grey and one covering a tenth still shows.
std::vector<QRgb> GreyTable() {
  constexpr int full = kOne * kOne;
  std::vector<QRgb> table(full + 1);
  for (int ink = 0; ink <= full; ++ink) {
    const double white = 1.0 - static_cast<double>(ink) / full;
    const int grey = static_cast<int>(std::lround(255.0 * white * white * white));
    table[ink] = qRgb(grey, grey, grey);
  }
  return table;
}

}  // namespace

QImage RenderReducedPage(const DecodedPage& page, float scale, int shownWidth, int shownHeight) {
  if (shownWidth <= 0 || shownHeight <= 0 || page.Width <= 0 || page.Height <= 0) return {};
  shownWidth = std::min(shownWidth, page.Width);
  shownHeight = std::min(shownHeight, page.Height);
  QImage image(shownWidth, shownHeight, QImage::Format_RGB32);
  if (image.isNull()) return {};

  try {
    const double s = static_cast<double>(scale);
    const AxisMap columns = MapAxis(page.Width, s);
    const AxisMap rows = MapAxis(page.Height, s);
    // Ink per screen pixel, with a spare column and row for the second share of
    // the last page pixels.
    const int stride = shownWidth + 2;
    std::vector<std::uint32_t> ink(static_cast<std::size_t>(stride) * (shownHeight + 2), 0);
    std::vector<std::uint32_t> rowInk(stride, 0);

    const int fullBytes = page.Width / 8;
    const int tailBits = page.Width % 8;
    for (int y = 0; y < page.Height; ++y) {
      const int cellY = rows.Index[y];
      if (cellY > shownHeight) break;
      const std::uint8_t* bits = page.Row(y);
      int first = stride;
      int last = -1;
      auto addPixel = [&](int x) {
        const int cell = columns.Index[x];
        if (cell > shownWidth) return;
        rowInk[cell] += columns.WeightA[x];
        rowInk[cell + 1] += columns.WeightB[x];
        first = std::min(first, cell);
        last = std::max(last, cell + 1);
      };
      // Most bytes are all white (all ones): skip them whole.
      for (int i = 0; i < fullBytes; ++i) {
        const unsigned black = static_cast<std::uint8_t>(~bits[i]);
        if (black == 0) continue;
        for (int bit = 0; bit < 8; ++bit) {
          if (black & (0x80u >> bit)) addPixel(i * 8 + bit);
        }
      }
      if (tailBits != 0) {
        const unsigned black = static_cast<std::uint8_t>(~bits[fullBytes]);
        for (int bit = 0; bit < tailBits; ++bit) {
          if (black & (0x80u >> bit)) addPixel(fullBytes * 8 + bit);
        }
      }
      if (last < 0) continue;
      std::uint32_t* upper = ink.data() + static_cast<std::size_t>(cellY) * stride;
      std::uint32_t* lower = upper + stride;
      const std::uint32_t weightA = rows.WeightA[y];
      const std::uint32_t weightB = rows.WeightB[y];
      for (int c = first; c <= last; ++c) {
        upper[c] += rowInk[c] * weightA;
        lower[c] += rowInk[c] * weightB;
        rowInk[c] = 0;
      }
    }

    static const std::vector<QRgb> grey = GreyTable();
    constexpr std::uint32_t full = kOne * kOne;
    for (int v = 0; v < shownHeight; ++v) {
      const std::uint32_t* from = ink.data() + static_cast<std::size_t>(v) * stride;
      QRgb* to = reinterpret_cast<QRgb*>(image.scanLine(v));
      for (int u = 0; u < shownWidth; ++u) to[u] = grey[std::min(from[u], full)];
    }
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
  QImage image = key >= 100 ? bitmap_.convertToFormat(QImage::Format_RGB32)
                            : RenderReducedPage(*page_, scale, shownWidth, shownHeight);
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
