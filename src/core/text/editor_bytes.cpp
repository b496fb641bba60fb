#include "core/text/editor_bytes.h"

#include "core/text/big5.h"
#include "core/text/text_document.h"

namespace zorvel {

namespace {

// Every line break (CR LF, a lone CR, a lone LF) written as lineBreak.
std::string WithLineBreaks(std::string_view bytes, std::string_view lineBreak) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      out += lineBreak;
    } else {
      out += bytes[i];
    }
  }
  return out;
}

}  // namespace

bool CutLongLines(std::string_view bytes, std::vector<LineInfo>& lines) {
  constexpr auto kPiece = static_cast<std::size_t>(kReadOnlyPieceLength);
  bool cut = false;
  std::vector<LineInfo> out;
  std::size_t at = 0;
  for (const LineInfo& line : lines) {
    const std::size_t end = at + static_cast<std::size_t>(line.Length);
    if (line.Length <= kMaxEditableLineLength) {
      out.push_back(line);
    } else {
      cut = true;
      const std::string_view content = bytes.substr(0, end);
      std::size_t from = at;
      while (end - from > kPiece) {
        std::size_t to = from;
        for (;;) {
          const auto step = static_cast<std::size_t>(Big5CharLength(content, to));
          if (to + step - from > kPiece) break;
          to += step;
        }
        out.push_back(LineInfo{static_cast<int>(to - from), LineEnd::None});
        from = to;
      }
      out.push_back(LineInfo{static_cast<int>(end - from), line.End});
    }
    at = end + static_cast<std::size_t>(LineEndLength(line.End));
  }
  lines = std::move(out);
  return cut;
}

LineEnd MostCommonLineEnd(const std::vector<LineInfo>& lines) {
  int counts[4] = {0, 0, 0, 0};
  for (const LineInfo& line : lines) ++counts[static_cast<int>(line.End)];
  LineEnd common = LineEnd::CrLf;
  for (LineEnd end : {LineEnd::Cr, LineEnd::Lf}) {
    if (counts[static_cast<int>(end)] > counts[static_cast<int>(common)]) common = end;
  }
  return common;
}

std::string WithCrLfLineBreaks(std::string_view bytes) {
  return WithLineBreaks(bytes, "\r\n");
}

std::string OperatorTextToBig5(std::u16string_view text, int* replaced) {
  // Every break as one LF first, so that the bytes' own LFs are the breaks.
  std::u16string normal;
  normal.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    normal += (c == u'\r' || c == u'\u2028' || c == u'\u2029') ? u'\n' : c;
  }
  const std::string bytes = UnicodeToBig5(normal, replaced);
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    if (ch == '\n') out += '\r';
    out += ch;
  }
  return out;
}

std::u16string Big5ToCopiedText(std::string_view bytes) {
  return Big5ToUnicode(WithLineBreaks(bytes, "\n"));
}

std::string ReplacedCharactersNote(int replaced) {
  return "已將 " + std::to_string(replaced) + " 個 Big5 無法表示的字元改為 \"?\"";
}

}  // namespace zorvel
