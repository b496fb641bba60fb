// Why a page image cannot be shown, in words: each kind of bad file gets its
// own reason, found from the reader's result code and what it read.
#include "core/pages/page_failure.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "codec/a_tif_g4.h"
#include "support/test_support.h"

namespace zorvel {
namespace {

using test::TempDir;

struct Tag {
  std::uint16_t Id;
  std::uint16_t Type;  // 3 SHORT, 4 LONG
  std::uint32_t Value;
};

void Put16(std::string& out, std::uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}
void Put32(std::string& out, std::uint32_t v) {
  Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<std::uint16_t>(v >> 16));
}

// A little-endian TIFF: header, one IFD with the tags, then the strip.
std::string Tiff(const std::vector<Tag>& tags, const std::string& strip) {
  std::string out = "II";
  Put16(out, 42);
  Put32(out, 8);
  Put16(out, static_cast<std::uint16_t>(tags.size() + 2));
  const std::uint32_t stripAt = 8 + 2 + 12 * static_cast<std::uint32_t>(tags.size() + 2) + 4;
  std::vector<Tag> all = tags;
  all.push_back({273, 4, stripAt});
  all.push_back({279, 4, static_cast<std::uint32_t>(strip.size())});
  for (const Tag& tag : all) {
    Put16(out, tag.Id);
    Put16(out, tag.Type);
    Put32(out, 1);
    Put32(out, tag.Value);
  }
  Put32(out, 0);
  return out + strip;
}

std::vector<Tag> PageTags(std::uint32_t width, std::uint32_t compression, std::uint32_t bits) {
  return {{256, 4, width}, {257, 3, 10}, {258, 3, bits}, {259, 3, compression}, {262, 3, 0}};
}

std::string Reason(const std::string& path) {
  ATifG4 reader(path);
  const std::uint8_t result = ReadPage(reader);
  if (result == erOk) return "decoded";
  return DescribePageReadFailure(reader, result);
}

TEST(PageReadFailure, EachKindOfBadFileHasItsOwnReason) {
  TempDir dir;
  const struct {
    const char* Name;
    std::string Bytes;
    const char* Reason;
  } cases[] = {
      {"text", "not an image at all", "不是 TIFF 檔"},
      {"short", "II", "不是 TIFF 檔"},
      {"motorola", std::string("MM\0*\0\0\0\x08", 8), "Motorola"},
      {"version", std::string("II\x2B\0\x08\0\0\0", 8), "不是 TIFF 檔"},
      {"fax3", Tiff(PageTags(8, 3, 1), std::string(20, '\0')), "不是 CCITT Group 4 壓縮"},
      {"grey", Tiff(PageTags(8, 4, 8), std::string(20, '\0')), "不是每點 1 位元的黑白圖"},
      {"wide", Tiff(PageTags(40000, 4, 1), std::string(20, '\0')), "圖形太寬"},
      {"nostrip", Tiff(PageTags(8, 4, 1), ""), "沒有圖形資料"},
      {"corrupt", Tiff(PageTags(8, 4, 1), std::string(3, '\0')), "圖形資料"},
  };
  for (const auto& c : cases) {
    const std::string path = dir.File(c.Name);
    test::WriteFile(path, c.Bytes);
    const std::string reason = Reason(path);
    EXPECT_NE(reason.find(c.Reason), std::string::npos) << c.Name << ": " << reason;
  }
  EXPECT_EQ(Reason(dir.File("missing.tif")), "檔案無法開啟");
}

TEST(PageReadFailure, EveryCodeHasWordsAndUnknownCodesShowTheirNumber) {
  for (std::uint8_t code :
       {erHeader, erStrip, erDecode, erMemory, erVersion, erCpu, erRowRange, erMaxLineBlk}) {
    const std::string text = PageReadFailureText(code);
    EXPECT_FALSE(text.empty()) << int(code);
    EXPECT_EQ(text.find("代碼"), std::string::npos) << int(code);
  }
  EXPECT_NE(PageReadFailureText(99).find("99"), std::string::npos);
  EXPECT_EQ(PageOpenFailedMessage("T01/01-005.TIF", "不是 TIFF 檔"),
            "開啟圖檔失敗!\n檔案 : T01/01-005.TIF\n原因 : 不是 TIFF 檔");
}

}  // namespace
}  // namespace zorvel
