#include "core/settings/recent_texts.h"

#include <algorithm>
#include <filesystem>

#include "core/settings/ini_file.h"
#include "core/settings/settings_file.h"

namespace zorvel {

namespace {

std::string FileKey(int i) {
  return "File" + std::to_string(i + 1);
}

// Two names of one file: the same path once "." and ".." are resolved.
bool SamePath(std::string_view a, std::string_view b) {
  return std::filesystem::path(a).lexically_normal() == std::filesystem::path(b).lexically_normal();
}

bool Storable(std::string_view path) {
  return path.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

}  // namespace

RecentTexts ReadRecentTexts(const IniFile& ini) {
  RecentTexts recent;
  recent.LastText = ini.ReadString(kRecentSection, "LastText", "");
  recent.LastPosition = std::max(0, ini.ReadInteger(kRecentSection, "LastPosition", 0));
  if (recent.LastText.empty()) recent.LastPosition = 0;
  for (int i = 0; i < kRecentTextCount; ++i) {
    const std::string path = ini.ReadString(kRecentSection, FileKey(i), "");
    if (path.empty()) continue;
    const bool repeated = std::any_of(recent.Files.begin(), recent.Files.end(),
                                      [&path](const std::string& f) { return SamePath(f, path); });
    if (!repeated) recent.Files.push_back(path);
  }
  return recent;
}

void AppendIniEntries(std::vector<IniEntry>& entries, const RecentTexts& recent) {
  const std::string section(kRecentSection);
  const bool last = !recent.LastText.empty() && Storable(recent.LastText);
  entries.push_back({section, "LastText", last ? recent.LastText : ""});
  entries.push_back({section, "LastPosition", std::to_string(last ? std::max(0, recent.LastPosition) : 0)});
  int written = 0;
  for (const std::string& path : recent.Files) {
    if (written == kRecentTextCount) break;
    if (path.empty() || !Storable(path)) continue;
    entries.push_back({section, FileKey(written++), path});
  }
  while (written < kRecentTextCount) entries.push_back({section, FileKey(written++), ""});
}

bool WriteRecentTexts(IniFile& ini, const RecentTexts& recent) {
  return WriteSettingsFile(ini, {.Recent = recent}) == IniWrite::Written;
}

void NoteRecentText(RecentTexts& recent, std::string_view path) {
  if (path.empty()) return;
  std::erase_if(recent.Files, [path](const std::string& f) { return SamePath(f, path); });
  recent.Files.insert(recent.Files.begin(), std::string(path));
  if (recent.Files.size() > static_cast<std::size_t>(kRecentTextCount)) recent.Files.resize(kRecentTextCount);
}

bool ForgetGoneRecentText(RecentTexts& recent, std::string_view path) {
  std::error_code error;
  if (path.empty() || std::filesystem::exists(std::filesystem::path(path), error)) return false;
  return std::erase_if(recent.Files, [path](const std::string& f) { return SamePath(f, path); }) > 0;
}

std::string RecentMenuCaption(int number, std::string_view path) {
  std::string caption = "&" + std::to_string(number) + " ";
  for (const char c : path) {
    if (c == '&') caption += '&';
    caption += c;
  }
  return caption;
}

void NoteLastPosition(RecentTexts& recent, std::string_view path, int position) {
  recent.LastText.assign(path);
  recent.LastPosition = path.empty() ? 0 : std::max(0, position);
}

}  // namespace zorvel
