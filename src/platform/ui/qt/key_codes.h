#pragma once
// The layer's key codes (ui::Key) from and to Qt's keys.
#include <QKeySequence>
#include <string>

class QKeyEvent;

namespace ui::qt {

// The key code of a key press (0 for a lone modifier); `character` gets the typed printable
// character in UTF-8, empty when none.
int keyCode(const QKeyEvent& e, std::string* character = nullptr);
// The shortcut for a button's key; empty when the code has no Qt counterpart.
QKeySequence keySequence(int code);

}  // namespace ui::qt
