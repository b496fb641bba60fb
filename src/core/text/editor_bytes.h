#pragma once
// The rules about bytes that every editor of the text keeps, whatever shows
// the text: how a line too long to edit is cut when it is only read, which
// line ending a line break without bytes of its own stands for, and what text
// the operator types, pastes or copies becomes.

#include <string>
#include <string_view>
#include <vector>

#include "core/text/line_index.h"

namespace zorvel {

// The longest piece of a line too long to edit (longer than
// kMaxEditableLineLength, core/text/text_document.h) in a text opened read-only.
constexpr int kReadOnlyPieceLength = 1024;

// Cuts every line of bytes (as SplitLines cut them) longer than
// kMaxEditableLineLength into pieces of at most kReadOnlyPieceLength bytes that
// end between characters, each as long as it can be; all pieces but the last
// end in no bytes. False when no line was cut.
bool CutLongLines(std::string_view bytes, std::vector<LineInfo>& lines);

// The most common ending of the lines (the last line's none aside): CR LF
// unless lone CRs or lone LFs are more, a lone CR before a lone LF when they
// are as many.
LineEnd MostCommonLineEnd(const std::vector<LineInfo>& lines);

// Line breaks of any kind (CR LF, a lone CR, a lone LF) written as CR LF.
std::string WithCrLfLineBreaks(std::string_view bytes);

// Text typed, pasted or dropped by the operator as the bytes it goes in as:
// line breaks of any kind (CR LF, CR, LF, U+2028, U+2029) become CR LF, and
// characters Big5 cannot hold "?", counted in *replaced.
std::string OperatorTextToBig5(std::u16string_view text, int* replaced = nullptr);
// What the status line says of them (UTF-8).
std::string ReplacedCharactersNote(int replaced);

// The bytes as other programs are given them: Unicode, with LF between lines.
std::u16string Big5ToCopiedText(std::string_view bytes);

}  // namespace zorvel
