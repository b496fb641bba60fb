#include "core/proof/text_position.h"

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <vector>

#include "core/proof/line_head.h"
#include "core/proof/line_head_watch.h"
#include "core/settings/settings.h"
#include "core/text/big5.h"
#include "core/text/text_editor.h"

namespace zorvel {

namespace {

constexpr std::string_view kFullStop = "\xA1\x43";  // 。
// Lines looked at on either side of the cursor's line before the whole text is
// searched: a page of three registers holds under a hundred lines.
constexpr int kNearLines = 400;
// Heads looked at from the start of a text for one to copy the shape of.
constexpr int kTemplateLines = 50;

// Writes value into head at the 1-based start, zero-padded to length bytes.
void WriteNumber(std::string& head, int start, int length, long long value) {
  if (start < 1 || length <= 0) return;
  char digits[32];
  std::snprintf(digits, sizeof digits, "%0*lld", std::min(length, 20), value);
  const std::string text = digits;
  const auto from = static_cast<std::size_t>(start - 1);
  if (head.size() < from + text.size()) head.resize(from + text.size(), ' ');
  head.replace(from, text.size(), text);
}

std::string HeadOf(std::string_view line, const Settings& settings) {
  const auto length = static_cast<std::size_t>(std::max(0, settings.LineHeadLength));
  return std::string(line.substr(0, std::min(length, line.size())));
}

// The text column of the line after its head.
int TextStart(std::string_view line, const Settings& settings) {
  return std::clamp(settings.LineHeadLength, 0, static_cast<int>(line.size()));
}

bool Less(const LineRef& a, const LineRef& b) {
  return std::tie(a.Vol, a.Sutra, a.Page, a.Field, a.Line) <
         std::tie(b.Vol, b.Sutra, b.Page, b.Field, b.Line);
}

// Bisects the lines by their heads, taking the text's heads to run in order; a
// line without a head stands for the first headed line after it. -1 when the
// bisection ends on no line that names key (the heads may not be in order).
int BisectHeads(const TextEditor& editor, const Settings& settings, const LineRef& key) {
  int low = 0;
  int high = editor.LineCount() - 1;
  while (low <= high) {
    const int middle = low + (high - low) / 2;
    LineRef ref;
    int line = middle;
    std::string bad;
    while (line <= high && !DecodeLineHead(editor.LineBytes(line), settings, ref, bad)) ++line;
    if (line > high) {
      high = middle - 1;
    } else if (Less(ref, key)) {
      low = line + 1;
    } else if (Less(key, ref)) {
      high = middle - 1;
    } else {
      return line;
    }
  }
  return -1;
}

}  // namespace

std::string NoSuchLineMessage(std::string_view lineHeadUtf8) {
  return "找不到行首為 " + std::string(lineHeadUtf8) + " 的文字行.";
}

bool LineHeadNames(std::string_view line, const Settings& settings, const LineRef& key) {
  LineRef ref;
  std::string bad;
  if (!DecodeLineHead(line, settings, ref, bad)) return false;
  return ref.Vol == key.Vol && ref.Sutra == key.Sutra && ref.Page == key.Page && ref.Field == key.Field &&
         ref.Line == key.Line;
}

std::string MakeLineHead(const TextEditor& editor, const Settings& settings, const LineRef& key,
                         int templateLine) {
  std::string head;
  if (templateLine >= 0 && templateLine < editor.LineCount()) {
    const std::string line = editor.LineBytes(templateLine);
    if (HoldsLineHead(line, settings)) head = HeadOf(line, settings);
  }
  for (int i = 0; head.empty() && i < std::min(kTemplateLines, editor.LineCount()); ++i) {
    const std::string line = editor.LineBytes(i);
    if (HoldsLineHead(line, settings)) head = HeadOf(line, settings);
  }
  if (head.empty()) head = "T00n0000_p0000a00";  // the shape of the canon's heads
  WriteNumber(head, settings.VolStart, settings.VolLength, key.Vol);
  WriteNumber(head, settings.SutraStart, settings.SutraLength, key.Sutra);
  WriteNumber(head, settings.PageStart, settings.PageLength, key.Page);
  if (settings.FieldStart >= 1 && settings.FieldLength > 0) {
    const auto at = static_cast<std::size_t>(settings.FieldStart - 1);
    if (head.size() <= at) head.resize(at + 1, ' ');
    head[at] = static_cast<char>('a' + key.Field);
  }
  WriteNumber(head, settings.LineStart, settings.LineLength, static_cast<long long>(key.Line) + 1);
  return head;
}

int FindHeadedLine(const TextEditor& editor, const Settings& settings, const LineRef& key, int nearLine) {
  const int count = editor.LineCount();
  nearLine = std::clamp(nearLine, 0, std::max(0, count - 1));
  for (int d = 0; d <= kNearLines; ++d) {
    const int below = nearLine + d;
    const int above = nearLine - d;
    if (below >= count && above < 0) break;
    if (below < count && LineHeadNames(editor.LineBytes(below), settings, key)) return below;
    if (d > 0 && above >= 0 && LineHeadNames(editor.LineBytes(above), settings, key)) return above;
  }
  // A text whose heads run in order (as the canon's do) is bisected.
  if (const int line = BisectHeads(editor, settings, key); line >= 0) return line;
  // The whole text: the editor's search for the part of the head that names
  // page, register and line, checked at the start of each line it turns up in.
  const std::string head = MakeLineHead(editor, settings, key, nearLine);
  const int from = std::min({settings.PageStart, settings.FieldStart, settings.LineStart});
  const int to =
      std::max({settings.PageStart + settings.PageLength, settings.FieldStart + settings.FieldLength,
                settings.LineStart + settings.LineLength});
  if (from < 1 || to <= from || static_cast<std::size_t>(to - 1) > head.size()) {
    for (int line = 0; line < count; ++line) {
      if (LineHeadNames(editor.LineBytes(line), settings, key)) return line;
    }
    return -1;
  }
  const std::string part =
      head.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from));
  const int end = editor.TextLength();
  for (int at = editor.Find(part, 0, end, FindOptions{true, false}); at >= 0;
       at = editor.Find(part, at + 1, end, FindOptions{true, false})) {
    const int line = editor.LineFromPos(at);
    if (at - editor.LineStart(line) != from - 1) continue;
    if (LineHeadNames(editor.LineBytes(line), settings, key)) return line;
  }
  return -1;
}

CharacterColumn ColumnOfCharacter(std::string_view line, int charIndex, const Settings& settings) {
  Settings uncapped = settings;
  uncapped.MaxLineWord = 0;
  const int size = static_cast<int>(line.size());
  std::vector<std::string> warnings;
  int found = -1;
  for (int column = TextStart(line, settings); column <= size;) {
    warnings.clear();
    const int count = CountCharsBeforeCursor(line, column, uncapped, warnings);
    if (warnings.empty() && count >= charIndex) {
      found = column;
      break;
    }
    if (column == size) break;
    column += std::max(1, Big5CharLength(line, static_cast<std::size_t>(column)));
  }
  if (found < 0) return {size, false};
  // Full stops and tags take no room: the character is what follows them.
  for (;;) {
    const std::string_view rest = line.substr(static_cast<std::size_t>(found));
    if (rest.starts_with(kFullStop)) {
      found += 2;
    } else if (rest.starts_with("<") && Big5Pos(">", rest) > 0) {
      found += Big5Pos(">", rest);
    } else {
      break;
    }
  }
  return {found, found < size};
}

TextTarget FindTextOfCharacter(const TextEditor& editor, const Settings& settings, int volume, int sutra,
                               int page, const CharacterCell& cell) {
  TextTarget target;
  if (cell.Place != PointPlace::Character) {
    target.Message = kNoCharacterThere;
    return target;
  }
  LineRef key;
  key.Vol = volume;
  key.Sutra = sutra;
  key.Page = page;
  key.Field = cell.Field;
  key.Line = cell.Line;
  const int cursorLine = editor.LineFromPos(editor.SelStart());
  const int line = FindHeadedLine(editor, settings, key, cursorLine);
  if (line < 0) {
    target.LineHead = Big5ToUtf8(MakeLineHead(editor, settings, key, cursorLine));
    target.Message = NoSuchLineMessage(target.LineHead);
    return target;
  }
  const std::string bytes = editor.LineBytes(line);
  target.LineHead = Big5ToUtf8(HeadOf(bytes, settings));
  const CharacterColumn column = ColumnOfCharacter(bytes, cell.Char, settings);
  target.Found = true;
  target.Line = line;
  target.Exact = column.Exact;
  target.Pos = editor.LineStart(line) + column.Column;
  return target;
}

}  // namespace zorvel
