#include "ui/dialogs/hot_key_field.h"

#include <QKeyEvent>

#include "ui/shell/hot_key_qt.h"

THotKeyField::THotKeyField(zorvel::HotKeySubstitute substitute, QWidget* parent)
    : QLineEdit(parent), substitute_(substitute) {
  setReadOnly(true);
  // The field takes keys, not typing: a read-only edit still shows its focus
  // and its text in the usual way.
  setContextMenuPolicy(Qt::NoContextMenu);
  setAttribute(Qt::WA_InputMethodEnabled, false);
}

void THotKeyField::SetHotKey(const zorvel::HotKey& key) {
  key_ = key;
  setText(QString::fromStdString(zorvel::HotKeyToText(key)));
}

bool THotKeyField::event(QEvent* event) {
  // Keys pressed here are the combination being entered, never a shortcut of
  // some menu.
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();
    return true;
  }
  // Tab and Shift+Tab still move between the fields.
  return QLineEdit::event(event);
}

void THotKeyField::keyPressEvent(QKeyEvent* event) {
  const auto key = static_cast<Qt::Key>(event->key());
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
    case Qt::Key_unknown:
      event->accept();
      return;
    default:
      break;
  }
  if (key == Qt::Key_Backspace &&
      !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
    SetHotKey({});
    event->accept();
    return;
  }
  zorvel::HotKey pressed;
  pressed.Key = zorvel::VirtualKeyFromQtKey(key, modifiers & Qt::KeypadModifier);
  if (pressed.IsNone()) {
    event->accept();
    return;
  }
  pressed.Shift = modifiers & Qt::ShiftModifier;
  pressed.Ctrl = modifiers & Qt::ControlModifier;
  pressed.Alt = modifiers & Qt::AltModifier;
  SetHotKey(zorvel::SubstituteHotKey(pressed, substitute_));
  event->accept();
}
