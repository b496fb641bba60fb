#include "ui/image/calibration_commands.h"

#include <QPoint>
#include <QRect>
#include <QStatusBar>

#include "core/pages/calibration.h"
#include "core/pages/vol_shift.h"
#include "ui/dialogs/field_shift_form.h"
#include "ui/dialogs/set_ratio_form.h"
#include "ui/image/image_form.h"
#include "ui/shell/main_form.h"
#include "ui/shell/workbench.h"

namespace zorvel {

bool MayCalibrate(TImageForm& form) {
  const CalibrationScope scope = form.CalibrationScope();
  if (scope == CalibrationScope::Ok) return true;
  form.Bench().MainForm().StatusLine()->showMessage(QString::fromUtf8(CalibrationScopeMessage(scope)));
  return false;
}

void SetRightTop(TImageForm& form, int x, int y) {
  if (!MayCalibrate(form)) return;
  const int ratio = form.Bench().Settings().PictureRatio;
  zorvel::SetRightTop(form.VolShift(), form.PicturePage(), ratio, form.ShownSize().width(), x, y);
}

void SetTopRightAtPress(TImageForm& form) {
  if (!MayCalibrate(form)) return;
  SetRightTop(form, form.ClickX(), form.ClickY());
  form.ShowPosition(0, 0, 0);
}

void SetTopRightXAtPress(TImageForm& form) {
  SetRightTop(form, form.ClickX(), -1);
}

void SetTopRightYAtPress(TImageForm& form) {
  SetRightTop(form, -1, form.ClickY());
}

void SetTopRightAtDoubleClick(TImageForm& form, const QPoint& viewPoint) {
  // The marker's surface lies over the picture only, and only while the
  // crosses show: a double-click beside the picture is no command.
  if (!form.ShowLines()) return;
  const QPoint onPicture = viewPoint + QPoint(form.HorzScrollPos(), form.VertScrollPos());
  if (!QRect(QPoint(0, 0), form.ShownSize()).contains(onPicture)) return;
  SetTopRightAtPress(form);
}

bool OpenFieldShiftForm(Workbench& bench, bool modal) {
  if (!CanSetRegisterShift(bench.ImageForm().VolShift().Volume(), bench.ImageForm().PictureVolume(),
                           bench.ImageForm().PicturePage())) {
    return false;
  }
  if (!MayCalibrate(bench.ImageForm())) return false;
  if (modal) {
    // A dialog left open from the main window becomes modal for this use.
    if (bench.FieldShiftForm().isVisible()) bench.FieldShiftForm().hide();
    bench.FieldShiftForm().exec();
  } else {
    bench.FieldShiftForm().setModal(false);
    bench.FieldShiftForm().show();
    bench.FieldShiftForm().raise();
    bench.FieldShiftForm().activateWindow();
  }
  return true;
}

void OpenSetRatio(Workbench& bench) {
  bench.fmSetRatio().exec();
}

}  // namespace zorvel
