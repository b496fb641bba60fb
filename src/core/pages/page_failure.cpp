#include "core/pages/page_failure.h"

#include "codec/a_tif_g4.h"
#include "codec/result_codes.h"

namespace zorvel {

namespace {

constexpr std::uint16_t kIntelOrder = 0x4949;
constexpr std::uint16_t kMotorolaOrder = 0x4D4D;

// What the header step refused, by the tag it refused.
std::string RefusedTagText(std::uint16_t tag) {
  switch (tag) {
    case 256:
      return "圖形太寬 (最多 32766 點)";
    case 257:
      return "圖形太高 (最多 32767 點)";
    case 258:
    case 277:
      return "不是每點 1 位元的黑白圖";
    case 259:
      return "不是 CCITT Group 4 壓縮";
    case 262:
      return "不是黑白圖";
    default:
      return {};
  }
}

}  // namespace

std::string PageReadFailureText(std::uint8_t code) {
  switch (code) {
    case erHeader:
      return "不是 TIFF 檔, 或檔頭不完整";
    case erStrip:
      return "圖形資料的位置不對, 檔案已損壞";
    case erDecode:
      return "圖形資料已損壞 (某一行的長度與頁寬不符)";
    case erMemory:
      return "記憶體不足";
    case erVersion:
      return "不支援的 TIFF 格式 (須為單頁、黑白、CCITT Group 4 壓縮)";
    case erCpu:
      return "不是 Intel 位元組順序 (II) 的 TIFF 檔";
    case erRowRange:
      return "圖形資料已損壞 (列數不對)";
    case erMaxLineBlk:
      return "圖形資料不完整或已損壞";
    default:
      break;
  }
  return "無法解碼 (代碼 " + std::to_string(code) + ")";
}

std::string DescribePageReadFailure(ATifG4& reader, std::uint8_t code) {
  // A failure of the header step is reported as one code; reading the header
  // again gives the step's own.
  if (code == erHeader && !reader.HeaderRead) code = ReadHeader(reader);
  if (reader.OpenFailed) return "檔案無法開啟";
  switch (code) {
    case erStrip:
      if (reader.HeaderRead && reader.StripByteCount == 0) return "檔案中沒有圖形資料";
      break;
    case erHeader:
      if (reader.ByteOrder != kIntelOrder && reader.ByteOrder != kMotorolaOrder) return "不是 TIFF 檔";
      return "TIFF 檔頭不完整或已損壞";
    case erCpu:
      if (reader.ByteOrder == kMotorolaOrder)
        return "TIFF 檔的位元組順序是 Motorola (MM), 只能讀取 Intel (II)";
      return "不是 TIFF 檔";
    case erVersion: {
      if (reader.Version != 42) return "不是 TIFF 檔";
      std::string refused = RefusedTagText(reader.RefusedTag);
      if (!refused.empty()) return refused;
      break;
    }
    default:
      break;
  }
  return PageReadFailureText(code);
}

std::string PageOpenFailedMessage(std::string_view fileName, std::string_view reason) {
  std::string text = "開啟圖檔失敗!\n檔案 : ";
  text += fileName;
  if (!reason.empty()) {
    text += "\n原因 : ";
    text += reason;
  }
  return text;
}

std::string PageNotShownCaption(std::string_view fileName) {
  return std::string(fileName) + " (圖檔無法顯示)";
}

}  // namespace zorvel
