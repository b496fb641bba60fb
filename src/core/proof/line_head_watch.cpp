#include "core/proof/line_head_watch.h"

#include <algorithm>

#include "core/proof/line_head.h"
#include "core/proof/line_ref.h"
#include "core/settings/settings.h"
#include "core/text/text_editor.h"

namespace zorvel {

std::string_view LineHeadEditNote(LineHeadEdit edit) {
  switch (edit) {
    case LineHeadEdit::None:
      return {};
    case LineHeadEdit::Split:
      return kLineSplitNote;
    case LineHeadEdit::Join:
      return kLineJoinNote;
  }
  return {};
}

bool HoldsLineHead(std::string_view line, const Settings& settings) {
  if (settings.LineHeadLength <= 0 || line.size() < static_cast<std::size_t>(settings.LineHeadLength)) {
    return false;
  }
  LineRef ref;
  std::string bad;
  return DecodeLineHead(line, settings, ref, bad);
}

LineHeadEdit CompareLineHeads(const std::vector<std::string>& before, const std::vector<std::string>& after,
                              const Settings& settings) {
  auto holds = [&settings](const std::string& line) { return HoldsLineHead(line, settings); };
  if (std::none_of(before.begin(), before.end(), holds)) return LineHeadEdit::None;

  // The lines the edit changed: what is left once equal lines at both ends are set aside.
  std::size_t head = 0;
  while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
  std::size_t tail = 0;
  while (tail < before.size() - head && tail < after.size() - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
    ++tail;
  }
  const auto b0 = before.begin() + static_cast<std::ptrdiff_t>(head);
  const auto b1 = before.end() - static_cast<std::ptrdiff_t>(tail);
  const auto a0 = after.begin() + static_cast<std::ptrdiff_t>(head);
  const auto a1 = after.end() - static_cast<std::ptrdiff_t>(tail);
  const auto changedBefore = b1 - b0;
  const auto changedAfter = a1 - a0;
  // An edit inside one line that keeps it one line (typing over the head
  // itself included) neither splits nor joins.
  if (changedBefore == changedAfter && changedBefore <= 1) return LineHeadEdit::None;

  const auto headsBefore = std::count_if(b0, b1, holds);
  const auto headsAfter = std::count_if(a0, a1, holds);
  const auto bareBefore = changedBefore - headsBefore;
  const auto bareAfter = changedAfter - headsAfter;
  if (bareAfter > bareBefore && changedAfter >= changedBefore) return LineHeadEdit::Split;
  if (headsAfter < headsBefore) return LineHeadEdit::Join;
  return LineHeadEdit::None;
}

LineHeadWatch::LineHeadWatch(const TextEditor& editor, const Settings& settings)
    : editor_(editor), settings_(settings) {
  const int count = editor.LineCount();
  const int start = editor.SelStart();
  first_ = std::max(editor.LineFromPos(start) - 1, 0);
  const int last = std::min(editor.LineFromPos(start + editor.SelLength()) + 1, count - 1);
  linesAfter_ = count - 1 - last;
  for (int line = first_; line <= last; ++line) before_.push_back(editor.LineBytes(line));
}

LineHeadEdit LineHeadWatch::Check() const {
  const int last = editor_.LineCount() - 1 - linesAfter_;
  std::vector<std::string> after;
  for (int line = first_; line <= last; ++line) after.push_back(editor_.LineBytes(line));
  return CompareLineHeads(before_, after, settings_);
}

}  // namespace zorvel
