#include "platform/ui/qt/region.h"

#include <utility>

namespace ui::qt {

Region::Region(QWidget* parent, std::function<void(EventKind)> sink) : QWidget(parent), emit_(std::move(sink)) {
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
}

void Region::enterEvent(QEnterEvent*) { emit_(EventKind::MouseIn); }
void Region::leaveEvent(QEvent*) { emit_(EventKind::MouseOut); }
void Region::mousePressEvent(QMouseEvent*) { emit_(EventKind::MouseDown); }
void Region::mouseReleaseEvent(QMouseEvent*) { emit_(EventKind::MouseUp); }

}  // namespace ui::qt
