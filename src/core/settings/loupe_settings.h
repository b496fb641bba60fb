#pragma once
// The loupe beside the image window: whether it is shown and how far it
// enlarges, kept in section "Loupe" of zorvel.ini. Read leniently at start (a
// missing or bad key keeps its default), written at close.

#include <span>

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
  friend bool operator==(const LoupeSettings&, const LoupeSettings&) = default;
};

// Section "Loupe" over the defaults; a zoom the loupe does not have gives the
// default.
LoupeSettings ReadLoupeSettings(const IniFile& ini);
// Both keys in one write; true when they reached the file.
bool WriteLoupeSettings(IniFile& ini, const LoupeSettings& loupe);

}  // namespace zorvel
