#pragma once
// How many difference marks are left: the opening tokens from the cursor on and
// in the whole text, for the status line ("差異 37 / 170"). An opening token is
// counted where F2 would stop at it (the editor's forward search: whole
// characters only, ASCII letters in either case). The token the cursor stands on
// counts as left: a mark just found, or one cancelled, is still to do.
//
// The counter keeps the count of every line, so after an edit only the edited
// lines are counted again; a count then costs a sum over the line counts, not a
// search of the text.

#include <string>
#include <string_view>
#include <vector>

namespace zorvel {

class TextEditor;

struct MarkCount {
  int After = 0;  // from the cursor on
  int Total = 0;
  friend bool operator==(const MarkCount&, const MarkCount&) = default;
};

// "差異 37 / 170".
std::string MarkCountText(const MarkCount& count);

// The columns of a line (Big5, without its line break) where F2 would find the
// opening token.
std::vector<int> MarkColumns(std::string_view line, std::string_view sign1);

// The position of the last opening token before pos, walking back line by line;
// -1 when there is none. MarkCounter::PreviousMark does the same by its counts.
int FindPreviousMark(const TextEditor& editor, std::string_view sign1, int pos);

class MarkCounter {
 public:
  // Counts every line of the editor's text for the opening token sign1. Called
  // when a text is loaded and when the token changes.
  void Reset(const TextEditor& editor, std::string_view sign1);
  // The same when the caller holds the bytes the editor was just given, so
  // that the whole text is not asked of the editor again.
  void Reset(const TextEditor& editor, std::string_view sign1, std::string_view text);

  // After an edit: lines first to last of the editor's text (as it is now) are
  // new or changed, the lines before and after them are as they were. The
  // number of lines the edit replaced follows from the change of the line
  // count. A range that does not fit counts the whole text again.
  void LinesChanged(const TextEditor& editor, int first, int last);

  // The counts with the cursor at the editor's selection start, or at pos.
  MarkCount Count(const TextEditor& editor) const;
  MarkCount CountFrom(const TextEditor& editor, int pos) const;

  // The position of the last opening token before pos, or -1.
  int PreviousMark(const TextEditor& editor, int pos) const;

  const std::string& Sign() const { return sign_; }
  int Total() const { return total_; }

 private:
  std::string sign_;
  std::vector<int> lines_;  // tokens per line
  int total_ = 0;
};

}  // namespace zorvel
