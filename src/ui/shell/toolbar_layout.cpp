#include "ui/shell/toolbar_layout.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "core/settings/ini_file.h"

namespace {

// Dynamic properties in which each toolbar remembers its last known place, for
// the times its geometry tells nothing (hidden, or never shown yet).
constexpr char kRow[] = "zorvelDockRow";
constexpr char kPos[] = "zorvelDockPos";
constexpr char kArea[] = "zorvelDockArea";
constexpr char kFloat[] = "zorvelFloatRect";

struct DockName {
  Qt::ToolBarArea Area;
  const char* Name;
};
constexpr DockName kDocks[] = {
    {Qt::TopToolBarArea, "Dock971"},
    {Qt::BottomToolBarArea, "Dock972"},
    {Qt::LeftToolBarArea, "Dock973"},
    {Qt::RightToolBarArea, "Dock974"},
};

QString CloseBoxName(QToolBar* bar) {
  return bar->objectName() + "CloseBox";
}

void UpdateCloseBox(QToolBar* bar) {
  for (QAction* action : bar->actions()) {
    if (action->objectName() == CloseBoxName(bar)) action->setVisible(bar->isFloating());
  }
}

bool Horizontal(Qt::ToolBarArea area) {
  return area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
}

// Row and position of a docked toolbar from the geometry the dock gave it: the
// rows are the distinct offsets across the dock of the toolbars shown in it.
void PlaceFromGeometry(QMainWindow* window, QToolBar* bar, ToolbarPlace& place) {
  const bool horizontal = Horizontal(place.Area);
  auto across = [horizontal](QToolBar* b) { return horizontal ? b->geometry().top() : b->geometry().left(); };
  std::set<int> rows;
  for (QToolBar* other : window->findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (other == bar || other->isFloating() || other->isHidden()) continue;
    if (window->toolBarArea(other) == place.Area) rows.insert(across(other));
  }
  rows.insert(across(bar));
  // Rows count from the window's edge inward, as the dock orders its lines.
  const int row = int(std::distance(rows.begin(), rows.find(across(bar))));
  const bool fromFarEdge = place.Area == Qt::BottomToolBarArea || place.Area == Qt::RightToolBarArea;
  place.DockRow = fromFarEdge ? int(rows.size()) - 1 - row : row;
  place.DockPos = horizontal ? bar->geometry().left() : bar->geometry().top();
}

void Remember(QToolBar* bar, const ToolbarPlace& place) {
  if (place.Area != Qt::NoToolBarArea) {
    bar->setProperty(kArea, int(place.Area));
    bar->setProperty(kRow, place.DockRow);
    bar->setProperty(kPos, place.DockPos);
  }
  if (!place.Float.isEmpty()) bar->setProperty(kFloat, place.Float);
}

// A floating rectangle that can be seen: at least the toolbar's own size, and
// on a screen.
QRect VisibleFloatRect(QToolBar* bar, QRect rect) {
  const QSize hint = bar->sizeHint();
  if (rect.width() <= 0 || rect.height() <= 0) rect.setSize(hint);
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().intersects(rect)) return rect;
  }
  if (QScreen* screen = QGuiApplication::primaryScreen())
    rect.moveTopLeft(screen->availableGeometry().topLeft());
  return rect;
}

}  // namespace

void AddFloatingCloseBox(QToolBar* bar) {
  auto* button = new QToolButton(bar);
  button->setObjectName(CloseBoxName(bar));
  button->setAutoRaise(true);
  button->setIcon(bar->style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  button->setToolTip(QString::fromUtf8("關閉"));
  QAction* action = bar->addWidget(button);
  action->setObjectName(CloseBoxName(bar));
  action->setVisible(false);
  QObject::connect(button, &QToolButton::clicked, bar, &QToolBar::hide);
  QObject::connect(bar, &QToolBar::topLevelChanged, bar, [bar](bool) { UpdateCloseBox(bar); });
  // Where a toolbar stood when it was hidden is what it gets back when shown.
  QObject::connect(bar, &QToolBar::visibilityChanged, bar, [bar](bool visible) {
    auto* window = qobject_cast<QMainWindow*>(bar->parentWidget());
    if (!visible && window && window->isVisible()) Remember(bar, CurrentToolbarPlace(window, bar));
  });
}

void FloatToolbar(QToolBar* bar, const QRect& rect) {
  const bool hidden = bar->isHidden();
  bar->setOrientation(Qt::Horizontal);
  bar->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
  bar->setGeometry(VisibleFloatRect(bar, rect));
  bar->setProperty(kFloat, bar->geometry());
  UpdateCloseBox(bar);
  bar->setVisible(!hidden);
}

ToolbarPlace CurrentToolbarPlace(QMainWindow* window, QToolBar* bar) {
  ToolbarPlace place;
  place.Visible = !bar->isHidden();
  place.Float = bar->property(kFloat).toRect();
  if (bar->isFloating()) {
    place.Area = Qt::NoToolBarArea;
    place.Float = bar->geometry();
    place.DockRow = bar->property(kRow).toInt();
    place.DockPos = bar->property(kPos).toInt();
    return place;
  }
  place.Area = window->toolBarArea(bar);
  const bool laidOut = window->isVisible() && bar->isVisible();
  if (!laidOut && bar->property(kArea).isValid() && bar->property(kArea).toInt() == int(place.Area)) {
    place.DockRow = bar->property(kRow).toInt();
    place.DockPos = bar->property(kPos).toInt();
  } else {
    PlaceFromGeometry(window, bar, place);
  }
  return place;
}

void PlaceToolbars(QMainWindow* window, const QList<QPair<QToolBar*, ToolbarPlace>>& places) {
  struct Entry {
    QToolBar* Bar;
    ToolbarPlace Place;
    int Order;
  };
  std::map<int, std::vector<Entry>> byArea;
  std::vector<Entry> floating;
  int order = 0;
  for (const auto& [bar, place] : places) {
    window->removeToolBar(bar);
    if (bar->isWindow()) bar->setWindowFlags(Qt::Widget);
    if (place.Area == Qt::NoToolBarArea) {
      floating.push_back({bar, place, order++});
    } else {
      byArea[int(place.Area)].push_back({bar, place, order++});
    }
  }
  for (const DockName& dock : kDocks) {
    auto it = byArea.find(int(dock.Area));
    if (it == byArea.end()) continue;
    std::vector<Entry>& entries = it->second;
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
      if (a.Place.DockRow != b.Place.DockRow) return a.Place.DockRow < b.Place.DockRow;
      return a.Place.DockPos < b.Place.DockPos;
    });
    // Rows are numbered afresh from 0, whatever gaps the numbers had.
    int row = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
      if (i > 0 && entries[i].Place.DockRow != entries[i - 1].Place.DockRow) {
        window->addToolBarBreak(dock.Area);
        ++row;
      }
      ToolbarPlace place = entries[i].Place;
      place.DockRow = row;
      window->addToolBar(dock.Area, entries[i].Bar);
      Remember(entries[i].Bar, place);
      entries[i].Bar->setVisible(place.Visible);
    }
  }
  // A floating toolbar keeps a slot at the end of the top dock, where it goes
  // back when docked by hand.
  for (Entry& entry : floating) {
    window->addToolBar(Qt::TopToolBarArea, entry.Bar);
    Remember(entry.Bar, entry.Place);
    entry.Bar->setHidden(!entry.Place.Visible);
    FloatToolbar(entry.Bar, entry.Place.Float);
  }
}

void RestoreToolbarLayout(QMainWindow* window, const QList<QToolBar*>& bars, const zorvel::IniFile& ini) {
  QList<QPair<QToolBar*, ToolbarPlace>> places;
  bool moved = false;
  for (QToolBar* bar : bars) {
    const std::string section = bar->objectName().toStdString();
    ToolbarPlace place = CurrentToolbarPlace(window, bar);
    const int visible = ini.ReadInteger(section, "Visible", -1);
    if (visible != -1) place.Visible = visible != 0;
    const QString dockedTo = QString::fromStdString(ini.ReadString(section, "DockedTo", "")).trimmed();
    const int left = ini.ReadInteger(section, "FloatLeft", 0);
    const int top = ini.ReadInteger(section, "FloatTop", 0);
    const int right = ini.ReadInteger(section, "FloatRight", left);
    const int bottom = ini.ReadInteger(section, "FloatBottom", top);
    if (right > left && bottom > top) place.Float = QRect(left, top, right - left, bottom - top);
    bool known = false;
    if (dockedTo.compare("nil", Qt::CaseInsensitive) == 0) {
      place.Area = Qt::NoToolBarArea;
      known = true;
    }
    for (const DockName& dock : kDocks) {
      if (dockedTo.compare(dock.Name, Qt::CaseInsensitive) == 0) {
        place.Area = dock.Area;
        known = true;
      }
    }
    if (known) {
      place.DockRow = ini.ReadInteger(section, "DockRow", 0);
      place.DockPos = ini.ReadInteger(section, "DockPos", 0);
      moved = true;
    }
    places.append({bar, place});
  }
  if (moved) {
    PlaceToolbars(window, places);
  } else {
    for (const auto& [bar, place] : places) bar->setVisible(place.Visible);
  }
}

std::vector<zorvel::ToolbarSection> ToolbarSections(QMainWindow* window, const QList<QToolBar*>& bars) {
  std::vector<zorvel::ToolbarSection> sections;
  for (QToolBar* bar : bars) {
    const ToolbarPlace place = CurrentToolbarPlace(window, bar);
    zorvel::ToolbarSection& section = sections.emplace_back();
    section.Name = bar->objectName().toStdString();
    section.Visible = place.Visible;
    section.DockedTo = "nil";
    for (const DockName& dock : kDocks) {
      if (dock.Area == place.Area) section.DockedTo = dock.Name;
    }
    section.DockRow = place.DockRow;
    section.DockPos = place.DockPos;
    const QRect rect = place.Float;
    section.FloatLeft = rect.left();
    section.FloatTop = rect.top();
    section.FloatRight = rect.isEmpty() ? rect.left() : rect.left() + rect.width();
    section.FloatBottom = rect.isEmpty() ? rect.top() : rect.top() + rect.height();
  }
  return sections;
}
