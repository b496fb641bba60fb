#include "core/proof/go_to_line_head.h"

#include <algorithm>

#include "core/proof/line_head.h"
#include "core/proof/text_position.h"
#include "core/settings/ini_file.h"
#include "core/settings/settings.h"
#include "core/text/big5.h"
#include "core/text/text_editor.h"

namespace zorvel {

namespace {

// Lines above the cursor looked at for a head to take volume and text from.
constexpr int kHeadSearchLines = 100;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string Unreadable(std::string_view input) {
  return "錯誤 : 看不懂行首 \"" + std::string(input) +
         "\", 請輸入如 T01n0001_p0003b19, p0003b19, 0003b19 或 3b19 的行首.";
}

std::string TooManyDigits(std::string_view what, int length) {
  return "錯誤 : " + std::string(what) + "最多 " + std::to_string(length) + " 位數.";
}

// Digits to a number; false past nine digits.
bool Number(std::string_view digits, int& value) {
  if (digits.empty() || digits.size() > 9) return false;
  value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return true;
}

// "p0003b19", "0003b19", "3b19": page digits, a register letter, line digits.
bool ReadShortForm(std::string_view s, const Settings& settings, const LineRef* current, LineHeadInput& out) {
  std::string_view rest = s;
  if (!rest.empty() && (rest.front() == 'p' || rest.front() == 'P')) rest.remove_prefix(1);
  std::size_t i = 0;
  while (i < rest.size() && IsDigit(rest[i])) ++i;
  const std::string_view page = rest.substr(0, i);
  if (page.empty() || i >= rest.size() || !IsLetter(rest[i])) return false;
  const char letter = rest[i];
  const std::string_view line = rest.substr(i + 1);
  if (line.empty() || !std::all_of(line.begin(), line.end(), IsDigit)) return false;

  if (settings.PageLength > 0 && page.size() > static_cast<std::size_t>(settings.PageLength)) {
    out.Message = TooManyDigits("頁數", settings.PageLength);
  } else if (settings.LineLength > 0 && line.size() > static_cast<std::size_t>(settings.LineLength)) {
    out.Message = TooManyDigits("行數", settings.LineLength);
  } else if (current == nullptr) {
    out.Message = kNoLineHeadAtCursor;
  } else {
    int pageNumber = 0;
    int lineNumber = 0;
    if (!Number(page, pageNumber) || !Number(line, lineNumber)) {
      out.Message = Unreadable(s);
    } else if (lineNumber < 1) {
      out.Message = kLineNumberFromOne;
    } else {
      out.Ok = true;
      out.Key.Vol = current->Vol;
      out.Key.Sutra = current->Sutra;
      out.Key.Page = pageNumber;
      out.Key.Field = (letter | 0x20) - 'a';
      out.Key.Line = lineNumber - 1;
    }
  }
  return true;
}

}  // namespace

LineHeadInput ReadLineHeadInput(std::string_view input, const Settings& settings, const LineRef* current) {
  LineHeadInput out;
  const std::string_view s = Trim(input);
  if (s.empty()) {
    out.Message = kEmptyLineHeadInput;
    return out;
  }
  if (ReadShortForm(s, settings, current, out)) return out;

  // A whole head: every field where the settings put it, the register a letter.
  const std::string big5 = Utf8ToBig5(s);
  const int end =
      std::max({settings.VolStart + settings.VolLength, settings.SutraStart + settings.SutraLength,
                settings.PageStart + settings.PageLength, settings.FieldStart + settings.FieldLength,
                settings.LineStart + settings.LineLength}) -
      1;
  const std::string_view field = CopyBytes(big5, settings.FieldStart, settings.FieldLength);
  if (static_cast<int>(big5.size()) < end || field.empty() || !IsLetter(field[0])) {
    out.Message = Unreadable(s);
    return out;
  }
  std::string bad;
  if (!DecodeLineHead(big5, settings, out.Key, bad)) {
    out.Message = "錯誤 : 行首 \"" + std::string(s) + "\" 中的 \"" + Big5ToUtf8(bad) + "\" 不是數字.";
    return out;
  }
  if (out.Key.Line < 0) {
    out.Message = kLineNumberFromOne;
    return out;
  }
  out.Ok = true;
  return out;
}

LineHeadJump FindLineHead(const TextEditor& editor, const Settings& settings, std::string_view input) {
  LineHeadJump jump;
  const int cursorLine = editor.LineFromPos(editor.SelStart());
  LineRef current;
  bool haveCurrent = false;
  for (int line = cursorLine; line >= 0 && line > cursorLine - kHeadSearchLines && !haveCurrent; --line) {
    std::string bad;
    haveCurrent = DecodeLineHead(editor.LineBytes(line), settings, current, bad);
  }
  const LineHeadInput read = ReadLineHeadInput(input, settings, haveCurrent ? &current : nullptr);
  if (!read.Ok) {
    jump.Message = read.Message;
    return jump;
  }
  jump.Key = read.Key;
  const int line = FindHeadedLine(editor, settings, read.Key, cursorLine);
  if (line < 0) {
    jump.Message = NoSuchLineMessage(Big5ToUtf8(MakeLineHead(editor, settings, read.Key, cursorLine)));
    return jump;
  }
  const std::string bytes = editor.LineBytes(line);
  jump.Found = true;
  jump.Line = line;
  jump.Pos = editor.LineStart(line) + std::clamp(settings.LineHeadLength, 0, static_cast<int>(bytes.size()));
  return jump;
}

}  // namespace zorvel
