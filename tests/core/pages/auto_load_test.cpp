// The run of pages and the load-page dialog's confirmation, over a recording
// page view: which pages are loaded, what is reported and when a stop acts.
#include "core/pages/auto_load.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "core/pages/picture_file_name.h"
#include "support/recording_page_view.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

class AutoLoadTest : public ::testing::Test {
 protected:
  void SetUp() override { settings_.PictureFileNameFormat = dir_.File("<V>-<P>.TIF"); }
  // Makes the files of the pages given (their content does not matter here).
  void MakePages(std::initializer_list<int> pages) {
    for (int page : pages) WriteFile(Name(page), "page");
  }
  // The file name of page `page` of volume 1.
  std::string Name(int page) const {
    std::string name;
    CheckPictureFile(settings_, 1, 0, page, name);
    return name;
  }

  TempDir dir_;
  Settings settings_;
  RecordingPageView view_;
};

TEST_F(AutoLoadTest, AMissingPageIsReportedAndTheRunGoesOn) {
  MakePages({1, 3});
  AutoLoadRun run(settings_, view_, {1, 1, 3});
  run.BeforeShow = [&] { view_.Calls.push_back("scroll"); };
  std::vector<std::string> told;
  run.OnReport = [&](const std::string& line) { told.push_back(line); };
  EXPECT_TRUE(run.Run(nullptr));
  // Sutra 0 always; each loaded page is searched, scrolled and shown.
  EXPECT_EQ(view_.Calls, (std::vector<std::string>{"Load 1 0 1", "DetectRightTop", "scroll", "Show 0 0 0",
                                                   "Load 1 0 3", "DetectRightTop", "scroll", "Show 0 0 0"}));
  EXPECT_EQ(run.Report(), std::vector<std::string>{"檔案不存在 : " + Name(2)});
  EXPECT_EQ(told, run.Report());
  EXPECT_EQ(run.PagesDone(), 3);
  EXPECT_TRUE(run.Finished());
}

TEST_F(AutoLoadTest, BadPagesAndLostCornersAreReportedInPageOrder) {
  MakePages({1, 2, 3, 4});
  view_.BadPages = {2};
  view_.LostCorners = {3};
  AutoLoadRun run(settings_, view_, {1, 1, 5});
  run.Run(nullptr);
  EXPECT_EQ(run.Report(),
            (std::vector<std::string>{"格式不對\u3000 : " + Name(2) + " (不是 TIFF 檔)",
                                      "定位失敗\u3000 : " + Name(3), "檔案不存在 : " + Name(5)}));
  // A page that does not decode is neither searched nor shown; a page whose
  // corner was lost is still shown with the values it has.
  EXPECT_EQ(std::count(view_.Calls.begin(), view_.Calls.end(), "Show 0 0 0"), 3);
  EXPECT_EQ(std::count(view_.Calls.begin(), view_.Calls.end(), "DetectRightTop"), 3);
}

TEST_F(AutoLoadTest, AVolumeChangeTheOperatorRefusesEndsTheRun) {
  MakePages({1, 2, 3});
  view_.KeptPages = {2};
  AutoLoadRun run(settings_, view_, {1, 1, 3});
  EXPECT_FALSE(run.Run(nullptr));
  EXPECT_TRUE(run.Report().empty()) << "the operator has been told already";
  EXPECT_EQ(view_.Calls.back(), "Load 1 0 2");

  ScriptedPrompts prompts;
  EXPECT_FALSE(LoadSinglePage(settings_, view_, prompts, 1, 2, nullptr));
  EXPECT_TRUE(prompts.Shown.empty());
}

TEST_F(AutoLoadTest, AStopActsBetweenPages) {
  MakePages({1, 2, 3, 4});
  AutoLoadRun run(settings_, view_, {1, 1, 4});
  std::vector<long long> seen;
  // The stop is asked for while page 2 is being handled; page 2 finishes.
  const bool completed = run.Run([&] {
    seen.push_back(run.PagesDone());
    return run.PagesDone() == 2;
  });
  EXPECT_FALSE(completed);
  EXPECT_EQ(seen, (std::vector<long long>{0, 1, 2}));
  EXPECT_EQ(std::count(view_.Calls.begin(), view_.Calls.end(), "Show 0 0 0"), 2);
  EXPECT_FALSE(run.Finished());
}

TEST_F(AutoLoadTest, ExtremeRangesDoNotWrap) {
  AutoLoadRun top(settings_, view_, {1, INT_MAX - 1, INT_MAX});
  EXPECT_EQ(top.PageCount(), 2);
  top.Run(nullptr);
  EXPECT_EQ(top.Report().size(), 2u);
  EXPECT_FALSE(top.LoadNextPage());
  EXPECT_EQ(AutoLoadRun(settings_, view_, {1, INT_MIN, INT_MAX}).PageCount(), 4294967296LL);
  EXPECT_EQ(AutoLoadRun(settings_, view_, {1, INT_MAX, INT_MIN}).PageCount(), 0);
}

TEST_F(AutoLoadTest, TheThreeNumbersAreReadInOrder) {
  AutoLoadRange range;
  EXPECT_EQ(ParseAutoLoadRange("x", "y", "z", range), AutoLoadField::Volume);
  EXPECT_EQ(ParseAutoLoadRange("1", "2", "3 ", range), AutoLoadField::LastPage);
  EXPECT_EQ(ParseAutoLoadRange("9", "-2", "30", range), AutoLoadField::None);
  EXPECT_EQ(range.LastPage, 30);
  EXPECT_EQ(AutoLoadFieldMessage(AutoLoadField::FirstPage), "起始頁這欄要填入數字!");
}

TEST_F(AutoLoadTest, LoadingOnePageSaysWhatWentWrong) {
  MakePages({5, 6, 7});
  view_.BadPages = {6};
  view_.LostCorners = {7};
  ScriptedPrompts prompts;
  int scrolled = 0;
  auto scroll = [&] { ++scrolled; };
  EXPECT_FALSE(LoadSinglePage(settings_, view_, prompts, 1, 4, scroll));
  EXPECT_FALSE(LoadSinglePage(settings_, view_, prompts, 1, 6, scroll));
  EXPECT_TRUE(LoadSinglePage(settings_, view_, prompts, 1, 7, scroll));
  EXPECT_EQ(prompts.Shown,
            (std::vector<std::string>{"錯誤 : 檔案 " + Name(4) + " 不存在 !",
                                      "開啟圖檔失敗!\n檔案 : " + Name(6) + "\n原因 : 不是 TIFF 檔",
                                      "本頁右上角定位失敗!"}));
  EXPECT_EQ(scrolled, 1);
  EXPECT_EQ(std::count(view_.Calls.begin(), view_.Calls.end(), "Show 0 0 0"), 0) << "no marker is drawn";
}

}  // namespace
}  // namespace zorvel::test
