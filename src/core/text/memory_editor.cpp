#include "core/text/memory_editor.h"

#include <algorithm>

#include "core/text/big5.h"
#include "core/text/text_search.h"

namespace zorvel {

MemoryEditor::MemoryEditor(std::string_view bytes, std::shared_ptr<std::string> clipboard)
    : clipboard_(clipboard ? std::move(clipboard) : std::make_shared<std::string>()) {
  SetText(bytes);
}

int MemoryEditor::FloorToChar(int pos) const {
  pos = std::clamp(pos, 0, TextLength());
  const int line = index_.LineFromPos(pos);
  const int start = index_.LineStart(line);
  const int content_end = start + index_.Line(line).Length;
  if (pos > content_end) return content_end;  // inside a CR LF
  int p = start;
  while (p < pos) {
    const int next = p + Big5CharLength(text_, static_cast<std::size_t>(p));
    if (next > pos) return p;
    p = next;
  }
  return p;
}

int MemoryEditor::CeilToChar(int pos) const {
  const int floor = FloorToChar(pos);
  if (floor == std::clamp(pos, 0, TextLength())) return floor;
  const int line = index_.LineFromPos(floor);
  if (floor == index_.LineStart(line) + index_.Line(line).Length) return index_.LineStart(line + 1);
  return floor + Big5CharLength(text_, static_cast<std::size_t>(floor));
}

void MemoryEditor::SetSelStart(int pos) {
  sel_start_ = FloorToChar(pos);
  sel_length_ = 0;
  ScrollIntoView();
}

void MemoryEditor::SetSelLength(int length) {
  const int end = CeilToChar(sel_start_ + std::max(length, 0));
  sel_length_ = end - sel_start_;
  ScrollIntoView();
}

std::string MemoryEditor::SelectedBytes() const {
  return text_.substr(static_cast<std::size_t>(sel_start_), static_cast<std::size_t>(sel_length_));
}

void MemoryEditor::Splice(int pos, int length, std::string_view bytes) {
  const int end = pos + length;
  // The lines the edit touches; one more in front when that line ends in a lone
  // CR, which an LF at the start of the new bytes would join.
  int first = index_.LineFromPos(pos);
  if (first > 0 && pos == index_.LineStart(first) && index_.Line(first - 1).End == LineEnd::Cr) --first;
  const int last = index_.LineFromPos(end);
  const int span_start = index_.LineStart(first);
  const int span_end = index_.LineStart(last + 1);
  text_.replace(static_cast<std::size_t>(pos), static_cast<std::size_t>(length), bytes);
  const int new_span_end = span_end - length + static_cast<int>(bytes.size());
  const bool last_line_open = last == index_.LineCount() - 1;
  const std::string_view span(text_.data() + span_start, static_cast<std::size_t>(new_span_end - span_start));
  std::vector<LineInfo> lines = SplitLines(span, last_line_open);
  if (lines.empty()) lines.push_back(LineInfo{});
  index_.Replace(first, last - first + 1, lines);
}

void MemoryEditor::ReplaceSelection(std::string_view bytes) {
  if (read_only_) return;
  Edit edit;
  edit.Pos = sel_start_;
  edit.Removed = SelectedBytes();
  edit.Inserted = std::string(bytes);
  edit.SelStart = sel_start_;
  edit.SelLength = sel_length_;
  if (edit.Removed.empty() && edit.Inserted.empty()) return;
  Splice(sel_start_, sel_length_, bytes);
  if (clean_depth_ > static_cast<int>(undo_.size())) clean_depth_ = -1;
  undo_.push_back(std::move(edit));
  modified_ = true;
  sel_start_ = FloorToChar(undo_.back().Pos + static_cast<int>(bytes.size()));
  sel_length_ = 0;
  ScrollIntoView();
}

int MemoryEditor::LineStart(int line) const {
  if (line < 0 || line >= index_.LineCount()) return -1;
  return index_.LineStart(line);
}

std::string MemoryEditor::LineBytes(int line) const {
  if (line < 0 || line >= index_.LineCount()) return {};
  return text_.substr(static_cast<std::size_t>(index_.LineStart(line)),
                      static_cast<std::size_t>(index_.Line(line).Length));
}

int MemoryEditor::Find(std::string_view what, int start, int end, FindOptions options) const {
  start = std::clamp(start, 0, TextLength());
  return FindBig5(text_, what, start, end, options, index_.LineStart(index_.LineFromPos(start)));
}

void MemoryEditor::ScrollLineDown() {
  const int max_top = std::max(0, LineCount() - VisibleLines());
  top_line_ = std::min(top_line_ + 1, max_top);
}

void MemoryEditor::ScrollIntoView() {
  const int line = index_.LineFromPos(sel_start_ + sel_length_);
  if (line < top_line_) top_line_ = line;
  if (line >= top_line_ + VisibleLines()) top_line_ = line - VisibleLines() + 1;
}

void MemoryEditor::SetModified(bool modified) {
  modified_ = modified;
  clean_depth_ = modified ? -1 : static_cast<int>(undo_.size());
}

void MemoryEditor::SetReadOnlyText(std::string_view bytes) {
  SetText(bytes);
  read_only_ = true;
}

void MemoryEditor::SetText(std::string_view bytes) {
  read_only_ = false;
  text_.assign(bytes);
  index_.Reset(SplitLines(text_));
  undo_.clear();
  clean_depth_ = modified_ ? -1 : 0;
  sel_start_ = 0;
  sel_length_ = 0;
  top_line_ = 0;
  left_column_ = 0;
}

void MemoryEditor::Undo() {
  if (undo_.empty() || read_only_) return;
  Edit edit = std::move(undo_.back());
  undo_.pop_back();
  Splice(edit.Pos, static_cast<int>(edit.Inserted.size()), edit.Removed);
  modified_ = clean_depth_ != static_cast<int>(undo_.size());
  sel_start_ = edit.SelStart;
  sel_length_ = edit.SelLength;
  ScrollIntoView();
}

void MemoryEditor::Cut() {
  if (sel_length_ == 0 || read_only_) return;
  Copy();
  ReplaceSelection({});
}

void MemoryEditor::Copy() {
  if (sel_length_ == 0) return;
  Clipboard() = SelectedBytes();
}

void MemoryEditor::Paste() {
  const std::string bytes = Clipboard();
  if (bytes.empty()) return;
  ReplaceSelection(bytes);
}

void MemoryEditor::SelectAll() {
  sel_start_ = 0;
  sel_length_ = TextLength();
  ScrollIntoView();
}

}  // namespace zorvel
