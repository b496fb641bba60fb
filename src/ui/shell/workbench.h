#pragma once
// The composition root. One workbench holds everything that lives for the
// whole run: the settings, the calibration store, the prompts, and the windows
// in their start-up order. Each window gets the workbench by reference when it
// is created and reaches the others through it; nothing is global.

#include <QString>
#include <memory>

#include "core/proof/bookmarks.h"
#include "core/proof/replace_table.h"
#include "core/settings/command_table.h"
#include "core/settings/settings.h"
#include "core/settings/settings_file.h"
#include "ui/shell/qt_prompts.h"

namespace zorvel {
class CVolShift;
}
class TMainForm;
class TSelectForm;
class TImageForm;
class TTextForm;
class TOptionForm;
class TLoadPictureForm;
class TFieldShiftForm;
class TAboutForm;
class TfmReplace;
class TfmBookMark;
class TfmGetName;
class TfmAskReplace;
class TfmSetRatio;
class TfmAutoLoadPicture;
class TfmAutoLoadReport;
class TFindReplaceDialog;
class TextSession;

class Workbench {
 public:
  // Takes the current folder as the start folder (zorvel.ini and the
  // calibration files live there) and creates the windows in their order.
  // Questions go to prompts when given (tests), otherwise to real message boxes.
  // The settings and keys are read once the windows that carry keys exist.
  explicit Workbench(zorvel::Prompts* prompts = nullptr);
  ~Workbench();
  Workbench(const Workbench&) = delete;
  Workbench& operator=(const Workbench&) = delete;

  const QString& StartFolder() const { return startFolder_; }
  // StartFolder joined with "zorvel.ini".
  QString IniFileName() const;

  zorvel::Settings& Settings() { return settings_; }
  // The keys in force: read with the settings at start, changed by the options
  // dialog. ApplyKeys puts them on the menu items.
  zorvel::KeyBindings& Keys() { return keys_; }
  // The first six hot keys and the other commands' keys go on the main
  // window's items and their copies in the text and image windows' popups; the
  // last six on the choice window's items.
  void ApplyKeys();
  // Writes the settings and the keys to zorvel.ini and tells a failure
  // (zorvel::SaveSettings). True when they were written.
  bool SaveSettings();
  // The one write of zorvel.ini: the parts given, in one rewrite.
  zorvel::IniWrite WriteSettingsFile(const zorvel::SettingsFileParts& parts);
  zorvel::CVolShift& VolShift() { return *volShift_; }
  // The replacement table the replacement-table editor builds and the run uses.
  zorvel::ReplaceTable& ReplaceTable() { return replaceTable_; }
  // The bookmark list of zorvel.ini, as the bookmark window shows it.
  zorvel::BookmarkList& Bookmarks() { return bookmarks_; }
  // The proof text: its edit control, document operations, recovery file and
  // the proofreading loop's working fields. The text window shows it.
  TextSession& Text() { return *text_; }
  // The prompts every window asks through. They pass each question on to the
  // prompts in place at that moment, so a window may keep the reference.
  zorvel::Prompts& Prompts() { return prompts_; }
  // The real message boxes, where the choice window and the replace question
  // register as handlers.
  QtPrompts& RealPrompts() { return realPrompts_; }
  // Puts p in place of the prompts; nullptr restores the real ones.
  void SetPrompts(zorvel::Prompts* p) { prompts_.Target = p ? p : &realPrompts_; }

  TMainForm& MainForm() { return *mainForm_; }
  TSelectForm& SelectForm() { return *selectForm_; }
  TImageForm& ImageForm() { return *imageForm_; }
  TTextForm& TextForm() { return *textForm_; }
  TOptionForm& OptionForm() { return *optionForm_; }
  TLoadPictureForm& LoadPictureForm() { return *loadPictureForm_; }
  TFieldShiftForm& FieldShiftForm() { return *fieldShiftForm_; }
  TAboutForm& AboutForm() { return *aboutForm_; }
  TfmReplace& fmReplace() { return *fmReplace_; }
  TfmBookMark& fmBookMark() { return *fmBookMark_; }
  TfmGetName& fmGetName() { return *fmGetName_; }
  TfmAskReplace& fmAskReplace() { return *fmAskReplace_; }
  TfmSetRatio& fmSetRatio() { return *fmSetRatio_; }
  TfmAutoLoadPicture& fmAutoLoadPicture() { return *fmAutoLoadPicture_; }
  TfmAutoLoadReport& fmAutoLoadReport() { return *fmAutoLoadReport_; }
  // The text window's find-and-replace dialog, made on first use.
  TFindReplaceDialog& FindReplaceDialog();

  // Carries out a command of the command table, as its menu item, its buttons,
  // its popup items and its key do.
  void Run(zorvel::CommandId id);

 private:
  // Reads the settings and the keys, puts the keys on the items and tells the
  // keys the file gave that are not in force on the status line.
  void LoadSettings();

  QString startFolder_;
  zorvel::Settings settings_;
  zorvel::KeyBindings keys_;
  std::unique_ptr<zorvel::CVolShift> volShift_;
  zorvel::ReplaceTable replaceTable_;
  zorvel::BookmarkList bookmarks_;
  class ForwardingPrompts : public zorvel::Prompts {
   public:
    zorvel::Prompts* Target = nullptr;
    void Message(std::string_view text) override { Target->Message(text); }
    void Error(std::string_view text) override { Target->Error(text); }
    bool AskYesNo(std::string_view text) override { return Target->AskYesNo(text); }
    zorvel::Answer AskYesNoCancel(std::string_view text) override { return Target->AskYesNoCancel(text); }
    zorvel::ChoiceAnswer Choose(const zorvel::ChoiceRequest& r) override { return Target->Choose(r); }
    zorvel::ReplaceAnswer AskReplace(const zorvel::ReplaceQuestion& q) override {
      return Target->AskReplace(q);
    }
  };
  QtPrompts realPrompts_;
  ForwardingPrompts prompts_;
  // After the prompts it asks, before the windows that show it.
  std::unique_ptr<TextSession> text_;

  // Owned here, destroyed in reverse order; the image and text windows belong
  // to the main window's client area and go with it.
  std::unique_ptr<TMainForm> mainForm_;
  std::unique_ptr<TSelectForm> selectForm_;
  TImageForm* imageForm_ = nullptr;
  TTextForm* textForm_ = nullptr;
  std::unique_ptr<TOptionForm> optionForm_;
  std::unique_ptr<TLoadPictureForm> loadPictureForm_;
  std::unique_ptr<TFieldShiftForm> fieldShiftForm_;
  std::unique_ptr<TAboutForm> aboutForm_;
  std::unique_ptr<TfmReplace> fmReplace_;
  std::unique_ptr<TfmBookMark> fmBookMark_;
  std::unique_ptr<TfmGetName> fmGetName_;
  std::unique_ptr<TfmAskReplace> fmAskReplace_;
  std::unique_ptr<TfmSetRatio> fmSetRatio_;
  std::unique_ptr<TfmAutoLoadPicture> fmAutoLoadPicture_;
  std::unique_ptr<TfmAutoLoadReport> fmAutoLoadReport_;
  TFindReplaceDialog* findReplaceDialog_ = nullptr;
};
