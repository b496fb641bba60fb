#pragma once
// The loupe: a small window that shows the page around the marker's character
// at 100, 200 or 300 %, each page pixel a sharp square block, with a red cross
// of its own that stops short of the character so its strokes stay clear. It
// reads the decoded page the image window holds, never the scaled view, so a
// change of its zoom costs no decode, and it follows every move of the marker.

#include <QImage>
#include <QWidget>

#include "core/pages/page_zoom.h"

class TImageForm;

class TLoupe : public QWidget {
  Q_OBJECT

 public:
  explicit TLoupe(TImageForm& form, QWidget* parent = nullptr);

  // 100, 200 or 300; any other value gives the default.
  int Zoom() const { return zoom_; }
  void SetZoom(int zoom);
  TImageForm& Form() const { return form_; }
  // What the loupe shows now; Zoom and size as they are, centred on the
  // marker's character.
  zorvel::LoupeView View() const;
  // Whether there is a marker on a page to show.
  bool HasSubject() const;
  // The picture for the loupe's present size, rendered if the marker, the
  // page, the zoom or the size changed since the last one.
  const QImage& Picture();
  // How many pictures were rendered since the loupe was made.
  int RenderCount() const { return renderCount_; }

  // kLoupeCharacters lines and characters at its zoom, within a share of the
  // screen.
  QSize sizeHint() const override;

 signals:
  void ZoomChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // The marker moved or the page changed.
  void Follow();
  void Render();

  TImageForm& form_;
  int zoom_ = zorvel::kDefaultLoupeZoom;
  QImage picture_;
  bool stale_ = true;
  int renderCount_ = 0;
  int wheel_ = 0;
};
