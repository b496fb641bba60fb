#pragma once
// The window layout kept in section "Screen" of zorvel.ini: the frame on the
// screen and the text and image windows inside its client area. Read leniently
// at start (a missing or bad key keeps its default), written at close
// (WriteSettingsFile).

#include <vector>

#include "core/settings/ini_file.h"
#include "core/settings/window_bounds.h"

namespace zorvel {

struct ScreenLayout {
  int SaveScreen = 1;  // read and written back; nothing else depends on it
  WindowBounds Main{0, 0, 400, 400};
  WindowBounds Text{0, 0, 100, 400};
  WindowBounds Image{100, 0, 300, 400};
  friend bool operator==(const ScreenLayout&, const ScreenLayout&) = default;
};

// Section "Screen" over the defaults.
ScreenLayout ReadScreenLayout(const IniFile& ini);

// The section's keys for WriteSettingsFile: "SaveScreen", then the twelve
// bounds in the order Main, Text, Image, each Top, Left, Width, Height.
void AppendIniEntries(std::vector<IniEntry>& entries, const ScreenLayout& layout);

}  // namespace zorvel
