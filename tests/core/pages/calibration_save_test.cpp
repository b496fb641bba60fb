// Calibration is never lost without a word: each occasion of a save, what the
// operator is told or asked, and what the answer does; and which pages have
// calibration values at all.
#include "core/pages/calibration_save.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/pages/calibration.h"
#include "support/test_support.h"

namespace zorvel {
namespace {

using test::ScriptedPrompts;
using test::TempDir;

// A store of volume 1 with one unsaved page, whose file cannot be written.
struct UnwritableStore {
  TempDir dir;
  CVolShift store{dir.Path().string()};
  UnwritableStore() {
    test::WriteFile(dir.File("Vol001.vps"), "3, 1, 1, 0, 0, 0\r\n");
    store.LoadCalibration(1);
    store.Set(3, {9, 9, 0, 0, 0});
    chmod(dir.File("Vol001.vps").c_str(), 0444);
  }
};

TEST(SaveCalibrationOrAsk, AFailedSaveAlwaysSaysSoAndTheAnswerDecides) {
  const struct {
    CalibrationSaveOccasion Occasion;
    bool Asks;
    Answer Reply;
    bool GoesOn;
    const char* Question;
  } cases[] = {
      {CalibrationSaveOccasion::Command, false, Answer::No, false, ""},
      {CalibrationSaveOccasion::VolumeChange, true, Answer::Yes, true,
       "是否放棄第 1 冊尚未儲存的圖形偏移資訊?"},
      {CalibrationSaveOccasion::VolumeChange, true, Answer::No, false, "是否放棄第 1 冊"},
      {CalibrationSaveOccasion::Closing, true, Answer::No, false, "是否確定結束?"},
  };
  for (const auto& c : cases) {
    UnwritableStore s;
    ScriptedPrompts prompts;
    if (c.Asks) prompts.Answers = {c.Reply};
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
  EXPECT_EQ(test::ReadFile(dir.File("Vol002.vps")), "5, 1, 2, 0, 0, 0\r\n");
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
      {true, 1, 0, CalibrationScope::Ok},
      {true, 1, 1499, CalibrationScope::Ok},
      {false, 1, 1, CalibrationScope::NoPage},
      {true, 0, 1, CalibrationScope::VolumeOutOfRange},
      {true, 1000, 1, CalibrationScope::VolumeOutOfRange},
      {true, 1, 1500, CalibrationScope::PageOutOfRange},
      {true, 2, 1, CalibrationScope::OtherVolume},
  };
  for (const auto& c : cases) {
    const CalibrationScope scope = PageCalibrationScope(store, c.Shown, c.Volume, c.Page);
    EXPECT_EQ(scope, c.Scope) << c.Volume << "/" << c.Page;
    EXPECT_EQ(CalibrationScopeMessage(scope).empty(), scope == CalibrationScope::Ok);
  }
}

}  // namespace
}  // namespace zorvel
