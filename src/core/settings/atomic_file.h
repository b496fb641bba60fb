#pragma once
// Whole-file reading and safe whole-file writing. A write goes to a temporary
// file in the same folder, is flushed to the disk and renamed over the old file,
// so a crash leaves either the old file or the new one, never a torn one. The
// new file keeps the old file's permissions (and owner, where allowed).

#include <string>
#include <string_view>

namespace zorvel {

enum class ReadResult { Ok, Missing, Failed };

// Reads the whole file into bytes. Missing: no such file (bytes left empty).
ReadResult ReadWholeFile(const std::string& path, std::string& bytes);

// True when a write to path may proceed: an existing file must be writable and
// carry a write permission bit, and so must the folder it lives in (a file or
// folder marked read-only stays untouched even for a privileged user).
bool IsWritableTarget(const std::string& path);

// Replaces the file's contents with bytes, atomically. False when the file or
// its folder is read-only or any step fails; the old file is then unchanged and
// no temporary file is left behind. A symbolic link is followed: its target is
// replaced and the link stays.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace zorvel
