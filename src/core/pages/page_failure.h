#pragma once
// Why a page image could not be shown, in the operator's words. The reader
// reports a failure as a small result code; these functions turn it, and what
// the reader saw of the file, into a sentence that names what is wrong.

#include <cstdint>
#include <string>
#include <string_view>

namespace zorvel {

class ATifG4;

// The words for a result code alone ("不是 TIFF 檔", "圖形資料不完整或已損壞",
// ...). Unknown codes say so with their number.
std::string PageReadFailureText(std::uint8_t code);

// The same, refined by what the reader found in the file: which header value
// was refused (compression, bits per pixel, size), whether the file opened at
// all. The reader may be read again to find the precise cause.
std::string DescribePageReadFailure(ATifG4& reader, std::uint8_t code);

// The page was decoded but no picture could be made of it (no memory).
inline constexpr std::string_view kPictureNotMade = "記憶體不足, 無法產生圖形";

// "開啟圖檔失敗!" followed by the file name and the reason.
std::string PageOpenFailedMessage(std::string_view fileName, std::string_view reason);

// The image window's caption while it stands on a page that it cannot show.
std::string PageNotShownCaption(std::string_view fileName);

}  // namespace zorvel
