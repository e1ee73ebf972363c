#pragma once
// Where a pop-up menu opens: at the mouse, or, when it was asked for from the keyboard in a
// list (the mouse elsewhere), below the list's current row.
#include <QPoint>

class QWidget;

namespace ui::qt {

// `window`: the asking window, whose focused control decides (nullptr: the application's).
QPoint popupPosition(QWidget* window);

}  // namespace ui::qt
