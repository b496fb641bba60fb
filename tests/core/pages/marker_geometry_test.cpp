// Where the marker goes on the page and on the shown picture, the character a
// click lies on, the corner a click sets, and the scroll across a rescale.
#include "core/pages/marker_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

namespace zorvel::test {
namespace {

// The worked example: default spacings, IgnoreShift on, ShowWay 0, a page 2000
// pixels wide calibrated at (100, 200).
Settings ExampleSettings(int ratio) {
  Settings s;
  s.PictureRatio = ratio;
  return s;
}
const PageCalibration kExamplePage{100, 200, 0, 0, 0};

TEST(ShowPosition, WorkedExampleAtFullAndHalfScale) {
  const ViewGeometry view{2000, 600, 400};
  MarkerPosition full = ComputeShowPosition(ExampleSettings(100), kExamplePage, view, 1, 3, 5);
  EXPECT_EQ(full, (MarkerPosition{1667, 1351, 1667, 1351, 1667 + 300 - 600, 1351 - 200}));

  MarkerPosition half = ComputeShowPosition(ExampleSettings(50), kExamplePage, {2000, 601, 401}, 1, 3, 5);
  // Page coordinates do not depend on the scale; with an odd client the halves truncate.
  EXPECT_EQ(half, (MarkerPosition{1667, 1351, 834, 675, 834 + 300 - 601, 675 - 200}));
}

TEST(ShowPosition, ShowWayOneCentresOnTheMiddleOfTheRegister) {
  Settings s = ExampleSettings(50);
  s.ShowWay = 1;
  const ViewGeometry view{2000, 500, 300};
  // Centre of the ninth character of register 2: 1764 + 392 + 24 + 200 = 2380.
  const int expected = 2380 / 2 - 150;
  for (int c : {0, 40}) {
    MarkerPosition p = ComputeShowPosition(s, kExamplePage, view, 2, 4, c);
    EXPECT_EQ(p.ScrollY, expected) << c;
    EXPECT_EQ(p.MarkerY, (1764 + 49 * c + 24 + 200) / 2) << "the marker still moves to the character";
  }
  s.ShowWay = 2;  // any other value centres on the character
  EXPECT_EQ(ComputeShowPosition(s, kExamplePage, view, 2, 4, 0).ScrollY, (1764 + 24 + 200) / 2 - 150);
}

TEST(ShowPosition, RegisterShiftsCountOnlyWithIgnoreShiftOff) {
  Settings s = ExampleSettings(50);
  const PageCalibration shifted{100, 200, 1, 2, 3};
  const ViewGeometry view{2000, 0, 0};
  s.IgnoreShift = true;
  for (int r = 0; r < 3; ++r)
    EXPECT_EQ(ComputeShowPosition(s, shifted, view, r, 3, 0),
              ComputeShowPosition(s, kExamplePage, view, r, 3, 0));
  s.IgnoreShift = false;
  for (int r = 0; r < 3; ++r) {
    // Register r has a shift of r + 1 lines: X = 70 (3 + r + 1) + 23 + 100.
    const int x = 70 * (3 + r + 1) + 23 + 100;
    MarkerPosition p = ComputeShowPosition(s, shifted, view, r, 3, 0);
    EXPECT_EQ(std::pair(p.MarkerX, p.PageX), std::pair(1000 - x / 2, 2000 - x)) << r;
  }
  // A register outside 0 to 2 takes no shift but still steps by FieldSpace.
  MarkerPosition fourth = ComputeShowPosition(s, shifted, view, 3, 3, 0);
  EXPECT_EQ(std::pair(fourth.PageX, fourth.PageY), std::pair(2000 - (210 + 23 + 100), 3 * 882 + 24 + 200));
}

TEST(ShowPosition, SingleFloatScaleTruncatesTowardZero) {
  // 0.57 in single precision lies just below 0.57: 100 shows as 56, not 57.
  EXPECT_EQ(ScaleToPicture(100, 57), 56);
  EXPECT_EQ(ScaleToPicture(-100, 57), -56) << "toward zero, not down";
  EXPECT_EQ(ScaleToPage(56, 57), 98);
  EXPECT_EQ(ShownPictureSize(2000, 3000, 57), (PictureSize{1139, 1709}));

  Settings s = ExampleSettings(57);
  MarkerPosition p = ComputeShowPosition(s, PageCalibration{}, {2000, 0, 0}, 0, 0, 0);
  EXPECT_EQ(p.MarkerX, 1139 - 13);  // trunc(23 x s) = 13
  EXPECT_EQ(p.MarkerY, 13);         // trunc(24 x s) = 13
  // A negative calibration puts the centre left of the page's top: cut toward zero.
  MarkerPosition above = ComputeShowPosition(s, PageCalibration{0, -124, 0, 0, 0}, {2000, 0, 0}, 0, 0, 0);
  EXPECT_EQ(above.MarkerY, -56);
}

TEST(ShowPosition, RatiosOfZeroOrLessActAsOneHundred) {
  for (int ratio : {0, INT_MIN}) {
    EXPECT_EQ(ComputeShowPosition(ExampleSettings(ratio), kExamplePage, {2000, 600, 400}, 1, 3, 5),
              ComputeShowPosition(ExampleSettings(100), kExamplePage, {2000, 600, 400}, 1, 3, 5));
    EXPECT_EQ(ScaleToPage(123, ratio), 123);
    EXPECT_EQ(ShownPictureSize(2000, 3000, ratio), (PictureSize{2000, 3000}));
  }
}

TEST(ShowPosition, WildSpacingsNeverOverflow) {
  Settings s;
  s.FieldSpace = s.LineSpace = s.WordHeight = s.WordWidth = INT_MIN;
  s.IgnoreShift = false;
  s.PictureRatio = 1000;
  const PageCalibration huge{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN};
  MarkerPosition big = ComputeShowPosition(s, huge, {INT_MAX, INT_MAX, INT_MAX}, INT_MIN, INT_MIN, INT_MIN);
  EXPECT_EQ(std::tuple(big.PageX, big.PageY, big.MarkerX, big.MarkerY),
            std::tuple(INT_MIN, INT_MAX, INT_MIN, INT_MAX));
}

TEST(SetRightTop, AClickBecomesTheFirstCharacterCorner) {
  const PageCalibration before{7, 8, 1, 2, 3};
  // At 50 %, 50 pixels from the right edge and 100 from the top.
  EXPECT_EQ(ComputeRightTop(before, 50, 1000, 950, 100), (PageCalibration{100, 200, 1, 2, 3}));
  EXPECT_EQ(ComputeRightTop(before, 50, 1000, 950, -1), (PageCalibration{100, 8, 1, 2, 3}));
  EXPECT_EQ(ComputeRightTop(before, 50, 1000, -1, 100), (PageCalibration{7, 200, 1, 2, 3}));
  EXPECT_EQ(ComputeRightTop(before, 0, 1000, 950, 100), (PageCalibration{50, 100, 1, 2, 3}));
  EXPECT_EQ(ComputeRightTop(before, 1, INT_MAX, 0, INT_MAX).FirstCharX, INT_MAX);
}

TEST(Rescale, ScrollFollowsTheHeightsIn64Bits) {
  // 100 % to 50 % of an even page height.
  EXPECT_EQ(ComputeRescale(2400, 3400, 50, 3400, 400, 800), (RescaleResult{{1200, 1700}, 200, 400}));
  // Both positions scale by the heights, not the widths.
  EXPECT_EQ(ComputeRescale(1000, 3000, 200, 1500, 300, 600), (RescaleResult{{2000, 6000}, 1200, 2400}));
  // 50000 x 120000 does not fit in 32 bits.
  EXPECT_EQ(ComputeRescale(60000, 60000, 200, 60000, 50000, 50000).ScrollY, 100000);
  // Nothing shown before: no division by zero.
  EXPECT_EQ(ComputeRescale(2400, 3400, 50, 0, 400, 800), (RescaleResult{{1200, 1700}, 0, 0}));
  EXPECT_EQ(ComputeRescale(2400, 3400, -5, 1700, 100, 100), (RescaleResult{{2400, 3400}, 200, 200}));
}

// A line owns the band LineSpace wide around its centre: a click in the gap
// between two lines goes to the nearer one, and one just right of the first
// line's centre still to the first.
TEST(CharacterAtPoint, AClickGoesToTheNearestLine) {
  // The centre of line n is 100 + 23 + 70 n pixels left of the page's right edge.
  const auto at = [](int fromRight) {
    return CharacterAtPoint(ExampleSettings(100), kExamplePage, 2000, 3000, 2000 - fromRight,
                            200 + 2 * 49 + 10);
  };
  EXPECT_EQ(at(123 + 3 * 70 + 34), (CharacterCell{PointPlace::Character, 0, 3, 2}));
  EXPECT_EQ(at(123 + 3 * 70 + 36).Line, 4);
  EXPECT_EQ(at(123 - 34).Line, 0);
  EXPECT_EQ(at(123 - 36).Place, PointPlace::OutsideLines);
  // The last character of a register, as the calibration check shows it, lies within the register.
  const MarkerPosition last = ComputeShowPosition(ExampleSettings(100), kExamplePage, {3000, 0, 0}, 2,
                                                  kLastLineOfRegister, kLastCharacterOfLine);
  EXPECT_EQ(CharacterAtPoint(ExampleSettings(100), kExamplePage, 3000, 3000, last.MarkerX, last.MarkerY),
            (CharacterCell{PointPlace::Character, 2, 28, 16}));
}

}  // namespace
}  // namespace zorvel::test
