#pragma once
// The main window's commands, one entry each: what the command is, the menu
// item and the caption it shows, its status-line hint, its key, and the toolbar
// buttons that run it. The main window builds its menu bar and its five
// toolbars from these tables and the text and image windows their popups; the
// options dialog finds the items that carry the hot keys here, and the hot-key
// check takes the fixed keys from here. The
// designer names (`miFindSign`, `N19`, `ToolbarButton9728`) are kept as object
// names only: the toolbar layout in zorvel.ini and the hot keys refer to them.

#include <optional>
#include <span>
#include <string_view>

#include "core/settings/hot_key.h"

namespace zorvel {

enum class CommandId {
  OpenFile,
  SaveFile,
  SaveFileAs,
  Exit,
  Undo,
  Cut,
  Copy,
  Paste,
  SelectAll,
  ToggleMainToolbar,
  ToggleTextToolbar,
  ToggleImageToolbar,
  ToggleSpecialToolbar,
  ToggleBigButtonToolbar,
  Options,
  FindNextMark,
  ShowCharacterOnPage,
  ChooseReading,
  RunLoop,
  EditReplaceTable,
  RunReplaceTable,
  FindAndReplace,
  ChooseTextFont,
  Bookmarks,
  OpenPage,
  SaveCalibration,
  LoadPageRun,
  PreviousPage,
  NextPage,
  GoToTopRight,
  ToggleCrossLines,
  SetRegisterShift,
  SetScale,
  ShowUpperFirst,
  ShowMiddleFirst,
  ShowLowerFirst,
  ShowUpperLast,
  ShowMiddleLast,
  ShowLowerLast,
  TileVertically,
  TileHorizontally,
  Cascade,
  About,
  // Only on the image window's popup: the point last pressed on the page as
  // the first character's top-right corner (both coordinates, x, y), and the
  // register shift dialog, modal.
  SetTopRightHere,
  SetTopRightXHere,
  SetTopRightYHere,
  SetRegisterShiftModal,
  ZoomIn,
  ZoomOut,
  PanLeft,
  PanRight,
  PanUp,
  PanDown,
  ToggleLoupe,
  NextLoupeZoom,
  // Back to the mark before the cursor (one cancelled, say), and the jump to a
  // line head the operator types.
  FindPreviousMark,
  GoToLineHead,
};
inline constexpr int kCommandCount = static_cast<int>(CommandId::GoToLineHead) + 1;

struct CommandEntry {
  CommandId Id;
  std::string_view Name;     // what the command does, as the code calls it
  std::string_view Menu;     // object name of the menu holding the item; empty: toolbar or popup only
  std::string_view Item;     // object name of the menu item
  std::string_view Caption;  // UTF-8; for a toolbar-only command its first button's hint
  std::string_view Hint;     // status-line hint of the menu item, may be empty
  std::string_view Key;      // the key as the hot-key text rule writes it; empty: none
  std::optional<HotKeyCommand> HotKey = std::nullopt;  // set when the settings carry the key
  bool SeparatorBefore = false;
  bool Checkable = false;
  // A key of the main window's own that no setting changes (Ctrl+O, Ctrl+S,
  // Ctrl+F). Every other key of a command without a HotKey is the operator's
  // to change, on the options dialog's page of the other keys.
  bool FixedKey = false;
};

// The menus of the menu bar in their order, and the submenus "工具列" and
// "最近開啟".
struct MenuEntry {
  std::string_view Name;
  std::string_view Caption;  // UTF-8
  std::string_view Parent;   // empty: on the menu bar
  // A submenu stands before this item of its parent (and before the separator
  // in front of it); empty: first in its parent.
  std::string_view Before = {};
};

// One toolbar button; the icon is found by the button's name.
struct ToolButtonEntry {
  std::string_view Toolbar;
  std::string_view Name;
  std::string_view Hint;  // UTF-8
  CommandId Command;
  bool SeparatorBefore = false;
};

// An item of a window's popup menu. It runs its command as the menu bar's item
// does and shows the command's key; Item and Caption are the popup's own where
// they differ from the menu bar's (empty: the same). A separator before the
// item carries its own object name.
struct PopupItemEntry {
  CommandId Command;
  std::string_view Item = {};
  std::string_view Caption = {};  // UTF-8
  std::string_view SeparatorBefore = {};
};

struct PopupMenuEntry {
  std::string_view Name;
  std::span<const PopupItemEntry> Items;
};

// The text window's popup ("TextPopupMenu") and the image window's
// ("ImagePopupMenu"), items from top to bottom.
const PopupMenuEntry& TextPopup();
const PopupMenuEntry& ImagePopup();

// In menu order; Commands()[i].Id is CommandId(i).
std::span<const CommandEntry> Commands();
const CommandEntry& CommandOf(CommandId id);
std::span<const MenuEntry> Menus();
// Toolbar by toolbar, in the order of their sections in zorvel.ini; within
// each, left to right.
std::span<const ToolButtonEntry> ToolButtons();

// A menu caption without its accelerator and dots: "開啟舊檔 (&O)..." gives
// "開啟舊檔", as the messages name the command.
std::string_view PlainCaption(std::string_view caption);

// The command's key is kept in zorvel.ini under the command's name and edited
// on the options dialog's page of the other keys: a command with a default key
// that is neither one of the twelve hot keys nor a fixed key.
bool HasKeySetting(const CommandEntry& command);

// The command that carries a hot key of the main window; nullptr for the six
// keys of the choice window.
const CommandEntry* CommandOfHotKey(HotKeyCommand key);

}  // namespace zorvel
