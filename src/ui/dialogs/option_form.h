#pragma once
// The options dialog. Shown modally, it edits every setting, the twelve hot
// keys and the keys of the other commands on six pages, starting each showing
// from the workbench's settings and keys; confirming puts them in force at
// once, has the workbench put the keys on the menus and write them to
// zorvel.ini, and hands the scale to the image window.

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
  explicit TOptionForm(Workbench& bench, QWidget* parent = nullptr);

  // The workbench's settings, which every window reads.
  zorvel::Settings& Settings;

  // Fills every field from Settings and the keys in force; runs at every
  // showing.
  void FormShow();
  // Takes the fields, applies them, saves and closes. A key another command
  // has, a field that is not a whole number, or a scale or spacing out of its
  // range (ApplySettingsEntry) stops it with the dialog open at that field.
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

  Workbench& bench_;
};
