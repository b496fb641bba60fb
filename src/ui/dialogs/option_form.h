#pragma once
// The options dialog. It holds the settings every window reads, loads them from
// zorvel.ini when it is created and puts the hot keys on the menu items that
// carry them. Shown modally, it edits every setting, the twelve hot keys and
// the keys of the other commands on six pages; confirming applies them at once,
// writes them to zorvel.ini and hands the scale to the image window.

#include <QDialog>
#include <array>
#include <utility>
#include <vector>

#include "core/settings/command_keys.h"

#include "core/settings/hot_key.h"
#include "core/settings/settings.h"
#include "core/settings/settings_entry.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class THotKeyField;

class Workbench;

class TOptionForm : public QDialog {
  Q_OBJECT

 public:
  // Runs LoadSettings: the main window, the choice window, the image window and
  // the text window must exist already.
  explicit TOptionForm(Workbench& bench, QWidget* parent = nullptr);

  // The workbench's settings, which every window reads.
  zorvel::Settings& Settings;

  // Reads every setting and the hot keys from StartFolder's zorvel.ini.
  void LoadSettings();
  // Writes Settings and the hot keys in force to StartFolder's zorvel.ini; a
  // file that cannot be written is reported. True when everything was written.
  bool SaveSettings();
  // Puts the first six keys on the main window's items and copies them to the
  // items of the same names in the popup menus of the text and image windows;
  // the last six go to the choice window's items.
  void ApplyHotKeys(const zorvel::HotKeySet& keys);
  // The keys in force, read back from the menu items that carry them.
  zorvel::HotKeySet HotKeysInForce() const;
  // The same for the other commands' keys: on the main window's items and
  // their copies in the popup menus.
  void ApplyCommandKeys(const zorvel::CommandKeySet& keys);
  zorvel::CommandKeySet CommandKeysInForce() const;

  // Fills every field from Settings and the menu shortcuts; runs at every
  // showing.
  void FormShow();
  // Takes the fields, applies them, saves and closes; a field that is not a
  // whole number (or a scale of 0 or less) stops it with the dialog open.
  void OKClick();
  void CancelClick();
  // cbCoverRightTop is enabled exactly when cbAutoSetRightTop is checked.
  void cbAutoSetRightTopClick();

  // The fields, for the windows that look at them.
  QTabWidget* PageControl() const { return pageControl_; }
  QLineEdit* NumberField(zorvel::EntryField field) const { return numbers_[static_cast<int>(field)]; }
  THotKeyField* HotKeyField(zorvel::HotKeyCommand command) const {
    return hotKeys_[static_cast<int>(command)];
  }
  // The key field of a command on the page of the other keys; nullptr for a
  // command without a key setting.
  THotKeyField* CommandKeyField(zorvel::CommandId command) const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildSignPage();
  void BuildLineHeadPage();
  void BuildImagePage();
  void BuildImage2Page();
  void BuildHotKeyPage();
  void BuildOtherKeysPage();
  QLineEdit* NewNumberField(zorvel::EntryField field, QWidget* parent);
  void FocusField(QWidget* field);

  QTabWidget* pageControl_ = nullptr;
  QLineEdit* edSign1_ = nullptr;
  QLineEdit* edSign2_ = nullptr;
  QLineEdit* edSign3_ = nullptr;
  QLineEdit* edUserStr_ = nullptr;
  QLineEdit* edPictureFileNameFormat_ = nullptr;
  std::array<QLineEdit*, zorvel::kEntryFieldCount> numbers_{};
  QCheckBox* cbIgnoreShift_ = nullptr;
  QCheckBox* cbAutoSetRightTop_ = nullptr;
  QCheckBox* cbCoverRightTop_ = nullptr;
  std::array<QRadioButton*, 2> rgShowWay_{};
  std::array<THotKeyField*, zorvel::kHotKeyCount> hotKeys_{};
  std::vector<std::pair<zorvel::CommandId, THotKeyField*>> commandKeys_;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;

 private:
  Workbench& bench_;
};

// The objectName of the menu item that carries a hot-key command.
QString HotKeyItemName(zorvel::HotKeyCommand command);
