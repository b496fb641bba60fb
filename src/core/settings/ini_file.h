#pragma once
// An INI file with the semantics of the Windows profile functions: section and
// key names match regardless of ASCII case, values are bytes (Big5 passes
// through), a read value is at most 2047 bytes, and a write changes only its own
// line (or appends the key to its section, or the section to the file), keeping
// every other line, comment and order as it was. Every write reaches the disk
// atomically: a temporary file in the same folder, flushed, renamed over the old.
//
// The file is read afresh by every call, so edits made outside the program are
// seen. Lines may end in CR LF or LF; a rewritten line keeps its own ending and a
// new line ends in CR LF. Lines before the first section, blank lines and
// comment lines (first non-blank character ";") are kept as they are. Names and
// values are trimmed of surrounding blanks when read; the first section and the
// first key of a name count, as the platform's profile functions do.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/atomic_file.h"

namespace zorvel {

// One value to write, for WriteStrings.
struct IniEntry {
  std::string Section;
  std::string Key;
  std::string Value;
};

class IniFile {
 public:
  // How the file is read: the whole file into bytes (ReadWholeFile). Tests put
  // a reader in place that fails, as a disk error would.
  using Reader = ReadResult (*)(const std::string& path, std::string& bytes);
  explicit IniFile(std::string path, Reader reader = nullptr);

  const std::string& Path() const { return path_; }

  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
  // Integer reading rule of the settings: decimal, "0x"/"0X" hex when longer
  // than two characters, "$" hex; a missing key, empty value or anything else
  // gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  // The same rule, for a value that has no default: nothing when the key is
  // missing, empty or not a number.
  std::optional<int> ReadInteger(std::string_view section, std::string_view key) const;
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // True when the file on disk holds the new value.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  bool WriteInteger(std::string_view section, std::string_view key, int value);
  bool WriteBool(std::string_view section, std::string_view key, bool value);

  // Several writes, in order, applied to the file in one atomic rewrite: either
  // all of them reach the disk or none does. True when they all did.
  bool WriteStrings(const std::vector<IniEntry>& entries);

  // True when a write may replace the file: it can be read (or is missing),
  // and the safe write may write it. A write that then fails failed for
  // another reason.
  bool IsWritable() const;

  // True when the section holds the key (with any value, also an empty one).
  bool HasKey(std::string_view section, std::string_view key) const;
  // The names of the sections the file holds, in file order (empty when the
  // file is missing or unreadable).
  std::vector<std::string> SectionNames() const;

  // A write fails without touching the file when a section name is empty,
  // holds "]" or has surrounding blanks, a key is empty, starts with "[" or ";",
  // holds "=" or has surrounding blanks, or any of them or the value holds a line
  // break or a NUL byte: such a write could not be read back as written, or would
  // break the file's other lines.

 private:
  ReadResult Read(std::string& bytes) const;

  std::string path_;
  Reader reader_;
};

// The integer reading rule on its own, for fields that are not in a file.
// Returns false (and leaves value alone) when text is not a number.
bool ParseProfileInt(std::string_view text, int& value);

}  // namespace zorvel
