#pragma once
// Whole text files as bytes, with the system's reason when something fails.
// Writing goes through the one safe write of core/settings/atomic_file: a
// temporary file in the same folder, flushed and renamed over the old file
// (written in place when only the file, not its folder, is writable).

#include <string>
#include <string_view>

namespace zorvel {

// Reads the whole file. On failure returns false and sets error to the
// system's reason (for example "No such file or directory").
bool ReadTextFile(const std::string& path, std::string& bytes, std::string& error);

// Replaces the file's contents by bytes (WriteFileAtomically). A file without
// write permission is refused, though its folder may allow the rename. A
// symbolic link is followed and stays a link.
bool WriteTextFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace zorvel
