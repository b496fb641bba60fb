#include "core/proof/mark_counter.h"

#include <algorithm>
#include <numeric>

#include "core/text/line_index.h"
#include "core/text/text_editor.h"
#include "core/text/text_search.h"

namespace zorvel {

std::string MarkCountText(const MarkCount& count) {
  return "差異 " + std::to_string(count.After) + " / " + std::to_string(count.Total);
}

std::vector<int> MarkColumns(std::string_view line, std::string_view sign1) {
  std::vector<int> columns;
  const int size = static_cast<int>(line.size());
  // Each search goes on from the last token found, which begins a character.
  int base = 0;
  for (int at = FindBig5(line, sign1, 0, size, FindOptions{}); at >= 0;
       at = FindBig5(line, sign1, at + 1, size, FindOptions{}, base)) {
    columns.push_back(at);
    base = at;
  }
  return columns;
}

void MarkCounter::Reset(const TextEditor& editor, std::string_view sign1) {
  if (sign1.empty()) return Reset(editor, sign1, {});
  Reset(editor, sign1, editor.Text());
}

void MarkCounter::Reset(const TextEditor& editor, std::string_view sign1, std::string_view text) {
  sign_.assign(sign1);
  lines_.assign(static_cast<std::size_t>(editor.LineCount()), 0);
  total_ = 0;
  if (sign_.empty()) return;
  // One pass over the whole text, cut into lines as the editors cut it; an
  // editor that shows a long line in pieces is asked line by line.
  const std::vector<LineInfo> lines = SplitLines(text);
  if (lines.size() != lines_.size()) {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      lines_[i] = static_cast<int>(MarkColumns(editor.LineBytes(static_cast<int>(i)), sign_).size());
      total_ += lines_[i];
    }
    return;
  }
  std::size_t start = 0;
  for (std::size_t i = 0; i < lines.size() && i < lines_.size(); ++i) {
    const std::string_view line = text.substr(start, static_cast<std::size_t>(lines[i].Length));
    lines_[i] = static_cast<int>(MarkColumns(line, sign_).size());
    total_ += lines_[i];
    start += static_cast<std::size_t>(lines[i].Length + LineEndLength(lines[i].End));
  }
}

void MarkCounter::LinesChanged(const TextEditor& editor, int first, int last) {
  const long long oldCount = static_cast<long long>(lines_.size());
  const long long newCount = editor.LineCount();
  const long long added = static_cast<long long>(last) - first + 1;
  const long long removed = added - (newCount - oldCount);
  if (first < 0 || added < 0 || last >= newCount || removed < 0 || first + removed > oldCount) {
    Reset(editor, sign_);
    return;
  }
  const auto from = lines_.begin() + first;
  total_ -= std::accumulate(from, from + static_cast<std::ptrdiff_t>(removed), 0);
  std::vector<int> counts(static_cast<std::size_t>(added), 0);
  if (!sign_.empty()) {
    for (int i = 0; i < added; ++i) {
      counts[static_cast<std::size_t>(i)] =
          static_cast<int>(MarkColumns(editor.LineBytes(first + i), sign_).size());
    }
  }
  total_ += std::accumulate(counts.begin(), counts.end(), 0);
  if (removed == added) {
    std::copy(counts.begin(), counts.end(), from);
  } else {
    lines_.erase(from, from + static_cast<std::ptrdiff_t>(removed));
    lines_.insert(lines_.begin() + first, counts.begin(), counts.end());
  }
}

MarkCount MarkCounter::Count(const TextEditor& editor) const {
  return CountFrom(editor, editor.SelStart());
}

MarkCount MarkCounter::CountFrom(const TextEditor& editor, int pos) const {
  MarkCount count;
  count.Total = total_;
  if (sign_.empty() || lines_.empty()) return count;
  const int line = std::clamp(editor.LineFromPos(pos), 0, static_cast<int>(lines_.size()) - 1);
  const int before = std::accumulate(lines_.begin(), lines_.begin() + line, 0);
  const int column = pos - editor.LineStart(line);
  const std::vector<int> columns = MarkColumns(editor.LineBytes(line), sign_);
  const auto inLine = std::lower_bound(columns.begin(), columns.end(), column) - columns.begin();
  count.After = total_ - before - static_cast<int>(inLine);
  return count;
}

int MarkCounter::PreviousMark(const TextEditor& editor, int pos) const {
  if (sign_.empty() || lines_.empty()) return -1;
  int line = std::clamp(editor.LineFromPos(pos), 0, static_cast<int>(lines_.size()) - 1);
  const int column = pos - editor.LineStart(line);
  const std::vector<int> columns = MarkColumns(editor.LineBytes(line), sign_);
  const auto at = std::lower_bound(columns.begin(), columns.end(), column);
  if (at != columns.begin()) return editor.LineStart(line) + *(at - 1);
  // The nearest line before that holds a token, by the counts.
  while (--line >= 0) {
    if (lines_[static_cast<std::size_t>(line)] > 0) {
      const std::vector<int> found = MarkColumns(editor.LineBytes(line), sign_);
      if (!found.empty()) return editor.LineStart(line) + found.back();
    }
  }
  return -1;
}

}  // namespace zorvel

namespace zorvel {

int FindPreviousMark(const TextEditor& editor, std::string_view sign1, int pos) {
  if (sign1.empty()) return -1;
  pos = std::clamp(pos, 0, editor.TextLength());
  for (int line = editor.LineFromPos(pos); line >= 0; --line) {
    const int start = editor.LineStart(line);
    const std::vector<int> columns = MarkColumns(editor.LineBytes(line), sign1);
    const auto at = std::lower_bound(columns.begin(), columns.end(), pos - start);
    if (at != columns.begin()) return start + *(at - 1);
  }
  return -1;
}

}  // namespace zorvel
