#pragma once
// The difference mark at the start of a piece of line: opening token, two or
// three readings split by the separator token, closing token.

#include <string>
#include <string_view>

#include "core/prompts.h"

namespace zorvel {

inline constexpr std::string_view kNoMarkFound = "我沒有找到差異起始符號耶.";
inline constexpr std::string_view kCursorNotOnOpening = "錯誤 : 文字游標不在起始符號之上.";
inline constexpr std::string_view kNoSeparator = "錯誤 : 找不到間隔符號.";
inline constexpr std::string_view kNoClosing = "錯誤 : 找不到結束符號.";
// The choice window's note on a third reading that still holds the separator
// (a mark with four or more readings).
inline constexpr std::string_view kThirdHoldsSeparator = "注意 : 第三組含間隔符號不能選, 請用自訂字串.";

enum class MarkStatus { Ok, NotOnOpening, NoSeparator, NoClosing };

struct DifferenceMark {
  MarkStatus Status = MarkStatus::Ok;
  std::string FirstStr, SecondStr, ThirdStr;  // Big5
  bool ThreeReadings = false;
  int Length = 0;  // bytes from the opening token through the first closing token
  // Readings that agree (lime green) and the reading that Enter takes: the one
  // two of three readings share, else the first. Only with three readings.
  bool Agree[3] = {false, false, false};
  int DefaultButton = 1;
  // Whether each reading may be written into the text: it is offered (the
  // third only with three readings) and holds no separator token. A mark with
  // more than three readings keeps the rest in the third, separators and all;
  // writing that would leave a broken mark behind.
  bool Writable[3] = {true, true, false};
};

// Whether the answer of the choice window (a reading, or the user string) may
// replace the mark; a cancel and anything else may not.
bool AnswerWritable(const DifferenceMark& mark, Selection selectResult);

// The operator's message for a status other than Ok.
std::string_view MarkStatusMessage(MarkStatus status);

// Parses the mark that rest (the cursor's line from the cursor on, without its
// line break) begins with. Tokens are searched Big5-aware, each for its first
// occurrence in rest; an empty token is never found. A separator that first
// occurs after the closing token belongs to a later mark: that is reported as a
// missing separator rather than cutting readings that run outside the mark.
DifferenceMark ParseDifferenceMark(std::string_view rest, std::string_view sign1, std::string_view sign2,
                                   std::string_view sign3);

}  // namespace zorvel
