#pragma once
// Where the lines of a Big5 document begin, in bytes. A line ends in CR LF, a
// lone CR or a lone LF; the last line has no ending. Lookups take logarithmic
// time, so the editors answer position queries on large texts without walking
// the whole text; edits replace a run of lines.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorvel {

enum class LineEnd : std::uint8_t { None, CrLf, Cr, Lf };

inline int LineEndLength(LineEnd end) {
  return end == LineEnd::CrLf ? 2 : (end == LineEnd::None ? 0 : 1);
}
inline std::string_view LineEndBytes(LineEnd end) {
  switch (end) {
    case LineEnd::CrLf:
      return "\r\n";
    case LineEnd::Cr:
      return "\r";
    case LineEnd::Lf:
      return "\n";
    default:
      return "";
  }
}

struct LineInfo {
  int Length = 0;  // bytes without the line ending
  LineEnd End = LineEnd::None;
  bool operator==(const LineInfo&) const = default;
};

// Cuts bytes into lines. With lastLineOpen the text's final line (after its
// last line break, possibly empty) is part of the result, with no ending; without
// it the bytes are a run of whole lines and a trailing piece with no ending is
// still returned, but nothing after a final line break.
std::vector<LineInfo> SplitLines(std::string_view bytes, bool lastLineOpen = true);

class LineIndex {
 public:
  LineIndex() { Reset({LineInfo{}}); }
  void Reset(std::vector<LineInfo> lines);

  int LineCount() const { return static_cast<int>(lines_.size()); }
  const LineInfo& Line(int line) const { return lines_[static_cast<std::size_t>(line)]; }
  int TextLength() const;
  // Start of line, 0 <= line <= LineCount() (LineCount() gives the text length).
  int LineStart(int line) const;
  // The line that holds pos; a line break belongs to the line it ends. pos is
  // clamped to [0, TextLength()].
  int LineFromPos(int pos) const;

  // Replaces `count` lines from `first` by `lines`.
  void Replace(int first, int count, const std::vector<LineInfo>& lines);
  // Changes one line in place.
  void SetLine(int line, LineInfo info);

 private:
  void Build() const;
  void Add(int line, int delta) const;

  std::vector<LineInfo> lines_;
  // Fenwick tree over the full line lengths, rebuilt lazily after lines come or go.
  mutable std::vector<int> tree_;
  mutable bool stale_ = true;
};

}  // namespace zorvel
