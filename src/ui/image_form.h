#pragma once
// The image window: an MDI child that shows one scanned page of the canon.
// For now it holds the scrolling page area and its popup menu; the page
// display, the marker and the calibration commands fill it in later.

#include <QWidget>

class QMenu;
class QScrollArea;

class TImageForm : public QWidget {
  Q_OBJECT

 public:
  explicit TImageForm(QWidget* parent = nullptr);

  QScrollArea* PageArea() const { return pageArea_; }
  QMenu* ImagePopupMenu() const { return imagePopupMenu_; }

 public slots:
  void ToolbarButton9716Click();
  void ToolbarButton974Click();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QScrollArea* pageArea_ = nullptr;
  QMenu* imagePopupMenu_ = nullptr;
};

extern TImageForm* ImageForm;
