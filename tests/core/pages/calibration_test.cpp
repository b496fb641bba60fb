// The operator's corrections of a page's calibration on the store, and that
// calibration is never lost without a word: each occasion of a save, what the
// operator is told or asked, what the answer does, and which pages have values.
#include "core/pages/calibration.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <tuple>

#include "core/pages/calibration_save.h"
#include "core/pages/right_top.h"
#include "core/pages/vol_shift.h"
#include "support/test_support.h"
#include "support/white_page.h"

namespace zorvel::test {
namespace {

class CalibrationTest : public ::testing::Test {
 protected:
  TempDir dir_;
  CVolShift store_{dir_.Path().string()};
};
using SaveCalibrationOrAskTest = CalibrationTest;
using PageCalibrationScopeTest = CalibrationTest;
using CVolShiftTest = CalibrationTest;

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
    // The values are still there to be saved.
    EXPECT_TRUE(s.store.Dirty && s.store.Get(3) == (PageCalibration{9, 9, 0, 0, 0}));
  }
}

TEST_F(SaveCalibrationOrAskTest, NothingToSaveOrASaveThatWorksAsksNothing) {
  ScriptedPrompts prompts;
  EXPECT_TRUE(SaveCalibrationOrAsk(store_, prompts, CalibrationSaveOccasion::Closing)) << "not dirty";
  store_.LoadCalibration(2);
  store_.Set(5, {1, 2, 0, 0, 0});
  EXPECT_TRUE(SaveCalibrationOrAsk(store_, prompts, CalibrationSaveOccasion::VolumeChange));
  EXPECT_FALSE(store_.Dirty);
  EXPECT_EQ(ReadFile(dir_.File("Vol002.vps")), "5, 1, 2, 0, 0, 0\r\n");
  EXPECT_TRUE(prompts.Shown.empty());
}

TEST_F(PageCalibrationScopeTest, OnlyAShownPageOfTheVolumeHeldWithASlotHasValues) {
  store_.LoadCalibration(1);
  for (int page : {0, 1, 1499}) store_.Set(page, {page + 1, 1, 0, 0, 0});
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
    const CalibrationScope scope = PageCalibrationScope(store_, c.Shown, c.Volume, c.Page);
    EXPECT_EQ(scope, c.Scope) << c.Volume << "/" << c.Page;
    EXPECT_EQ(CalibrationScopeMessage(scope).empty(), scope == CalibrationScope::Ok);
    EXPECT_EQ(ShownPageCalibration(store_, c.Shown, c.Volume, c.Page),
              scope == CalibrationScope::Ok ? store_.Get(c.Page) : PageCalibration{});
  }
}

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

  // A third column without ink: top[7] is 200 and the spread test fails.
  EXPECT_FALSE(FindRightTop(ProbedPage({200, 121, 120, 200, 121, 120, 200, 121, 120, 121}), 45, 45).Found);
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

TEST(CVolShift, FileNamesAndPagesWithoutASlot) {
  CVolShift store("/start");
  EXPECT_EQ(store.FileName(1), "/start/Vol001.vps");
  EXPECT_TRUE(store.Set(1499, {6, 7, 8, 9, 10}));
  store.Dirty = false;
  for (int page : {-1, 1500}) EXPECT_FALSE(store.Set(page, {1, 1, 1, 1, 1})) << page;
  EXPECT_FALSE(store.Dirty);
  EXPECT_EQ(store.Get(1500), PageCalibration{});
  EXPECT_FALSE((PageCalibration{5, -5, 1, 1, 1}.IsCalibrated()));
  EXPECT_TRUE((PageCalibration{INT_MIN, INT_MIN, 0, 0, 0}.IsCalibrated())) << "the sum does not wrap";
}

TEST_F(CVolShiftTest, LoadRefusesVolumesOutOfRangeAndEmptiesForAMissingFile) {
  WriteFile(dir_.File("Vol003.vps"), "5, 1, 2, 0, 0, 0\r\n");
  ASSERT_TRUE(store_.LoadCalibration(3));
  store_.Set(6, {7, 8, 0, 0, 0});
  for (int volume : {0, 1000})
    EXPECT_TRUE(!store_.LoadCalibration(volume) && store_.Volume() == 3 &&
                store_.Get(6) == (PageCalibration{7, 8, 0, 0, 0}))
        << volume;
  // The last volume there may be, without a file: an empty store of its own.
  EXPECT_FALSE(store_.LoadCalibration(999));
  EXPECT_EQ(store_.Volume(), 999);
  EXPECT_FALSE(store_.Dirty);
  EXPECT_TRUE(store_.Get(5) == (PageCalibration{}) && store_.Get(6) == (PageCalibration{}));
}

TEST_F(CVolShiftTest, ReadsLinesLeniently) {
  WriteFile(dir_.File("Vol001.vps"),
            "7,10,20\r\n"                // short line: the shifts stay 0
            "  12 ,152,287 , 0,0,1\r\n"  // white space optional
            "3\t,\t4 ,\t5,6,7,8\n"       // tabs, LF line end
            "garbage, 1, 2\r\n\r\n"      // not a number, blank line: nothing
            "20, 5, x, 9\r\n"            // stops at the bad value
            "21, 5 6, 7\r\n"             // stops where a comma is missing
            "1500, 1, 1, 1, 1, 1\r\n"    // no slot: skipped
            "30, 99999999999, 4\r\n"     // beyond 32 bits: ends the line
            "12, -3\r\n"                 // a later line overwrites what it carries
            "40, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24\r\n"
            "0, 9, 9, 9, 9, 9");  // page 0, no line end
  store_.Dirty = true;
  ASSERT_TRUE(store_.LoadCalibration(1));
  EXPECT_FALSE(store_.Dirty);
  std::vector<PageCalibration> pages;
  for (int page : {7, 12, 3, 20, 21, 30, 40, 0}) pages.push_back(store_.Get(page));
  EXPECT_EQ(pages, (std::vector<PageCalibration>{{10, 20, 0, 0, 0},
                                                 {-3, 287, 0, 0, 1},
                                                 {4, 5, 6, 7, 8},
                                                 {5, 0, 0, 0, 0},
                                                 {5, 0, 0, 0, 0},
                                                 {},
                                                 {1, 2, 3, 4, 5},
                                                 {9, 9, 9, 9, 9}}));
}

TEST_F(CVolShiftTest, SavesCalibratedPagesFromOneUpAndReadsThemBack) {
  EXPECT_FALSE(store_.LoadCalibration(2));
  store_.Set(0, {50, 60, 0, 0, 0});  // page 0: kept in memory, never written
  store_.Set(12, {152, 287, 0, 0, 1});
  store_.Set(5, {5, -5, 1, 2, 3});  // sum 0: not calibrated, shifts lost
  store_.Set(9, {0, 0, 0, 4, 0});   // only a shift: not written
  store_.Set(1499, {INT_MIN, 1, -1, 0, INT_MAX});
  ASSERT_TRUE(store_.SaveCalibration());
  EXPECT_FALSE(store_.Dirty);
  EXPECT_EQ(ReadFile(dir_.File("Vol002.vps")),
            "12, 152, 287, 0, 0, 1\r\n1499, -2147483648, 1, -1, 0, 2147483647\r\n");
  EXPECT_EQ(store_.Get(0), (PageCalibration{50, 60, 0, 0, 0}));

  // With every page uncalibrated the file becomes empty.
  store_.Set(12, {});
  store_.Set(1499, {});
  ASSERT_TRUE(store_.SaveCalibration());
  EXPECT_EQ(ReadFile(dir_.File("Vol002.vps")), "");
}

TEST_F(CVolShiftTest, AFailedSaveKeepsDirtyAndTheOldFile) {
  WriteFile(dir_.File("Vol001.vps"), "3, 1, 1, 0, 0, 0\r\n");
  ASSERT_TRUE(store_.LoadCalibration(1));
  store_.Set(3, {9, 9, 0, 0, 0});
  ASSERT_EQ(chmod(dir_.File("Vol001.vps").c_str(), 0444), 0);
  EXPECT_FALSE(store_.SaveCalibration());
  EXPECT_EQ(store_.LastError(), "Permission denied");
  EXPECT_TRUE(store_.Dirty);
  EXPECT_EQ(ReadFile(dir_.File("Vol001.vps")), "3, 1, 1, 0, 0, 0\r\n");
}

TEST_F(CVolShiftTest, AFileThatCannotBeReadIsNeverTakenForAnEmptyOne) {
  // Something under the name that cannot be read as a file.
  std::filesystem::create_directory(dir_.Path() / "Vol002.vps");
  EXPECT_FALSE(store_.LoadCalibration(2));
  EXPECT_EQ(store_.LastLoad(), CVolShift::LoadOutcome::Unreadable);

  // A regular file whose reading fails, as an I/O error does: it could be
  // written, so only the store keeps it from being replaced by what was set
  // without its values, in this run, even after another volume was held.
  WriteFile(dir_.File("Vol001.vps"), "3, 1, 1, 0, 0, 0\r\n");
  store_.ReadFile = [](const std::string&, std::string&, std::string& error) {
    error = "Input/output error";
    return ReadResult::Failed;
  };
  EXPECT_FALSE(store_.LoadCalibration(1));
  EXPECT_EQ(store_.LastLoad(), CVolShift::LoadOutcome::Unreadable);
  EXPECT_EQ(store_.Volume(), 1);
  store_.Set(4, {1, 1, 0, 0, 0});
  EXPECT_FALSE(store_.SaveCalibration());
  EXPECT_TRUE(store_.Dirty);
  EXPECT_FALSE(store_.LoadCalibration(3));
  store_.LoadCalibration(1);
  store_.Set(4, {1, 1, 0, 0, 0});
  EXPECT_FALSE(store_.SaveCalibration());
  EXPECT_EQ(ReadFile(dir_.File("Vol001.vps")), "3, 1, 1, 0, 0, 0\r\n");
}

}  // namespace
}  // namespace zorvel::test
