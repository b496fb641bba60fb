#include "core/settings/screen_layout.h"

#include <string>

namespace zorvel {

namespace {

constexpr std::string_view kSection = "Screen";

struct NamedBounds {
  const char* Prefix;
  WindowBounds ScreenLayout::*Bounds;
};

constexpr NamedBounds kWindows[] = {
    {"Main", &ScreenLayout::Main}, {"Text", &ScreenLayout::Text}, {"Image", &ScreenLayout::Image}};

// The keys of one window in the order they are written.
struct NamedValue {
  const char* Name;
  int WindowBounds::*Value;
};

constexpr NamedValue kValues[] = {{"Top", &WindowBounds::Top},
                                  {"Left", &WindowBounds::Left},
                                  {"Width", &WindowBounds::Width},
                                  {"Height", &WindowBounds::Height}};

}  // namespace

ScreenLayout ReadScreenLayout(const IniFile& ini) {
  ScreenLayout layout;
  layout.SaveScreen = ini.ReadInteger(kSection, "SaveScreen", layout.SaveScreen);
  for (const NamedBounds& window : kWindows) {
    WindowBounds& bounds = layout.*window.Bounds;
    for (const NamedValue& value : kValues) {
      bounds.*value.Value =
          ini.ReadInteger(kSection, std::string(window.Prefix) + value.Name, bounds.*value.Value);
    }
  }
  return layout;
}

void AppendIniEntries(std::vector<IniEntry>& entries, const ScreenLayout& layout) {
  const std::string section(kSection);
  entries.push_back({section, "SaveScreen", std::to_string(layout.SaveScreen)});
  for (const NamedBounds& window : kWindows) {
    const WindowBounds& bounds = layout.*window.Bounds;
    for (const NamedValue& value : kValues)
      entries.push_back(
          {section, std::string(window.Prefix) + value.Name, std::to_string(bounds.*value.Value)});
  }
}

}  // namespace zorvel
