#include "core/settings/loupe_settings.h"

#include <algorithm>
#include <iterator>
#include <string>

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
  return loupe;
}

bool WriteLoupeSettings(IniFile& ini, const LoupeSettings& loupe) {
  return ini.WriteStrings({{kSection, "ShowLoupe", loupe.ShowLoupe ? "1" : "0"},
                           {kSection, "LoupeZoom", std::to_string(loupe.LoupeZoom)}});
}

}  // namespace zorvel
