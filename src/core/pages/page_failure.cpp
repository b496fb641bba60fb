#include "core/pages/page_failure.h"

#include "codec/a_tif_g4.h"
#include "codec/result_codes.h"

#include <vector>

namespace zorvel {

namespace {

constexpr std::uint16_t kIntelOrder = 0x4949;
constexpr std::uint16_t kMotorolaOrder = 0x4D4D;

std::uint32_t Little(const std::uint8_t* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

// The entries of the first IFD, read again (the reader drops them when it
// refuses one).
std::vector<IfdEntry> ReadEntries(ATifG4& reader) {
  std::vector<IfdEntry> entries;
  std::uint8_t count[2];
  if (reader.IfdOffset > 0x7FFFFFFF || !reader.SetPosition(reader.IfdOffset) ||
      reader.ReadBytes(count, 2) < 2) {
    return entries;
  }
  const int n = static_cast<std::int16_t>(Little(count, 2));
  for (int i = 0; i < n; ++i) {
    std::uint8_t raw[12];
    if (reader.ReadBytes(raw, 12) < 12) break;
    entries.push_back(IfdEntry{static_cast<std::uint16_t>(Little(raw, 2)),
                               static_cast<std::uint16_t>(Little(raw + 2, 2)), Little(raw + 4, 4),
                               Little(raw + 8, 4)});
  }
  return entries;
}

// The header value the reader refuses.
std::string RefusedTagText(ATifG4& reader) {
  for (const IfdEntry& entry : ReadEntries(reader)) {
    const std::uint32_t value = entry.Value;
    const std::uint16_t value16 = static_cast<std::uint16_t>(value & 0xFFFF);
    const bool wide = entry.FieldType == 4 && value > 0xFFFF;
    switch (entry.Tag) {
      case 256:
        if (value16 > kMaxImageWidth || wide) return "圖形太寬 (最多 32766 點)";
        break;
      case 257:
        if (value16 > kMaxImageLength || wide) return "圖形太高 (最多 32767 點)";
        break;
      case 258:
        if (value != 1) return "不是每點 1 位元的黑白圖";
        break;
      case 259:
        if (value16 != 4) return "不是 CCITT Group 4 壓縮";
        break;
      case 262:
        if (static_cast<std::int32_t>(value) >= 2) return "不是黑白圖";
        break;
      case 277:
        if (value != 1) return "不是每點 1 位元的黑白圖";
        break;
      default:
        break;
    }
  }
  return {};
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
      std::string refused = RefusedTagText(reader);
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
