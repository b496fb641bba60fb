// The operator's corrections of a page's calibration on the store, and that
// calibration is never lost without a word: each occasion of a save, what the
// operator is told or asked, what the answer does, and which pages have values.
#include "core/pages/calibration.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <tuple>

#include "core/pages/calibration_save.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

class CalibrationTest : public ::testing::Test {
 protected:
  TempDir dir_;
  CVolShift store_{dir_.Path().string()};
};

// The corner's arithmetic is ComputeRightTop's (marker_geometry_test): here, the store.
TEST_F(CalibrationTest, TheCornerAndARegisterShiftChangeTheirOwnValues) {
  store_.Set(7, PageCalibration{1, 2, 3, 4, 5});
  store_.Dirty = false;
  ASSERT_TRUE(SetRegisterShift(store_, 7, Register::Middle, 29));
  EXPECT_TRUE(store_.Dirty);
  ASSERT_TRUE(SetRightTop(store_, 7, 50, 1000, 950, 100));
  EXPECT_EQ(store_.Get(7), (PageCalibration{100, 200, 3, 29, 5}));
  // A click outside the picture changes nothing, yet marks the store changed.
  store_.Dirty = false;
  SetRightTop(store_, 7, 100, 1000, -1, -1);
  EXPECT_EQ(store_.Get(7), (PageCalibration{100, 200, 3, 29, 5}));
  EXPECT_TRUE(store_.Dirty);
}

TEST_F(CalibrationTest, APageWithoutASlotChangesNothing) {
  for (int page : {-1, CVolShift::Capacity})
    EXPECT_FALSE(SetRightTop(store_, page, 100, 1000, 10, 10) ||
                 SetRegisterShift(store_, page, Register::Lower, 4));
  EXPECT_FALSE(store_.Dirty);
  // Page 0, as with no page on display, has a slot.
  EXPECT_TRUE(SetRightTop(store_, 0, 100, 10, 5, 5));
  EXPECT_TRUE(store_.Dirty);
}

TEST_F(CalibrationTest, TheShiftDialogNeedsAVolumeAndAPage) {
  EXPECT_TRUE(CanSetRegisterShift(1, 1, 5));
  for (auto [volume, sutra, page] : {std::tuple{0, 1, 5}, {1, 0, 5}, {1, 1, 0}})
    EXPECT_FALSE(CanSetRegisterShift(volume, sutra, page)) << volume << sutra << page;
}

// A store of volume 1 with one unsaved page, whose file cannot be written.
struct UnwritableStore {
  TempDir dir;
  CVolShift store{dir.Path().string()};
  UnwritableStore() {
    WriteFile(dir.File("Vol001.vps"), "3, 1, 1, 0, 0, 0\r\n");
    store.LoadCalibration(1);
    store.Set(3, {9, 9, 0, 0, 0});
    chmod(dir.File("Vol001.vps").c_str(), 0444);
  }
};

TEST(SaveCalibrationOrAsk, AFailedSaveAlwaysSaysSoAndTheAnswerDecides) {
  const struct {
    CalibrationSaveOccasion Occasion;
    Answer Reply;  // to the question, when there is one
    bool GoesOn;
    const char* Question;
  } cases[] = {
      {CalibrationSaveOccasion::Command, Answer::No, false, ""},
      {CalibrationSaveOccasion::VolumeChange, Answer::Yes, true, "是否放棄第 1 冊尚未儲存的圖形偏移資訊?"},
      {CalibrationSaveOccasion::VolumeChange, Answer::No, false, "是否放棄第 1 冊"},
      {CalibrationSaveOccasion::Closing, Answer::No, false, "是否確定結束?"},
  };
  for (const auto& c : cases) {
    UnwritableStore s;
    ScriptedPrompts prompts;
    prompts.Answers = {c.Reply};
    EXPECT_EQ(SaveCalibrationOrAsk(s.store, prompts, c.Occasion), c.GoesOn) << c.Question;
    ASSERT_EQ(prompts.Shown.size(), 1u);
    const std::string& shown = prompts.Shown[0];
    EXPECT_NE(shown.find(s.dir.File("Vol001.vps") + " 無法寫入 !"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Permission denied"), std::string::npos) << shown;
    EXPECT_NE(shown.find(c.Question), std::string::npos) << shown;
    EXPECT_TRUE(s.store.Dirty) << "the values are still there to be saved";
    EXPECT_EQ(s.store.Get(3), (PageCalibration{9, 9, 0, 0, 0}));
  }
}

TEST(SaveCalibrationOrAsk, NothingToSaveOrASaveThatWorksAsksNothing) {
  TempDir dir;
  CVolShift store(dir.Path().string());
  ScriptedPrompts prompts;
  EXPECT_TRUE(SaveCalibrationOrAsk(store, prompts, CalibrationSaveOccasion::Closing)) << "not dirty";
  store.LoadCalibration(2);
  store.Set(5, {1, 2, 0, 0, 0});
  EXPECT_TRUE(SaveCalibrationOrAsk(store, prompts, CalibrationSaveOccasion::VolumeChange));
  EXPECT_FALSE(store.Dirty);
  EXPECT_EQ(ReadFile(dir.File("Vol002.vps")), "5, 1, 2, 0, 0, 0\r\n");
  EXPECT_TRUE(prompts.Shown.empty());
}

TEST(PageCalibrationScope, OnlyAShownPageOfTheVolumeHeldWithASlotHasValues) {
  TempDir dir;
  CVolShift store(dir.Path().string());
  store.LoadCalibration(1);
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
  }
}

}  // namespace
}  // namespace zorvel::test
