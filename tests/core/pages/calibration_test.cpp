// The operator's corrections of a page's calibration on the store.
#include "core/pages/calibration.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/test_support.h"

namespace zorvel {
namespace {

class CalibrationTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  CVolShift store_{dir_.Path().string()};
};

// The arithmetic is ComputeRightTop's (marker_geometry_test): here, the store.
TEST_F(CalibrationTest, APointOnTheShownPictureBecomesTheFirstCharactersCorner) {
  store_.Set(7, PageCalibration{1, 2, 3, 4, 5});
  store_.Dirty = false;
  ASSERT_TRUE(SetRightTop(store_, 7, 50, 1000, 950, 100));
  EXPECT_EQ(store_.Get(7), (PageCalibration{100, 200, 3, 4, 5}));
  EXPECT_TRUE(store_.Dirty);
  // A click outside the picture changes nothing, yet marks the store changed.
  store_.Dirty = false;
  SetRightTop(store_, 7, 100, 1000, -1, -1);
  EXPECT_EQ(store_.Get(7), (PageCalibration{100, 200, 3, 4, 5}));
  EXPECT_TRUE(store_.Dirty);
}

TEST_F(CalibrationTest, APageWithoutASlotChangesNothing) {
  for (int page : {-1, CVolShift::Capacity}) {
    EXPECT_FALSE(SetRightTop(store_, page, 100, 1000, 10, 10)) << page;
    EXPECT_FALSE(SetRegisterShift(store_, page, Register::Lower, 4)) << page;
  }
  EXPECT_FALSE(store_.Dirty);
  // Page 0, as with no page on display, has a slot.
  EXPECT_TRUE(SetRightTop(store_, 0, 100, 10, 5, 5));
  EXPECT_TRUE(store_.Dirty);
}

TEST_F(CalibrationTest, ARegisterShiftTouchesItsRegisterOnly) {
  store_.Set(12, PageCalibration{10, 20, 1, 1, 1});
  store_.Dirty = false;
  ASSERT_TRUE(SetRegisterShift(store_, 12, Register::Middle, 3));
  EXPECT_EQ(store_.Get(12), (PageCalibration{10, 20, 1, 3, 1}));
  EXPECT_TRUE(store_.Dirty);
  SetRegisterShift(store_, 12, Register::Lower, 29);
  EXPECT_EQ(store_.Get(12), (PageCalibration{10, 20, 1, 3, 29}));
}

TEST_F(CalibrationTest, TheShiftDialogNeedsAVolumeAndAPage) {
  EXPECT_TRUE(CanSetRegisterShift(1, 1, 5));
  for (auto [volume, sutra, page] : {std::tuple{0, 1, 5}, {1, 0, 5}, {1, 1, 0}})
    EXPECT_FALSE(CanSetRegisterShift(volume, sutra, page)) << volume << sutra << page;
}

}  // namespace
}  // namespace zorvel
