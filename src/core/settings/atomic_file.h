#pragma once
// Whole-file reading and safe whole-file writing. A write goes to a temporary
// file in the same folder, is flushed to the disk and renamed over the old file,
// so a crash leaves either the old file or the new one, never a torn one. The
// new file keeps the old file's permissions (and owner, where allowed).
//
// When the folder does not allow new files but the file itself is writable, the
// file is written in place instead (flushed, then cut to its new length): the
// operator who made the folder read-only still expects the file to be saved.
//
// Temporary files are named "." + file name + ".zorvel-tmp-" + process id + "-"
// + sequence, so that they are recognisable. A write removes the temporary files
// that an earlier run of the program left in the folder when it was killed
// during a save (those whose process no longer runs).

#include <string>
#include <string_view>

namespace zorvel {

enum class ReadResult { Ok, Missing, Failed };

// Reads the whole file into bytes. Missing: no such file (bytes left empty).
ReadResult ReadWholeFile(const std::string& path, std::string& bytes);
// The same, with the system's reason for a failure in error.
ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// True when a write to path may proceed: an existing file must be a regular
// file that is writable and carries a write permission bit (a file marked
// read-only stays untouched even for a privileged user), and either the folder
// allows new files or the file exists and can be written in place.
bool IsWritableTarget(const std::string& path);

// Replaces the file's contents with bytes, atomically where the folder allows
// it, in place otherwise. False when the file is read-only (or, for a new file,
// its folder is) or any step fails; error then holds the system's reason, the
// old file is unchanged (for an atomic write) and no temporary file is left
// behind. A symbolic link is followed: its target is replaced and the link stays.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// The marker in the names of the temporary files of a write.
inline constexpr std::string_view kTemporaryMarker = ".zorvel-tmp-";

// Removes, from folder, the temporary files of writes whose process no longer
// runs. Returns how many were removed.
int RemoveStaleTemporaryFiles(const std::string& folder);

}  // namespace zorvel
