#include "core/pages/picture_file_name.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "core/pages/marker_geometry.h"
#include "core/pages/page_zoom.h"
#include "core/pages/wildcard.h"
#include "core/text/big5.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

namespace fs = std::filesystem;

std::string Expand(std::string_view format, int volume, int sutra, int page, bool* opened = nullptr) {
  std::string name;
  bool ok = ExpandPictureFileName(format, VolumeText(volume), SutraText(sutra), PageText(page), name);
  if (opened != nullptr) *opened = ok;
  return name;
}

TEST(PageTexts, NumbersAreFormattedAsThePageImagesAreNamed) {
  EXPECT_EQ(VolumeText(1) + VolumeText(100), "01100");
  EXPECT_EQ(SutraText(1) + "|" + SutraText(12345), "0001|12345");
  EXPECT_EQ(PageText(0) + "|" + PageText(5) + "|" + PageText(1024), "000|005|1024");
  EXPECT_EQ(PageText(-1), "-001");  // keeps its sign and is not shortened
}

TEST(ExpandPictureFileName, ReplacesEveryTokenInBothCases) {
  EXPECT_EQ(Expand("T<V>_<S>_<P>.TIF", 7, 12, 56), "T07_0012_056.TIF");
  // Both forms in one template, and tokens used several times.
  EXPECT_EQ(Expand("<V><v>/<S><s>/<P><p>/<V>-<P>", 3, 4, 5), "0303/00040004/005005/03-005");
  // Near misses stay as they are.
  EXPECT_EQ(Expand("<X><V<P>>", 1, 2, 3), "<X><V003>");
}

TEST(ExpandPictureFileName, ReportsWhetherTheFileOpens) {
  TempDir dir;
  std::string format = dir.File("T<V>-<P>.TIF");
  WriteFile(dir.File("T10-592.TIF"), "II*");
  fs::create_directory(dir.Path() / "T10-593.TIF");  // a folder is no page file

  bool opened = true;
  EXPECT_EQ(Expand(format, 10, 289, 593, &opened), dir.File("T10-593.TIF"));
  EXPECT_FALSE(opened);
  Expand(format, 10, 289, 592, &opened);
  EXPECT_TRUE(opened);
}

TEST(WildcardMatch, FollowsTheFileSearchRule) {
  const struct {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {
      // clang-format off
      {"301-*.*", "301-400", true},  // a trailing ".*" also means no extension
      {"301-*.*", "3010-400", false}, {"301-*.*", "1301-400", false},
      {"ab*.tif", "AB12.TIF", true},  // letters in either case
      {"ab*.tif", "ab12", false},  // only ".*" stands for no extension
      {"a?c", "a\xA5\xD2" "c", true},  // a double-byte character is one character for "?"
      {"a??c", "a\xA5\xD2" "c", false},
      {"\xA5\xF2*", "\xA5\xD2\xA4\x41", false},  // bytes match exactly
      {"*b*b*", "abxz", false},
      // clang-format on
  };
  for (const auto& c : cases)
    EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

// A volume folder as the scans are delivered: one folder per hundred pages,
// named after its first and last page.
class GroupFolderSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    volume_ = dir_.Path() / "T01";
    for (const char* group : {"001-100", "101-200", "301-400", "1201-1300"})
      fs::create_directories(volume_ / group);
    // A later folder and a file that also match a group pattern: name order decides.
    fs::create_directories(volume_ / "301-400x");
    WriteFile((volume_ / "1201-1300.lst").string(), "list");
    for (const char* page : {"001-100/01-005.TIF", "001-100/01-100.TIF", "101-200/01-101.TIF",
                             "301-400/01-306.TIF", "1201-1300/01-1234.TIF"}) {
      WriteFile((volume_ / page).string(), "II*");
    }
  }

  // The template written as for the original platform, with backslashes.
  std::string Template() const { return dir_.Path().string() + "\\T<V>\\<@>\\<V>-<P>.TIF"; }

  TempDir dir_;
  fs::path volume_;
};

TEST_F(GroupFolderSearch, FindsTheFolderOfEachHundredPages) {
  const std::string root = dir_.Path().string();
  const struct {
    int page;
    const char* group;
    const char* file;
    bool exists;
  } cases[] = {
      {100, "001-100", "01-100.TIF", true},     {101, "101-200", "01-101.TIF", true},
      {1234, "1201-1300", "01-1234.TIF", true}, {250, "", "01-250.TIF", false},
      {0, "001-100", "01-000.TIF", false},
  };
  for (const auto& c : cases) {
    bool opened = false;
    // The name keeps the template's separators so that callers compare it byte for byte.
    EXPECT_EQ(Expand(Template(), 1, 0, c.page, &opened), root + "\\T01\\" + c.group + "\\" + c.file);
    EXPECT_EQ(opened, c.exists) << c.page;
  }
}

TEST_F(GroupFolderSearch, TakesTheFirstMatchInNameOrderFilesAndFoldersAlike) {
  EXPECT_EQ(FindFirstMatchingEntry(volume_.string() + "/1201-*.lst"), "1201-1300.lst");
  // Only the text before the first "<@>" is searched; the rest plays no part.
  EXPECT_EQ(Expand(dir_.Path().string() + "/T<V>/<@>/<@>.<P>", 1, 0, 306),
            dir_.Path().string() + "/T01/301-400/301-400.306");
}

TEST_F(GroupFolderSearch, Big5FolderNamesWithABackslashByteAreNoSeparators) {
  // 功 is A5 5C in Big5: its second byte is a backslash and must not split the path.
  const std::string big5Folder = "\xA5\x5C";
  fs::path folder = dir_.Path() / fs::path(u8"功");
  fs::create_directories(folder / "001-100");
  WriteFile((folder / "001-100" / "01-005.TIF").string(), "II*");
  std::string format = dir_.Path().string() + "\\" + big5Folder + "\\<@>\\<V>-<P>.TIF";
  bool opened = false;
  EXPECT_EQ(Expand(format, 1, 0, 5, &opened),
            dir_.Path().string() + "\\" + big5Folder + "\\001-100\\01-005.TIF");
  EXPECT_TRUE(opened);
}

TEST_F(GroupFolderSearch, FilesCopiedFromACaseBlindPlatformAreFoundIgnoringCase) {
  // The scans of volume 2 came as t02/001-100/02-005.tif; two names that
  // differ only in case: the first in byte order wins.
  fs::create_directories(dir_.Path() / "t02" / "001-100");
  WriteFile((dir_.Path() / "t02/001-100/02-005.tif").string(), "II*");
  WriteFile((dir_.Path() / "t02/001-100/02-005.Tif").string(), "II*");
  const std::string root = dir_.Path().string();
  bool opened = false;
  EXPECT_EQ(Expand(Template(), 2, 0, 5, &opened), root + "\\t02\\001-100\\02-005.Tif");
  EXPECT_TRUE(opened);
  Expand(Template(), 2, 0, 6, &opened);
  EXPECT_FALSE(opened);
  // A Big5 character whose second byte is an ASCII letter is not folded:
  // A4 41 and A4 61 are two different characters.
  WriteFile((dir_.Path() / Big5ToUtf8("\xA4\x41.TIF")).string(), "II*");
  EXPECT_EQ(FindPathIgnoringCase(root + "/\xA4\x61.TIF"), std::nullopt);
  EXPECT_EQ(FindPathIgnoringCase(root + "/\xA4\x41.tif"), root + "/\xA4\x41.TIF");
}

// Where the marker goes on the page and on the shown picture, the corner a click
// sets, the scroll across a rescale, and the zoom ladder.
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

TEST(ZoomSteps, StepFromAnyRatioToTheNearestStepInTheDirection) {
  // Ratio, next, previous: the ends of the ladder stay, a ratio between two
  // steps, below or above the ladder goes to the nearest, none acts as 100 %.
  for (const auto& [ratio, next, previous] :
       {std::tuple(25, 33, 25), {200, 200, 150}, {57, 67, 50}, {10, 25, 10}, {400, 400, 200}, {0, 150, 75}})
    EXPECT_EQ(std::pair(NextZoomStep(ratio), PreviousZoomStep(ratio)), std::pair(next, previous)) << ratio;
  // Up from the bottom visits every step once.
  int ratio = 25;
  std::vector<int> visited{ratio};
  while (NextZoomStep(ratio) != ratio) visited.push_back(ratio = NextZoomStep(ratio));
  EXPECT_EQ(visited, (std::vector<int>{25, 33, 50, 67, 75, 100, 150, 200}));
}

TEST(ZoomSteps, ScrollKeepsThePointUnderTheAnchor) {
  // At 100 % the anchor 300 pixels into a view scrolled to 900 shows page 1200;
  // at 50 % that page pixel is shown at 600, so the view scrolls to 300.
  EXPECT_EQ(ScrollKeepingPoint(900, 300, 100, 50), 300);
  EXPECT_EQ(ScrollKeepingPoint(900, 300, 100, 200), 2100);
  // Stepping down and up again comes back within a pixel of the coarsest
  // scale passed (at 33 %, three page pixels), however often it is done.
  for (int start : {1234, 1235, 1236}) {
    int scroll = start;
    for (int round = 0; round < 5; ++round) {
      for (auto [from, to] : {std::pair{100, 67}, {67, 33}, {33, 67}, {67, 100}})
        scroll = ScrollKeepingPoint(scroll, 250, from, to);
    }
    EXPECT_NEAR(scroll, start, 3) << start;
  }
}

}  // namespace
}  // namespace zorvel::test
