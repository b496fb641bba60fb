#include "ui/image/loupe_controller.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QScreen>
#include <algorithm>
#include <optional>
#include <vector>

#include "core/settings/window_bounds.h"
#include "ui/dialogs/select_form.h"
#include "ui/image/image_form.h"
#include "ui/image/loupe.h"
#include "ui/shell/qt_bounds.h"
#include "ui/shell/qt_strings.h"
#include "ui/shell/workbench.h"
#include "ui/text/qt_text_editor.h"
#include "ui/text/text_session.h"

using zorvel::ui::Bounds;

LoupeController::LoupeController(QMainWindow& frame, TImageForm& form, Workbench& bench,
                                 const zorvel::LoupeSettings& kept, QAction* item)
    : frame_(frame), bench_(bench), item_(item) {
  // The loupe floats where it leaves the choice window, the mark in the text
  // and the marker in sight (KeepClear), or docks at the right.
  dock_ = new QDockWidget(zorvel::ui::U("放大鏡"), &frame);
  dock_->setObjectName("LoupeDock");
  loupe_ = new TLoupe(form, dock_);
  dock_->setWidget(loupe_);
  frame.addDockWidget(Qt::RightDockWidgetArea, dock_);
  loupe_->SetZoom(kept.LoupeZoom);
  dock_->setFloating(kept.LoupeFloating);
  FitToZoom();
  if (kept.LoupeFloating) {
    // Where it was left, brought onto the screen, or the screen's top right
    // corner; the first marker move moves it off what it covers.
    const zorvel::WindowBounds area = Bounds(dock_->screen()->availableGeometry());
    const int width = dock_->width(), height = dock_->height();
    const zorvel::WindowBounds place =
        kept.HasPlace ? zorvel::WindowBounds{kept.LoupeLeft, kept.LoupeTop, width, height}
                      : zorvel::WindowBounds{area.Left + area.Width - width, area.Top, width, height};
    const zorvel::WindowBounds shown = zorvel::FitWindow(place, area, 1, 1);
    dock_->move(shown.Left, shown.Top);
  }
  dock_->setVisible(kept.ShowLoupe);
  // After the move is done: F3 and F1 scroll the page once the marker is placed.
  connect(&form, &TImageForm::MarkerMoved, this, &LoupeController::KeepClear, Qt::QueuedConnection);
  const auto refit = [this] {
    FitToZoom();
    KeepClear();
  };
  connect(loupe_, &TLoupe::ZoomChanged, this, refit);
  connect(dock_, &QDockWidget::topLevelChanged, this, refit);
  // Its item's check follows the dock, also when the dock's close box hid it;
  // the item, not this, receives it, since the dock hides again when the frame
  // goes, after this is gone.
  if (item_) {
    item_->setChecked(kept.ShowLoupe);
    connect(dock_, &QDockWidget::visibilityChanged, item_,
            [dock = dock_, item = item_] { item->setChecked(!dock->isHidden()); });
  }
}

void LoupeController::FitToZoom() {
  const QSize wanted = loupe_->sizeHint();
  if (dock_->isFloating()) {
    // The dock's own hint is the loupe's with the title bar the dock draws.
    dock_->resize(dock_->sizeHint());
  } else {
    // Docked, it leaves the windows of the text and the page at least two
    // thirds of the main window.
    frame_.resizeDocks({dock_}, {std::min(wanted.width(), frame_.width() / 3)}, Qt::Horizontal);
  }
}

void LoupeController::KeepClear() {
  if (!dock_->isFloating() || dock_->isHidden()) return;
  // What the loupe should leave uncovered, the most important first: the
  // choice window, the mark's place in the text (the page around the marker
  // the loupe shows itself), the marker.
  std::vector<zorvel::WindowBounds> clear{Bounds(bench_.SelectForm().frameGeometry())};
  if (QPlainTextEdit* edit = &bench_.Text().Editor(); edit->isVisible()) {
    QTextCursor start = edit->textCursor();
    start.setPosition(start.selectionStart());
    const QRect text =
        edit->cursorRect(start).united(edit->cursorRect()).intersected(edit->viewport()->rect());
    if (!text.isEmpty())
      clear.push_back(Bounds(QRect(edit->viewport()->mapToGlobal(text.topLeft()), text.size())));
  }
  if (const std::optional<QRect> cell = loupe_->Form().MarkerCellOnScreen()) clear.push_back(Bounds(*cell));
  const zorvel::WindowBounds now = Bounds(dock_->frameGeometry());
  const zorvel::WindowBounds placed =
      zorvel::PlaceClearOf(now, Bounds(dock_->screen()->availableGeometry()), clear);
  if (placed.Left != now.Left || placed.Top != now.Top) dock_->move(placed.Left, placed.Top);
}

void LoupeController::Toggle() {
  dock_->setVisible(dock_->isHidden());
  KeepClear();
  if (item_) item_->setChecked(!dock_->isHidden());
}

void LoupeController::NextZoom() {
  loupe_->SetZoom(zorvel::NextLoupeZoom(loupe_->Zoom()));
  if (dock_->isHidden()) Toggle();
}

zorvel::LoupeSettings LoupeController::Settings() const {
  const QPoint place = dock_->frameGeometry().topLeft();
  return {!dock_->isHidden(), loupe_->Zoom(), dock_->isFloating(), dock_->isFloating(), place.x(), place.y()};
}
