#include "platform/ui/qt/window_fit.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

namespace ui::qt {

namespace {

// Resizes `w` to `size`; a window of fixed size gets that as its new fixed size.
void resizeTo(QWidget* w, QSize size) {
  if (size == w->size()) return;
  if (w->minimumSize() == w->maximumSize()) {
    w->setFixedSize(size);
  } else {
    w->setMinimumSize(w->minimumSize().boundedTo(size));
    w->resize(size);
  }
}

// The top left that keeps a rectangle of `size` at `at` inside `room`, as far as it can.
QPoint inside(QPoint at, QSize size, const QRect& room) {
  const int x = std::max(room.left(), std::min(at.x(), room.left() + room.width() - size.width()));
  const int y = std::max(room.top(), std::min(at.y(), room.top() + room.height() - size.height()));
  return {x, y};
}

}  // namespace

FitScroll::FitScroll(QWidget* inner) {
  setWidget(inner);
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);
}

QSize FitScroll::sizeHint() const {
  const QWidget* w = widget();
  if (!w) return QScrollArea::sizeHint();
  const QSize inner = w->sizeHint().expandedTo(w->minimumSizeHint()).expandedTo(w->minimumSize());
  const int f = 2 * frameWidth();
  return inner + QSize(f, f);
}

QSize FitScroll::minimumSizeHint() const {
  // Room for the scroll bars and a little of the controls.
  const int bar = verticalScrollBar()->sizeHint().width();
  return {4 * bar, 3 * bar};
}

void fitToScreen(QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect room = screen->availableGeometry();
  // The window manager's frame, as far as it is known (0 before the first show).
  const QSize frame = window->frameGeometry().size() - window->geometry().size();
  resizeTo(window, window->size().boundedTo(room.size() - frame));
  const QSize outer = window->size() + frame;
  const QPoint to = inside(window->frameGeometry().topLeft(), outer, room);
  if (to != window->frameGeometry().topLeft()) window->move(to);
}

void fitToArea(QMdiSubWindow* sub) {
  QMdiArea* area = sub->mdiArea();
  if (!area || sub->isMaximized() || sub->isMinimized()) return;
  const QRect room = area->viewport()->rect();
  if (room.isEmpty()) return;
  resizeTo(sub, sub->size().boundedTo(room.size()));
  const QPoint to = inside(sub->pos(), sub->size(), room);
  if (to != sub->pos()) sub->move(to);
}

}  // namespace ui::qt
