#pragma once
// A Qt rectangle as the window rules in core take it.

#include <QRect>

#include "core/settings/window_bounds.h"

namespace zorvel::ui {

inline WindowBounds Bounds(const QRect& r) {
  return {r.left(), r.top(), r.width(), r.height()};
}

}  // namespace zorvel::ui
