#pragma once
// The main window's menu bar and its five toolbars, made from the command
// table. Every item and button runs its command through the given runner, and
// carries its designer name as its object name: the keys and the toolbar
// layout in zorvel.ini refer to them.

#include <functional>

#include "core/settings/command_table.h"

class QMainWindow;
class QToolBar;

namespace zorvel::ui {

// The menus in their order, each item with its caption, key and hint. The
// items are direct children of the frame. 工具列's check marks follow the
// toolbars each time it opens, so that a toolbar closed by its close box shows
// unchecked.
void BuildMenuBar(QMainWindow& frame, const std::function<void(CommandId)>& run);

// The five toolbars, in the top dock in their start places.
void BuildToolbars(QMainWindow& frame, const std::function<void(CommandId)>& run);

// The toolbar of the table by its name; nullptr for a name it does not have.
QToolBar* FindToolbar(const QMainWindow& frame, std::string_view name);

// Shows the toolbar that the 工具列 item `toggle` stands for, or hides it.
void ToggleToolbar(const QMainWindow& frame, CommandId toggle);

}  // namespace zorvel::ui
