#pragma once
// Menu items and toolbar buttons are actions, not widgets: their properties in one place.
#include "platform/ui/api/prop.h"

class QAction;

namespace ui::qt {

void applyToAction(QAction* a, const PropChange& ch);
PropValue readAction(const QAction* a, Prop prop);

}  // namespace ui::qt
