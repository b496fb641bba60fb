#include "core/pages/vol_shift.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "support/test_support.h"

namespace zorvel {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(CVolShift, NewStoreAndFileNames) {
  CVolShift store("/start");
  EXPECT_EQ(store.Volume(), 0);
  EXPECT_FALSE(store.Dirty);
  EXPECT_EQ(CVolShift::Capacity, 1500);
  EXPECT_EQ(store.Get(1499), PageCalibration{});
  EXPECT_EQ(store.FileName(1), "/start/Vol001.vps");
  EXPECT_EQ(store.FileName(85), "/start/Vol085.vps");
  EXPECT_EQ(store.FileName(999), "/start/Vol999.vps");
  EXPECT_EQ(CVolShift("").FileName(7), "Vol007.vps");
}

TEST(CVolShift, PagesWithoutASlotAreNeverTouched) {
  CVolShift store("");
  EXPECT_TRUE(store.Set(0, {1, 2, 3, 4, 5}));
  EXPECT_TRUE(store.Set(1499, {6, 7, 8, 9, 10}));
  store.Dirty = false;
  for (int page : {-1, 1500, 100000, -2147483647 - 1}) {
    EXPECT_FALSE(store.Set(page, {1, 1, 1, 1, 1})) << page;
    EXPECT_EQ(store.Get(page), PageCalibration{}) << page;
  }
  EXPECT_FALSE(store.Dirty);
  EXPECT_EQ(store.Get(0), (PageCalibration{1, 2, 3, 4, 5}));
  EXPECT_EQ(store.Get(1499), (PageCalibration{6, 7, 8, 9, 10}));
}

TEST(CVolShift, LoadRefusesVolumesOutOfRangeAndKeepsTheStore) {
  TempDir dir;
  WriteFile(dir.File("Vol003.vps"), "5, 1, 2, 0, 0, 0\r\n");
  CVolShift store(dir.Path().string());
  ASSERT_TRUE(store.LoadCalibration(3));
  store.Set(6, {7, 8, 0, 0, 0});
  for (int volume : {0, -1, 1000}) {
    EXPECT_FALSE(store.LoadCalibration(volume));
    EXPECT_EQ(store.Volume(), 3);
    EXPECT_TRUE(store.Dirty);
    EXPECT_EQ(store.Get(5), (PageCalibration{1, 2, 0, 0, 0}));
    EXPECT_EQ(store.Get(6), (PageCalibration{7, 8, 0, 0, 0}));
  }

  // A volume without a file: the store holds it, empty and clean.
  EXPECT_FALSE(store.LoadCalibration(4));
  EXPECT_EQ(store.Volume(), 4);
  EXPECT_FALSE(store.Dirty);
  EXPECT_EQ(store.Get(5), PageCalibration{});
  EXPECT_EQ(store.Get(6), PageCalibration{});

  // ClearCalibration leaves Dirty alone.
  store.Set(9, {1, 1, 1, 1, 1});
  store.ClearCalibration();
  EXPECT_EQ(store.Volume(), 0);
  EXPECT_TRUE(store.Dirty);
  EXPECT_EQ(store.Get(9), PageCalibration{});
}

TEST(CVolShift, ReadsLinesLeniently) {
  TempDir dir;
  WriteFile(dir.File("Vol001.vps"),
            "7,10,20\r\n"                // short line: shifts stay 0
            "  12 ,152,287 , 0,0,1\r\n"  // spaces optional, any amount
            "3\t,\t4 ,\t5,6,7,8\n"       // tabs, LF line end
            "garbage, 1, 2\r\n"          // not a number: nothing
            "\r\n"                       // blank line
            "20, 5, x, 9\r\n"            // stops at the bad value
            "21, 5 6, 7\r\n"             // stops where the comma is missing
            "1500, 1, 1, 1, 1, 1\r\n"    // no slot: skipped
            "-1, 1, 1, 1, 1, 1\r\n"      // no slot: skipped
            "30, 99999999999, 4\r\n"     // a value beyond 32 bits ends the line
            "12, -3\r\n"                 // later line overwrites what it carries
            "40, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22\r\n"
            "+41,+1,-2\r\n"
            "0, 9, 9, 9, 9, 9");  // page 0, last line without an ending
  CVolShift store(dir.Path().string());
  store.Dirty = true;
  ASSERT_TRUE(store.LoadCalibration(1));
  EXPECT_FALSE(store.Dirty);
  EXPECT_EQ(store.Volume(), 1);
  EXPECT_EQ(store.Get(7), (PageCalibration{10, 20, 0, 0, 0}));
  EXPECT_EQ(store.Get(12), (PageCalibration{-3, 287, 0, 0, 1}));
  EXPECT_EQ(store.Get(3), (PageCalibration{4, 5, 6, 7, 8}));
  EXPECT_EQ(store.Get(20), (PageCalibration{5, 0, 0, 0, 0}));
  EXPECT_EQ(store.Get(21), (PageCalibration{5, 0, 0, 0, 0}));
  EXPECT_EQ(store.Get(30), PageCalibration{});
  EXPECT_EQ(store.Get(40), (PageCalibration{1, 2, 3, 4, 5}));
  EXPECT_EQ(store.Get(41), (PageCalibration{1, -2, 0, 0, 0}));
  EXPECT_EQ(store.Get(0), (PageCalibration{9, 9, 9, 9, 9}));
  EXPECT_EQ(store.Get(1), PageCalibration{});
  EXPECT_EQ(store.Get(1499), PageCalibration{});
}

TEST(CVolShift, SavesCalibratedPagesFromOneUp) {
  TempDir dir;
  CVolShift store(dir.Path().string());
  EXPECT_FALSE(store.LoadCalibration(2));
  store.Set(0, {50, 60, 0, 0, 0});  // page 0: kept in memory, never written
  store.Set(12, {152, 287, 0, 0, 1});
  store.Set(5, {5, -5, 1, 2, 3});  // sum 0: not calibrated, shifts lost
  store.Set(9, {0, 0, 0, 4, 0});   // only a shift: not written
  store.Set(1499, {-7, 1, -1, 0, 29});
  store.Set(3, {0, 1, 0, 0, 0});
  ASSERT_TRUE(store.SaveCalibration());
  EXPECT_FALSE(store.Dirty);
  EXPECT_EQ(ReadFile(dir.File("Vol002.vps")),
            "3, 0, 1, 0, 0, 0\r\n"
            "12, 152, 287, 0, 0, 1\r\n"
            "1499, -7, 1, -1, 0, 29\r\n");
  EXPECT_EQ(store.Get(0), (PageCalibration{50, 60, 0, 0, 0}));

  // Read back, the uncalibrated pages come back empty.
  CVolShift again(dir.Path().string());
  ASSERT_TRUE(again.LoadCalibration(2));
  EXPECT_EQ(again.Get(12), (PageCalibration{152, 287, 0, 0, 1}));
  EXPECT_EQ(again.Get(5), PageCalibration{});
  EXPECT_EQ(again.Get(9), PageCalibration{});
  EXPECT_EQ(again.Get(0), PageCalibration{});
}

TEST(CVolShift, AnAllUncalibratedStoreMakesAnEmptyFile) {
  TempDir dir;
  WriteFile(dir.File("Vol010.vps"), "4, 1, 1, 0, 0, 0\r\n");
  CVolShift store(dir.Path().string());
  ASSERT_TRUE(store.LoadCalibration(10));
  store.Set(4, {0, 0, 0, 0, 0});
  ASSERT_TRUE(store.SaveCalibration());
  EXPECT_TRUE(std::filesystem::exists(dir.File("Vol010.vps")));
  EXPECT_EQ(ReadFile(dir.File("Vol010.vps")), "");
}

TEST(CVolShift, EveryPageRoundTrips) {
  TempDir dir;
  CVolShift store(dir.Path().string());
  store.LoadCalibration(999);
  std::mt19937 random(42);
  std::uniform_int_distribution<int> any(-2147483647 - 1, 2147483647);
  for (int p = 1; p < CVolShift::Capacity; ++p) {
    PageCalibration values{any(random), any(random), any(random), any(random), any(random)};
    if (!values.IsCalibrated()) values.FirstCharY = 1;
    store.Set(p, values);
  }
  ASSERT_TRUE(store.SaveCalibration());
  CVolShift again(dir.Path().string());
  ASSERT_TRUE(again.LoadCalibration(999));
  for (int p = 1; p < CVolShift::Capacity; ++p) ASSERT_EQ(again.Get(p), store.Get(p)) << p;
}

TEST(CVolShift, AFailedSaveKeepsDirtyAndTheOldFile) {
  TempDir dir;
  CVolShift none(dir.Path().string());
  none.Set(3, {1, 1, 0, 0, 0});
  EXPECT_FALSE(none.SaveCalibration()) << "no volume held";
  EXPECT_TRUE(none.Dirty);
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

  WriteFile(dir.File("Vol001.vps"), "3, 1, 1, 0, 0, 0\r\n");
  CVolShift store(dir.Path().string());
  ASSERT_TRUE(store.LoadCalibration(1));
  store.Set(3, {9, 9, 0, 0, 0});
  ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
  EXPECT_FALSE(store.SaveCalibration());
  ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
  EXPECT_TRUE(store.Dirty);
  EXPECT_EQ(ReadFile(dir.File("Vol001.vps")), "3, 1, 1, 0, 0, 0\r\n");
  EXPECT_TRUE(store.SaveCalibration());
  EXPECT_EQ(ReadFile(dir.File("Vol001.vps")), "3, 9, 9, 0, 0, 0\r\n");
}

TEST(PageCalibration, CalibratedMeansANonZeroSum) {
  EXPECT_FALSE(PageCalibration{}.IsCalibrated());
  EXPECT_FALSE((PageCalibration{5, -5, 1, 1, 1}.IsCalibrated()));
  EXPECT_TRUE((PageCalibration{0, 1, 0, 0, 0}.IsCalibrated()));
  // The sum does not wrap around.
  EXPECT_TRUE((PageCalibration{-2147483647 - 1, -2147483647 - 1, 0, 0, 0}.IsCalibrated()));
}

}  // namespace
}  // namespace zorvel
