#pragma once
// The popup menus of the text window and the image window, made from the
// command table. Each item runs its command the way the main window's menu
// item does; it shows the command's key, but the live key stays on the main
// window's item, so that no key is claimed twice.

#include <QKeySequence>
#include <functional>
#include <string_view>

#include "core/settings/command_table.h"

class QMenu;
class QWidget;

namespace zorvel::ui {

// A key as the hot-key text rule writes it ("Ctrl+O", "F2"); empty: none.
QKeySequence CommandShortcut(std::string_view key);

// The popup as a child menu of owner, its items children of the menu under
// their object names. keyContext is where a shown key would act.
QMenu* BuildCommandPopup(const PopupMenuEntry& popup, QWidget* owner, Qt::ShortcutContext keyContext,
                         std::function<void(CommandId)> run);

}  // namespace zorvel::ui
