#pragma once
// Where a window's controls lie: helpers shared by the layout and by reading positions back.
#include <QPoint>
#include <QRect>
#include <string>

#include "platform/ui/qt/dialog_units.h"

class QWidget;

namespace ui::qt {

// Characters of a "@s30"-like picture; 0 when it has none.
int pictureChars(const std::string& pic);

// A widget's place relative to the window's content (also for the button row beside it).
QPoint offsetIn(const QWidget* w, const QWidget* content);

// A widget's rectangle in dialog units of the window, relative to its content.
QRect unitsRect(const QWidget* w, const QWidget* content, const DialogUnits& du);

}  // namespace ui::qt
