#include "core/settings/ini_file.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "core/settings/atomic_file.h"

namespace zorvel {

namespace {

// The profile functions hand back at most this many bytes of a value.
constexpr std::size_t kMaxValueLength = 2047;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char FoldAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

constexpr std::string_view kNewLine = "\r\n";

enum class LineKind { Blank, Comment, Section, Key, Other };

struct Line {
  std::string Text;    // without its ending
  std::string Ending;  // "\r\n", "\n", or "" for a last line without one

  LineKind Kind() const {
    std::string_view t = Trim(Text);
    if (t.empty()) return LineKind::Blank;
    if (t.front() == ';') return LineKind::Comment;
    if (t.front() == '[') return LineKind::Section;
    if (t.find('=') != std::string_view::npos) return LineKind::Key;
    return LineKind::Other;
  }
  // For a section line: the name between "[" and "]".
  std::string_view SectionName() const {
    std::string_view t = Trim(Text);
    t.remove_prefix(1);
    std::string_view::size_type close = t.find(']');
    if (close != std::string_view::npos) t = t.substr(0, close);
    return Trim(t);
  }
  // For a key line: the name before the first "=" and the value after it.
  std::string_view KeyName() const { return Trim(std::string_view(Text).substr(0, Text.find('='))); }
  std::string_view Value() const { return Trim(std::string_view(Text).substr(Text.find('=') + 1)); }

  // Replaces the value, keeping the key as written and the blanks after "=".
  void SetValue(std::string_view value) {
    std::string::size_type start = Text.find('=') + 1;
    while (start < Text.size() && IsBlank(Text[start])) ++start;
    Text.resize(start);
    Text.append(value);
  }
};

// The file as lines, each with its own ending.
class IniDocument {
 public:
  explicit IniDocument(std::string_view bytes) {
    while (!bytes.empty()) {
      std::string_view::size_type lf = bytes.find('\n');
      Line line;
      if (lf == std::string_view::npos) {
        line.Text = std::string(bytes);
        bytes = {};
      } else {
        std::string_view::size_type end = lf;
        if (end > 0 && bytes[end - 1] == '\r') --end;
        line.Text = std::string(bytes.substr(0, end));
        line.Ending = std::string(bytes.substr(end, lf + 1 - end));
        bytes.remove_prefix(lf + 1);
      }
      lines_.push_back(std::move(line));
    }
  }

  std::vector<std::string> SectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
      if (line.Kind() == LineKind::Section) names.emplace_back(line.SectionName());
    }
    return names;
  }

  std::string Bytes() const {
    std::string out;
    for (const Line& line : lines_) {
      out += line.Text;
      out += line.Ending;
    }
    return out;
  }

  // The value of the first key of that name in the first section of that name.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const {
    std::optional<std::size_t> header = FindSection(section);
    if (!header) return std::nullopt;
    std::size_t end = SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
      if (lines_[i].Kind() == LineKind::Key && SameName(lines_[i].KeyName(), key)) return lines_[i].Value();
    }
    return std::nullopt;
  }

  void Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string keyLine = std::string(key) + "=" + std::string(value);
    std::optional<std::size_t> header = FindSection(section);
    if (!header) {
      Append("[" + std::string(section) + "]");
      Append(std::move(keyLine));
      return;
    }
    std::size_t end = SectionEnd(*header);
    std::size_t insertAfter = *header;
    for (std::size_t i = *header + 1; i < end; ++i) {
      if (lines_[i].Kind() != LineKind::Key) continue;
      if (SameName(lines_[i].KeyName(), key)) {
        lines_[i].SetValue(value);
        return;
      }
      insertAfter = i;
    }
    // A new key goes after the section's last key, so that blank lines and
    // comments before the next section stay where they are.
    if (lines_[insertAfter].Ending.empty()) lines_[insertAfter].Ending = kNewLine;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAfter) + 1,
                  Line{std::move(keyLine), std::string(kNewLine)});
  }

 private:
  std::optional<std::size_t> FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      if (lines_[i].Kind() == LineKind::Section && SameName(lines_[i].SectionName(), section)) return i;
    }
    return std::nullopt;
  }

  std::size_t SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].Kind() != LineKind::Section) ++i;
    return i;
  }

  void Append(std::string text) {
    if (!lines_.empty() && lines_.back().Ending.empty()) lines_.back().Ending = kNewLine;
    lines_.push_back(Line{std::move(text), std::string(kNewLine)});
  }

  std::vector<Line> lines_;
};

bool HasSurroundingBlanks(std::string_view s) {
  return !s.empty() && (IsBlank(s.front()) || IsBlank(s.back()));
}

bool HoldsLineBreakOrNul(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos;
}

bool IsWritableEntry(std::string_view section, std::string_view key, std::string_view value) {
  if (section.empty() || section.find(']') != section.npos || HasSurroundingBlanks(section)) return false;
  if (key.empty() || key.front() == '[' || key.front() == ';' || key.find('=') != key.npos ||
      HasSurroundingBlanks(key)) {
    return false;
  }
  return !HoldsLineBreakOrNul(section) && !HoldsLineBreakOrNul(key) && !HoldsLineBreakOrNul(value);
}

// One to eight significant hex digits, read as the bits of a 32-bit integer.
bool ParseHex(std::string_view digits, int& value) {
  if (digits.empty()) return false;
  std::uint64_t v = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      d = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      d = c - 'A' + 10;
    } else {
      return false;
    }
    v = v * 16 + static_cast<std::uint64_t>(d);
    if (v > 0xFFFFFFFFu) return false;
  }
  value = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  return true;
}

}  // namespace

bool ParseProfileInt(std::string_view text, int& value) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    return ParseHex(text.substr(2), value);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (!text.empty() && text.front() == '$') {
    int hex;
    if (!ParseHex(text.substr(1), hex)) return false;
    value = negative ? static_cast<int>(0u - static_cast<std::uint32_t>(hex)) : hex;
    return true;
  }
  if (text.empty()) return false;
  std::int64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return false;
  value = static_cast<int>(v);
  return true;
}

IniFile::IniFile(std::string path, Reader reader) : path_(std::move(path)), reader_(reader) {}

ReadResult IniFile::Read(std::string& bytes) const {
  if (reader_) return reader_(path_, bytes);
  return ReadWholeFile(path_, bytes);
}

bool IniFile::IsWritable() const {
  std::string bytes;
  return Read(bytes) != ReadResult::Failed && IsWritableTarget(path_);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
  std::string bytes;
  std::optional<IniDocument> document;
  std::string_view result = defaultValue;
  if (Read(bytes) == ReadResult::Ok) {
    document.emplace(bytes);
    if (std::optional<std::string_view> found = document->Find(section, key)) result = *found;
  }
  return std::string(result.substr(0, kMaxValueLength));
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  return ReadInteger(section, key).value_or(defaultValue);
}

std::optional<int> IniFile::ReadInteger(std::string_view section, std::string_view key) const {
  int value = 0;
  if (!ParseProfileInt(ReadString(section, key, ""), value)) return std::nullopt;
  return value;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
  std::string bytes;
  if (Read(bytes) != ReadResult::Ok) return false;
  return IniDocument(bytes).Find(section, key).has_value();
}

std::vector<std::string> IniFile::SectionNames() const {
  std::string bytes;
  if (Read(bytes) != ReadResult::Ok) return {};
  return IniDocument(bytes).SectionNames();
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  return WriteStrings({IniEntry{std::string(section), std::string(key), std::string(value)}});
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

bool IniFile::WriteStrings(const std::vector<IniEntry>& entries) {
  for (const IniEntry& entry : entries) {
    if (!IsWritableEntry(entry.Section, entry.Key, entry.Value)) return false;
  }
  std::string bytes;
  // A file that exists but cannot be read is never replaced: its other lines
  // would be lost.
  if (Read(bytes) == ReadResult::Failed) return false;
  IniDocument document(bytes);
  for (const IniEntry& entry : entries) document.Set(entry.Section, entry.Key, entry.Value);
  return WriteFileAtomically(path_, document.Bytes());
}

}  // namespace zorvel
