#pragma once
// A check of a whole proof text before work starts: walks the text from its
// start as repeated F2 would and, for every mark, reports what F1 would compute:
// the line head and character count with the cursor on the opening token, the
// page image file name and whether it exists, and the parse of the mark. The
// text is not changed.
//
// Output lines, fields separated by one TAB:
//   offset line Vol Sutra Page Field Line Char readings fileName exists [message]
//     readings is 2 or 3, or 0 when the mark does not parse, with the message
//     as the extra last field
//   warning offset message      (each count warning, before its mark's line)
//   error offset message        (a line-head field that is not a number; no
//                                mark line follows)
//   marks=N readings2=A readings3=B unparsed=C missing_pages=D warnings=E errors=F
// Messages and file names are Big5 bytes, or UTF-8 when asked for.

#include <ostream>

namespace zorvel {

class TextEditor;
struct Settings;

struct MarksSummary {
  int Marks = 0;
  int Readings2 = 0;
  int Readings3 = 0;
  int Unparsed = 0;
  int MissingPages = 0;
  int Warnings = 0;
  int Errors = 0;
  friend bool operator==(const MarksSummary&, const MarksSummary&) = default;
};

// Walks the editor's text from its start; leaves the text as it was and the
// cursor at the start.
MarksSummary WriteMarksReport(TextEditor& editor, const Settings& settings, bool utf8, std::ostream& out);

}  // namespace zorvel
