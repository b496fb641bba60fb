#include "ui/image/image_form.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <limits>
#include <memory>

#include "codec/a_tif_g4.h"
#include "codec/g4_decoder.h"
#include "core/pages/marker_geometry.h"
#include "core/pages/page_failure.h"
#include "core/pages/page_loading.h"
#include "core/pages/page_zoom.h"
#include "core/pages/right_top.h"
#include "core/pages/vol_shift.h"
#include "core/pages/wildcard.h"
#include "core/settings/settings.h"
#include "core/text/big5.h"
#include "ui/image/calibration_commands.h"
#include "ui/image/page_bitmap.h"
#include "ui/shell/busy_cursor.h"
#include "ui/shell/command_popup.h"
#include "ui/shell/main_form.h"
#include "ui/shell/qt_prompts.h"
#include "ui/shell/qt_strings.h"
#include "ui/shell/workbench.h"

using zorvel::ui::U;

namespace {

// How long the zoom steps pause before the ratio is saved.
constexpr int kRatioSaveDelayMs = 600;

const QColor kMarkerColour(255, 0, 0);
const QColor kCentreColour(0, 0, 128);

}  // namespace

// ---------------------------------------------------------------------------
// The scrolling area

TImageScroller::TImageScroller(TImageForm* form) : QAbstractScrollArea(form), form_(form) {
  setObjectName("ImageShow");
  setFrameShape(QFrame::NoFrame);
  viewport()->setObjectName("PaintBox");
  // The paper is white; around it and before the first page the window is grey.
  viewport()->setBackgroundRole(QPalette::Mid);
  viewport()->setAutoFillBackground(true);
  viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
  horizontalScrollBar()->setSingleStep(20);
  verticalScrollBar()->setSingleStep(20);
}

void TImageScroller::UpdateRanges() {
  const QSize shown = form_->ShownSize();
  const QSize client = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, shown.width() - client.width()));
  verticalScrollBar()->setRange(0, std::max(0, shown.height() - client.height()));
  horizontalScrollBar()->setPageStep(std::max(1, client.width()));
  verticalScrollBar()->setPageStep(std::max(1, client.height()));
}

void TImageScroller::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  form_->PaintView(painter, event->rect());
}

void TImageScroller::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateRanges();
  form_->FormResize();
}

void TImageScroller::scrollContentsBy(int, int) {
  // The centre cross stays where it is while the picture moves, so the whole
  // view is painted again; the picture itself is only copied.
  viewport()->update();
}

void TImageScroller::mousePressEvent(QMouseEvent* event) {
  form_->MousePress(event);
}

void TImageScroller::mouseMoveEvent(QMouseEvent* event) {
  form_->MouseMove(event);
}

void TImageScroller::mouseReleaseEvent(QMouseEvent* event) {
  form_->MouseRelease(event);
}

void TImageScroller::mouseDoubleClickEvent(QMouseEvent* event) {
  // The press of a double-click sets the click point like any press; then the
  // point is taken as the first character's corner. With Ctrl held it is only
  // a second Ctrl+click, never a calibration.
  form_->MousePress(event);
  if (event->modifiers() & Qt::ControlModifier) return;
  if (event->button() == Qt::LeftButton)
    zorvel::SetTopRightAtDoubleClick(*form_, event->position().toPoint());
}

void TImageScroller::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    wheelZoom_ = 0;
    QAbstractScrollArea::wheelEvent(event);
    return;
  }
  // One zoom step per notch (120), forward zooms in, about the mouse.
  wheelZoom_ += event->angleDelta().y();
  while (wheelZoom_ >= 120 || wheelZoom_ <= -120) {
    const int direction = wheelZoom_ > 0 ? 1 : -1;
    wheelZoom_ -= direction * 120;
    form_->ZoomStep(direction, event->position().toPoint());
  }
  event->accept();
}

// ---------------------------------------------------------------------------
// The window

TImageForm::TImageForm(Workbench& bench, QWidget* parent) : QWidget(parent), bench_(bench) {
  setObjectName("ImageForm");
  setWindowTitle("(no image)");

  scroller_ = new TImageScroller(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroller_);

  BuildPopupMenu();

  ratioSave_ = new QTimer(this);
  ratioSave_->setSingleShot(true);
  ratioSave_->setInterval(kRatioSaveDelayMs);
  connect(ratioSave_, &QTimer::timeout, this, [this] { bench_.SaveSettings(); });
}

TImageForm::~TImageForm() {}

// The popup from the command table; its items run their commands as the main
// window's menu items do. The calibration items act on the point last pressed.
// The page keys are shown here and act through the main window's items.
void TImageForm::BuildPopupMenu() {
  imagePopupMenu_ = zorvel::ui::BuildCommandPopup(zorvel::ImagePopup(), this, Qt::WidgetShortcut,
                                                  [this](zorvel::CommandId id) { bench_.Run(id); });
}

const zorvel::Settings& TImageForm::CurrentSettings() const {
  return bench_.Settings();
}

int TImageForm::Ratio() {
  return UsableRatio(CurrentSettings().PictureRatio);
}

int TImageForm::UsableRatio(int ratio) {
  const int usable = zorvel::EffectivePictureRatio(ratio);
  if (usable == ratio) {
    ratioWarned_ = false;
  } else if (!ratioWarned_) {
    ratioWarned_ = true;
    bench_.Prompts().Message(zorvel::kRatioReplaced);
  }
  return usable;
}

zorvel::CVolShift& TImageForm::VolShift() {
  return bench_.VolShift();
}

QSize TImageForm::PageSize() const {
  const zorvel::DecodedPage* page = Page();
  return page ? QSize(page->Width, page->Height) : QSize(0, 0);
}

// --- loading ---------------------------------------------------------------

zorvel::PictureLoad TImageForm::LoadPicture(int volume, int sutra, const std::string& fileName, int page) {
  PreparedPicture prepared;
  if (!PreparePicture(fileName, prepared)) return zorvel::PictureLoad::NotLoaded;
  return zorvel::ShowPageOfVolume(VolShift(), bench_.Prompts(), volume, [&] {
    ShowPrepared(prepared, fileName);
    pictureFileName_ = fileName;
    pictureVolume_ = volume;
    pictureSutra_ = sutra;
    picturePage_ = page;
    markerX_ = markerY_ = -1;
    markerPlaced_ = false;
    FormResize();
    emit MarkerMoved();
  });
}

void TImageForm::ShowPageNotShown(int volume, int sutra, int page, const std::string& fileName) {
  rendering_ = zorvel::PageRendering{};
  shownSize_ = QSize();
  pictureFileName_.clear();
  pictureVolume_ = volume;
  pictureSutra_ = sutra;
  picturePage_ = page;
  markerX_ = markerY_ = -1;
  markerPlaced_ = false;
  scroller_->UpdateRanges();
  setWindowTitle(QString::fromStdString(zorvel::PageNotShownCaption(zorvel::Big5ToUtf8(fileName))));
  FormResize();
  emit MarkerMoved();
}

bool TImageForm::PreparePicture(const std::string& fileName, PreparedPicture& prepared) {
  loadFailure_.clear();
  zorvel::InitCodeTables();
  zorvel::ATifG4 reader(zorvel::Big5PathToNative(fileName));
  zorvel::ui::BusyCursor busy;
  if (const std::uint8_t result = zorvel::ReadPage(reader); result != zorvel::erOk) {
    loadFailure_ = zorvel::DescribePageReadFailure(reader, result);
    return false;
  }

  // The new page and its picture at the current scale are made before anything
  // is replaced, so that a page that cannot be shown leaves the old one.
  auto page = std::make_shared<zorvel::DecodedPage>(std::move(reader.Page));
  prepared.Ratio = Ratio();
  const zorvel::PictureSize shown = zorvel::ShownPictureSize(page->Width, page->Height, prepared.Ratio);
  QImage bitmap = zorvel::MakePageBitmap(*page);
  if (bitmap.isNull()) {
    loadFailure_ = zorvel::kPictureNotMade;
    return false;
  }
  prepared.Rendering.SetPage(page, std::move(bitmap));
  bool made = false;
  if (!prepared.Rendering.Prepare(prepared.Ratio, zorvel::PictureScale(prepared.Ratio), shown.Width,
                                  shown.Height, &made)) {
    loadFailure_ = zorvel::kPictureNotMade;
    return false;
  }
  prepared.RenderCount = made;
  prepared.Shown = QSize(shown.Width, shown.Height);
  return true;
}

void TImageForm::ShowPrepared(PreparedPicture& prepared, const std::string& fileName) {
  renderCount_ += prepared.RenderCount;
  ++decodeCount_;
  rendering_ = std::move(prepared.Rendering);
  shownRatio_ = prepared.Ratio;
  shownSize_ = prepared.Shown;
  scroller_->UpdateRanges();
  FormResize();
  setWindowTitle(QString::fromStdString(zorvel::Big5ToUtf8(fileName)));
}

bool TImageForm::DecodePicture(const std::string& fileName) {
  PreparedPicture prepared;
  if (!PreparePicture(fileName, prepared)) return false;
  ShowPrepared(prepared, fileName);
  return true;
}

bool TImageForm::PrepareRendering() {
  const QSize page = PageSize();
  if (page.isEmpty()) return false;
  bool made = false;
  const bool ready = rendering_.Prepare(shownRatio_, zorvel::PictureScale(shownRatio_), shownSize_.width(),
                                        shownSize_.height(), &made);
  renderCount_ += made;
  return ready;
}

bool TImageForm::PageShown() const {
  return !pictureFileName_.empty() && Page() != nullptr;
}

zorvel::CalibrationScope TImageForm::CalibrationScope() {
  return zorvel::PageCalibrationScope(VolShift(), PageShown(), pictureVolume_, picturePage_);
}

zorvel::PageCalibration TImageForm::ShownCalibration() {
  return zorvel::ShownPageCalibration(VolShift(), PageShown(), pictureVolume_, picturePage_);
}

bool TImageForm::DetectRightTop() {
  const zorvel::DecodedPage* page = Page();
  if (!page || pictureFileName_.empty()) return false;
  // A page without calibration values is not searched: there is nothing to
  // store the corner in, and nothing failed.
  if (CalibrationScope() != zorvel::CalibrationScope::Ok) return true;
  return zorvel::DetectRightTop(*page, CurrentSettings(), VolShift(), picturePage_);
}

// --- the marker --------------------------------------------------------------

zorvel::MarkerPosition TImageForm::MarkerAt(int field, int line, int charIndex, int ratio) {
  zorvel::Settings settings = CurrentSettings();
  settings.PictureRatio = ratio;
  zorvel::ViewGeometry view;
  view.PageWidth = PageSize().width();
  // The marker is placed on the picture as shown.
  const QSize client = ClientSize();
  view.ClientWidth = client.width();
  view.ClientHeight = client.height();
  const zorvel::MarkerPosition at =
      zorvel::ComputeShowPosition(settings, ShownCalibration(), view, field, line, charIndex);
  markerX_ = at.MarkerX;
  markerY_ = at.MarkerY;
  markerPlaced_ = true;
  markerField_ = field;
  markerLine_ = line;
  markerChar_ = charIndex;
  markerPageX_ = at.PageX;
  markerPageY_ = at.PageY;
  emit MarkerMoved();
  return at;
}

void TImageForm::PlaceMarker(int field, int line, int charIndex) {
  MarkerAt(field, line, charIndex, shownRatio_);
}

void TImageForm::ShowPosition(int field, int line, int charIndex) {
  const zorvel::MarkerPosition at = MarkerAt(field, line, charIndex, Ratio());
  SetVertScrollPos(at.ScrollY);
  SetHorzScrollPos(at.ScrollX);
  FormResize();
}

void TImageForm::FormResize() {
  scroller_->viewport()->update();
}

// --- paging and scrolling ----------------------------------------------------

bool TImageForm::StepPicture(int step) {
  const zorvel::PageStep result = zorvel::StepPicture(CurrentSettings(), *this, bench_.Prompts(),
                                                      {pictureVolume_, pictureSutra_, picturePage_}, step);
  if (result == zorvel::PageStep::Loaded) {
    SetVertScrollPos(0);
    SetHorzScrollPos(PageSize().width());
  }
  return result == zorvel::PageStep::Loaded || result == zorvel::PageStep::Stayed;
}

void TImageForm::GoRightTop() {
  SetVertScrollPos(0);
  SetHorzScrollPos(shownSize_.width());
}

void TImageForm::ToggleLines() {
  showLines_ = !showLines_;
  FormResize();
}

void TImageForm::Rescale(int percentage) {
  if (pictureFileName_.empty()) return;
  percentage = UsableRatio(percentage);
  const QSize page = PageSize();
  const zorvel::RescaleResult next = zorvel::ComputeRescale(
      page.width(), page.height(), percentage, shownSize_.height(), HorzScrollPos(), VertScrollPos());
  const int oldRatio = shownRatio_;
  const QSize oldSize = shownSize_;
  shownRatio_ = percentage;
  shownSize_ = QSize(next.Shown.Width, next.Shown.Height);
  if (!PrepareRendering()) {
    // No memory for the picture at that scale: it stays as it was.
    shownRatio_ = oldRatio;
    shownSize_ = oldSize;
    return;
  }
  scroller_->UpdateRanges();
  SetVertScrollPos(next.ScrollY);
  SetHorzScrollPos(next.ScrollX);
  if (markerPlaced_) PlaceMarker(markerField_, markerLine_, markerChar_);
  FormResize();
}

QPoint TImageForm::ZoomAnchor() const {
  const QSize client = ClientSize();
  const QPoint marker(markerX_ - HorzScrollPos(), markerY_ - VertScrollPos());
  if (markerPlaced_ && QRect(QPoint(0, 0), client).contains(marker)) return marker;
  return QPoint(client.width() / 2, client.height() / 2);
}

bool TImageForm::ZoomStep(int direction, std::optional<QPoint> anchor) {
  const int current = Ratio();
  const int next = direction > 0 ? zorvel::NextZoomStep(current) : zorvel::PreviousZoomStep(current);
  if (next == current) return false;
  // As the scale dialog does: the new scale is the setting, and it is saved.
  bench_.Settings().PictureRatio = next;
  ratioSave_->start();
  if (pictureFileName_.empty()) return true;
  const QPoint at = anchor ? *anchor : ZoomAnchor();
  const int oldRatio = shownRatio_;
  const int horz = HorzScrollPos();
  const int vert = VertScrollPos();
  Rescale(next);
  if (shownRatio_ == next) {
    SetHorzScrollPos(zorvel::ScrollKeepingPoint(horz, at.x(), oldRatio, next));
    SetVertScrollPos(zorvel::ScrollKeepingPoint(vert, at.y(), oldRatio, next));
  }
  FormResize();
  return true;
}

bool TImageForm::TakeZoomedRatio() {
  if (!ratioSave_->isActive()) return false;
  ratioSave_->stop();
  return true;
}

void TImageForm::Pan(int horizontal, int vertical) {
  const QSize client = ClientSize();
  const auto step = [](int size) { return std::max(20, size / 4); };
  if (horizontal != 0) SetHorzScrollPos(HorzScrollPos() + horizontal * step(client.width()));
  if (vertical != 0) SetVertScrollPos(VertScrollPos() + vertical * step(client.height()));
}

int TImageForm::HorzScrollPos() const {
  return scroller_->horizontalScrollBar()->value();
}

int TImageForm::VertScrollPos() const {
  return scroller_->verticalScrollBar()->value();
}

void TImageForm::SetHorzScrollPos(int position) {
  scroller_->horizontalScrollBar()->setValue(position);
}

void TImageForm::SetVertScrollPos(int position) {
  scroller_->verticalScrollBar()->setValue(position);
}

std::optional<QRect> TImageForm::MarkerCellOnScreen() const {
  if (!markerPlaced_ || markerX_ < 0 || markerY_ < 0) return std::nullopt;
  const QPoint client(markerX_ - HorzScrollPos(), markerY_ - VertScrollPos());
  if (!QRect(QPoint(0, 0), ClientSize()).contains(client)) return std::nullopt;
  // A character cell as shown, and never smaller than the cross's own arms.
  const zorvel::Settings& settings = CurrentSettings();
  const double scale = zorvel::PictureScale(shownRatio_);
  const auto half = [scale](int size) {
    return std::max(8, static_cast<int>(std::clamp(size, 0, 100000) * scale / 2));
  };
  const int halfWidth = half(settings.WordWidth);
  const int halfHeight = half(settings.WordHeight);
  const QPoint centre = scroller_->viewport()->mapToGlobal(client);
  return QRect(centre.x() - halfWidth, centre.y() - halfHeight, 2 * halfWidth + 1, 2 * halfHeight + 1);
}

QSize TImageForm::ClientSize() const {
  return scroller_->viewport()->size();
}

// --- painting ----------------------------------------------------------------

void TImageForm::PaintView(QPainter& painter, const QRect& exposed) {
  const QPoint origin(-HorzScrollPos(), -VertScrollPos());
  const QRect picture(origin, shownSize_);
  const QRect visible = picture.intersected(exposed);
  if (!visible.isEmpty()) {
    rendering_.Paint(painter, visible.topLeft(), visible.translated(-origin), shownRatio_,
                     zorvel::PictureScale(shownRatio_));
  }
  if (!showLines_) return;

  // The marker: two full-length lines through the character, over the picture.
  if (!shownSize_.isEmpty()) {
    painter.save();
    painter.setClipRect(picture);
    painter.setPen(QPen(kMarkerColour, 2, Qt::SolidLine));
    const long long x = static_cast<long long>(markerX_) + origin.x();
    const long long y = static_cast<long long>(markerY_) + origin.y();
    // Far-off markers are drawn as lines just outside the view.
    auto near = [](long long v) {
      return static_cast<int>(std::clamp<long long>(v, -16, std::numeric_limits<short>::max()));
    };
    painter.drawLine(near(x), picture.top(), near(x), picture.bottom() + 1);
    painter.drawLine(picture.left(), near(y), picture.right() + 1, near(y));
    painter.restore();
  }

  // The centre cross of the view.
  const QSize client = ClientSize();
  painter.setPen(QPen(kCentreColour, 1, Qt::DotLine));
  painter.drawLine(client.width() / 2, 0, client.width() / 2, client.height());
  painter.drawLine(0, client.height() / 2, client.width(), client.height() / 2);
}

// --- the mouse -----------------------------------------------------------------

QPoint TImageForm::PicturePoint(const QPoint& client) const {
  const QPoint onPicture = client + QPoint(HorzScrollPos(), VertScrollPos());
  if (QRect(QPoint(0, 0), shownSize_).contains(onPicture)) return onPicture;
  return client;
}

void TImageForm::PageClick(const QPoint& client) {
  const QPoint onPicture = client + QPoint(HorzScrollPos(), VertScrollPos());
  if (!QRect(QPoint(0, 0), shownSize_).contains(onPicture)) return;
  const QSize page = PageSize();
  // trunc(u / s) of the last shown pixel can reach the page's edge; it stays on the page.
  emit PageClicked(std::min(zorvel::ScaleToPage(onPicture.x(), shownRatio_), page.width() - 1),
                   std::min(zorvel::ScaleToPage(onPicture.y(), shownRatio_), page.height() - 1));
}

void TImageForm::MousePress(QMouseEvent* event) {
  const QPoint at = PicturePoint(event->position().toPoint());
  clickX_ = at.x();
  clickY_ = at.y();
  if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier)) {
    // A Ctrl+click asks for the text at the point; it does not pan.
    PageClick(event->position().toPoint());
  } else if (event->button() == Qt::LeftButton) {
    dragging_ = true;
    dragStartX_ = clickX_;
    dragStartY_ = clickY_;
    dragVertPos_ = VertScrollPos();
    dragHorzPos_ = HorzScrollPos();
  } else if (event->button() == Qt::RightButton) {
    imagePopupMenu_->popup(event->globalPosition().toPoint());
  }
  event->accept();
}

void TImageForm::MouseMove(QMouseEvent* event) {
  if (!dragging_) return;
  scroller_->viewport()->setCursor(Qt::ClosedHandCursor);
  // The point on the picture, which moves with the scroll.
  const QPoint at = event->position().toPoint() + QPoint(HorzScrollPos(), VertScrollPos());
  SetHorzScrollPos(static_cast<int>(
      std::clamp<long long>(static_cast<long long>(dragHorzPos_) - (at.x() - dragStartX_), 0, INT_MAX)));
  SetVertScrollPos(static_cast<int>(
      std::clamp<long long>(static_cast<long long>(dragVertPos_) - (at.y() - dragStartY_), 0, INT_MAX)));
  dragHorzPos_ = HorzScrollPos();
  dragVertPos_ = VertScrollPos();
  event->accept();
}

void TImageForm::MouseRelease(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  scroller_->viewport()->unsetCursor();
  dragging_ = false;
  const QPoint at = PicturePoint(event->position().toPoint());
  dragStartX_ = at.x();
  dragStartY_ = at.y();
  event->accept();
}
