#include "ui/shell/workbench.h"

#include <QDir>
#include <QFile>

#include "core/pages/vol_shift.h"
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
#include "ui/shell/main_form.h"
#include "ui/text/find_replace_dialog.h"
#include "ui/text/text_form.h"
#include "ui/text/text_session.h"

Workbench::Workbench(zorvel::Prompts* prompts)
    : startFolder_(QDir::currentPath()),
      volShift_(std::make_unique<zorvel::CVolShift>(QFile::encodeName(startFolder_).toStdString())) {
  SetPrompts(prompts);
  // An unnamed text's recovery file goes to the start folder, beside zorvel.ini.
  text_ = std::make_unique<TextSession>(settings_, prompts_, startFolder_);
  // The order matters: the image and text windows place themselves from the
  // main window's layout, and the options dialog puts the hot keys on the menus
  // of all of them.
  mainForm_ = std::make_unique<TMainForm>(*this);
  selectForm_ = std::make_unique<TSelectForm>(*this);
  imageForm_ = new TImageForm(*this);
  mainForm_->AttachImageForm(imageForm_);
  textForm_ = new TTextForm(*this, *text_);
  mainForm_->AttachTextForm(textForm_);
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
