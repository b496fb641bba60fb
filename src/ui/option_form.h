#pragma once
// The options dialog. It holds the settings every window reads, loads them from
// zorvel.ini when it is created and puts the hot keys on the menu items that
// carry them. The dialog's pages come later.

#include <QDialog>

#include "core/settings/hot_key.h"
#include "core/settings/settings.h"

class TOptionForm : public QDialog {
  Q_OBJECT

 public:
  // Runs LoadSettings: the main window, the choice window, the image window and
  // the text window must exist already.
  explicit TOptionForm(QWidget* parent = nullptr);

  zorvel::Settings Settings;

  // Reads every setting and the hot keys from StartFolder's zorvel.ini.
  void LoadSettings();
  // Puts the first six keys on the main window's items and copies them to the
  // items of the same names in the popup menus of the text and image windows;
  // the last six go to the choice window's items.
  void ApplyHotKeys(const zorvel::HotKeySet& keys);
  // The keys in force, read back from the menu items that carry them.
  zorvel::HotKeySet HotKeysInForce() const;
};

extern TOptionForm* OptionForm;

// The objectName of the menu item that carries a hot-key command.
const char* HotKeyItemName(zorvel::HotKeyCommand command);
