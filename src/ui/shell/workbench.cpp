#include "ui/shell/workbench.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

#include "core/pages/vol_shift.h"
#include "core/settings/ini_file.h"
#include "ui/dialogs/about_form.h"
#include "ui/dialogs/ask_replace_form.h"
#include "ui/dialogs/auto_load_picture_form.h"
#include "ui/dialogs/auto_load_report_form.h"
#include "ui/dialogs/bookmark_form.h"
#include "ui/dialogs/field_shift_form.h"
#include "ui/dialogs/get_name_form.h"
#include "ui/dialogs/load_picture_form.h"
#include "ui/dialogs/option_form.h"
#include "ui/dialogs/replace_form.h"
#include "ui/dialogs/select_form.h"
#include "ui/dialogs/set_ratio_form.h"
#include "ui/image/image_form.h"
#include "ui/shell/hot_key_qt.h"
#include "ui/shell/main_form.h"
#include "ui/shell/qt_strings.h"
#include "ui/text/find_replace_dialog.h"
#include "ui/text/text_form.h"
#include "ui/text/text_session.h"

using zorvel::ui::Q;

namespace {

// The main window's keys are on their commands' items; the choice window's
// items are named after their keys.
QString HotKeyItemName(zorvel::HotKeyCommand command) {
  if (const zorvel::CommandEntry* carrier = zorvel::CommandOfHotKey(command)) return Q(carrier->Item);
  return "mi" + Q(zorvel::HotKeyName(command));
}

// Every item of that name in the MDI children's popup menus.
QList<QAction*> ChildItems(TMainForm& main, const QString& name) {
  QList<QAction*> items;
  for (QMdiSubWindow* window : main.ClientArea()->subWindowList()) {
    if (window->widget()) items += window->widget()->findChildren<QAction*>(name);
  }
  return items;
}

// The item's key, and the same key on its copies in the popups.
void SetKey(TMainForm& main, QAction* item, const QStringList& copies, const QKeySequence& shortcut) {
  item->setShortcut(shortcut);
  for (const QString& name : copies) {
    for (QAction* copy : ChildItems(main, name)) copy->setShortcut(shortcut);
  }
}

}  // namespace

Workbench::Workbench(zorvel::Prompts* prompts)
    : startFolder_(QDir::currentPath()),
      volShift_(std::make_unique<zorvel::CVolShift>(QFile::encodeName(startFolder_).toStdString())) {
  SetPrompts(prompts);
  // An unnamed text's recovery file goes to the start folder, beside zorvel.ini.
  text_ = std::make_unique<TextSession>(settings_, prompts_, startFolder_);
  // The order matters: the image and text windows place themselves from the
  // main window's layout, and the keys go on the menus of all of them.
  mainForm_ = std::make_unique<TMainForm>(*this);
  selectForm_ = std::make_unique<TSelectForm>(*this);
  imageForm_ = new TImageForm(*this);
  mainForm_->AttachImageForm(imageForm_);
  textForm_ = new TTextForm(*this, *text_);
  mainForm_->AttachTextForm(textForm_);
  LoadSettings();
  optionForm_ = std::make_unique<TOptionForm>(*this, mainForm_.get());
  loadPictureForm_ = std::make_unique<TLoadPictureForm>(*this, mainForm_.get());
  fieldShiftForm_ = std::make_unique<TFieldShiftForm>(*imageForm_, mainForm_.get());
  aboutForm_ = std::make_unique<TAboutForm>(mainForm_.get());
  fmReplace_ = std::make_unique<TfmReplace>(*this, mainForm_.get());
  fmBookMark_ = std::make_unique<TfmBookMark>(*this, mainForm_.get());
  fmGetName_ = std::make_unique<TfmGetName>(mainForm_.get());
  fmAskReplace_ = std::make_unique<TfmAskReplace>(mainForm_.get());
  fmSetRatio_ = std::make_unique<TfmSetRatio>(*this, mainForm_.get());
  fmAutoLoadPicture_ = std::make_unique<TfmAutoLoadPicture>(*this, mainForm_.get());
  fmAutoLoadReport_ = std::make_unique<TfmAutoLoadReport>(mainForm_.get());
  // The real prompts ask the choice window and the replace question.
  realPrompts_.SetChooseHandler(
      [this](const zorvel::ChoiceRequest& request) { return selectForm_->Choose(request); });
  realPrompts_.SetAskReplaceHandler(
      [this](const zorvel::ReplaceQuestion& q) { return fmAskReplace_->Ask(q); });
}

Workbench::~Workbench() {
  realPrompts_.SetChooseHandler(nullptr);
  realPrompts_.SetAskReplaceHandler(nullptr);
  // The dialogs first, in reverse order; the two working windows and the find
  // dialog go with the main window; the choice window last.
  fmAutoLoadReport_.reset();
  fmAutoLoadPicture_.reset();
  fmSetRatio_.reset();
  fmAskReplace_.reset();
  fmGetName_.reset();
  fmBookMark_.reset();
  fmReplace_.reset();
  aboutForm_.reset();
  fieldShiftForm_.reset();
  loadPictureForm_.reset();
  optionForm_.reset();
  mainForm_.reset();
  selectForm_.reset();
}

QString Workbench::IniFileName() const {
  return QDir(startFolder_).filePath("zorvel.ini");
}

TFindReplaceDialog& Workbench::FindReplaceDialog() {
  if (!findReplaceDialog_)
    findReplaceDialog_ = new TFindReplaceDialog(textForm_->Editor(), Prompts(), textForm_);
  return *findReplaceDialog_;
}

void Workbench::LoadSettings() {
  const zorvel::IniFile ini(QFile::encodeName(IniFileName()).toStdString());
  const std::vector<std::string> notes = zorvel::LoadSettings(ini, settings_, keys_);
  ApplyKeys();
  if (!notes.empty()) {
    QStringList lines;
    for (const std::string& note : notes) lines << QString::fromStdString(note);
    mainForm_->StatusLine()->showMessage(lines.join(QStringLiteral("  ")));
  }
}

void Workbench::ApplyKeys() {
  for (int i = 0; i < zorvel::kHotKeyCount; ++i) {
    const auto command = zorvel::HotKeyCommand(i);
    const QString name = HotKeyItemName(command);
    const QKeySequence shortcut = zorvel::HotKeyToShortcut(keys_.HotKeys[static_cast<std::size_t>(i)]);
    if (zorvel::CommandOfHotKey(command)) {
      // The main window's own item, not the popup items of that name.
      if (auto* item = mainForm_->findChild<QAction*>(name, Qt::FindDirectChildrenOnly))
        SetKey(*mainForm_, item, {name}, shortcut);
    } else {
      for (QAction* item : selectForm_->findChildren<QAction*>(name)) item->setShortcut(shortcut);
    }
  }
  // A command's popup items carry its key under the menu item's name or a
  // name of their own.
  for (const zorvel::CommandEntry& command : zorvel::Commands()) {
    if (!zorvel::HasKeySetting(command)) continue;
    QAction* item = mainForm_->CommandItem(command.Id);
    if (!item) continue;
    QStringList copies{item->objectName()};
    for (const zorvel::PopupMenuEntry* popup : {&zorvel::TextPopup(), &zorvel::ImagePopup()}) {
      for (const zorvel::PopupItemEntry& entry : popup->Items) {
        if (entry.Command == command.Id && !entry.Item.empty()) copies << Q(entry.Item);
      }
    }
    SetKey(*mainForm_, item, copies,
           zorvel::HotKeyToShortcut(keys_.CommandKeys[static_cast<std::size_t>(command.Id)]));
  }
}

bool Workbench::SaveSettings() {
  zorvel::IniFile ini(QFile::encodeName(IniFileName()).toStdString());
  return zorvel::SaveSettings(ini, settings_, keys_, prompts_);
}

zorvel::IniWrite Workbench::WriteSettingsFile(const zorvel::SettingsFileParts& parts) {
  zorvel::IniFile ini(QFile::encodeName(IniFileName()).toStdString());
  return zorvel::WriteSettingsFile(ini, parts);
}
