#pragma once
// The places of a main window's toolbars, kept in zorvel.ini with one section
// per toolbar (named after it): "Visible", "DockedTo" ("Dock971" top, "Dock972"
// bottom, "Dock973" left, "Dock974" right, "nil" floating), "DockRow" and
// "DockPos" (row inside the dock counted from the window's edge inward, and
// position along it in pixels), and the
// floating rectangle "FloatLeft", "FloatTop", "FloatRight", "FloatBottom" with
// "FloatRightX" (the right edge it was last floated at).

#include <QList>
#include <QPair>
#include <QRect>
#include <QString>

class QMainWindow;
class QToolBar;

namespace zorvel {
class IniFile;
}

struct ToolbarPlace {
  Qt::ToolBarArea Area = Qt::TopToolBarArea;  // Qt::NoToolBarArea: floating
  int DockRow = 0;
  int DockPos = 0;
  bool Visible = true;
  QRect Float;  // screen rectangle while floating; empty when never floated
};

// Gives a toolbar a close box at its end that shows while it floats (a floating
// toolbar has no title bar of its own). The close box hides the toolbar.
void AddFloatingCloseBox(QToolBar* bar);

// Takes a docked toolbar out of its dock into a floating window at rect.
void FloatToolbar(QToolBar* bar, const QRect& rect);

// Puts the toolbars in their places: docked ones by dock, row and position
// (rows numbered afresh from 0 in their order), floating ones at their
// rectangles; each then shows or hides as its place says.
void PlaceToolbars(QMainWindow* window, const QList<QPair<QToolBar*, ToolbarPlace>>& places);

// Where a toolbar stands now.
ToolbarPlace CurrentToolbarPlace(QMainWindow* window, QToolBar* bar);

// Restores the toolbars from their sections. A missing "Visible" keeps the
// current visibility; a missing, empty or unknown "DockedTo" leaves the toolbar
// where it is.
void RestoreToolbarLayout(QMainWindow* window, const QList<QToolBar*>& bars, const zorvel::IniFile& ini);

// Writes every toolbar's section. False at the first write that fails.
bool SaveToolbarLayout(QMainWindow* window, const QList<QToolBar*>& bars, zorvel::IniFile& ini);
