#pragma once
// Bookmarks: named places in proof texts, kept in zorvel.ini in section
// "BookMark" (key "Count") and the numbered sections "BookMark1",
// "BookMark2", ... with the keys "Title", "FileName", "Location" and "Date".
// Values are bytes as the file holds them (Big5). A file name is a Big5 path
// when Big5 can write every character of it; otherwise it is the path's own
// bytes as the file system gives them, and the key "NativeFileName" of the
// entry's section says so with 1.
//
// BookmarkList is the list the bookmark window shows: it is read from the file
// the first time the window shows and written back when the window closes
// after a change.

#include <string>
#include <string_view>
#include <vector>

#include "core/text/unsaved_changes.h"

namespace zorvel {

class IniFile;
class Prompts;
class TextEditor;

inline constexpr std::string_view kBookmarkSection = "BookMark";

inline constexpr std::string_view kNativeFileNameKey = "NativeFileName";

struct Bookmark {
  std::string Title;            // "None" when the key was missing
  std::string FileName;         // path of the proof text: Big5, or the system's bytes
  std::string Location;         // selection start when set, as decimal text
  std::string Date;             // local date and time when set
  bool NativeFileName = false;  // FileName holds the system's bytes, not Big5
  friend bool operator==(const Bookmark&, const Bookmark&) = default;
};

// The entry's FileName for a path given as the system gives it (UTF-8 here):
// Big5 when Big5 writes it without loss, the path's own bytes otherwise.
void SetBookmarkPath(Bookmark& bookmark, std::string_view systemPath);
// The path as the system takes it, whichever way the entry holds it.
std::string BookmarkPath(const Bookmark& bookmark);

// A "Count" beyond the numbered sections the file holds reads as the highest
// entry that exists; a negative one as none.

// Reads "Count" entries; a missing section or key gives the defaults.
std::vector<Bookmark> LoadBookmarks(const IniFile& ini);
// Writes "Count" and one section per entry, all in one rewrite of the file.
// Sections of higher numbers stay as they were. False when the file refused.
bool SaveBookmarks(IniFile& ini, const std::vector<Bookmark>& entries);

// What a jump needs of the text window besides its editor.
class BookmarkTarget {
 public:
  virtual ~BookmarkTarget() = default;
  virtual TextEditor& Editor() = 0;
  // The document operation FileSave (Save As when the text has no name).
  virtual SaveResult FileSave() = 0;
  // The proof-text path and the caption follow path (UTF-8).
  virtual void SetFileName(const std::string& path) = 0;
};

enum class JumpResult {
  NotDone,  // cancelled, or the file could not be read: nothing changed
  Failed,   // loaded, but the location was no number
  Jumped,
};

// Opens the bookmark's file in the text window and puts the cursor back where
// it was. Unsaved changes are asked about first ("文件已修改, 是否儲存?").
JumpResult JumpToBookmark(const Bookmark& bookmark, BookmarkTarget& target, Prompts& prompts);

// Decimal text to integer, as the location field holds it: optional blanks
// around, an optional sign, digits only, within 32 bits.
bool ParseLocation(std::string_view text, int& value);

class BookmarkList {
 public:
  bool ListChanged = false;  // an entry was added or deleted since load or save
  bool ListPending = true;   // not read from the file yet

  const std::vector<Bookmark>& Entries() const { return entries_; }
  int Count() const { return static_cast<int>(entries_.size()); }

  // The window is shown: reads the file the first time only. True when it read.
  bool FormShow(const IniFile& ini);
  // The window closes: writes the list when it changed. A refused write is
  // reported and leaves ListChanged set, so that the next close tries again.
  void FormClose(IniFile& ini, Prompts& prompts);

  // fileName is the path as the system gives it (see SetBookmarkPath).
  void AddBookmark(std::string title, std::string_view fileName, std::string location, std::string date);
  // Deletes one entry (the first selected row); an index out of range does nothing.
  void Delete(int index);
  // Replaces the list by what the file holds; ListChanged is cleared.
  void Load(const IniFile& ini);

 private:
  std::vector<Bookmark> entries_;
};

}  // namespace zorvel
