// Calibration is never lost without a word: each occasion of a save, what the
// operator is told or asked and what the answer does.
#include "core/pages/calibration_save.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/pages/vol_shift.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

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
    // The values are still there to be saved, and the old file as it was.
    EXPECT_TRUE(s.store.Dirty && s.store.Get(3) == (PageCalibration{9, 9, 0, 0, 0}));
    EXPECT_EQ(ReadFile(s.dir.File("Vol001.vps")), "3, 1, 1, 0, 0, 0\r\n");
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

}  // namespace
}  // namespace zorvel::test
