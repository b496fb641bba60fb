// Paging from the page on display, and the calibration store following the
// volume of the page shown.
#include "core/pages/page_loading.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>

#include "codec/a_tif_g4.h"
#include "core/pages/page_failure.h"
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
  const std::string missing = dir.File("02-007.TIF"), sixth = dir.File("02-006.TIF");

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
       {"錯誤 : 檔案 " + missing + " 不存在 !"}},
      {"file that does not decode", {2, 7, 5}, +1, PictureLoad::NotLoaded, PageStep::NotShown,
       {"Load 2 7 6", "NotShown 2 7 6"}, {"開啟圖檔失敗!\n檔案 : " + sixth + "\n原因 : 不是 TIFF 檔"}},
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

}  // namespace
}  // namespace zorvel::test
