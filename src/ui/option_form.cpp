#include "ui/option_form.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "core/settings/ini_file.h"
#include "ui/hot_key_qt.h"
#include "ui/main_form.h"

TOptionForm* OptionForm = nullptr;

namespace {

constexpr int kMainItemCount = 6;  // the first six commands live on the main window

// The main window's own menu item of that name (not an item of a popup menu
// inside one of its MDI children).
QAction* MainItem(const char* name) {
  if (!MainForm) return nullptr;
  return MainForm->findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

// Every item of that name in the MDI children's popup menus.
QList<QAction*> ChildItems(const char* name) {
  QList<QAction*> items;
  if (!MainForm) return items;
  for (QMdiSubWindow* window : MainForm->ClientArea()->subWindowList()) {
    if (window->widget()) items += window->widget()->findChildren<QAction*>(name);
  }
  return items;
}

// Every item of that name in a top-level window other than the main window:
// that is where the choice window keeps its six.
QList<QAction*> ChoiceItems(const char* name) {
  QList<QAction*> items;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window == MainForm) continue;
    items += window->findChildren<QAction*>(name);
  }
  return items;
}

}  // namespace

const char* HotKeyItemName(zorvel::HotKeyCommand command) {
  static const char* const names[zorvel::kHotKeyCount] = {
      "miFindSign",        "miShowWord",    "miSelectWord",  "miAll",
      "miPreviousPicture", "miNextPicture", "miSelFirstStr", "miSelSecondStr",
      "miSelThirdStr",     "miSelUserStr",  "miCancelSel",   "miCancelToNext",
  };
  return names[int(command)];
}

TOptionForm::TOptionForm(QWidget* parent) : QDialog(parent) {
  setObjectName("OptionForm");
  LoadSettings();
}

void TOptionForm::LoadSettings() {
  const QString path = MainForm ? MainForm->IniFileName() : QStringLiteral("zorvel.ini");
  const zorvel::IniFile ini(QFile::encodeName(path).toStdString());
  zorvel::HotKeySet keys;
  zorvel::LoadSettings(ini, Settings, keys);
  ApplyHotKeys(keys);
}

void TOptionForm::ApplyHotKeys(const zorvel::HotKeySet& keys) {
  for (int i = 0; i < zorvel::kHotKeyCount; ++i) {
    const char* name = HotKeyItemName(zorvel::HotKeyCommand(i));
    const QKeySequence shortcut = zorvel::HotKeyToShortcut(keys[i]);
    if (i < kMainItemCount) {
      QAction* item = MainItem(name);
      if (!item) continue;
      item->setShortcut(shortcut);
      for (QAction* copy : ChildItems(name)) copy->setShortcut(item->shortcut());
    } else {
      for (QAction* item : ChoiceItems(name)) item->setShortcut(shortcut);
    }
  }
}

zorvel::HotKeySet TOptionForm::HotKeysInForce() const {
  zorvel::HotKeySet keys;
  for (int i = 0; i < zorvel::kHotKeyCount; ++i) {
    const char* name = HotKeyItemName(zorvel::HotKeyCommand(i));
    QAction* item = nullptr;
    if (i < kMainItemCount) {
      item = MainItem(name);
    } else {
      const QList<QAction*> items = ChoiceItems(name);
      if (!items.isEmpty()) item = items.first();
    }
    if (item) keys[i] = zorvel::HotKeyFromShortcut(item->shortcut());
  }
  return keys;
}
