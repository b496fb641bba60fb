#pragma once
// The line head of a proof text line and the count of printed characters that
// stand before the cursor on that line. Lines are Big5 bytes without their line
// break; positions and lengths count bytes.

#include <string>
#include <string_view>
#include <vector>

#include "core/proof/line_ref.h"

namespace zorvel {

struct Settings;

inline constexpr std::string_view kUnpairedSquareBracket = "警告 : 游標前的中括號沒有成對, 位置可能會算錯喔!";
inline constexpr std::string_view kStrayRightSquareBracket = "警告 : 有一個奇怪的右中括號擋在前面喔!";
inline constexpr std::string_view kUnpairedAngleBracket = "警告 : 游標前的角括號沒有成對, 位置可能會算錯喔!";
inline constexpr std::string_view kStrayGreaterThan = "警告 : 有一個奇怪的 '小於' > 符號擋在前面喔!";

// "'%s' is not a valid integer value" for a field text (Big5), as UTF-8.
std::string NotAnIntegerMessage(std::string_view big5FieldText);

// The message of a line head that cannot be read, for the line with the 0-based
// number `line`: the line number (from 1) and the head as the line holds it,
// then NotAnIntegerMessage of the field that is no number (UTF-8).
std::string LineHeadErrorMessage(int line, std::string_view lineText, const Settings& settings,
                                 std::string_view big5FieldText);

// The bytes of s from the 1-based position start, at most count of them: a
// start below 1 counts as 1, and a count that runs past the end is cut short.
std::string_view CopyBytes(std::string_view s, int start, int count);

// Decodes Vol, Sutra, Page, Field and Line from the line head, in that order,
// into ref. A numeric field that is not a whole number stops the decoding there
// (the fields before it are already set) and returns false with the field's
// text in badFieldText.
bool DecodeLineHead(std::string_view line, const Settings& settings, LineRef& ref, std::string& badFieldText);

// The index of the printed character at byte column `column` of the line: the
// bytes after the line head, less full stops, "[..]" groups counted as one
// character (or as the text before their ">"), and "<..>" tags, halved and
// capped by MaxLineWord. Each warning met is appended to warnings (UTF-8), in
// the order met.
int CountCharsBeforeCursor(std::string_view line, int column, const Settings& settings,
                           std::vector<std::string>& warnings);

}  // namespace zorvel
