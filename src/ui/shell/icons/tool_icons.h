#pragma once
// The toolbar icons: one set of small vector drawings painted at start, in one
// style (dark outline, flat fills, a few accent colours), sharp at any size.

#include <QIcon>
#include <QString>

namespace zorvel {

// The icon of a toolbar button, by the button's name ("ToolbarButton971" ...);
// a null icon for a name that has none.
QIcon ToolIcon(const QString& buttonName);

}  // namespace zorvel
