#pragma once
// The places of a main window's toolbars, kept in zorvel.ini with one section
// per toolbar (named after it; its keys in zorvel::ToolbarSection): read here
// at start, and taken as the sections WriteSettingsFile writes at close.

#include <QList>
#include <QPair>
#include <QRect>
#include <QString>
#include <vector>

#include "core/settings/settings_file.h"

class QMainWindow;
class QToolBar;

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

// Every toolbar's section as it stands now.
std::vector<zorvel::ToolbarSection> ToolbarSections(QMainWindow* window, const QList<QToolBar*>& bars);
