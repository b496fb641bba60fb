#include "ui/shell/command_bars.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <algorithm>
#include <vector>

#include "ui/shell/command_popup.h"
#include "ui/shell/icons/tool_icons.h"
#include "ui/shell/qt_strings.h"
#include "ui/shell/toolbar_layout.h"

namespace zorvel::ui {

namespace {

QAction* FrameItem(const QMainWindow& frame, std::string_view name) {
  return frame.findChild<QAction*>(Q(name), Qt::FindDirectChildrenOnly);
}

void SyncToolbarChecks(const QMainWindow& frame) {
  for (const ToolbarEntry& bar : Toolbars()) {
    if (QAction* item = FrameItem(frame, CommandOf(bar.Toggle).Item))
      item->setChecked(!FindToolbar(frame, bar.Name)->isHidden());
  }
}

}  // namespace

void BuildMenuBar(QMainWindow& frame, const std::function<void(CommandId)>& run) {
  QMenuBar* bar = frame.menuBar();
  bar->setObjectName("MainMenu");
  QHash<QString, QMenu*> menus;
  for (const MenuEntry& entry : Menus()) {
    QMenu* parent = entry.Parent.empty() ? nullptr : menus.value(Q(entry.Parent));
    QMenu* menu = parent ? parent->addMenu(Q(entry.Caption)) : bar->addMenu(Q(entry.Caption));
    menu->setObjectName(Q(entry.Name));
    menus.insert(Q(entry.Name), menu);
  }
  QMenu* toolbars = menus.value("miToolBarMenu");
  toolbars->menuAction()->setObjectName("miToolBar");
  QObject::connect(toolbars, &QMenu::aboutToShow, &frame, [&frame] { SyncToolbarChecks(frame); });

  for (const CommandEntry& command : Commands()) {
    if (command.Menu.empty()) continue;
    QMenu* menu = menus.value(Q(command.Menu));
    if (command.SeparatorBefore) menu->addSeparator();
    auto* item = new QAction(Q(command.Caption), &frame);
    item->setObjectName(Q(command.Item));
    item->setShortcut(CommandShortcut(command.Key));
    item->setStatusTip(Q(command.Hint));
    item->setCheckable(command.Checkable);
    item->setChecked(command.Checkable);
    QObject::connect(item, &QAction::triggered, &frame, [run, id = command.Id] { run(id); });
    menu->addAction(item);
  }

  // A submenu that stands further down its parent moves there once the items
  // are in.
  for (const MenuEntry& entry : Menus()) {
    if (entry.Before.empty()) continue;
    QMenu* parent = menus.value(Q(entry.Parent));
    QAction* submenu = menus.value(Q(entry.Name))->menuAction();
    parent->removeAction(submenu);
    const QList<QAction*> items = parent->actions();
    for (qsizetype i = 0; i < items.size(); ++i) {
      if (items[i]->objectName() != Q(entry.Before)) continue;
      parent->insertAction(i > 0 && items[i - 1]->isSeparator() ? items[i - 1] : items[i], submenu);
      break;
    }
  }
  menus.value("miRecentMenu")->menuAction()->setObjectName("miRecent");
  bar->setFont(QApplication::font());
}

void BuildToolbars(QMainWindow& frame, const std::function<void(CommandId)>& run) {
  std::vector<ToolbarEntry> made(Toolbars().begin(), Toolbars().end());
  std::ranges::sort(made, {},
                    [](const ToolbarEntry& bar) { return std::pair(bar.StartRow, bar.StartPosition); });
  QList<QPair<QToolBar*, ToolbarPlace>> places;
  for (const ToolbarEntry& entry : made) {
    auto* bar = new QToolBar(Q(entry.Caption), &frame);
    bar->setObjectName(Q(entry.Name));
    bar->setIconSize(QSize(16, 16));
    // Button captions in the desktop's face; only the big button speaks Ming.
    bar->setFont(QApplication::font());
    ToolbarPlace start;
    start.DockRow = entry.StartRow;
    start.DockPos = entry.StartPosition;
    places.append({bar, start});
  }

  for (const ToolButtonEntry& entry : ToolButtons()) {
    QToolBar* bar = FindToolbar(frame, entry.Toolbar);
    if (entry.SeparatorBefore) bar->addSeparator();
    const QString name = Q(entry.Name);
    auto* button = new QAction(Q(entry.Hint), bar);
    button->setObjectName(name);
    button->setToolTip(button->text());
    button->setStatusTip(button->text());
    if (entry.Caption.empty()) {
      button->setIcon(ToolIcon(name));
    } else {
      button->setText(Q(entry.Caption));
    }
    QObject::connect(button, &QAction::triggered, &frame, [run, id = entry.Command] { run(id); });
    bar->addAction(button);
    QWidget* widget = bar->widgetForAction(button);
    if (!widget) continue;
    widget->setObjectName(name);
    switch (entry.Face) {
      case ButtonFace::Plain:
        widget->setFixedSize(23, 22);
        break;
      case ButtonFace::RedCaption: {
        widget->setFixedSize(23, 22);
        QPalette palette = widget->palette();
        palette.setColor(QPalette::ButtonText, Qt::red);
        widget->setPalette(palette);
        break;
      }
      case ButtonFace::BigCaption:
        widget->setFixedSize(66, 66);
        widget->setFont(QFont(U("細明體"), 12));
        break;
    }
  }

  for (const auto& [bar, start] : places) AddFloatingCloseBox(bar);
  PlaceToolbars(&frame, places);
}

QToolBar* FindToolbar(const QMainWindow& frame, std::string_view name) {
  for (const ToolbarEntry& bar : Toolbars()) {
    if (bar.Name == name) return frame.findChild<QToolBar*>(Q(name), Qt::FindDirectChildrenOnly);
  }
  return nullptr;
}

void ToggleToolbar(const QMainWindow& frame, CommandId toggle) {
  for (const ToolbarEntry& entry : Toolbars()) {
    if (entry.Toggle != toggle) continue;
    QToolBar* bar = FindToolbar(frame, entry.Name);
    bar->setVisible(bar->isHidden());
  }
}

}  // namespace zorvel::ui
