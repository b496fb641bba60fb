#pragma once
// Watches one edit of the operator's for a change of the lines that carry a
// line head. A line break typed into a proof line leaves the new line without a
// line head, and a line break taken out buries the next line's head inside the
// line before it; either way every position on the page computed from then on
// is wrong. Neither is refused (the operator may mean it), but neither goes
// unnoticed.

#include <string>
#include <string_view>
#include <vector>

namespace zorvel {

struct Settings;
class TextEditor;

enum class LineHeadEdit {
  None,
  Split,  // a line without a line head appeared in a text of headed lines
  Join,   // a line head no longer starts a line
};

inline constexpr std::string_view kLineSplitNote = "注意 : 有行首的一行被分開了, 新的一行沒有行首.";
inline constexpr std::string_view kLineJoinNote = "注意 : 有行首的行被合併了, 行首已不在行的開頭.";

// The note for the status line; empty for None.
std::string_view LineHeadEditNote(LineHeadEdit edit);

// Whether a line (Big5, without its line break) begins with a line head: it is
// at least LineHeadLength bytes long and its volume, sutra, page and line
// fields are numbers.
bool HoldsLineHead(std::string_view line, const Settings& settings);

// Compares the lines of a stretch of text before and after an edit inside it.
// Lines that are equal at the start and at the end of both are not part of the
// edit. Only a stretch that held a line head counts, and only an edit that
// changes the number of lines or spans more than one line.
LineHeadEdit CompareLineHeads(const std::vector<std::string>& before, const std::vector<std::string>& after,
                              const Settings& settings);

// Takes the lines around the selection (with one line more on either side, which
// Backspace and Delete reach) before an edit; Check() compares them with the
// same stretch after it. The edit must stay inside the selection and its
// neighbour lines, as typing, pasting and cutting do.
class LineHeadWatch {
 public:
  LineHeadWatch(const TextEditor& editor, const Settings& settings);
  LineHeadEdit Check() const;

 private:
  const TextEditor& editor_;
  const Settings& settings_;
  int first_ = 0;
  int linesAfter_ = 0;  // lines after the stretch, which the edit does not touch
  std::vector<std::string> before_;
};

}  // namespace zorvel
