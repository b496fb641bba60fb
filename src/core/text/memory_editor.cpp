#include "core/text/memory_editor.h"

#include <algorithm>

#include "core/text/big5.h"
#include "core/text/editor_bytes.h"
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
  const int contentEnd = start + index_.Line(line).Length;
  if (pos > contentEnd) return contentEnd;  // inside a CR LF
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
  selStart_ = FloorToChar(pos);
  selLength_ = 0;
  ScrollIntoView();
}

void MemoryEditor::SetSelLength(int length) {
  const int end = CeilToChar(selStart_ + std::max(length, 0));
  selLength_ = end - selStart_;
  ScrollIntoView();
}

std::string MemoryEditor::SelectedBytes() const {
  return text_.substr(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
}

void MemoryEditor::Splice(int pos, int length, std::string_view bytes) {
  const int end = pos + length;
  // The lines the edit touches; one more in front when that line ends in a lone
  // CR, which an LF at the start of the new bytes would join.
  int first = index_.LineFromPos(pos);
  if (first > 0 && pos == index_.LineStart(first) && index_.Line(first - 1).End == LineEnd::Cr) --first;
  const int last = index_.LineFromPos(end);
  const int spanStart = index_.LineStart(first);
  const int spanEnd = index_.LineStart(last + 1);
  text_.replace(static_cast<std::size_t>(pos), static_cast<std::size_t>(length), bytes);
  const int newSpanEnd = spanEnd - length + static_cast<int>(bytes.size());
  const bool lastLineOpen = last == index_.LineCount() - 1;
  const std::string_view span(text_.data() + spanStart, static_cast<std::size_t>(newSpanEnd - spanStart));
  std::vector<LineInfo> lines = SplitLines(span, lastLineOpen);
  if (lines.empty()) lines.push_back(LineInfo{});
  index_.Replace(first, last - first + 1, lines);
}

void MemoryEditor::ReplaceSelection(std::string_view bytes) {
  if (readOnly_) return;
  Edit edit;
  edit.Pos = selStart_;
  edit.Removed = SelectedBytes();
  edit.Inserted = std::string(bytes);
  edit.SelStart = selStart_;
  edit.SelLength = selLength_;
  if (edit.Removed.empty() && edit.Inserted.empty()) return;
  Splice(selStart_, selLength_, bytes);
  if (cleanDepth_ > static_cast<int>(undo_.size())) cleanDepth_ = -1;
  undo_.push_back(std::move(edit));
  modified_ = true;
  selStart_ = FloorToChar(undo_.back().Pos + static_cast<int>(bytes.size()));
  selLength_ = 0;
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
  const int maxTop = std::max(0, LineCount() - VisibleLines());
  topLine_ = std::min(topLine_ + 1, maxTop);
}

void MemoryEditor::ScrollIntoView() {
  const int line = index_.LineFromPos(selStart_ + selLength_);
  if (line < topLine_) topLine_ = line;
  if (line >= topLine_ + VisibleLines()) topLine_ = line - VisibleLines() + 1;
}

void MemoryEditor::SetModified(bool modified) {
  modified_ = modified;
  cleanDepth_ = modified ? -1 : static_cast<int>(undo_.size());
}

void MemoryEditor::SetReadOnlyText(std::string_view bytes) {
  SetText(bytes);
  std::vector<LineInfo> lines = SplitLines(text_);
  if (CutLongLines(text_, lines)) index_.Reset(std::move(lines));
  readOnly_ = true;
}

void MemoryEditor::SetText(std::string_view bytes) {
  readOnly_ = false;
  text_.assign(bytes);
  index_.Reset(SplitLines(text_));
  undo_.clear();
  cleanDepth_ = modified_ ? -1 : 0;
  selStart_ = 0;
  selLength_ = 0;
  topLine_ = 0;
  leftColumn_ = 0;
}

void MemoryEditor::Undo() {
  if (undo_.empty() || readOnly_) return;
  Edit edit = std::move(undo_.back());
  undo_.pop_back();
  Splice(edit.Pos, static_cast<int>(edit.Inserted.size()), edit.Removed);
  modified_ = cleanDepth_ != static_cast<int>(undo_.size());
  selStart_ = edit.SelStart;
  selLength_ = edit.SelLength;
  ScrollIntoView();
}

void MemoryEditor::Cut() {
  if (selLength_ == 0 || readOnly_) return;
  Copy();
  ReplaceSelection({});
}

void MemoryEditor::Copy() {
  if (selLength_ == 0) return;
  Clipboard() = SelectedBytes();
}

void MemoryEditor::Paste() {
  if (Clipboard().empty()) return;
  ReplaceSelection(WithCrLfLineBreaks(Clipboard()));
}

void MemoryEditor::SelectAll() {
  selStart_ = 0;
  selLength_ = TextLength();
  ScrollIntoView();
}

}  // namespace zorvel
