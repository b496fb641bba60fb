#pragma once
// The loupe beside the image window: whether it is shown, how far it
// enlarges, whether it floats or is docked in the main window, and where it
// floats, kept in section "Loupe" of zorvel.ini. Read leniently at start (a
// missing or bad key keeps its default), written at close.

#include <span>
#include <vector>

#include "core/settings/ini_file.h"

namespace zorvel {

// The loupe's percentages, in the order its command cycles through them.
std::span<const int> LoupeZooms();
inline constexpr int kDefaultLoupeZoom = 200;
// zoom when it is one of LoupeZooms(), otherwise the default.
int UsableLoupeZoom(int zoom);
// The loupe zoom after zoom, the first after the last; an unknown zoom goes to
// the default.
int NextLoupeZoom(int zoom);

struct LoupeSettings {
  bool ShowLoupe = true;
  int LoupeZoom = kDefaultLoupeZoom;
  bool LoupeFloating = true;
  // Where the floating loupe stood, on screen; without both numbers the loupe
  // finds a place of its own.
  bool HasPlace = false;
  int LoupeLeft = 0;
  int LoupeTop = 0;
  friend bool operator==(const LoupeSettings&, const LoupeSettings&) = default;
};

// Section "Loupe" over the defaults; a zoom the loupe does not have gives the
// default.
LoupeSettings ReadLoupeSettings(const IniFile& ini);
// The section's keys for WriteSettingsFile (the place only when there is one).
void AppendIniEntries(std::vector<IniEntry>& entries, const LoupeSettings& loupe);

}  // namespace zorvel
