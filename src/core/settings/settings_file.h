#pragma once
// What the program keeps in zorvel.ini (all but the bookmarks), written in one
// rewrite of the file: the settings (sections CheckSign, LineHead, Picture,
// RightTop), the keys (HotKey), the window layout (Screen), the recent texts
// (Recent), the loupe (Loupe) and one section per toolbar. Each part that is
// given is written whole; a part left out keeps what the file holds, and so do
// every other section, line and comment.

#include <optional>
#include <string>
#include <vector>

#include "core/settings/command_keys.h"
#include "core/settings/ini_file.h"
#include "core/settings/loupe_settings.h"
#include "core/settings/recent_texts.h"
#include "core/settings/screen_layout.h"
#include "core/settings/settings.h"

namespace zorvel {

// Where a toolbar stands, as its section holds it: "DockedTo" names its dock
// ("Dock971" top, "Dock972" bottom, "Dock973" left, "Dock974" right) or is
// "nil" while it floats; "DockRow" counts from the window's edge inward and
// "DockPos" is the position along the dock; the Float keys are the rectangle it
// last floated in (right and bottom exclusive), "FloatRightX" its right edge.
struct ToolbarSection {
  std::string Name;  // the toolbar's name, and its section's
  bool Visible = true;
  std::string DockedTo = "Dock971";
  int DockRow = 0;
  int DockPos = 0;
  int FloatLeft = 0;
  int FloatTop = 0;
  int FloatRight = 0;
  int FloatBottom = 0;
  friend bool operator==(const ToolbarSection&, const ToolbarSection&) = default;
};

// The parts to write, in the order their sections go into a new file.
struct SettingsFileParts {
  std::optional<zorvel::Settings> Settings = std::nullopt;
  std::optional<KeyBindings> Keys = std::nullopt;
  std::optional<ScreenLayout> Screen = std::nullopt;
  std::optional<RecentTexts> Recent = std::nullopt;
  std::optional<LoupeSettings> Loupe = std::nullopt;
  std::optional<std::vector<ToolbarSection>> Toolbars = std::nullopt;
};

enum class IniWrite {
  Written,
  NotWritable,  // the file cannot be written at all (or not read, so not kept); nothing was tried
  Failed,       // the write was tried and failed; the file is as it was
};

// The one write of zorvel.ini.
IniWrite WriteSettingsFile(IniFile& ini, const SettingsFileParts& parts);

}  // namespace zorvel
