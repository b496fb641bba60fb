#pragma once
// The image window: an MDI child that shows one scanned page of the canon at
// the scale PictureRatio and marks on it where a character of the proof text
// stands, with a red cross through the character and a dotted navy cross
// through the middle of the view. The marker and the crosses are drawn over the
// picture at every paint, never into it.
//
// The arithmetic of the marker, the scroll and the scale lives in
// core/pages/marker_geometry; the corner search in core/pages/right_top; how a
// page is loaded and stepped in core/pages/page_loading; the calibration store
// is the workbench's CVolShift.

#include <QAbstractScrollArea>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "core/pages/calibration.h"
#include "core/pages/marker_geometry.h"
#include "core/pages/page_view.h"
#include "ui/image/page_rendering.h"

class QMenu;
class QTimer;

namespace zorvel {
class CVolShift;
struct DecodedPage;
struct Settings;
}  // namespace zorvel

class TImageForm;

// The scrolling area of the image window. Its viewport shows the part of the
// picture in view, the marker over it and the centre cross over both; its
// scroll positions are in shown picture pixels and always clamped to the range
// 0 to the picture's size minus the client size.
class TImageScroller : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TImageScroller(TImageForm* form);
  void UpdateRanges();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  TImageForm* form_;
  int wheelZoom_ = 0;  // Ctrl+wheel turn not yet spent on a zoom step
};

class Workbench;

class TImageForm : public QWidget, public zorvel::PageView {
  Q_OBJECT

 public:
  explicit TImageForm(Workbench& bench, QWidget* parent = nullptr);
  ~TImageForm() override;

  // PageView, what the text window needs.
  std::string PictureFileName() const override { return pictureFileName_; }
  // Decodes and shows a page; NotLoaded changes nothing. A page of another
  // volume switches the calibration store (ShowPageOfVolume), which may give
  // Cancelled with nothing changed.
  zorvel::PictureLoad LoadPicture(int volume, int sutra, const std::string& fileName, int page) override;
  std::string LoadFailure() const override { return loadFailure_; }
  void ShowPageNotShown(int volume, int sutra, int page, const std::string& fileName) override;
  // Finds the top-right corner of the page on display and stores it as the
  // page's first character, unless the page is calibrated already and
  // CoverRightTop is off. False when it is not found (nothing stored), or when
  // there is no page. A page that has no calibration values (see
  // CalibrationScope) is not searched: true.
  bool DetectRightTop() override;
  // Whether the page on display has calibration values in the store, and
  // those values (none for a page without them).
  zorvel::CalibrationScope CalibrationScope();
  zorvel::PageCalibration ShownCalibration();
  // Puts the marker on character charIndex of line line of register field and
  // scrolls it to the middle of the view.
  void ShowPosition(int field, int line, int charIndex) override;
  // Redraws the picture, the marker and the centre cross.
  void FormResize() override;

  // Reads the file into the page on display; false when it does not decode
  // (nothing changes then; LoadFailure says why). The hourglass shows meanwhile.
  bool DecodePicture(const std::string& fileName);
  // The previous (-1) or next (+1) page of the page on display (the rule is
  // zorvel::StepPicture); true when a page was loaded, and for a step of 0.
  bool StepPicture(int step);
  // Scrolls to the top-right corner of the page.
  void GoRightTop();
  // Hides or shows the marker and the centre cross.
  void ToggleLines();
  // Shows the page at another percentage, keeping the same part in view; the
  // marker moves onto the same character at the new scale.
  void Rescale(int percentage);

  // One step up (+1) or down (-1) the zoom ladder (zorvel::NextZoomStep): the
  // new ratio becomes PictureRatio, and the page is shown at it with the point
  // under `anchor` (a client point) kept in place; without an anchor, the
  // marker when it is in view, else the middle of the view. False when the
  // ratio is at the end of the ladder. The settings are saved as the scale
  // dialog saves them once the steps pause (a turn of the wheel writes
  // zorvel.ini once, not once a notch), or by whoever takes the ratio
  // (TakeZoomedRatio).
  bool ZoomStep(int direction, std::optional<QPoint> anchor = std::nullopt);
  // Ends the wait of a zoomed ratio: true when one was still to be saved, which
  // the caller now saves with the settings (the close does, in its one write).
  bool TakeZoomedRatio();
  // Scrolls the view by a quarter of the client area in each direction given
  // (-1, 0 or +1): left or up for -1.
  void Pan(int horizontal, int vertical);

  // The page on display.
  int PictureVolume() const { return pictureVolume_; }
  int PictureSutra() const { return pictureSutra_; }
  int PicturePage() const { return picturePage_; }
  // The decoded page (the full-size picture), or nullptr before the first load.
  const zorvel::DecodedPage* Page() const { return rendering_.Page(); }
  // Width and height of the page at full size and as shown.
  QSize PageSize() const;
  QSize ShownSize() const { return shownSize_; }
  // The marker, in shown picture pixels; -1 when there is none.
  int MarkerX() const { return markerX_; }
  int MarkerY() const { return markerY_; }
  // The character the marker stands on, in full-size page pixels; valid while
  // HasMarker().
  bool HasMarker() const { return markerPlaced_; }
  int MarkerPageX() const { return markerPageX_; }
  int MarkerPageY() const { return markerPageY_; }
  bool ShowLines() const { return showLines_; }
  // The marker's character cell on the screen, when the marker lies in the
  // part of the page the window shows.
  std::optional<QRect> MarkerCellOnScreen() const;
  // Where the mouse was last pressed, in shown picture pixels.
  int ClickX() const { return clickX_; }
  int ClickY() const { return clickY_; }

  // Scroll positions of the window; the setters clamp to the range.
  int HorzScrollPos() const;
  int VertScrollPos() const;
  void SetHorzScrollPos(int position);
  void SetVertScrollPos(int position);
  // The client area: the part of the window that shows the picture.
  QSize ClientSize() const;

  // How many pages were decoded, and how many renderings of a page were made,
  // since the window was created.
  int DecodeCount() const { return decodeCount_; }
  int RenderCount() const { return renderCount_; }

  QAbstractScrollArea* PageArea() const { return scroller_; }
  QMenu* ImagePopupMenu() const { return imagePopupMenu_; }

  // The calibration store: the workbench's.
  zorvel::CVolShift& VolShift();

 signals:
  // The page or the marker on it changed: a load, a ShowPosition, a rescale.
  void MarkerMoved();
  // A Ctrl+click on the page, at the point clicked in full-size page pixels.
  void PageClicked(int pageX, int pageY);

 private:
  friend class TImageScroller;

  // A page decoded and rendered, not yet on display.
  struct PreparedPicture {
    zorvel::PageRendering Rendering;
    int Ratio = 100;
    QSize Shown;
    int RenderCount = 0;
  };
  bool PreparePicture(const std::string& fileName, PreparedPicture& prepared);
  void ShowPrepared(PreparedPicture& prepared, const std::string& fileName);
  // The marker on a character at a ratio (remembered for Rescale), and the
  // scroll that centres it.
  zorvel::MarkerPosition MarkerAt(int field, int line, int charIndex, int ratio);
  void PlaceMarker(int field, int line, int charIndex);

  const zorvel::Settings& CurrentSettings() const;
  // A page is on display (decoded, with its file name).
  bool PageShown() const;
  // PictureRatio as the window uses it, and a percentage given to Rescale: a
  // ratio of 0 or less becomes 100, and the operator is told once.
  int Ratio();
  int UsableRatio(int ratio);
  void BuildPopupMenu();
  bool PrepareRendering();
  void PaintView(QPainter& painter, const QRect& exposed);
  void MousePress(QMouseEvent* event);
  void MouseMove(QMouseEvent* event);
  void MouseRelease(QMouseEvent* event);
  // The Ctrl+click: the client point in page pixels to PageClicked, when it
  // lies on the picture.
  void PageClick(const QPoint& client);
  // Where a zoom step without a mouse keeps the picture still.
  QPoint ZoomAnchor() const;
  // A point of the client area in shown picture pixels when it lies on the
  // picture; otherwise the client-area point itself.
  QPoint PicturePoint(const QPoint& client) const;

  TImageScroller* scroller_ = nullptr;
  QMenu* imagePopupMenu_ = nullptr;

  zorvel::PageRendering rendering_;
  std::string pictureFileName_;
  int pictureVolume_ = 0;
  int pictureSutra_ = 0;
  int picturePage_ = 0;
  int shownRatio_ = 100;  // the ratio the picture is shown at
  QSize shownSize_;
  int markerX_ = -1;
  int markerY_ = -1;
  // The character the marker stands on, to place it again at another scale.
  bool markerPlaced_ = false;
  int markerField_ = 0;
  int markerLine_ = 0;
  int markerChar_ = 0;
  int markerPageX_ = 0;
  int markerPageY_ = 0;
  std::string loadFailure_;
  int clickX_ = 0;
  int clickY_ = 0;
  bool dragging_ = false;
  int dragStartX_ = 0;
  int dragStartY_ = 0;
  int dragHorzPos_ = 0;
  int dragVertPos_ = 0;
  bool showLines_ = true;
  bool ratioWarned_ = false;
  QTimer* ratioSave_ = nullptr;  // runs while a zoomed ratio waits to be saved
  int decodeCount_ = 0;
  int renderCount_ = 0;

 private:
  Workbench& bench_;

 public:
  // The workbench the window belongs to, for the commands that act on it.
  Workbench& Bench() const { return bench_; }
};
