#include "ui/shell/command_popup.h"

#include <QAction>
#include <QMenu>

#include "ui/shell/hot_key_qt.h"
#include "ui/shell/qt_strings.h"

namespace zorvel::ui {

QKeySequence CommandShortcut(std::string_view key) {
  return key.empty() ? QKeySequence() : HotKeyToShortcut(HotKeyFromText(key));
}

QMenu* BuildCommandPopup(const PopupMenuEntry& popup, QWidget* owner, Qt::ShortcutContext keyContext,
                         std::function<void(CommandId)> run) {
  auto* menu = new QMenu(owner);
  menu->setObjectName(Q(popup.Name));
  for (const PopupItemEntry& entry : popup.Items) {
    const CommandEntry& command = CommandOf(entry.Command);
    if (!entry.SeparatorBefore.empty()) menu->addSeparator()->setObjectName(Q(entry.SeparatorBefore));
    auto* item = new QAction(Q(entry.Caption.empty() ? command.Caption : entry.Caption), menu);
    item->setObjectName(Q(entry.Item.empty() ? command.Item : entry.Item));
    if (!command.Key.empty()) {
      item->setShortcut(CommandShortcut(command.Key));
      item->setShortcutContext(keyContext);
    }
    QObject::connect(item, &QAction::triggered, menu, [run, id = command.Id] { run(id); });
    menu->addAction(item);
  }
  return menu;
}

}  // namespace zorvel::ui
