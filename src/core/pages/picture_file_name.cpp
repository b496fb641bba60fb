#include "core/pages/picture_file_name.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>

#include "core/pages/wildcard.h"
#include "core/settings/settings.h"

namespace zorvel {

namespace {

std::string Printf(const char* format, int value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

// Replaces every occurrence of token, left to right. A replacement is never
// searched again, so a folder name that itself holds a token cannot make the
// expansion run forever.
std::string ReplaceAll(std::string_view text, std::string_view token, std::string_view by) {
  std::string out;
  out.reserve(text.size() + by.size());
  std::size_t from = 0;
  for (;;) {
    std::size_t at = text.find(token, from);
    if (at == std::string_view::npos) break;
    out.append(text.substr(from, at - from));
    out.append(by);
    from = at + token.size();
  }
  out.append(text.substr(from));
  return out;
}

long long PageNumberOf(std::string_view pageText) {
  long long value = 0;
  const char* first = pageText.data();
  const char* last = first + pageText.size();
  if (first != last && *first == '+') ++first;
  auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last) return 0;
  return value;
}

bool CanOpenForReading(const std::string& big5Name) {
  if (big5Name.empty()) return false;
  std::string native = Big5PathToNative(big5Name);
  std::error_code ec;
  if (std::filesystem::is_directory(native, ec)) return false;
  std::ifstream in(native, std::ios::binary);
  return in.is_open();
}

}  // namespace

std::string VolumeText(int volume) {
  return Printf("%02d", volume);
}

std::string SutraText(int sutra) {
  return Printf("%04d", sutra);
}

std::string PageText(int page) {
  std::string text = Printf("%04d", page);
  if (text.size() == 4 && text[0] == '0') text.erase(0, 1);
  return text;
}

bool ExpandPictureFileName(std::string_view format, std::string_view volumeText, std::string_view sutraText,
                           std::string_view pageText, std::string& fileName) {
  std::string name(format);
  name = ReplaceAll(name, "<V>", volumeText);
  name = ReplaceAll(name, "<v>", volumeText);
  name = ReplaceAll(name, "<S>", sutraText);
  name = ReplaceAll(name, "<s>", sutraText);
  name = ReplaceAll(name, "<P>", pageText);
  name = ReplaceAll(name, "<p>", pageText);

  std::size_t at = name.find("<@>");
  if (at != std::string::npos) {
    long long group = (PageNumberOf(pageText) - 1) / 100;
    std::string pattern = name.substr(0, at) + std::to_string(group) + "01-*.*";
    std::optional<std::string> entry = FindFirstMatchingEntry(pattern);
    if (!entry) {
      // The folder before "<@>" may differ in case from the template.
      const std::string folder = name.substr(0, at);
      if (std::optional<std::string> found = FindPathIgnoringCase(folder); found && *found != folder) {
        entry = FindFirstMatchingEntry(*found + pattern.substr(folder.size()));
      }
    }
    std::string groupName = entry.value_or(std::string());
    name = ReplaceAll(name, "<@>", groupName);
  }
  fileName = name;
  if (CanOpenForReading(fileName)) return true;
  // Scans copied from a platform where case does not matter may not match the
  // template's case: the same path ignoring case will do.
  if (std::optional<std::string> found = FindPathIgnoringCase(fileName); found && CanOpenForReading(*found)) {
    fileName = *found;
    return true;
  }
  return false;
}

bool CheckPictureFile(const Settings& settings, int volume, int sutra, int page, std::string& fileName) {
  return ExpandPictureFileName(settings.PictureFileNameFormat, VolumeText(volume), SutraText(sutra),
                               PageText(page), fileName);
}

}  // namespace zorvel
