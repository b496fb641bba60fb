#pragma once
// The loupe in the main window: its dock at the right or floating on the
// screen, set up from section "Loupe" of zorvel.ini, sized to its zoom, kept
// off what the operator is looking at, and its menu item's check in step with
// it. The main window makes it with the image window and destroys it before
// its own children, so a dock that hides while the frame is torn down calls
// nothing here.

#include <QObject>

#include "core/settings/loupe_settings.h"
#include "ui/image/loupe.h"

class QAction;
class QDockWidget;
class QMainWindow;
class TImageForm;
class Workbench;

class LoupeController : public QObject {
  Q_OBJECT

 public:
  // The dock "放大鏡" at the frame's right dock area, with the zoom, the
  // floating, the place and the visibility of kept. item is the command's menu
  // item, or nullptr.
  LoupeController(QMainWindow& frame, TImageForm& form, Workbench& bench, const zorvel::LoupeSettings& kept,
                  QAction* item);

  // Shows a hidden loupe, hides a shown one.
  void Toggle();
  // The next zoom; a hidden loupe shows itself.
  void NextZoom();
  // The loupe as section "Loupe" keeps it; a docked loupe keeps the place
  // where it last floated.
  zorvel::LoupeSettings Settings() const;

  QDockWidget* Dock() const { return dock_; }
  TLoupe* Loupe() const { return loupe_; }

 private:
  // The loupe takes the size its zoom asks for.
  void FitToZoom();
  // A floating loupe that covers the choice window, the mark in the text or
  // the marker's character moves to where it covers none (zorvel::PlaceClearOf).
  void KeepClear();

  QMainWindow& frame_;
  Workbench& bench_;
  QAction* item_;
  QDockWidget* dock_ = nullptr;
  TLoupe* loupe_ = nullptr;
};
