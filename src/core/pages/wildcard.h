#pragma once
// The folder search behind the "<@>" placeholder of page file names: find the
// first entry of a folder whose name matches a wildcard pattern, files and
// folders alike, with the matching rule that templates written for the original
// platform rely on.
//
// Paths here are Big5 byte strings as the settings hold them. A backslash that is
// a character of its own (never the second byte of a double-byte character)
// counts as a folder separator, as a slash does.

#include <optional>
#include <string>
#include <string_view>

namespace zorvel {

// Wildcard match of a file name (no folder part): "*" matches any run of
// characters, "?" exactly one character (a double-byte character counts as one),
// ASCII letters match in either case, and a pattern ending in ".*" also matches a
// name that holds no dot at all ("301-*.*" matches "301-400").
bool WildcardMatch(std::string_view pattern, std::string_view name);

// The file-system path for a Big5 path: separators made "/", the bytes converted
// to UTF-8 by the lossless Big5 mapping.
std::string Big5PathToNative(std::string_view big5Path);

// The first entry that matches the pattern's last component in the folder named
// by the rest of the pattern (the current folder when there is none). Entries
// are taken in the byte order of their names, so that the answer does not depend
// on the order in which the file system lists them. Returns the entry's name
// alone (no folder part) in Big5, or nothing when no entry matches or the folder
// cannot be read. Entries whose names Big5 cannot hold are passed over.
std::optional<std::string> FindFirstMatchingEntry(std::string_view big5Pattern);

// The path of an existing entry that matches the Big5 path when ASCII letters
// are compared without regard to case, as on the platform that scans come
// from. Each folder level is looked up in turn: a component that exists as
// written is kept, otherwise the first entry of its folder, in the byte order
// of the names, that matches it ignoring case is taken. The separators of the
// path are kept. Nothing when some level has no match.
std::optional<std::string> FindPathIgnoringCase(std::string_view big5Path);

}  // namespace zorvel
