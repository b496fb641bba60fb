#pragma once
// Whole text files as bytes, with the system's reason when something fails.
// Writing is atomic: a temporary file in the same folder is written, flushed
// and renamed over the old file, which keeps its permissions; a failure leaves
// the old file as it was and no temporary file behind.

#include <string>
#include <string_view>

namespace zorvel {

// Reads the whole file. On failure returns false and sets error to the
// system's reason (for example "No such file or directory").
bool ReadTextFile(const std::string& path, std::string& bytes, std::string& error);

// Replaces the file's contents by bytes, atomically. A file without write
// permission is refused as the system would refuse it, though its folder may
// allow the rename. A symbolic link is followed and stays a link.
bool WriteTextFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace zorvel
