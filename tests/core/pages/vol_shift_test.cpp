#include "core/pages/vol_shift.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <vector>

#include "support/test_support.h"

namespace zorvel::test {
namespace {

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

TEST(CVolShift, LoadRefusesVolumesOutOfRangeAndEmptiesForAMissingFile) {
  TempDir dir;
  WriteFile(dir.File("Vol003.vps"), "5, 1, 2, 0, 0, 0\r\n");
  CVolShift store(dir.Path().string());
  ASSERT_TRUE(store.LoadCalibration(3));
  store.Set(6, {7, 8, 0, 0, 0});
  for (int volume : {0, 1000})
    EXPECT_TRUE(!store.LoadCalibration(volume) && store.Volume() == 3 &&
                store.Get(6) == (PageCalibration{7, 8, 0, 0, 0}))
        << volume;
  // The last volume there may be, without a file: an empty store of its own.
  EXPECT_FALSE(store.LoadCalibration(999));
  EXPECT_EQ(store.Volume(), 999);
  EXPECT_FALSE(store.Dirty);
  EXPECT_TRUE(store.Get(5) == (PageCalibration{}) && store.Get(6) == (PageCalibration{}));
}

TEST(CVolShift, ReadsLinesLeniently) {
  TempDir dir;
  WriteFile(dir.File("Vol001.vps"),
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
  CVolShift store(dir.Path().string());
  store.Dirty = true;
  ASSERT_TRUE(store.LoadCalibration(1));
  EXPECT_FALSE(store.Dirty);
  std::vector<PageCalibration> pages;
  for (int page : {7, 12, 3, 20, 21, 30, 40, 0}) pages.push_back(store.Get(page));
  EXPECT_EQ(pages, (std::vector<PageCalibration>{{10, 20, 0, 0, 0},
                                                 {-3, 287, 0, 0, 1},
                                                 {4, 5, 6, 7, 8},
                                                 {5, 0, 0, 0, 0},
                                                 {5, 0, 0, 0, 0},
                                                 {},
                                                 {1, 2, 3, 4, 5},
                                                 {9, 9, 9, 9, 9}}));
}

TEST(CVolShift, SavesCalibratedPagesFromOneUpAndReadsThemBack) {
  TempDir dir;
  CVolShift store(dir.Path().string());
  EXPECT_FALSE(store.LoadCalibration(2));
  store.Set(0, {50, 60, 0, 0, 0});  // page 0: kept in memory, never written
  store.Set(12, {152, 287, 0, 0, 1});
  store.Set(5, {5, -5, 1, 2, 3});  // sum 0: not calibrated, shifts lost
  store.Set(9, {0, 0, 0, 4, 0});   // only a shift: not written
  store.Set(1499, {INT_MIN, 1, -1, 0, INT_MAX});
  ASSERT_TRUE(store.SaveCalibration());
  EXPECT_FALSE(store.Dirty);
  EXPECT_EQ(ReadFile(dir.File("Vol002.vps")),
            "12, 152, 287, 0, 0, 1\r\n1499, -2147483648, 1, -1, 0, 2147483647\r\n");
  EXPECT_EQ(store.Get(0), (PageCalibration{50, 60, 0, 0, 0}));

  // With every page uncalibrated the file becomes empty.
  store.Set(12, {});
  store.Set(1499, {});
  ASSERT_TRUE(store.SaveCalibration());
  EXPECT_EQ(ReadFile(dir.File("Vol002.vps")), "");
}

TEST(CVolShift, AFailedSaveKeepsDirtyAndTheOldFile) {
  TempDir dir;
  WriteFile(dir.File("Vol001.vps"), "3, 1, 1, 0, 0, 0\r\n");
  CVolShift store(dir.Path().string());
  ASSERT_TRUE(store.LoadCalibration(1));
  store.Set(3, {9, 9, 0, 0, 0});
  ASSERT_EQ(chmod(dir.File("Vol001.vps").c_str(), 0444), 0);
  EXPECT_FALSE(store.SaveCalibration());
  EXPECT_EQ(store.LastError(), "Permission denied");
  EXPECT_TRUE(store.Dirty);
  EXPECT_EQ(ReadFile(dir.File("Vol001.vps")), "3, 1, 1, 0, 0, 0\r\n");
}

TEST(CVolShift, AFileThatCannotBeReadIsNeverTakenForAnEmptyOne) {
  TempDir dir;
  // Something that exists under the name but cannot be read as a file.
  std::filesystem::create_directory(dir.Path() / "Vol001.vps");
  CVolShift store(dir.Path().string());
  EXPECT_FALSE(store.LoadCalibration(1));
  EXPECT_EQ(store.LastLoad(), CVolShift::LoadOutcome::Unreadable);
  EXPECT_EQ(store.Volume(), 1);

  // Values set now are never written over what could not be read, in this run,
  // even after another volume was held in between.
  store.Set(3, {1, 1, 0, 0, 0});
  EXPECT_FALSE(store.SaveCalibration());
  EXPECT_FALSE(store.LoadCalibration(2));
  store.LoadCalibration(1);
  store.Set(3, {1, 1, 0, 0, 0});
  EXPECT_FALSE(store.SaveCalibration());
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "Vol001.vps"));
}

}  // namespace
}  // namespace zorvel::test
