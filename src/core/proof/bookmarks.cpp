#include "core/proof/bookmarks.h"

#include <algorithm>
#include <charconv>
#include <climits>

#include "core/prompts.h"
#include "core/settings/ini_file.h"
#include "core/text/big5.h"
#include "core/text/text_document.h"
#include "core/text/text_editor.h"
#include "core/text/text_file.h"

namespace zorvel {

namespace {

std::string EntrySection(int n) {
  return std::string(kBookmarkSection) + std::to_string(n);
}

char FoldAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The highest n for which the file holds a section "BookMark" + n (names match
// regardless of case; n is written without leading zeros).
int HighestEntrySection(const IniFile& ini) {
  const std::string_view prefix = kBookmarkSection;
  int highest = 0;
  for (const std::string& name : ini.SectionNames()) {
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 10) continue;
    bool same = true;
    for (std::size_t i = 0; i < prefix.size() && same; ++i) same = FoldAscii(name[i]) == FoldAscii(prefix[i]);
    if (!same) continue;
    const std::string_view digits = std::string_view(name).substr(prefix.size());
    if (digits.front() == '0') continue;
    int n = 0;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (ec != std::errc() || ptr != digits.data() + digits.size() || n <= 0) continue;
    highest = std::max(highest, n);
  }
  return highest;
}

}  // namespace

std::vector<Bookmark> LoadBookmarks(const IniFile& ini) {
  std::vector<Bookmark> entries;
  // The count is a number from a file: it never drives more rows than there
  // are sections to read.
  int count = ini.ReadInteger(kBookmarkSection, "Count", 0);
  if (count > 0) count = std::min(count, HighestEntrySection(ini));
  for (int n = 1; n <= count; ++n) {
    const std::string section = EntrySection(n);
    Bookmark b;
    b.Title = ini.ReadString(section, "Title", "None");
    b.FileName = ini.ReadString(section, "FileName", "");
    b.Location = ini.ReadString(section, "Location", "");
    b.Date = ini.ReadString(section, "Date", "");
    b.NativeFileName = ini.ReadInteger(section, kNativeFileNameKey, 0) != 0;
    entries.push_back(std::move(b));
  }
  return entries;
}

bool SaveBookmarks(IniFile& ini, const std::vector<Bookmark>& entries) {
  std::vector<IniEntry> writes;
  writes.reserve(1 + 4 * entries.size());
  writes.push_back({std::string(kBookmarkSection), "Count", std::to_string(entries.size())});
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string section = EntrySection(static_cast<int>(i) + 1);
    writes.push_back({section, "Title", entries[i].Title});
    writes.push_back({section, "FileName", entries[i].FileName});
    writes.push_back({section, "Location", entries[i].Location});
    writes.push_back({section, "Date", entries[i].Date});
    // The key appears only for a path Big5 cannot write, so that the sections
    // of every other entry keep their four keys.
    if (entries[i].NativeFileName) {
      writes.push_back({section, std::string(kNativeFileNameKey), "1"});
    } else if (ini.HasKey(section, kNativeFileNameKey)) {
      writes.push_back({section, std::string(kNativeFileNameKey), "0"});
    }
  }
  return ini.WriteStrings(writes);
}

bool ParseLocation(std::string_view text, int& value) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return false;  // one sign only
  }
  if (text.empty()) return false;
  long long v = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || ptr != last || v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

JumpResult JumpToBookmark(const Bookmark& bookmark, BookmarkTarget& target, Prompts& prompts) {
  TextEditor& editor = target.Editor();
  // A save that did not happen (refused, or its Save As cancelled) would let
  // the load below throw the changes away: stop instead.
  if (!SettleUnsavedChanges(
          editor.Modified(), kTextModifiedQuestion, prompts, [&] { return target.FileSave(); },
          AfterCancelledSave::Stop)) {
    return JumpResult::NotDone;
  }
  const std::string path = BookmarkPath(bookmark);
  std::string bytes;
  std::string message;
  if (!ReadTextForEditing(path, bytes, message)) {
    prompts.Error(message);
    return JumpResult::NotDone;
  }
  if (!LoadTextBytes(editor, bytes, prompts)) return JumpResult::NotDone;
  target.SetFileName(path);
  editor.SetModified(false);
  int location = 0;
  if (!ParseLocation(bookmark.Location, location)) {
    prompts.Error("'" + Big5ToUtf8(bookmark.Location) + "' is not a valid integer value");
    return JumpResult::Failed;
  }
  editor.SetSelStart(location);
  editor.SetFocus();
  return JumpResult::Jumped;
}

bool BookmarkList::FormShow(const IniFile& ini) {
  if (!ListPending) return false;
  Load(ini);
  ListPending = false;
  return true;
}

void BookmarkList::Load(const IniFile& ini) {
  entries_ = LoadBookmarks(ini);
  ListChanged = false;
}

void BookmarkList::FormClose(IniFile& ini, Prompts& prompts) {
  if (!ListChanged) return;
  if (!SaveBookmarks(ini, entries_)) {
    prompts.Error("無法寫入設定檔 " + ini.Path() + ", 書籤沒有儲存.");
    return;
  }
  ListChanged = false;
}

void SetBookmarkPath(Bookmark& bookmark, std::string_view systemPath) {
  int replaced = 0;
  std::string big5 = Utf8ToBig5(systemPath, &replaced);
  if (replaced == 0 && Big5ToUtf8(big5) == systemPath) {
    bookmark.FileName = std::move(big5);
    bookmark.NativeFileName = false;
  } else {
    bookmark.FileName = std::string(systemPath);
    bookmark.NativeFileName = true;
  }
}

std::string BookmarkPath(const Bookmark& bookmark) {
  return bookmark.NativeFileName ? bookmark.FileName : Big5ToUtf8(bookmark.FileName);
}

void BookmarkList::AddBookmark(std::string title, std::string_view fileName, std::string location,
                               std::string date) {
  Bookmark entry;
  entry.Title = std::move(title);
  SetBookmarkPath(entry, fileName);
  entry.Location = std::move(location);
  entry.Date = std::move(date);
  entries_.push_back(std::move(entry));
  ListChanged = true;
}

void BookmarkList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  entries_.erase(entries_.begin() + index);
  ListChanged = true;
}

}  // namespace zorvel
