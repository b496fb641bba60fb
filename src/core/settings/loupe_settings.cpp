#include "core/settings/loupe_settings.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace zorvel {

namespace {

constexpr int kLoupeZooms[] = {100, 200, 300};
constexpr const char* kSection = "Loupe";

}  // namespace

std::span<const int> LoupeZooms() {
  return kLoupeZooms;
}

int UsableLoupeZoom(int zoom) {
  return std::find(std::begin(kLoupeZooms), std::end(kLoupeZooms), zoom) != std::end(kLoupeZooms)
             ? zoom
             : kDefaultLoupeZoom;
}

int NextLoupeZoom(int zoom) {
  const int* at = std::find(std::begin(kLoupeZooms), std::end(kLoupeZooms), zoom);
  if (at == std::end(kLoupeZooms)) return kDefaultLoupeZoom;
  ++at;
  return at == std::end(kLoupeZooms) ? kLoupeZooms[0] : *at;
}

LoupeSettings ReadLoupeSettings(const IniFile& ini) {
  LoupeSettings loupe;
  loupe.ShowLoupe = ini.ReadBool(kSection, "ShowLoupe", loupe.ShowLoupe);
  loupe.LoupeZoom = UsableLoupeZoom(ini.ReadInteger(kSection, "LoupeZoom", loupe.LoupeZoom));
  loupe.LoupeFloating = ini.ReadBool(kSection, "LoupeFloating", loupe.LoupeFloating);
  const std::optional<int> left = ini.ReadInteger(kSection, "LoupeLeft");
  const std::optional<int> top = ini.ReadInteger(kSection, "LoupeTop");
  loupe.HasPlace = left && top;
  if (loupe.HasPlace) {
    loupe.LoupeLeft = *left;
    loupe.LoupeTop = *top;
  }
  return loupe;
}

void AppendIniEntries(std::vector<IniEntry>& entries, const LoupeSettings& loupe) {
  entries.push_back({kSection, "ShowLoupe", loupe.ShowLoupe ? "1" : "0"});
  entries.push_back({kSection, "LoupeZoom", std::to_string(loupe.LoupeZoom)});
  entries.push_back({kSection, "LoupeFloating", loupe.LoupeFloating ? "1" : "0"});
  if (loupe.HasPlace) {
    entries.push_back({kSection, "LoupeLeft", std::to_string(loupe.LoupeLeft)});
    entries.push_back({kSection, "LoupeTop", std::to_string(loupe.LoupeTop)});
  }
}

}  // namespace zorvel
