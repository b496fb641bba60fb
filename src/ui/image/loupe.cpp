#include "ui/image/loupe.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <algorithm>
#include <cstring>
#include <vector>

#include "codec/decoded_page.h"
#include "core/settings/settings.h"
#include "ui/image/image_form.h"
#include "ui/shell/workbench.h"

namespace {

// Around the page, and with no marker to show, the loupe is grey as the image
// window is.
constexpr std::uint8_t kOutside = 0xA0;
const QColor kCrossColour(255, 0, 0);

}  // namespace

TLoupe::TLoupe(TImageForm& form, QWidget* parent) : QWidget(parent), form_(form) {
  setObjectName("Loupe");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(60, 60);
  connect(&form_, &TImageForm::MarkerMoved, this, &TLoupe::Follow);
}

void TLoupe::SetZoom(int zoom) {
  zoom = zorvel::UsableLoupeZoom(zoom);
  if (zoom == zoom_) return;
  zoom_ = zoom;
  // Its size hint changed with it.
  updateGeometry();
  Follow();
  emit ZoomChanged();
}

bool TLoupe::HasSubject() const {
  return form_.Page() != nullptr && form_.HasMarker() && !form_.PictureFileName().empty();
}

zorvel::LoupeView TLoupe::View() const {
  return {form_.MarkerPageX(), form_.MarkerPageY(), zoom_, width(), height()};
}

QSize TLoupe::sizeHint() const {
  const zorvel::Settings& settings = form_.Bench().Settings();
  const QRect area = screen()->availableGeometry();
  const zorvel::WindowBounds size =
      zorvel::LoupeSize(settings.LineSpace, settings.WordHeight, zoom_, {0, 0, area.width(), area.height()});
  return {size.Width, size.Height};
}

void TLoupe::Follow() {
  stale_ = true;
  // Rendered now only when it is seen; a hidden loupe renders when it shows.
  if (isVisible()) update();
}

const QImage& TLoupe::Picture() {
  if (stale_ || picture_.size() != size()) Render();
  return picture_;
}

void TLoupe::Render() {
  stale_ = false;
  ++renderCount_;
  const int w = std::max(1, width());
  const int h = std::max(1, height());
  if (picture_.size() != QSize(w, h)) picture_ = QImage(w, h, QImage::Format_Grayscale8);
  if (picture_.isNull()) return;
  if (!HasSubject()) {
    picture_.fill(kOutside);
    return;
  }
  const zorvel::DecodedPage& page = *form_.Page();
  const zorvel::LoupeView view = View();
  // The page column of each loupe column, found once.
  std::vector<int> columns(static_cast<std::size_t>(w));
  for (int u = 0; u < w; ++u) columns[static_cast<std::size_t>(u)] = zorvel::LoupePageX(view, u);

  int previous = 0;
  for (int v = 0; v < h; ++v) {
    std::uint8_t* to = picture_.scanLine(v);
    const int y = zorvel::LoupePageY(view, v);
    // The rows of one block are one row copied.
    if (v > 0 && y == previous) {
      std::memcpy(to, picture_.constScanLine(v - 1), static_cast<std::size_t>(w));
      continue;
    }
    previous = y;
    if (y < 0 || y >= page.Height) {
      std::memset(to, kOutside, static_cast<std::size_t>(w));
      continue;
    }
    const std::uint8_t* bits = page.Row(y);
    for (int u = 0; u < w; ++u) {
      const int x = columns[static_cast<std::size_t>(u)];
      if (x < 0 || x >= page.Width) {
        to[u] = kOutside;
      } else {
        to[u] = (bits[x >> 3] & (0x80u >> (x & 7))) ? 0xFF : 0x00;
      }
    }
  }
}

void TLoupe::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, Picture());
  if (!HasSubject()) return;

  // A cross of four short arms around the character's cell, so that the
  // character and its neighbours stay unmarked: the arms left and right lie in
  // the blank between two lines, the arms above and below reach a third of a
  // character into the characters there.
  const zorvel::Settings& settings = form_.Bench().Settings();
  const int factor = zoom_ / 100;
  const int x = width() / 2;
  const int y = height() / 2;
  const int cellX = (std::max(settings.WordWidth, 2) / 2 + 2) * factor;
  const int cellY = (std::max(settings.WordHeight, 2) / 2 + 2) * factor;
  const int armX = std::max(6, (settings.LineSpace - settings.WordWidth) / 2 * factor);
  const int armY = std::max(6, settings.WordHeight / 3 * factor);
  painter.setPen(QPen(kCrossColour, 2, Qt::SolidLine));
  painter.drawLine(x, y - cellY - armY, x, y - cellY);
  painter.drawLine(x, y + cellY, x, y + cellY + armY);
  painter.drawLine(x - cellX - armX, y, x - cellX, y);
  painter.drawLine(x + cellX, y, x + cellX + armX, y);
}

void TLoupe::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  stale_ = true;
}

void TLoupe::wheelEvent(QWheelEvent* event) {
  // The wheel steps the zoom, forward for larger, and stops at the ends.
  wheel_ += event->angleDelta().y();
  const auto zooms = zorvel::LoupeZooms();
  while (wheel_ >= 120 || wheel_ <= -120) {
    const int direction = wheel_ > 0 ? 1 : -1;
    wheel_ -= direction * 120;
    const auto at = std::find(zooms.begin(), zooms.end(), zoom_) - zooms.begin();
    const auto next = std::clamp<std::ptrdiff_t>(at + direction, 0, std::ssize(zooms) - 1);
    SetZoom(zooms[static_cast<std::size_t>(next)]);
  }
  event->accept();
}

void TLoupe::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  for (int zoom : zorvel::LoupeZooms()) {
    QAction* item = menu.addAction(QString("%1 %").arg(zoom));
    item->setCheckable(true);
    item->setChecked(zoom == zoom_);
    connect(item, &QAction::triggered, this, [this, zoom] { SetZoom(zoom); });
  }
  menu.exec(event->globalPos());
}
