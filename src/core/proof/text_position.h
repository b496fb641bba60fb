#pragma once
// From a place in the printed canon back to the proof text: the line whose line
// head names a page, register and line, and the byte position of a printed
// character on it, counted as ShowWord counts (CountCharsBeforeCursor). The
// image window's click on the page and the jump to a typed line head both land
// in the text through here.

#include <string>
#include <string_view>

#include "core/pages/marker_geometry.h"
#include "core/proof/line_ref.h"

namespace zorvel {

class TextEditor;
struct Settings;

inline constexpr std::string_view kNoCharacterThere = "這裡不是任何一個字的位置.";

// "找不到行首為 HEAD 的文字行." for the head looked for (UTF-8).
std::string NoSuchLineMessage(std::string_view lineHeadUtf8);

// Whether the line's head names the page, register and line of key (Vol,
// Sutra, Page, Field and Line; Char is not looked at).
bool LineHeadNames(std::string_view line, const Settings& settings, const LineRef& key);

// The line head that names key, in the shape of the text's own heads: the head
// of line templateLine (or of the first headed line near the start of the text)
// with the fields written over it, each zero-padded to its length. Big5 bytes.
std::string MakeLineHead(const TextEditor& editor, const Settings& settings, const LineRef& key,
                         int templateLine);

// The line whose head names key: the lines around nearLine first (the page on
// show is nearly always the cursor's), then the whole text. -1 when none does.
int FindHeadedLine(const TextEditor& editor, const Settings& settings, const LineRef& key, int nearLine);

// The byte column of the printed character charIndex (from 0) of a line
// (Big5, without its line break): the first column where ShowWord's count
// (without the MaxLineWord cap) reaches charIndex, past any full stops and
// "<..>" tags that take no room there. Columns inside an unfinished "[..]" or
// "<..>" are never chosen. A line that holds fewer characters gives its end,
// with exact false.
struct CharacterColumn {
  int Column = 0;
  bool Exact = false;
};
CharacterColumn ColumnOfCharacter(std::string_view line, int charIndex, const Settings& settings);

// Where a click on the page lands in the text: the page (volume, sutra, page
// number) and the cell the point lies in (CharacterAtPoint).
struct TextTarget {
  bool Found = false;
  int Pos = -1;          // byte position in the text
  int Line = -1;         // the line found
  bool Exact = false;    // the line holds the character; else Pos is its end
  std::string LineHead;  // UTF-8: the line head looked for
  std::string Message;   // UTF-8, for the status line when nothing was found
};
TextTarget FindTextOfCharacter(const TextEditor& editor, const Settings& settings, int volume, int sutra,
                               int page, const CharacterCell& cell);

}  // namespace zorvel
