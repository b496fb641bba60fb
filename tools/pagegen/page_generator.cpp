#include "pagegen/page_generator.h"

#include <tiffio.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace zorvel::pagegen {

namespace {

// A small deterministic generator (splitmix64), the same on every platform.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

 private:
  std::uint64_t state_;
};

// A thick straight stroke from (x0, y0) to (x1, y1), stamped with squares
// whose size wavers by a pixel, as the edges of printed strokes do on a scan,
// or, steady, with clean edges as on a sharp scan of fine print.
void Stroke(Bitmap& page, int x0, int y0, int x1, int y1, int thickness, Random& rng, bool steady = false) {
  const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  for (int i = 0; i <= steps; ++i) {
    const int x = steps == 0 ? x0 : x0 + (x1 - x0) * i / steps;
    const int y = steps == 0 ? y0 : y0 + (y1 - y0) * i / steps;
    if (steady) {
      FillRect(page, x - thickness / 2, y - thickness / 2, thickness, thickness);
      continue;
    }
    const int t = thickness + rng.Below(3) - 1;
    FillRect(page, x - t / 2 - rng.Below(2), y - t / 2 - rng.Below(2), t + 1, t + 1);
  }
}

}  // namespace

Bitmap::Bitmap(int width, int height)
    : width_(width),
      height_(height),
      stride_((width + 7) / 8),
      bits_(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height), 0) {}

bool Bitmap::IsBlack(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
  return (Row(y)[x >> 3] & (0x80 >> (x & 7))) != 0;
}

void Bitmap::Set(int x, int y, bool black) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  std::uint8_t& byte = Row(y)[x >> 3];
  const std::uint8_t mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
  byte = black ? static_cast<std::uint8_t>(byte | mask) : static_cast<std::uint8_t>(byte & ~mask);
}

void FillRect(Bitmap& page, int x, int y, int w, int h, bool black) {
  const int x0 = std::max(x, 0);
  const int y0 = std::max(y, 0);
  const int x1 = std::min(x + w, page.Width());
  const int y1 = std::min(y + h, page.Height());
  for (int yy = y0; yy < y1; ++yy) {
    for (int xx = x0; xx < x1; ++xx) page.Set(xx, yy, black);
  }
}

void DrawGlyph(Bitmap& page, int x, int y, int w, int h, std::uint32_t seed, const GlyphStyle& style) {
  if (w < 4 || h < 4) return;
  Random rng(seed);
  const int t = std::max(2, std::min(w, h) / style.ThicknessDivisor);  // stroke thickness
  const int strokes = rng.Between(style.MinStrokes, style.MaxStrokes);
  for (int s = 0; s < strokes; ++s) {
    const int kind = rng.Below(10);
    if (kind < style.Horizontal) {  // horizontal stroke, often with a small hook at its end
      const int yy = y + rng.Between(t, h - t - 1);
      const int xa = x + rng.Below(w / 3);
      const int xb = x + w - 1 - rng.Below(w / 3);
      Stroke(page, xa, yy, xb, yy, t, rng, style.Steady);
      if (rng.Below(3) == 0) Stroke(page, xb, yy, xb - t, yy + 2 * t, t, rng, style.Steady);
    } else if (kind < style.Horizontal + style.Vertical) {  // vertical stroke
      const int xx = x + rng.Between(t, w - t - 1);
      const int ya = y + rng.Below(h / 3);
      const int yb = y + h - 1 - rng.Below(h / 4);
      Stroke(page, xx, ya, xx, yb, t, rng, style.Steady);
    } else if (kind < style.Horizontal + style.Vertical + style.Slanted) {
      // slanted stroke: a left-falling or right-falling sweep
      const int xa = x + rng.Between(t, w - t - 1);
      const int ya = y + rng.Between(t, h / 2);
      const int xb =
          std::clamp(xa + (rng.Below(2) ? 1 : -1) * rng.Between(w / 4, w / 2), x + t, x + w - t - 1);
      const int yb = std::min(ya + rng.Between(h / 4, h / 2), y + h - t - 1);
      Stroke(page, xa, ya, xb, yb, t, rng, style.Steady);
    } else {  // dot
      const int xx = x + rng.Between(t, w - 2 * t);
      const int yy = y + rng.Between(t, h - 2 * t);
      Stroke(page, xx, yy, xx + t, yy + t, t + 1, rng, style.Steady);
    }
  }
}

void DrawFrame(Bitmap& page, int x, int y, int w, int h, int thickness) {
  FillRect(page, x, y, w, thickness);
  FillRect(page, x, y + h - thickness, w, thickness);
  FillRect(page, x, y, thickness, h);
  FillRect(page, x + w - thickness, y, thickness, h);
}

void AddSpeckle(Bitmap& page, double density, std::uint32_t seed, int maxSize) {
  Random rng(seed ^ 0x5EC1u);
  const double pixels = static_cast<double>(page.Width()) * page.Height();
  const long count = std::lround(pixels * density);
  for (long i = 0; i < count; ++i) {
    const int x = rng.Below(page.Width());
    const int y = rng.Below(page.Height());
    const int size = rng.Between(1, std::max(1, maxSize));
    FillRect(page, x, y, size, rng.Between(1, size), rng.Below(8) != 0);
  }
}

void FillRandom(Bitmap& page, double blackShare, std::uint32_t seed) {
  Random rng(seed);
  for (int y = 0; y < page.Height(); ++y) {
    for (int x = 0; x < page.Width(); ++x) page.Set(x, y, rng.Unit() < blackShare);
  }
}

Rect CharBox(const PageLayout& layout, int r, int l, int c) {
  const int registerHeight =
      (layout.Text.H - (layout.Registers - 1) * layout.RegisterGap) / std::max(1, layout.Registers);
  const int lineWidth = layout.Text.W / std::max(1, layout.LinesPerRegister);
  const int charHeight = registerHeight / std::max(1, layout.CharsPerLine);
  Rect box;
  box.W = lineWidth;
  box.H = charHeight;
  box.X = layout.Text.X + layout.Text.W - (l + 1) * lineWidth;
  box.Y = layout.Text.Y + r * (registerHeight + layout.RegisterGap) + c * charHeight;
  return box;
}

namespace {

void DrawText(Bitmap& page, const PageLayout& layout, std::uint32_t seed, double fill,
              const GlyphStyle& style = {}) {
  Random rng(seed);
  for (int r = 0; r < layout.Registers; ++r) {
    for (int l = 0; l < layout.LinesPerRegister; ++l) {
      // Lines end early now and then, as paragraphs do.
      const int chars = rng.Below(5) == 0 ? rng.Between(1, layout.CharsPerLine) : layout.CharsPerLine;
      for (int c = 0; c < chars; ++c) {
        if (rng.Unit() >= fill) continue;
        const Rect box = CharBox(layout, r, l, c);
        const int m = layout.GlyphMargin;
        DrawGlyph(page, box.X + m, box.Y + m, box.W - 2 * m, box.H - 2 * m,
                  static_cast<std::uint32_t>(rng.Next()), style);
      }
    }
  }
}

}  // namespace

Bitmap DrawTextPage(const PageLayout& layout, std::uint32_t seed, double fill) {
  Bitmap page(layout.Width, layout.Height);
  DrawFrame(page, layout.Frame.X, layout.Frame.Y, layout.Frame.W, layout.Frame.H, layout.FrameThickness);
  DrawText(page, layout, seed, fill);
  return page;
}

Bitmap DrawNearBlankPage(const PageLayout& layout, std::uint32_t seed) {
  Bitmap page(layout.Width, layout.Height);
  DrawFrame(page, layout.Frame.X, layout.Frame.Y, layout.Frame.W, layout.Frame.H, layout.FrameThickness);
  Random rng(seed);
  const int lines = rng.Between(1, 3);
  for (int l = 0; l < lines; ++l) {
    for (int c = 0; c < 6; ++c) {
      const Rect box = CharBox(layout, 0, l, c);
      DrawGlyph(page, box.X + 4, box.Y + 4, box.W - 8, box.H - 8, static_cast<std::uint32_t>(rng.Next()));
    }
  }
  AddSpeckle(page, 0.00002, seed, 2);
  return page;
}

Bitmap DrawSpecklePage(const PageLayout& layout, std::uint32_t seed) {
  Bitmap page = DrawTextPage(layout, seed, 0.8);
  AddSpeckle(page, 0.004, seed, 3);
  return page;
}

namespace {

// Thirty lines of seventeen characters to a register, set one pixel closer to
// their cells' edges than the usual print.
PageLayout SmallPrint(const PageLayout& layout) {
  PageLayout small = layout;
  small.LinesPerRegister = 30;
  small.GlyphMargin = 3;
  return small;
}

// Sharp strokes, about twice as many as the usual print, thinner, and most of
// them vertical: every row a stroke crosses costs a change at each edge, and a
// clean vertical edge costs the least data, so such a page holds as many
// changes in its data as the densest real scans.
GlyphStyle SmallStyle() {
  GlyphStyle g;
  g.MinStrokes = 10;
  g.MaxStrokes = 18;
  g.ThicknessDivisor = 12;
  g.Steady = true;
  g.Horizontal = 2;
  g.Vertical = 7;
  g.Slanted = 0;
  return g;
}

Bitmap SmallPrintPage(const PageLayout& layout, std::uint32_t seed, double fill) {
  const PageLayout small = SmallPrint(layout);
  Bitmap page(small.Width, small.Height);
  DrawFrame(page, small.Frame.X, small.Frame.Y, small.Frame.W, small.Frame.H, small.FrameThickness);
  DrawText(page, small, seed, fill, SmallStyle());
  return page;
}

}  // namespace

Bitmap DrawSmallPrintPage(const PageLayout& layout, std::uint32_t seed) {
  return SmallPrintPage(layout, seed, 0.97);
}

Bitmap DrawSpeckledSmallPrintPage(const PageLayout& layout, std::uint32_t seed) {
  Bitmap page = SmallPrintPage(layout, seed, 0.9);
  AddSpeckle(page, 0.001, seed, 2);
  return page;
}

bool WriteG4Tiff(const std::string& path, const Bitmap& page, const TiffOptions& options,
                 std::string* error) {
  auto fail = [&](const char* what) {
    if (error) *error = what;
    return false;
  };
  TIFFSetWarningHandler(nullptr);
  TIFF* tif = TIFFOpen(path.c_str(), "wl");
  if (!tif) return fail("cannot create the file");
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(page.Width()));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(page.Height()));
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 1);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC,
               options.Photometric == 1 ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_MINISWHITE);
  TIFFSetField(tif, TIFFTAG_FILLORDER, options.FillOrder == 2 ? FILLORDER_LSB2MSB : FILLORDER_MSB2LSB);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, static_cast<std::uint32_t>(std::max(1, page.Height())));
  TIFFSetField(tif, TIFFTAG_XRESOLUTION, 400.0);
  TIFFSetField(tif, TIFFTAG_YRESOLUTION, 400.0);
  TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
  // libtiff codes 0 bits as white runs and 1 bits as black runs whatever the
  // photometric tag says, so the coded page is the same under either tag: the
  // tag alone differs, as in the scans this program reads.
  std::vector<std::uint8_t> row(static_cast<std::size_t>(page.Stride()));
  for (int y = 0; y < page.Height(); ++y) {
    std::memcpy(row.data(), page.Row(y), row.size());
    if (TIFFWriteScanline(tif, row.data(), static_cast<std::uint32_t>(y), 0) < 0) {
      TIFFClose(tif);
      return fail("libtiff could not encode a row");
    }
  }
  TIFFClose(tif);
  if (!options.WriteCompressionTag) {
    // Rename the Compression tag to an unknown private tag in place, keeping the
    // IFD sorted enough for our reader (it never looks at the order).
    std::FILE* f = std::fopen(path.c_str(), "r+b");
    if (!f) return fail("cannot reopen the file");
    std::uint8_t header[8];
    bool done = false;
    if (std::fread(header, 1, 8, f) == 8) {
      const long ifd =
          header[4] | (header[5] << 8) | (header[6] << 16) | (static_cast<long>(header[7]) << 24);
      std::uint8_t count[2];
      if (std::fseek(f, ifd, SEEK_SET) == 0 && std::fread(count, 1, 2, f) == 2) {
        const int n = count[0] | (count[1] << 8);
        for (int i = 0; i < n && !done; ++i) {
          std::uint8_t entry[12];
          const long at = ifd + 2 + 12L * i;
          if (std::fseek(f, at, SEEK_SET) != 0 || std::fread(entry, 1, 12, f) != 12) break;
          if ((entry[0] | (entry[1] << 8)) == 259) {
            const std::uint8_t unknown[2] = {0x10, 0x80};  // tag 32784, ignored by readers
            done = std::fseek(f, at, SEEK_SET) == 0 && std::fwrite(unknown, 1, 2, f) == 2;
          }
        }
      }
    }
    std::fclose(f);
    if (!done) return fail("no Compression tag to remove");
  }
  return true;
}

std::vector<std::uint8_t> ReadRawStrip(const std::string& path) {
  TIFFSetWarningHandler(nullptr);
  std::vector<std::uint8_t> out;
  TIFF* tif = TIFFOpen(path.c_str(), "r");
  if (!tif) return out;
  const tmsize_t size = TIFFRawStripSize(tif, 0);
  if (size > 0) {
    out.resize(static_cast<std::size_t>(size));
    const tmsize_t got = TIFFReadRawStrip(tif, 0, out.data(), size);
    out.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  }
  TIFFClose(tif);
  return out;
}

bool SamePixels(const Bitmap& page, const DecodedPage& decoded, std::string* firstDifference) {
  auto say = [&](const std::string& what) {
    if (firstDifference) *firstDifference = what;
    return false;
  };
  if (page.Width() != decoded.Width || page.Height() != decoded.Height) {
    return say("size " + std::to_string(decoded.Width) + "x" + std::to_string(decoded.Height) +
               " instead of " + std::to_string(page.Width()) + "x" + std::to_string(page.Height()));
  }
  if (decoded.BytesPerRow != page.Stride() ||
      decoded.Rows.size() != static_cast<std::size_t>(page.Stride()) * page.Height()) {
    return say("wrong row layout");
  }
  const int full = page.Width() / 8;
  const int rest = page.Width() % 8;
  const std::uint8_t restMask = static_cast<std::uint8_t>(0xFF00 >> rest);
  for (int y = 0; y < page.Height(); ++y) {
    const std::uint8_t* a = page.Row(y);
    const std::uint8_t* b = decoded.Row(y);
    for (int i = 0; i <= full; ++i) {
      const std::uint8_t mask = i < full ? 0xFF : restMask;
      if (mask == 0) break;
      if (((a[i] ^ ~b[i]) & mask) != 0) {
        for (int x = i * 8; x < std::min(i * 8 + 8, page.Width()); ++x) {
          if (page.IsBlack(x, y) != decoded.IsBlack(x, y)) {
            return say("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") differs");
          }
        }
      }
    }
  }
  return true;
}

}  // namespace zorvel::pagegen
