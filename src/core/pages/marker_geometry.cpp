#include "core/pages/marker_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace zorvel {

namespace {

// Wide enough for a sum of several products of 32-bit values, whatever the
// settings hold.
using Wide = __int128;

constexpr long long kIntMin = std::numeric_limits<int>::min();
constexpr long long kIntMax = std::numeric_limits<int>::max();

int Clamp(Wide v) {
  return static_cast<int>(v < kIntMin ? kIntMin : v > kIntMax ? kIntMax : v);
}

// trunc toward zero of a double, clamped to the 32-bit range.
int TruncClamp(double v) {
  if (std::isnan(v)) return 0;
  if (v <= static_cast<double>(kIntMin)) return static_cast<int>(kIntMin);
  if (v >= static_cast<double>(kIntMax)) return static_cast<int>(kIntMax);
  return static_cast<int>(std::trunc(v));
}

// trunc(v x s) without the clamp to 32 bits, for sums that follow.
Wide ToPicture(Wide fullSize, int pictureRatio) {
  const double scaled = static_cast<double>(fullSize) * static_cast<double>(PictureScale(pictureRatio));
  constexpr double kLimit = 1e30;  // far beyond any 32-bit sum, well inside Wide
  return static_cast<Wide>(std::trunc(std::clamp(scaled, -kLimit, kLimit)));
}

// Shift of a register; the registers other than 0 to 2 have none.
Wide RegisterShift(const PageCalibration& page, int field) {
  switch (field) {
    case 0:
      return page.UpperShift;
    case 1:
      return page.MiddleShift;
    case 2:
      return page.LowerShift;
    default:
      return 0;
  }
}

}  // namespace

int EffectivePictureRatio(int pictureRatio) {
  return pictureRatio > 0 ? pictureRatio : 100;
}

float PictureScale(int pictureRatio) {
  return static_cast<float>(EffectivePictureRatio(pictureRatio) * 0.01);
}

int ScaleToPicture(long long fullSize, int pictureRatio) {
  return ToPicture(fullSize, pictureRatio);
}

int ScaleToPage(long long scaled, int pictureRatio) {
  return TruncClamp(static_cast<double>(scaled) / static_cast<double>(PictureScale(pictureRatio)));
}

PictureSize ShownPictureSize(int pageWidth, int pageHeight, int pictureRatio) {
  return PictureSize{ScaleToPicture(pageWidth, pictureRatio), ScaleToPicture(pageHeight, pictureRatio)};
}

MarkerPosition ComputeShowPosition(const Settings& settings, const PageCalibration& page,
                                   const ViewGeometry& view, int field, int line, int charIndex) {
  const int ratio = settings.PictureRatio;
  const Wide wordHeight = settings.WordHeight;
  const Wide fieldTop = Wide{settings.FieldSpace} * field + page.FirstCharY;

  MarkerPosition result;
  const Wide y = fieldTop + charIndex * wordHeight + wordHeight / 2;
  result.PageY = Clamp(y);
  const Wide markerY = ToPicture(y, ratio);
  result.MarkerY = Clamp(markerY);

  Wide viewY = markerY;
  if (settings.ShowWay == 1) viewY = ToPicture(fieldTop + wordHeight * 8 + wordHeight / 2, ratio);

  Wide effectiveLine = line;
  if (!settings.IgnoreShift) effectiveLine += RegisterShift(page, field);
  const Wide x = Wide{settings.LineSpace} * effectiveLine + settings.WordWidth / 2 + page.FirstCharX;
  result.PageX = Clamp(Wide{view.PageWidth} - x);
  const Wide markerX = ToPicture(view.PageWidth, ratio) - ToPicture(x, ratio);
  result.MarkerX = Clamp(markerX);

  result.ScrollY = Clamp(viewY - view.ClientHeight / 2);
  result.ScrollX = Clamp(markerX + view.ClientWidth / 2 - view.ClientWidth);
  return result;
}

CharacterCell CharacterAtPoint(const Settings& settings, const PageCalibration& page, int pageWidth,
                               int pageHeight, int x, int y) {
  CharacterCell cell;
  const int ratio = settings.PictureRatio;
  const PictureSize shown = ShownPictureSize(pageWidth, pageHeight, ratio);
  if (x < 0 || y < 0 || x >= shown.Width || y >= shown.Height) return cell;
  if (settings.FieldSpace <= 0 || settings.WordHeight <= 0 || settings.LineSpace <= 0) {
    cell.Place = PointPlace::OutsideLines;
    return cell;
  }
  // Back to full-size pixels, without cutting: the marker's own pixel lies up
  // to one scaled pixel before the point it stands for.
  const double s = static_cast<double>(PictureScale(ratio));
  const double fromTop = static_cast<double>(y) / s - page.FirstCharY;
  const double fromRight = static_cast<double>(shown.Width - x) / s - page.FirstCharX;

  const double field = std::floor(fromTop / settings.FieldSpace);
  if (fromTop < 0 || field >= kRegisterCount) {
    cell.Place = PointPlace::OutsideRegisters;
    return cell;
  }
  cell.Field = static_cast<int>(field);
  cell.Char = static_cast<int>(
      std::floor((fromTop - static_cast<double>(settings.FieldSpace) * cell.Field) / settings.WordHeight));

  const double centre = fromRight - settings.WordWidth / 2;
  const double shownLine = std::floor(centre / settings.LineSpace + 0.5);
  long long line = shownLine < -1e9  ? -1
                   : shownLine > 1e9 ? static_cast<long long>(1e9)
                                     : static_cast<long long>(shownLine);
  if (!settings.IgnoreShift) line -= static_cast<long long>(RegisterShift(page, cell.Field));
  if (line < 0 || line > kIntMax) {
    cell.Place = PointPlace::OutsideLines;
    return cell;
  }
  cell.Line = static_cast<int>(line);
  cell.Place = PointPlace::Character;
  return cell;
}

PageCalibration ComputeRightTop(const PageCalibration& page, int pictureRatio, int shownWidth, int x, int y) {
  PageCalibration result = page;
  if (y >= 0) result.FirstCharY = ScaleToPage(y, pictureRatio);
  if (x >= 0) result.FirstCharX = ScaleToPage(static_cast<long long>(shownWidth) - x, pictureRatio);
  return result;
}

RescaleResult ComputeRescale(int pageWidth, int pageHeight, int newPictureRatio, int oldShownHeight,
                             int oldScrollX, int oldScrollY) {
  RescaleResult result;
  result.Shown = ShownPictureSize(pageWidth, pageHeight, newPictureRatio);
  if (oldShownHeight <= 0) return result;
  const std::int64_t newHeight = result.Shown.Height;
  result.ScrollY = Clamp(std::int64_t{oldScrollY} * newHeight / oldShownHeight);
  result.ScrollX = Clamp(std::int64_t{oldScrollX} * newHeight / oldShownHeight);
  return result;
}

}  // namespace zorvel
