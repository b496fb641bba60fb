#pragma once
// Find and replace in the proof text: the stepping behind the find/replace
// dialog's find next, replace and replace all. Searches run forward from the
// cursor to the end of the text and never wrap around. Texts are Big5 bytes; a
// match is as long as the find text in bytes.

#include <string>
#include <string_view>

#include "core/text/text_editor.h"

namespace zorvel {

class Prompts;

inline constexpr std::string_view kFindNotFound = "找不到該字串 !";
inline constexpr std::string_view kReplaceNotFound = "找不到字串了 !";

class FindReplace {
 public:
  // True while the selection is a match made by find next, so that a following
  // replace acts on it instead of searching past it.
  bool FindSelected = false;

  // The dialog was opened (or brought forward).
  void Opened() { FindSelected = false; }

  // Find next: searches from just after the selection and selects the match.
  // False (after "找不到該字串 !") when there is none; the selection stays.
  bool ReplaceDialogFind(TextEditor& editor, Prompts& prompts, std::string_view findText,
                         FindOptions options);

  // Replace, or replace all: each step replaces the next match with replaceText
  // and selects the inserted text; the next step starts after it. Ends with
  // "找不到字串了 !" when a step finds nothing (so every replace all ends so).
  // Returns the number of replacements made.
  int ReplaceDialogReplace(TextEditor& editor, Prompts& prompts, std::string_view findText,
                           std::string_view replaceText, FindOptions options, bool replaceAll);
};

}  // namespace zorvel
