#pragma once
// Whole text files as bytes, with the system's reason when something fails.
// Writing goes through the one safe write of core/settings/atomic_file: a
// temporary file in the same folder, flushed and renamed over the old file
// (written in place when only the file, not its folder, is writable).

#include <string>
#include <string_view>

namespace zorvel {

// The longest text the editor holds, and so the largest text file that is
// opened, in bytes (100 times 1048576).
constexpr int kMaxTextLength = 104857600;

// "無法開啟檔案 <path> : 檔案超過 104857600 位元組的上限"
std::string FileTooLargeMessage(const std::string& path);
// "錯誤 : 文字超過 104857600 位元組的上限, 無法加入." (an edit that would pass the limit)
std::string TextTooLongMessage();

// Reads a text file for the editor. False when it cannot be read ("無法開啟檔案
// <path> : <reason>") or is larger than kMaxTextLength (FileTooLargeMessage);
// message then holds what to tell the operator and bytes is untouched.
bool ReadTextForEditing(const std::string& path, std::string& bytes, std::string& message);

// Reads the whole file. On failure returns false and sets error to the
// system's reason (for example "No such file or directory").
bool ReadTextFile(const std::string& path, std::string& bytes, std::string& error);

// Replaces the file's contents by bytes (WriteFileAtomically). A file without
// write permission is refused, though its folder may allow the rename. A
// symbolic link is followed and stays a link.
bool WriteTextFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace zorvel
