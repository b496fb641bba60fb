#include "core/settings/settings_file.h"

namespace zorvel {

namespace {

void AppendIniEntries(std::vector<IniEntry>& entries, const ToolbarSection& bar) {
  auto add = [&](const char* key, std::string value) {
    entries.push_back({bar.Name, key, std::move(value)});
  };
  add("Visible", bar.Visible ? "1" : "0");
  add("DockedTo", bar.DockedTo);
  add("DockRow", std::to_string(bar.DockRow));
  add("DockPos", std::to_string(bar.DockPos));
  add("FloatLeft", std::to_string(bar.FloatLeft));
  add("FloatTop", std::to_string(bar.FloatTop));
  add("FloatRight", std::to_string(bar.FloatRight));
  add("FloatBottom", std::to_string(bar.FloatBottom));
  add("FloatRightX", std::to_string(bar.FloatRight));
}

template <typename Part>
void AppendPart(std::vector<IniEntry>& entries, const std::optional<Part>& part) {
  if (part) AppendIniEntries(entries, *part);
}

}  // namespace

IniWrite WriteSettingsFile(IniFile& ini, const SettingsFileParts& parts) {
  if (!ini.IsWritable()) return IniWrite::NotWritable;
  std::vector<IniEntry> entries;
  AppendPart(entries, parts.Settings);
  AppendPart(entries, parts.Keys);
  AppendPart(entries, parts.Screen);
  AppendPart(entries, parts.Recent);
  AppendPart(entries, parts.Loupe);
  if (parts.Toolbars) {
    for (const ToolbarSection& bar : *parts.Toolbars) AppendIniEntries(entries, bar);
  }
  return ini.WriteStrings(entries) ? IniWrite::Written : IniWrite::Failed;
}

}  // namespace zorvel
