// The search of a scan's top-right corner, and when it writes the store.
#include "core/pages/right_top.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/pages/vol_shift.h"
#include "support/white_page.h"

namespace zorvel::test {
namespace {

// Inks (or, with ink false, whitens) the rectangle [left, right) x [top, bottom).
void Fill(DecodedPage& page, int left, int top, int right, int bottom, bool ink = true) {
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      std::uint8_t& byte = page.Rows[static_cast<std::size_t>(y) * page.BytesPerRow + x / 8];
      const int bit = 0x80 >> (x % 8);
      byte = static_cast<std::uint8_t>(ink ? byte & ~bit : byte | bit);
    }
}

// A 2400 x 3400 scan with a frame: top border rows 120-122, right border
// columns 2150-2152, some text inside and a speck of dirt outside.
DecodedPage FramedPage() {
  DecodedPage page = WhitePage(2400, 3400);
  Fill(page, 200, 120, 2153, 123);
  Fill(page, 2150, 120, 2153, 3300);
  Fill(page, 1500, 300, 2000, 2800);   // text well inside the frame
  Fill(page, 2300, 1750, 2303, 1753);  // dirt right of the frame, on one probe row
  return page;
}

// A page whose ten top probes (x = 1200 + 20 i) first meet ink at the rows
// given (200 for none), with a clean right border at column 2250.
DecodedPage ProbedPage(const int (&tops)[10]) {
  DecodedPage page = WhitePage(2400, 3400);
  for (int i = 0; i < 10; ++i)
    if (tops[i] < 200) Fill(page, 1200 + 20 * i, tops[i], 1201 + 20 * i, 200);
  Fill(page, 2250, 1500, 2251, 2000);
  return page;
}

TEST(FindRightTop, OutlyingSamplesAreDroppedAndTheMeanTruncates) {
  RightTopResult r = FindRightTop(ProbedPage({120, 121, 120, 200, 121, 120, 200, 121, 120, 121}), 45, 40);
  EXPECT_EQ(std::tuple(r.Found, r.FirstCharX, r.FirstCharY), std::tuple(true, 2400 - 2250 + 45, 120 + 40));

  // A spread of exactly 6 still passes; 7 does not.
  EXPECT_TRUE(FindRightTop(ProbedPage({0, 100, 100, 100, 100, 106, 106, 106, 199, 199}), 0, 0).Found);
  EXPECT_FALSE(FindRightTop(ProbedPage({0, 100, 100, 100, 100, 107, 106, 106, 199, 199}), 0, 0).Found);
  // (100 x 5 + 105) / 6 = 100.8, cut to 100; (100 x 4 + 106 x 2) / 6 = 102.
  EXPECT_EQ(FindRightTop(ProbedPage({0, 100, 100, 100, 100, 100, 105, 0, 199, 199}), 0, 0).FirstCharY, 100);
  EXPECT_EQ(FindRightTop(ProbedPage({0, 0, 100, 100, 100, 100, 106, 106, 199, 199}), 0, 0).FirstCharY, 102);
}

// A probe that runs to its limit has met no border: when one of the six samples
// that count is such a probe, there is no corner, whatever the spread says.
TEST(FindRightTop, ProbesThatMeetNoInkOrSpreadFindNoBorder) {
  DecodedPage edge = WhitePage(2400, 3400);  // both borders on the last pixel the probes reach
  Fill(edge, 200, 199, 2102, 200);
  Fill(edge, 2101, 199, 2102, 3300);
  DecodedPage noTop = FramedPage();  // the right border alone
  Fill(noTop, 200, 120, 2150, 123, false);
  DecodedPage ragged = WhitePage(2400, 3400);  // right samples spread over 27 pixels
  Fill(ragged, 1200, 100, 1400, 101);
  for (int i = 0; i < 10; ++i) Fill(ragged, 2100 + 3 * i, 1700 + 20 * i, 2101 + 3 * i, 1701 + 20 * i);
  const struct {
    const char* name;
    DecodedPage page;
    bool found;
  } cases[] = {
      // Three probes pass the border's last row: sorted, one of them is top[7].
      {"one of the middle six without ink", ProbedPage({197, 198, 199, 200, 200, 200, 197, 198, 199, 198}),
       false},
      {"no top border", noTop, false},
      {"a ragged right border", ragged, false},
      {"the borders on the probes' last pixels", edge, true},
  };
  for (const auto& c : cases) EXPECT_EQ(FindRightTop(c.page, 45, 45).Found, c.found) << c.name;
  const RightTopResult r = FindRightTop(edge, 45, 45);
  EXPECT_EQ(std::pair(r.FirstCharX, r.FirstCharY), std::pair(2400 - 2101 + 45, 199 + 45));
}

TEST(DetectRightTop, MeasuresOnlyUncalibratedPagesUnlessToldToCover) {
  const DecodedPage page = FramedPage();
  Settings settings;
  CVolShift store("");
  store.Set(5, {10, 20, 1, 2, 3});
  store.Set(7, {0, 0, 0, 1, 0});
  store.Dirty = false;
  EXPECT_TRUE(DetectRightTop(page, settings, store, 5));
  EXPECT_EQ(store.Get(5), (PageCalibration{10, 20, 1, 2, 3}));
  EXPECT_FALSE(DetectRightTop(WhitePage(2400, 3400), settings, store, 7));
  EXPECT_EQ(store.Get(7), (PageCalibration{0, 0, 0, 1, 0}));
  EXPECT_FALSE(DetectRightTop(page, settings, store, 1500));
  EXPECT_FALSE(store.Dirty);

  settings.CoverRightTop = true;
  EXPECT_TRUE(DetectRightTop(page, settings, store, 5));
  EXPECT_EQ(store.Get(5), (PageCalibration{293, 165, 1, 2, 3})) << "the shifts stay";
  EXPECT_TRUE(store.Dirty);
  // A page whose values sum to 0 counts as uncalibrated.
  settings.CoverRightTop = false;
  store.Set(6, {5, -5, 0, 0, 4});
  EXPECT_TRUE(DetectRightTop(page, settings, store, 6));
  EXPECT_EQ(store.Get(6), (PageCalibration{293, 165, 0, 0, 4}));
}

}  // namespace
}  // namespace zorvel::test
