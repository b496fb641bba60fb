#pragma once
// An INI file with the semantics of the Windows profile functions: section and
// key names match regardless of ASCII case, values are bytes (Big5 passes
// through), a read value is at most 2047 bytes, and a write changes only its own
// line (or appends the key to its section, or the section to the file), keeping
// every other line, comment and order as it was. Every write reaches the disk
// atomically: a temporary file in the same folder, flushed, renamed over the old.

#include <string>
#include <string_view>

namespace zorvel {

class IniFile {
 public:
  explicit IniFile(std::string path);

  const std::string& Path() const { return path_; }

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Integer reading rule of the settings: decimal, "0x"/"0X" hex when longer
  // than two characters, "$" hex; a missing key, empty value or anything else
  // gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // True when the file on disk holds the new value.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  bool WriteInteger(std::string_view section, std::string_view key, int value);
  bool WriteBool(std::string_view section, std::string_view key, bool value);

 private:
  std::string path_;
};

// The integer reading rule on its own, for fields that are not in a file.
// Returns false (and leaves value alone) when text is not a number.
bool ParseProfileInt(std::string_view text, int& value);

}  // namespace zorvel
