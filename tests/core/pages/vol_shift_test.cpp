// The calibration store of a volume: its file, read leniently, written whole,
// and never replaced by a store that could not read it.
#include "core/pages/vol_shift.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/test_support.h"

namespace zorvel::test {
namespace {

class CVolShiftTest : public ::testing::Test {
 protected:
  TempDir dir_;
  CVolShift store_{dir_.Path().string()};
};

TEST_F(CVolShiftTest, PagesWithoutASlotAndTheSumOfTheValues) {
  for (int page : {-1, 1500}) EXPECT_FALSE(store_.Set(page, {1, 1, 1, 1, 1})) << page;
  EXPECT_FALSE(store_.Dirty);
  EXPECT_EQ(store_.Get(1500), PageCalibration{});
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
