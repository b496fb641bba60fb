#include "core/proof/line_head.h"

#include <algorithm>

#include "core/settings/ini_file.h"
#include "core/settings/settings.h"
#include "core/text/big5.h"

namespace zorvel {

namespace {

constexpr std::string_view kFullStop = "\xA1\x43";  // 。

// Wrapping arithmetic: the counts follow 32-bit integers whatever the settings hold.
int Add(int a, long long b) {
  return static_cast<int>(static_cast<unsigned>(a) + static_cast<unsigned>(b));
}

bool ReadField(std::string_view line, int start, int length, int& value, std::string& badFieldText) {
  std::string_view text = CopyBytes(line, start, length);
  int parsed = 0;
  if (!ParseProfileInt(text, parsed)) {
    badFieldText.assign(text);
    return false;
  }
  value = parsed;
  return true;
}

// 1-based position of needle in s at or after the 1-based position from, Big5
// aware; 0 when there is none. from must stand on a character boundary.
int FindFrom(std::string_view needle, const std::string& s, int from) {
  int at = Big5Pos(needle, std::string_view(s).substr(static_cast<std::size_t>(from - 1)));
  return at == 0 ? 0 : at + from - 1;
}

}  // namespace

std::string NotAnIntegerMessage(std::string_view big5FieldText) {
  return "'" + Big5ToUtf8(big5FieldText) + "' is not a valid integer value";
}

std::string LineHeadErrorMessage(int line, std::string_view lineText, const Settings& settings,
                                 std::string_view big5FieldText) {
  // The head as the settings measure it, but never more than a screen line's
  // worth, and without half a character at its end.
  constexpr int kMaxShown = 64;
  int length = settings.LineHeadLength > 0 ? std::min(settings.LineHeadLength, kMaxShown) : kMaxShown;
  const std::size_t limit = std::min(lineText.size(), static_cast<std::size_t>(length));
  std::size_t whole = 0;
  while (whole < limit) {
    const int step = Big5CharLength(lineText, whole);
    if (step <= 0 || whole + static_cast<std::size_t>(step) > limit) break;
    whole += static_cast<std::size_t>(step);
  }
  const std::string_view head = lineText.substr(0, whole);
  return "錯誤 : 第 " + std::to_string(line + 1) + " 行的行首 \"" + Big5ToUtf8(head) +
         "\" 無法解讀 : " + NotAnIntegerMessage(big5FieldText);
}

std::string_view CopyBytes(std::string_view s, int start, int count) {
  long long from = start < 1 ? 0 : static_cast<long long>(start) - 1;
  if (count <= 0 || from >= static_cast<long long>(s.size())) return {};
  return s.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(count));
}

bool DecodeLineHead(std::string_view line, const Settings& settings, LineRef& ref,
                    std::string& badFieldText) {
  if (!ReadField(line, settings.VolStart, settings.VolLength, ref.Vol, badFieldText)) return false;
  if (!ReadField(line, settings.SutraStart, settings.SutraLength, ref.Sutra, badFieldText)) return false;
  if (!ReadField(line, settings.PageStart, settings.PageLength, ref.Page, badFieldText)) return false;
  std::string_view field = CopyBytes(line, settings.FieldStart, settings.FieldLength);
  unsigned char letter = field.empty() ? 0 : static_cast<unsigned char>(field[0]);
  if (letter >= 'A' && letter <= 'Z') letter = static_cast<unsigned char>(letter - 'A' + 'a');
  ref.Field = static_cast<int>(letter) - 'a';
  int line1 = 0;
  if (!ReadField(line, settings.LineStart, settings.LineLength, line1, badFieldText)) return false;
  ref.Line = Add(line1, -1);
  return true;
}

int CountCharsBeforeCursor(std::string_view line, int column, const Settings& settings,
                           std::vector<std::string>& warnings) {
  int n = Add(column, -static_cast<long long>(settings.LineHeadLength));
  // The bytes between the head and the cursor. A byte that has been counted for
  // is overwritten with "0" so that no later search finds it again.
  std::string s(n > 0 ? CopyBytes(line, Add(settings.LineHeadLength, 1), n) : std::string_view());

  // Full stops take no room on the printed line. Overwriting the lead byte leaves
  // two single bytes, so searching on from there keeps to character boundaries.
  for (int at = FindFrom(kFullStop, s, 1); at != 0; at = FindFrom(kFullStop, s, at + 1)) {
    n = Add(n, -2);
    s[at - 1] = '0';
  }

  // "[..]" groups: one character, or the bytes between "[" and ">" when a ">" is
  // inside.
  for (;;) {
    int i = Big5Pos("[", s);
    if (i == 0) break;
    int j = Big5Pos("]", s);
    if (j == 0) {
      warnings.emplace_back(kUnpairedSquareBracket);
      break;
    }
    if (j < i) {
      warnings.emplace_back(kStrayRightSquareBracket);
      s[j - 1] = '0';
      continue;
    }
    std::string_view group = std::string_view(s).substr(i - 1, j - i);
    int k = Big5Pos(">", group);
    n = Add(n, -static_cast<long long>(j - i + 1));
    if (k > 0) {
      n = Add(n, k - 2);
      s[i + k - 2] = '0';
    } else {
      n = Add(n, 2);
    }
    s[i - 1] = '0';
    s[j - 1] = '0';
  }

  // "<..>" tags count nothing.
  for (;;) {
    int i = Big5Pos("<", s);
    if (i == 0) break;
    int j = Big5Pos(">", s);
    if (j == 0) {
      warnings.emplace_back(kUnpairedAngleBracket);
      break;
    }
    if (j < i) {
      warnings.emplace_back(kStrayGreaterThan);
      s[j - 1] = '0';
      continue;
    }
    n = Add(n, -static_cast<long long>(j - i + 1));
    s[i - 1] = '0';
    s[j - 1] = '0';
  }

  int charIndex = n >> 1;  // halves toward minus infinity
  if (settings.MaxLineWord != 0 && charIndex > settings.MaxLineWord) charIndex = settings.MaxLineWord;
  return charIndex;
}

}  // namespace zorvel
