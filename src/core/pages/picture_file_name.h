#pragma once
// Page image file names: the volume, sutra and page numbers formatted as texts,
// the template PictureFileNameFormat expanded with them, and the test whether the
// file can be opened.
//
// Names are Big5 byte strings as the template makes them; only the file test
// and the "<@>" folder search turn them into file-system paths.

#include <string>
#include <string_view>

namespace zorvel {

struct Settings;

// The three texts of a page: volume "%02d", sutra "%04d", page "%04d" cut to its
// last three characters when that gives exactly four characters beginning with
// "0" (5 gives 005, 592 gives 592, 1024 stays 1024, -1 gives -001).
std::string VolumeText(int volume);
std::string SutraText(int sutra);
std::string PageText(int page);

// Expands the template: "<V>"/"<v>" by the volume text, "<S>"/"<s>" by the sutra
// text, "<P>"/"<p>" by the page text, every occurrence; then "<@>" by the name of
// the first folder entry that matches the text before the first "<@>" followed
// by the page's group ((page - 1) / 100, toward zero) and "01-*.*", or by nothing
// when no entry matches. When that file does not exist, the same path with
// ASCII letters of any case is looked for (FindPathIgnoringCase) and its name
// taken. fileName receives the name whether or not the file exists; the result
// is true when it can be opened for reading.
bool ExpandPictureFileName(std::string_view format, std::string_view volumeText, std::string_view sutraText,
                           std::string_view pageText, std::string& fileName);

// The page file name for volume, sutra and page with the template of the
// settings; true when the file can be opened for reading.
bool CheckPictureFile(const Settings& settings, int volume, int sutra, int page, std::string& fileName);

}  // namespace zorvel
