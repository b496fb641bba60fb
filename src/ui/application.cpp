#include "ui/application.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include "ui/about_form.h"
#include "ui/ask_replace_form.h"
#include "ui/auto_load_picture_form.h"
#include "ui/auto_load_report_form.h"
#include "ui/bookmark_form.h"
#include "ui/exit_signals.h"
#include "ui/field_shift_form.h"
#include "ui/get_name_form.h"
#include "ui/icons/tool_icons.h"
#include "ui/image_form.h"
#include "ui/load_picture_form.h"
#include "ui/main_form.h"
#include "ui/option_form.h"
#include "ui/replace_form.h"
#include "ui/select_form.h"
#include "ui/set_ratio_form.h"
#include "ui/text_form.h"

namespace zorvel {

void InstallFontSubstitutions() {
  const QString ming = QString::fromUtf8("細明體");
  if (!QFont::substitutes(ming).isEmpty()) return;
  // AR PL UMing (fonts-arphic-uming) is the Ming face of the Debian desktop; its
  // TW cut carries the traditional forms.
  QFont::insertSubstitutions(ming, {"AR PL UMing TW", "AR PL UMing HK", "AR PL UMing CN",
                                    "AR PL Mingti2L Big5", "Noto Serif CJK TC"});
}

void CreateZorvelWindows() {
  QApplication::setApplicationName("Zorvel");
  InstallFontSubstitutions();
  QApplication::setWindowIcon(ToolIcon("ToolbarButton9710"));
  // The order matters: the image and text windows place themselves from the
  // main window's layout, and the options dialog puts the hot keys on the menus
  // of all of them.
  MainForm = new TMainForm();
  SelectForm = new TSelectForm();
  ImageForm = new TImageForm();
  MainForm->AttachImageForm(ImageForm);
  TextForm = new TTextForm();
  MainForm->AttachTextForm(TextForm);
  OptionForm = new TOptionForm(MainForm);
  LoadPictureForm = new TLoadPictureForm(MainForm);
  FieldShiftForm = new TFieldShiftForm(MainForm);
  AboutForm = new TAboutForm(MainForm);
  fmReplace = new TfmReplace(MainForm);
  fmBookMark = new TfmBookMark(MainForm);
  fmGetName = new TfmGetName(MainForm);
  fmAskReplace = new TfmAskReplace(MainForm);
  fmSetRatio = new TfmSetRatio(MainForm);
  fmAutoLoadPicture = new TfmAutoLoadPicture(MainForm);
  fmAutoLoadReport = new TfmAutoLoadReport(MainForm);
}

void DestroyZorvelWindows() {
  delete fmAutoLoadReport;
  fmAutoLoadReport = nullptr;
  delete fmAutoLoadPicture;
  fmAutoLoadPicture = nullptr;
  delete fmSetRatio;
  fmSetRatio = nullptr;
  delete fmAskReplace;
  fmAskReplace = nullptr;
  delete fmGetName;
  fmGetName = nullptr;
  delete fmBookMark;
  fmBookMark = nullptr;
  delete fmReplace;
  fmReplace = nullptr;
  delete AboutForm;
  AboutForm = nullptr;
  delete FieldShiftForm;
  FieldShiftForm = nullptr;
  delete LoadPictureForm;
  LoadPictureForm = nullptr;
  delete OptionForm;
  OptionForm = nullptr;
  // The MDI children go with the main window.
  delete MainForm;
  MainForm = nullptr;
  ImageForm = nullptr;
  TextForm = nullptr;
  delete SelectForm;
  SelectForm = nullptr;
}

void InstallExitOnSignals() {
  InstallExitSignals([](int) {
    if (MainForm) MainForm->SaveForExit();
    QApplication::exit(0);
  });
}

int RunZorvel(QApplication& app) {
  CreateZorvelWindows();
  InstallExitOnSignals();
  MainForm->show();
  const int result = app.exec();
  RemoveExitSignals();
  DestroyZorvelWindows();
  return result;
}

}  // namespace zorvel
