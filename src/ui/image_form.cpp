#include "ui/image_form.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollArea>
#include <QVBoxLayout>

TImageForm* ImageForm = nullptr;

TImageForm::TImageForm(QWidget* parent) : QWidget(parent) {
  setObjectName("ImageForm");
  setWindowTitle("(no image)");

  pageArea_ = new QScrollArea(this);
  pageArea_->setObjectName("ImageShowArea");
  pageArea_->setFrameShape(QFrame::NoFrame);
  pageArea_->setWidgetResizable(false);
  pageArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(pageArea_);

  imagePopupMenu_ = new QMenu(this);
  imagePopupMenu_->setObjectName("ImagePopupMenu");
  // The shortcuts are the hot keys the settings load puts here; they are shown
  // in the menu, while the keys themselves act through the main window's items.
  QAction* previous = imagePopupMenu_->addAction(QString::fromUtf8("上一張圖"));
  previous->setObjectName("miPreviousPicture");
  previous->setShortcut(QKeySequence(Qt::Key_F5));
  previous->setShortcutContext(Qt::WidgetShortcut);
  connect(previous, &QAction::triggered, this, &TImageForm::ToolbarButton9716Click);
  QAction* next = imagePopupMenu_->addAction(QString::fromUtf8("下一張圖"));
  next->setObjectName("miNextPicture");
  next->setShortcut(QKeySequence(Qt::Key_F6));
  next->setShortcutContext(Qt::WidgetShortcut);
  connect(next, &QAction::triggered, this, &TImageForm::ToolbarButton974Click);
}

// StepPicture(-1) and StepPicture(+1): wired when the page display lands.
void TImageForm::ToolbarButton9716Click() {}
void TImageForm::ToolbarButton974Click() {}

void TImageForm::contextMenuEvent(QContextMenuEvent* event) {
  imagePopupMenu_->popup(event->globalPos());
  event->accept();
}
