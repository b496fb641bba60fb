#pragma once
// The texts the operator worked on, kept in section "Recent" of zorvel.ini:
// the last text and the cursor's byte offset in it, so that the next start
// reopens it there, and the last eight texts for the menu 檔案 → 最近開啟.
//
//   [Recent]
//   LastText=/home/op/T01n0001.txt
//   LastPosition=12345
//   File1=/home/op/T01n0001.txt      (most recent first, File1 to File8)
//
// Paths are the system's bytes. Reading is lenient and quiet: a position that
// is no number (or is negative) reads as 0, an empty entry or a repeated one is
// skipped, and entries past the eighth are ignored. A text that no longer exists
// stays on the list (it may be on a disk that is not mounted now) until the
// operator chooses it and it is not found (ForgetGoneRecentText).

#include <string>
#include <string_view>
#include <vector>

namespace zorvel {

class IniFile;
struct IniEntry;

inline constexpr std::string_view kRecentSection = "Recent";
inline constexpr int kRecentTextCount = 8;

struct RecentTexts {
  std::string LastText;            // empty: no text to reopen
  int LastPosition = 0;            // byte offset of the cursor in LastText
  std::vector<std::string> Files;  // most recent first, at most kRecentTextCount, no repeats
  friend bool operator==(const RecentTexts&, const RecentTexts&) = default;
};

RecentTexts ReadRecentTexts(const IniFile& ini);

// The whole section, for WriteSettingsFile (emptying the entries a longer list
// left). A path the file cannot hold (a line break in it) is left out.
void AppendIniEntries(std::vector<IniEntry>& entries, const RecentTexts& recent);
// Writes the section alone (WriteSettingsFile); false when it did not reach
// the file.
bool WriteRecentTexts(IniFile& ini, const RecentTexts& recent);

// A text opened or saved under path: it goes to the top of the list (from
// wherever it was), and the list keeps the eight most recent.
void NoteRecentText(RecentTexts& recent, std::string_view path);

// A text chosen from the list that the open looked for (the question about
// unsaved work did not stop it) and did not open: when no file is at path it
// leaves the list; one that is there (unreadable, or declined) stays. True
// when the list changed.
bool ForgetGoneRecentText(RecentTexts& recent, std::string_view path);

// The caption of item number (from 1) of 最近開啟: "&N path", every "&" of the
// path doubled so that it shows as it is and only the number is the item's key.
std::string RecentMenuCaption(int number, std::string_view path);

// Where the operator left off: the text and the cursor's byte offset in it.
void NoteLastPosition(RecentTexts& recent, std::string_view path, int position);

}  // namespace zorvel
