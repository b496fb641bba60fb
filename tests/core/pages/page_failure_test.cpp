// Why a page image cannot be shown, in words: each kind of bad file gets its
// own reason, found from the reader's result code and what it read.
#include "core/pages/page_failure.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "codec/a_tif_g4.h"
#include "support/test_support.h"
#include "support/tiff_file.h"

namespace zorvel::test {
namespace {

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
