#pragma once
// The arithmetic of the image window, apart from any widget: where the marker of
// a character stands on the page, where the view scrolls to show it, how a point
// clicked on the scaled picture becomes the page's first-character corner, and
// how the scroll position follows a change of scale.
//
// Three kinds of coordinates occur:
//  - full-size page pixels: the picture settings and the calibration values;
//    FirstCharX and the distance X below are measured leftward from the right
//    edge of the page;
//  - scaled picture pixels: the shown picture, the marker and mouse positions;
//  - scroll positions of the window, in scaled pixels.
// The scale s is PictureRatio x 0.01 held in single precision; a full-size value
// v shows as trunc(v x s) and a scaled value u stands for trunc(u / s), both
// formed in double precision and cut toward zero. All halvings are integer
// divisions. Sums and products are formed in 64 bits and every result is
// clamped to the 32-bit range, so no setting, however wild, overflows.
//
// A PictureRatio of 0 or less has no meaning (the picture would vanish and the
// divisions by s would fail); every function here takes 100 in its place, as the
// image window does.

#include <string_view>

#include "core/pages/vol_shift.h"
#include "core/settings/settings.h"

namespace zorvel {

// The percentage actually used: ratio, or 100 when ratio is 0 or less.
int EffectivePictureRatio(int pictureRatio);
// What the image window says, once, when it shows a page at 100 % in place
// of such a ratio.
inline constexpr std::string_view kRatioReplaced = "警告 : 圖形比例必須大於 0, 圖形以 100 % 顯示.";

// s: the effective percentage x 0.01, in single precision.
float PictureScale(int pictureRatio);

// trunc(v x s) and trunc(u / s) for the effective scale of pictureRatio.
int ScaleToPicture(long long fullSize, int pictureRatio);
int ScaleToPage(long long scaled, int pictureRatio);

// Size of the shown picture for a full-size page: trunc(W x s) by trunc(H x s).
struct PictureSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};
PictureSize ShownPictureSize(int pageWidth, int pageHeight, int pictureRatio);

// What ShowPosition needs to know of the window.
struct ViewGeometry {
  int PageWidth = 0;    // full-size width of the page on display; the shown
                        // width is ShownPictureSize of it
  int ClientWidth = 0;  // client area of the image window
  int ClientHeight = 0;
};

// Where a character stands and where the view goes.
struct MarkerPosition {
  // Centre of the character in full-size page pixels, x from the left edge:
  // PageX = page width - X, PageY = Y.
  int PageX = 0;
  int PageY = 0;
  // The same point as the marker: in shown picture pixels, MarkerX = shown
  // width - trunc(X x s) and MarkerY = trunc(Y x s).
  int MarkerX = 0;
  int MarkerY = 0;
  // The scroll target, before the window clamps it to its range.
  int ScrollX = 0;
  int ScrollY = 0;
  friend bool operator==(const MarkerPosition&, const MarkerPosition&) = default;
};

// ShowPosition for register field (0 upper, 1 middle, 2 lower), line (from the
// right, from 0) and charIndex (from the top, from 0), with the settings and the
// page's calibration:
//   Y  = FieldSpace x field + charIndex x WordHeight + WordHeight / 2 + FirstCharY
//   L' = line, plus the register's shift when IgnoreShift is off
//   X  = LineSpace x L' + WordWidth / 2 + FirstCharX
//   ScrollY = viewY - client height / 2, where viewY is MarkerY, or with
//             ShowWay 1 the scaled centre of the register's ninth character
//   ScrollX = MarkerX + client width / 2 - client width
// Nothing checks the register, line or character: values outside the page land
// outside it.
MarkerPosition ComputeShowPosition(const Settings& settings, const PageCalibration& page,
                                   const ViewGeometry& view, int field, int line, int charIndex);

// The way back from the page to the text: which character cell a point of the
// shown picture (in shown picture pixels, as a mouse press on the picture gives
// it) lies in, by the same geometry as ComputeShowPosition. A register is
// FieldSpace tall from its first character's top; its characters are
// WordHeight tall, from the top. A line owns the LineSpace-wide band centred on
// its characters' centre, so a point in the gap between two lines goes to the
// nearer one. With IgnoreShift off the register's shift is taken off the line.
enum class PointPlace {
  Character,         // Field, Line and Char name the cell
  OutsidePicture,    // not on the shown picture
  OutsideRegisters,  // above the first register or below the third
  OutsideLines,      // right of the first line of the register (or the geometry has no size)
};
struct CharacterCell {
  PointPlace Place = PointPlace::OutsidePicture;
  int Field = 0;
  int Line = 0;
  int Char = 0;
  friend bool operator==(const CharacterCell&, const CharacterCell&) = default;
};
inline constexpr int kRegisterCount = 3;
// The last character of a register, where the commands that check a page's
// calibration show it: line 28 (from the right) and character 16 (from the
// top), both counted from 0.
inline constexpr int kLastLineOfRegister = 28;
inline constexpr int kLastCharacterOfLine = 16;
CharacterCell CharacterAtPoint(const Settings& settings, const PageCalibration& page, int pageWidth,
                               int pageHeight, int x, int y);

// SetRightTop: the point (x, y) clicked on the shown picture, shownWidth wide,
// taken as the top-right corner of the first character. A negative coordinate
// leaves its value alone; the shifts are kept.
//   FirstCharY = trunc(y / s), FirstCharX = trunc((shownWidth - x) / s)
PageCalibration ComputeRightTop(const PageCalibration& page, int pictureRatio, int shownWidth, int x, int y);

// Rescale: the new shown size and the scroll position that keeps the same part
// of the page in view. Both positions scale by new height / old height, with
// 64-bit products; an old height of 0 or less (nothing shown) gives 0.
struct RescaleResult {
  PictureSize Shown;
  int ScrollX = 0;
  int ScrollY = 0;
  friend bool operator==(const RescaleResult&, const RescaleResult&) = default;
};
RescaleResult ComputeRescale(int pageWidth, int pageHeight, int newPictureRatio, int oldShownHeight,
                             int oldScrollX, int oldScrollY);

}  // namespace zorvel
