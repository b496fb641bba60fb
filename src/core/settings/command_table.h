#pragma once
// The main window's commands, one entry each: what the command is, the menu
// item and the caption it shows, its status-line hint, its key, and the toolbar
// buttons that run it. The main window builds its menu bar and its five
// toolbars from these tables, the text and image windows their popups and the
// choice window its items; the
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
  CommandId Id = CommandId::OpenFile;
  std::string_view Name = {};     // what the command does, as the code calls it
  std::string_view Menu = {};     // object name of the menu holding the item; empty: toolbar or popup only
  std::string_view Item = {};     // object name of the menu item
  std::string_view Caption = {};  // UTF-8; for a toolbar-only command its first button's hint
  std::string_view Hint = {};     // status-line hint of the menu item, may be empty
  std::string_view Key = {};      // the key as the hot-key text rule writes it; empty: none
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
  std::string_view Name = {};
  std::string_view Caption = {};  // UTF-8
  std::string_view Parent = {};   // empty: on the menu bar
  // A submenu stands before this item of its parent (and before the separator
  // in front of it); empty: first in its parent.
  std::string_view Before = {};
};

// The five toolbars. Each has its item in 工具列 that shows and hides it, and
// a place in the top dock at the first start (row from the top, place in the
// row from the left); they are made in the order of those places.
struct ToolbarEntry {
  std::string_view Name = {};
  std::string_view Caption = {};  // UTF-8
  CommandId Toggle = CommandId::ToggleMainToolbar;
  int StartRow = 0;
  int StartPosition = 0;
};

// How a button with a caption shows it: in the toolbar's face, in red, or as
// the big button, 66 by 66 in 細明體.
enum class ButtonFace { Plain, RedCaption, BigCaption };

// One toolbar button. It shows the icon found by its name, or its caption
// where it has one.
struct ToolButtonEntry {
  std::string_view Toolbar = {};
  std::string_view Name = {};
  std::string_view Hint = {};  // UTF-8
  CommandId Command = CommandId::OpenFile;
  bool SeparatorBefore = false;
  std::string_view Caption = {};  // UTF-8
  ButtonFace Face = ButtonFace::Plain;
};

// An item of a window's popup menu. It runs its command as the menu bar's item
// does and shows the command's key; Item and Caption are the popup's own where
// they differ from the menu bar's (empty: the same). A separator before the
// item carries its own object name.
struct PopupItemEntry {
  CommandId Command = CommandId::OpenFile;
  std::string_view Item = {};
  std::string_view Caption = {};  // UTF-8
  std::string_view SeparatorBefore = {};
};

struct PopupMenuEntry {
  std::string_view Name = {};
  std::span<const PopupItemEntry> Items = {};
};

// The choice window's popup, top to bottom: the six commands that carry the
// window's hot keys. Each item is named "mi" + its hot key's name.
struct ChoiceItemEntry {
  HotKeyCommand HotKey = HotKeyCommand::SelFirstStr;
  std::string_view Caption = {};  // UTF-8
  bool SeparatorBefore = false;
};
std::span<const ChoiceItemEntry> ChoiceItems();

// The text window's popup ("TextPopupMenu") and the image window's
// ("ImagePopupMenu"), items from top to bottom.
const PopupMenuEntry& TextPopup();
const PopupMenuEntry& ImagePopup();

// In menu order; Commands()[i].Id is CommandId(i).
std::span<const CommandEntry> Commands();
const CommandEntry& CommandOf(CommandId id);
std::span<const MenuEntry> Menus();
std::span<const ToolbarEntry> Toolbars();
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
