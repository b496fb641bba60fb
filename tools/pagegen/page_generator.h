#pragma once
// Drawing of realistic monochrome page images and writing them as single-strip
// Group 4 TIFF files through libtiff. Used by the tests, the benchmarks and the
// sample workspace generator; the decoder itself never uses libtiff.

#include <cstdint>
#include <string>
#include <vector>

#include "codec/decoded_page.h"

namespace zorvel::pagegen {

// A one-bit page. Bit value 1 is BLACK here (ink), rows packed most significant
// bit first, (width + 7) / 8 bytes per row with no gap.
class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return stride_; }
  std::uint8_t* Row(int y) { return bits_.data() + static_cast<std::size_t>(y) * stride_; }
  const std::uint8_t* Row(int y) const { return bits_.data() + static_cast<std::size_t>(y) * stride_; }
  const std::vector<std::uint8_t>& Bits() const { return bits_; }

  bool IsBlack(int x, int y) const;    // false outside the page
  void Set(int x, int y, bool black);  // ignored outside the page

 private:
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  std::vector<std::uint8_t> bits_;
};

struct Rect {
  int X = 0;
  int Y = 0;
  int W = 0;
  int H = 0;
};

// Paints a rectangle black (or white), clipped to the page.
void FillRect(Bitmap& page, int x, int y, int w, int h, bool black = true);
// How a glyph is drawn: how many strokes, how thick (the box's smaller side
// divided by ThicknessDivisor, at least 2), and whether the stroke edges waver
// by a pixel, as on most scans, or stay steady, as on a sharp scan.
struct GlyphStyle {
  int MinStrokes = 6;
  int MaxStrokes = 13;
  int ThicknessDivisor = 14;
  bool Steady = false;
  // Of every ten strokes: horizontal, vertical and slanted ones; the rest are dots.
  int Horizontal = 4;
  int Vertical = 3;
  int Slanted = 2;
};
// Draws stroke-like ink inside the box, as a printed CJK character looks at
// scan resolution: horizontal, vertical and slanted strokes and dots. The same
// seed gives the same glyph.
void DrawGlyph(Bitmap& page, int x, int y, int w, int h, std::uint32_t seed, const GlyphStyle& style = {});
// A printed frame: the outline of the box, thickness pixels wide, drawn inward.
void DrawFrame(Bitmap& page, int x, int y, int w, int h, int thickness);
// Scatters specks of 1 to maxSize pixels; density is the share of pixels that
// start a speck.
void AddSpeckle(Bitmap& page, double density, std::uint32_t seed, int maxSize = 3);
// Every pixel black with probability blackShare.
void FillRandom(Bitmap& page, double blackShare, std::uint32_t seed);

// Where the text of a page stands: three registers stacked top to bottom (0
// upper), lines running right to left and characters top to bottom.
struct PageLayout {
  int Width = 2400;
  int Height = 3400;
  Rect Frame{150, 180, 2100, 3040};  // outer edge of the printed frame
  int FrameThickness = 5;
  int Registers = 3;
  int LinesPerRegister = 29;
  int CharsPerLine = 17;
  Rect Text{180, 210, 2040, 2980};  // the area the registers share
  int RegisterGap = 40;             // blank rows between two registers
  int GlyphMargin = 4;              // blank pixels around a glyph in its cell
};

// The cell of character c (from 0) of line l (from 0, rightmost first) of register r.
Rect CharBox(const PageLayout& layout, int r, int l, int c);

// A page of dense vertical text in all three registers inside the printed frame.
// fill is the share of cells that hold a character.
Bitmap DrawTextPage(const PageLayout& layout, std::uint32_t seed, double fill = 0.95);
// A near-blank page: the frame, a few characters and a little dust.
Bitmap DrawNearBlankPage(const PageLayout& layout, std::uint32_t seed);
// A speckled scan: the text page with heavy speckle over it.
Bitmap DrawSpecklePage(const PageLayout& layout, std::uint32_t seed);
// A page as dense as the densest real scans: small characters set close in
// all three registers. The layout gives the page, the frame and the text area;
// lines and characters are set closer than its counts say.
Bitmap DrawSmallPrintPage(const PageLayout& layout, std::uint32_t seed);
// The small-print page with the speckle of a poor scan over it.
Bitmap DrawSpeckledSmallPrintPage(const PageLayout& layout, std::uint32_t seed);

struct TiffOptions {
  int FillOrder = 1;    // 1: most significant bit first; 2: least significant first
  int Photometric = 0;  // 0: WhiteIsZero; 1: BlackIsZero (the coded page is the same)
  bool WriteCompressionTag = true;
};

// Writes the page as a little-endian single-strip CCITT Group 4 TIFF. Returns
// false (and says why in error) when libtiff fails.
bool WriteG4Tiff(const std::string& path, const Bitmap& page, const TiffOptions& options = {},
                 std::string* error = nullptr);

// The compressed strip of a written file, as libtiff gives it back raw.
std::vector<std::uint8_t> ReadRawStrip(const std::string& path);

// True when the decoded page (1 white) shows exactly the bitmap's pixels.
bool SamePixels(const Bitmap& page, const DecodedPage& decoded, std::string* firstDifference = nullptr);

}  // namespace zorvel::pagegen
