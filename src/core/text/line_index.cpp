#include "core/text/line_index.h"

#include <algorithm>

namespace zorvel {

std::vector<LineInfo> SplitLines(std::string_view bytes, bool lastLineOpen) {
  std::vector<LineInfo> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  const std::size_t n = bytes.size();
  while (i < n) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    LineInfo line{static_cast<int>(i - start), LineEnd::Lf};
    if (c == '\r') {
      if (i + 1 < n && bytes[i + 1] == '\n') {
        line.End = LineEnd::CrLf;
        ++i;
      } else {
        line.End = LineEnd::Cr;
      }
    }
    lines.push_back(line);
    ++i;
    start = i;
  }
  if (lastLineOpen || start < n) lines.push_back(LineInfo{static_cast<int>(n - start), LineEnd::None});
  return lines;
}

void LineIndex::Reset(std::vector<LineInfo> lines) {
  if (lines.empty()) lines.push_back(LineInfo{});
  lines_ = std::move(lines);
  stale_ = true;
}

void LineIndex::Build() const {
  const std::size_t n = lines_.size();
  tree_.assign(n + 1, 0);
  for (std::size_t i = 1; i <= n; ++i) {
    tree_[i] += lines_[i - 1].Length + LineEndLength(lines_[i - 1].End);
    const std::size_t parent = i + (i & (~i + 1));
    if (parent <= n) tree_[parent] += tree_[i];
  }
  stale_ = false;
}

void LineIndex::Add(int line, int delta) const {
  if (stale_ || delta == 0) return;
  for (std::size_t i = static_cast<std::size_t>(line) + 1; i < tree_.size(); i += i & (~i + 1))
    tree_[i] += delta;
}

int LineIndex::LineStart(int line) const {
  if (stale_) Build();
  line = std::clamp(line, 0, LineCount());
  int sum = 0;
  for (std::size_t i = static_cast<std::size_t>(line); i > 0; i -= i & (~i + 1)) sum += tree_[i];
  return sum;
}

int LineIndex::TextLength() const {
  return LineStart(LineCount());
}

int LineIndex::LineFromPos(int pos) const {
  if (stale_) Build();
  if (pos <= 0) return 0;
  // The number of whole lines that end at or before pos.
  std::size_t index = 0;
  std::size_t step = 1;
  while (step * 2 < tree_.size()) step *= 2;
  int remaining = pos;
  for (; step > 0; step /= 2) {
    const std::size_t next = index + step;
    if (next < tree_.size() && tree_[next] <= remaining) {
      index = next;
      remaining -= tree_[next];
    }
  }
  return std::min(static_cast<int>(index), LineCount() - 1);
}

void LineIndex::Replace(int first, int count, const std::vector<LineInfo>& lines) {
  const auto begin = lines_.begin() + first;
  if (count == static_cast<int>(lines.size())) {
    for (int k = 0; k < count; ++k) SetLine(first + k, lines[static_cast<std::size_t>(k)]);
    return;
  }
  lines_.erase(begin, begin + count);
  lines_.insert(lines_.begin() + first, lines.begin(), lines.end());
  if (lines_.empty()) lines_.push_back(LineInfo{});
  stale_ = true;
}

void LineIndex::SetLine(int line, LineInfo info) {
  LineInfo& old = lines_[static_cast<std::size_t>(line)];
  const int delta = info.Length + LineEndLength(info.End) - old.Length - LineEndLength(old.End);
  old = info;
  Add(line, delta);
}

}  // namespace zorvel
