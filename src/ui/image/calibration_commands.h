#pragma once
// The operator's calibration commands on the page in the image window: the
// popup items that take the point pressed as the first character's top-right
// corner, the double-click that does the same, and the register shift dialog.
// The point used is the image window's ClickX and ClickY: where the mouse was
// last pressed on the picture, by any button.

class QPoint;
class TImageForm;
class Workbench;

namespace zorvel {

// True when the page on display has calibration values to set; otherwise the
// status line says why the command does nothing.
bool MayCalibrate(TImageForm& form);

// SetRightTop (x, y) on the page on display: scaled picture pixels, a negative
// coordinate leaves its value alone.
void SetRightTop(TImageForm& form, int x, int y);

// "設定為右上角第一個字 (X,Y)": both coordinates, then the marker on the first
// character.
void SetTopRightAtPress(TImageForm& form);
// "設定為右上角第一個字的X座標" and "...的Y座標": one coordinate, no redraw.
void SetTopRightXAtPress(TImageForm& form);
void SetTopRightYAtPress(TImageForm& form);
// A double-click at a point of the view (client-area pixels): as SetTopRightAtPress when
// the point lies on the picture and the crosses are shown; otherwise nothing.
void SetTopRightAtDoubleClick(TImageForm& form, const QPoint& viewPoint);

// The register shift dialog, modal from the popup ("設定特殊欄的行偏移") and
// not modal from the main window; only while the store holds a volume and a
// page is on display. False when it was not opened.
bool OpenFieldShiftForm(Workbench& bench, bool modal);
// "設定圖形比例" of the popup: the scale dialog, modal.
void OpenSetRatio(Workbench& bench);

}  // namespace zorvel
