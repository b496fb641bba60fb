#pragma once
// The jump to a line head the operator types: a whole head such as
// "T01n0001_p0003b19" (with or without its "║"), or a short form that names
// page, register and line and takes volume and text number from the cursor's
// line: "p0003b19", "0003b19" or "3b19".

#include <string>
#include <string_view>

#include "core/proof/line_ref.h"

namespace zorvel {

class TextEditor;
struct Settings;

inline constexpr std::string_view kEmptyLineHeadInput = "請輸入行首, 例如 p0003b19 或 3b19.";
inline constexpr std::string_view kLineNumberFromOne = "錯誤 : 行數要從 1 算起.";
inline constexpr std::string_view kNoLineHeadAtCursor = "錯誤 : 游標所在的行沒有行首, 請輸入完整的行首.";

// What was typed, read. Key holds Vol, Sutra, Page, Field and Line (from 0);
// Message (UTF-8) says why it could not be read.
struct LineHeadInput {
  bool Ok = false;
  LineRef Key;
  std::string Message;
};

// Reads input (UTF-8, blanks around it ignored). A short form takes Vol and
// Sutra from current; without one (nullptr) only a whole head is read. A whole
// head is read with the line-head settings, as ShowWord reads the text's heads.
LineHeadInput ReadLineHeadInput(std::string_view input, const Settings& settings, const LineRef* current);

// Where the jump lands: the start of the line's text, after its head.
struct LineHeadJump {
  bool Found = false;
  int Pos = -1;
  int Line = -1;
  LineRef Key;
  std::string Message;  // UTF-8, when not found
};

// Reads input against the head of the cursor's line (or the nearest headed line
// above it) and finds the line in the editor's text.
LineHeadJump FindLineHead(const TextEditor& editor, const Settings& settings, std::string_view input);

}  // namespace zorvel
