// Paging from the page on display, and the calibration store following the
// volume of the page shown.
#include "core/pages/page_loading.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <set>

#include "codec/a_tif_g4.h"
#include "core/pages/auto_load.h"
#include "core/pages/page_failure.h"
#include "core/pages/picture_file_name.h"
#include "support/recording_page_view.h"
#include "support/test_support.h"
#include "support/tiff_file.h"

namespace zorvel::test {
namespace {

TEST(StepPicture, EachOutcomeTellsTheOperatorAndStandsWhereItShould) {
  TempDir dir;
  Settings settings;
  settings.PictureFileNameFormat = dir.File("<V>-<P>.TIF");
  settings.AutoSetRightTop = true;
  for (const char* page : {"02-004.TIF", "02-006.TIF"}) WriteFile(dir.File(page), "page");

  const struct {
    const char* Name;
    PagePlace At;
    int Step;
    PictureLoad Result;
    PageStep Expected;
    std::vector<std::string> Calls;
    std::vector<std::string> Told;
  } cases[] = {
      // clang-format off
      {"no page yet", {0, 0, 0}, 1, PictureLoad::Loaded, PageStep::Unknown, {}, {"我怎麼知道這是哪一張 ?"}},
      {"previous page", {2, 7, 5}, -1, PictureLoad::Loaded, PageStep::Loaded, {"Load 2 7 4", "DetectRightTop"}, {}},
      {"missing file", {2, 7, 6}, +1, PictureLoad::Loaded, PageStep::NotShown, {"NotShown 2 7 7"},
       {PageFileMissingMessage(dir.File("02-007.TIF"))}},
      {"file that does not decode", {2, 7, 5}, +1, PictureLoad::NotLoaded, PageStep::NotShown,
       {"Load 2 7 6", "NotShown 2 7 6"}, {PageOpenFailedMessage(dir.File("02-006.TIF"), "不是 TIFF 檔")}},
      {"calibration kept", {2, 7, 5}, +1, PictureLoad::Cancelled, PageStep::Kept, {"Load 2 7 6"}, {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    RecordingPageView view;
    view.LoadResult = c.Result;
    ScriptedPrompts prompts;
    EXPECT_EQ(StepPicture(settings, view, prompts, c.At, c.Step), c.Expected);
    EXPECT_EQ(view.Calls, c.Calls);
    EXPECT_EQ(prompts.Shown, c.Told);
  }
}

// A store of volume 1 with page 3 unsaved.
struct DirtyStore {
  TempDir dir;
  CVolShift store{dir.Path().string()};
  ScriptedPrompts prompts;
  int shown = 0;
  DirtyStore() {
    store.LoadCalibration(1);
    store.Set(3, {9, 8, 0, 0, 0});
  }
  PictureLoad Show(int volume) {
    return ShowPageOfVolume(store, prompts, volume, [this] { ++shown; });
  }
};

TEST(ShowPageOfVolume, AnotherVolumeSavesTheStoreBeforeThePageAndLoadsItsOwnAfter) {
  DirtyStore s;
  WriteFile(s.dir.File("Vol002.vps"), "5, 1, 2, 0, 0, 0\r\n");
  std::string seen;
  EXPECT_EQ(
      ShowPageOfVolume(s.store, s.prompts, 2,
                       [&] { seen = ReadFile(s.dir.File("Vol001.vps")) + std::to_string(s.store.Volume()); }),
      PictureLoad::Loaded);
  EXPECT_EQ(seen, "3, 9, 8, 0, 0, 0\r\n1");
  EXPECT_EQ(s.store.Volume(), 2);
  EXPECT_EQ(s.store.Get(5), (PageCalibration{1, 2, 0, 0, 0}));
  EXPECT_TRUE(s.prompts.Shown.empty());

  // The same volume, or one without a file of its own: the store stays as it is.
  for (int volume : {1, 0, 1000}) {
    SCOPED_TRACE(volume);
    DirtyStore same;
    EXPECT_EQ(same.Show(volume), PictureLoad::Loaded);
    EXPECT_EQ(same.shown, 1);
    EXPECT_EQ(same.store.Volume(), 1);
    EXPECT_TRUE(same.store.Dirty);
  }
}

TEST(ShowPageOfVolume, ValuesThatCannotBeSavedAreKeptWhenTheOperatorSaysSo) {
  DirtyStore s;
  WriteFile(s.dir.File("Vol001.vps"), "");
  chmod(s.dir.File("Vol001.vps").c_str(), 0444);
  s.prompts.Answers = {Answer::No};
  EXPECT_EQ(s.Show(2), PictureLoad::Cancelled);
  EXPECT_EQ(s.shown, 0);
  EXPECT_EQ(s.store.Volume(), 1);
  EXPECT_EQ(s.store.Get(3), (PageCalibration{9, 8, 0, 0, 0}));

  // An unreadable file of the new volume is told, and the page still shows.
  DirtyStore t;
  t.store.Dirty = false;
  ASSERT_EQ(::mkdir(t.dir.File("Vol002.vps").c_str(), 0755), 0);
  EXPECT_EQ(t.Show(2), PictureLoad::Loaded);
  ASSERT_EQ(t.prompts.Shown.size(), 1u);
  EXPECT_NE(t.prompts.Shown[0].find(t.dir.File("Vol002.vps") + " 無法讀取 !"), std::string::npos)
      << t.prompts.Shown[0];
}

// Why a page image cannot be shown, in words: each kind of bad file gets its
// own reason, found from the reader's result code and what it read.
TEST(PageReadFailure, EachKindOfBadFileHasItsOwnReason) {
  TempDir dir;
  auto page = [](std::function<void(TiffFile&)> change, std::size_t stripBytes = 20) {
    TiffFile f = TiffFile::Page(8, 10, std::vector<std::uint8_t>(stripBytes, 0));
    change(f);
    return f.Bytes();
  };
  const struct {
    const char* Name;
    std::string Bytes;
    const char* Reason;
  } cases[] = {
      // clang-format off
      {"text", "not an image at all", "不是 TIFF 檔"},
      {"motorola", page([](TiffFile& f) { f.ByteOrder = "MM"; }), "Motorola"},
      {"version", page([](TiffFile& f) { f.Version = 43; }), "不是 TIFF 檔"},
      {"fax3", page([](TiffFile& f) { f.Tags[259] = 3; }), "不是 CCITT Group 4 壓縮"},
      {"grey", page([](TiffFile& f) { f.Tags[258] = 8; }), "不是每點 1 位元的黑白圖"},
      {"wide", page([](TiffFile& f) { f.Types[256] = 4, f.Tags[256] = 40000; }), "圖形太寬"},
      {"nostrip", page([](TiffFile&) {}, 0), "沒有圖形資料"}, {"corrupt", page([](TiffFile&) {}, 3), "圖形資料"},
      // clang-format on
  };
  for (const auto& c : cases) {
    const std::string path = dir.File(c.Name);
    WriteFile(path, c.Bytes);
    ATifG4 reader(path);
    const std::string reason = DescribePageReadFailure(reader, ReadPage(reader));
    EXPECT_NE(reason.find(c.Reason), std::string::npos) << c.Name << ": " << reason;
  }
  ATifG4 missing(dir.File("missing.tif"));
  EXPECT_EQ(DescribePageReadFailure(missing, ReadPage(missing)), "檔案無法開啟");
}

// The run of pages and the load-page dialog's confirmation, over a recording
// page view: which pages are loaded, what is reported and when a stop acts.
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

TEST_F(AutoLoadTest, MissingAndBadPagesAndLostCornersAreReportedInPageOrder) {
  MakePages({1, 3, 4});
  view_.BadPages = {3};
  view_.LostCorners = {4};
  AutoLoadRun run(settings_, view_, {1, 1, 5});
  run.BeforeShow = [&] { view_.Calls.push_back("scroll"); };
  std::vector<std::string> told;
  run.OnReport = [&](const std::string& line) { told.push_back(line); };
  EXPECT_TRUE(run.Run(nullptr));
  // Sutra 0 always; each loaded page is searched, scrolled and shown, a page whose
  // corner was lost with the values it has; a page that does not decode is not shown.
  EXPECT_EQ(view_.Calls,
            (std::vector<std::string>{"Load 1 0 1", "DetectRightTop", "scroll", "Show 0 0 0", "Load 1 0 3",
                                      "Load 1 0 4", "DetectRightTop", "scroll", "Show 0 0 0"}));
  EXPECT_EQ(run.Report(), (std::vector<std::string>{
                              "檔案不存在 : " + Name(2), "格式不對\u3000 : " + Name(3) + " (不是 TIFF 檔)",
                              "定位失敗\u3000 : " + Name(4), "檔案不存在 : " + Name(5)}));
  EXPECT_EQ(told, run.Report());
  EXPECT_EQ(run.PagesDone(), 5);
  EXPECT_TRUE(run.Finished());
}

TEST_F(AutoLoadTest, AVolumeChangeTheOperatorRefusesEndsTheRun) {
  MakePages({1, 2, 3});
  view_.KeptPages = {2};
  AutoLoadRun run(settings_, view_, {1, 1, 3});
  EXPECT_FALSE(run.Run(nullptr));
  EXPECT_TRUE(run.Report().empty()) << "the operator has been told already";
  EXPECT_EQ(view_.Calls.back(), "Load 1 0 2");
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

// The one way every command loads a page, and what the operator is told.
TEST_F(AutoLoadTest, LoadPageSearchesTheCornerAfterALoadAndTellsWhatWentWrong) {
  MakePages({5, 6, 7, 8});
  view_.BadPages = {6};
  view_.LostCorners = {7};
  view_.KeptPages = {8};
  ScriptedPrompts prompts;
  std::vector<PageOutcome> outcomes;
  for (int page : {4, 5, 6, 7, 8}) {
    const PageLoadResult loaded = LoadPage(settings_, view_, {1, 0, page});
    EXPECT_EQ(loaded.FileName, Name(page));
    outcomes.push_back(loaded.Outcome);
    TellPageLoad(prompts, loaded);
  }
  EXPECT_EQ(outcomes,
            (std::vector<PageOutcome>{PageOutcome::FileMissing, PageOutcome::Loaded, PageOutcome::BadFormat,
                                      PageOutcome::RightTopFailed, PageOutcome::Cancelled}));
  EXPECT_EQ(view_.Calls, (std::vector<std::string>{"Load 1 0 5", "DetectRightTop", "Load 1 0 6", "Load 1 0 7",
                                                   "DetectRightTop", "Load 1 0 8"}));
  EXPECT_EQ(prompts.Shown,
            (std::vector<std::string>{"錯誤 : 檔案 " + Name(4) + " 不存在 !",
                                      "開啟圖檔失敗!\n檔案 : " + Name(6) + "\n原因 : 不是 TIFF 檔",
                                      "本頁右上角定位失敗!"}));

  // The page on display is loaded again only when asked; no search without AutoSetRightTop.
  view_.Calls.clear();
  EXPECT_EQ(LoadPage(settings_, view_, {1, 0, 7}, PageReload::UnlessShown).Outcome, PageOutcome::Unchanged);
  settings_.AutoSetRightTop = false;
  EXPECT_EQ(LoadPage(settings_, view_, {1, 0, 7}).Outcome, PageOutcome::Loaded);
  EXPECT_EQ(view_.Calls, std::vector<std::string>{"Load 1 0 7"});

  // The load dialog closes on a page shown, after it scrolled; it draws no marker.
  int scrolled = 0;
  EXPECT_FALSE(LoadSinglePage(settings_, view_, prompts, 1, 6, [&] { ++scrolled; }) || scrolled);
  EXPECT_TRUE(LoadSinglePage(settings_, view_, prompts, 1, 7, [&] { ++scrolled; }) && scrolled == 1);
  EXPECT_EQ(view_.Calls.back(), "Load 1 0 7");
}

}  // namespace
}  // namespace zorvel::test
