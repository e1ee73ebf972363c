#include "platform/ui/qt/popup_place.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCursor>

namespace ui::qt {

QPoint popupPosition(QWidget* window) {
  const QPoint mouse = QCursor::pos();
  // The window's focused control, also while a box or menu just took the activation.
  QWidget* focus = window ? window->focusWidget() : QApplication::focusWidget();
  auto* view = qobject_cast<QAbstractItemView*>(focus);
  if (!view) return mouse;
  QWidget* port = view->viewport();
  if (port->rect().contains(port->mapFromGlobal(mouse))) return mouse;
  const QModelIndex current = view->currentIndex();
  const QRect row = current.isValid() ? view->visualRect(current) : QRect();
  if (!row.isValid()) return port->mapToGlobal(QPoint(0, 0));
  return port->mapToGlobal(QPoint(row.left() + 8, row.bottom()));
}

}  // namespace ui::qt
