#pragma once
// Where a pop-up menu opens: at the mouse, or, when it was asked for from the keyboard in a
// list (the mouse elsewhere), below the list's current row.
#include <QPoint>

namespace ui::qt {

QPoint popupPosition();

}  // namespace ui::qt
