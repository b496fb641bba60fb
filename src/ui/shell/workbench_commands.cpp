// The commands of the command table, each carried out by the window it acts
// on. The menu bar, the toolbars, the popups and the keys all come here.

#include <QMdiArea>

#include "core/pages/calibration_save.h"
#include "core/pages/marker_geometry.h"
#include "ui/dialogs/about_form.h"
#include "ui/dialogs/auto_load_picture_form.h"
#include "ui/dialogs/bookmark_form.h"
#include "ui/dialogs/load_picture_form.h"
#include "ui/dialogs/option_form.h"
#include "ui/dialogs/replace_form.h"
#include "ui/dialogs/set_ratio_form.h"
#include "ui/image/calibration_commands.h"
#include "ui/image/image_form.h"
#include "ui/image/loupe_controller.h"
#include "ui/shell/command_bars.h"
#include "ui/shell/main_form.h"
#include "ui/shell/workbench.h"
#include "ui/text/find_replace_dialog.h"
#include "ui/text/text_form.h"

void Workbench::Run(zorvel::CommandId id) {
  using C = zorvel::CommandId;
  TMainForm& main = *mainForm_;
  TTextForm& text = *textForm_;
  TImageForm& image = *imageForm_;
  // The edit commands act on the text whatever window is active.
  zorvel::TextEditor& editor = text.Editor();
  switch (id) {
    case C::OpenFile:
      return text.FileOpen();
    case C::SaveFile:
      text.FileSave();
      return;
    case C::SaveFileAs:
      text.FileSaveAs();
      return;
    case C::Exit:
      main.close();
      return;
    case C::Undo:
      return editor.Undo();
    case C::Cut:
      return editor.Cut();
    case C::Copy:
      return editor.Copy();
    case C::Paste:
      return editor.Paste();
    case C::SelectAll:
      return editor.SelectAll();
    case C::ToggleMainToolbar:
    case C::ToggleTextToolbar:
    case C::ToggleImageToolbar:
    case C::ToggleSpecialToolbar:
    case C::ToggleBigButtonToolbar:
      return zorvel::ui::ToggleToolbar(main, id);
    case C::Options:
      optionForm_->exec();
      return;
    case C::FindNextMark:
      text.FindSign();
      return;
    case C::ShowCharacterOnPage:
      text.ShowWord();
      return;
    case C::ChooseReading:
      return text.SelectWord();
    case C::RunLoop:
      return text.RunLoop();
    case C::EditReplaceTable:
      fmReplace_->exec();
      return;
    case C::RunReplaceTable:
      return fmReplace_->RunReplaceTable();
    case C::FindAndReplace:
      return FindReplaceDialog().PresetFromSelection();
    case C::ChooseTextFont:
      return text.ChooseFont();
    case C::Bookmarks:
      fmBookMark_->exec();
      return;
    case C::OpenPage:
      loadPictureForm_->show();
      loadPictureForm_->raise();
      loadPictureForm_->activateWindow();
      return;
    case C::SaveCalibration:
      zorvel::SaveCalibrationOrAsk(*volShift_, prompts_, zorvel::CalibrationSaveOccasion::Command);
      return;
    case C::LoadPageRun:
      fmAutoLoadPicture_->exec();
      return;
    case C::PreviousPage:
      image.StepPicture(-1);
      return;
    case C::NextPage:
      image.StepPicture(+1);
      return;
    case C::GoToTopRight:
      return image.GoRightTop();
    case C::ToggleCrossLines:
      return image.ToggleLines();
    case C::SetRegisterShift:
      zorvel::OpenFieldShiftForm(*this, false);
      return;
    case C::SetScale:
      fmSetRatio_->exec();
      return;
    // The first and the last character of each register, to check a page's
    // calibration on the picture.
    case C::ShowUpperFirst:
      return image.ShowPosition(0, 0, 0);
    case C::ShowMiddleFirst:
      return image.ShowPosition(1, 0, 0);
    case C::ShowLowerFirst:
      return image.ShowPosition(2, 0, 0);
    case C::ShowUpperLast:
      return image.ShowPosition(0, zorvel::kLastLineOfRegister, zorvel::kLastCharacterOfLine);
    case C::ShowMiddleLast:
      return image.ShowPosition(1, zorvel::kLastLineOfRegister, zorvel::kLastCharacterOfLine);
    case C::ShowLowerLast:
      return image.ShowPosition(2, zorvel::kLastLineOfRegister, zorvel::kLastCharacterOfLine);
    case C::TileVertically:
      return main.TileSideBySide();
    case C::TileHorizontally:
      return main.TileInRows();
    case C::Cascade:
      return main.ClientArea()->cascadeSubWindows();
    case C::About:
      aboutForm_->exec();
      return;
    // The image window's popup: the point last pressed on the page.
    case C::SetTopRightHere:
      return zorvel::SetTopRightAtPress(image);
    case C::SetTopRightXHere:
      return zorvel::SetTopRightXAtPress(image);
    case C::SetTopRightYHere:
      return zorvel::SetTopRightYAtPress(image);
    case C::SetRegisterShiftModal:
      zorvel::OpenFieldShiftForm(*this, true);
      return;
    case C::ZoomIn:
      image.ZoomStep(+1);
      return;
    case C::ZoomOut:
      image.ZoomStep(-1);
      return;
    case C::PanLeft:
      return image.Pan(-1, 0);
    case C::PanRight:
      return image.Pan(+1, 0);
    case C::PanUp:
      return image.Pan(0, -1);
    case C::PanDown:
      return image.Pan(0, +1);
    case C::ToggleLoupe:
      return main.Loupe()->Toggle();
    case C::NextLoupeZoom:
      return main.Loupe()->NextZoom();
    case C::FindPreviousMark:
      text.FindPreviousSign();
      return;
    case C::GoToLineHead:
      return text.GoToLineHead();
  }
}
