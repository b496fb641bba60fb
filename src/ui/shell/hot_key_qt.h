#pragma once
// Hot keys travel through the settings file as virtual-key codes of the original
// platform (core/settings/hot_key.h). These functions translate them to the key
// combinations Qt's menus carry as shortcuts, and back.

#include <QKeyCombination>
#include <QKeySequence>

#include "core/settings/hot_key.h"

namespace zorvel {

// The Qt key of a virtual-key code, Qt::Key_unknown when it has none. Keypad keys
// come with Qt::KeypadModifier in keypad.
Qt::Key QtKeyFromVirtualKey(int virtualKey, bool* keypad = nullptr);
// The virtual-key code of a Qt key, 0 when it has none.
int VirtualKeyFromQtKey(Qt::Key key, bool keypad);

// A hot key as a shortcut; no key gives an empty sequence.
QKeySequence HotKeyToShortcut(const HotKey& key);
// The first combination of a shortcut as a hot key; an empty sequence or a key
// without a virtual-key code gives no key.
HotKey HotKeyFromShortcut(const QKeySequence& shortcut);

}  // namespace zorvel
