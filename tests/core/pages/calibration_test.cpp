// The operator's corrections of a page's calibration on the store, and which
// pages have values.
#include "core/pages/calibration.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/pages/vol_shift.h"

namespace zorvel::test {
namespace {

// The corner's arithmetic is ComputeRightTop's (marker_geometry_test): here, the store.
TEST(Calibration, TheCornerAndARegisterShiftChangeTheirOwnValues) {
  CVolShift store("");
  store.Set(7, PageCalibration{1, 2, 3, 4, 5});
  store.Dirty = false;
  ASSERT_TRUE(SetRegisterShift(store, 7, Register::Middle, 29));
  EXPECT_TRUE(store.Dirty);
  ASSERT_TRUE(SetRightTop(store, 7, 50, 1000, 950, 100));
  EXPECT_EQ(store.Get(7), (PageCalibration{100, 200, 3, 29, 5}));
  // A click outside the picture changes nothing, yet marks the store changed.
  store.Dirty = false;
  SetRightTop(store, 7, 100, 1000, -1, -1);
  EXPECT_EQ(store.Get(7), (PageCalibration{100, 200, 3, 29, 5}));
  EXPECT_TRUE(store.Dirty);
}

TEST(Calibration, APageWithoutASlotChangesNothing) {
  CVolShift store("");
  for (int page : {-1, CVolShift::Capacity})
    EXPECT_FALSE(SetRightTop(store, page, 100, 1000, 10, 10) ||
                 SetRegisterShift(store, page, Register::Lower, 4));
  EXPECT_FALSE(store.Dirty);
}

TEST(Calibration, TheShiftDialogNeedsAVolumeAndAPage) {
  EXPECT_TRUE(CanSetRegisterShift(1, 1, 5));
  for (auto [volume, sutra, page] : {std::tuple{0, 1, 5}, {1, 0, 5}, {1, 1, 0}})
    EXPECT_FALSE(CanSetRegisterShift(volume, sutra, page)) << volume << sutra << page;
}

TEST(Calibration, OnlyAShownPageOfTheVolumeHeldWithASlotHasValues) {
  CVolShift store("");
  store.LoadCalibration(1);
  for (int page : {0, 1, 1499}) store.Set(page, {page + 1, 1, 0, 0, 0});
  const struct {
    bool Shown;
    int Volume;
    int Page;
    CalibrationScope Scope;
  } cases[] = {
      // clang-format off
      {true, 1, 0, CalibrationScope::Ok}, {true, 1, 1499, CalibrationScope::Ok},
      {false, 1, 1, CalibrationScope::NoPage}, {true, 1000, 1, CalibrationScope::VolumeOutOfRange},
      {true, 1, 1500, CalibrationScope::PageOutOfRange}, {true, 2, 1, CalibrationScope::OtherVolume},
      // clang-format on
  };
  for (const auto& c : cases) {
    const CalibrationScope scope = PageCalibrationScope(store, c.Shown, c.Volume, c.Page);
    EXPECT_EQ(scope, c.Scope) << c.Volume << "/" << c.Page;
    EXPECT_EQ(CalibrationScopeMessage(scope).empty(), scope == CalibrationScope::Ok);
    EXPECT_EQ(ShownPageCalibration(store, c.Shown, c.Volume, c.Page),
              scope == CalibrationScope::Ok ? store.Get(c.Page) : PageCalibration{});
  }
}

}  // namespace
}  // namespace zorvel::test
