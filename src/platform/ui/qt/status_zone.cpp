#include "platform/ui/qt/status_zone.h"

#include <QApplication>
#include <QPointer>

namespace ui::qt {

namespace {

QPointer<QWidget>& frameRef() {
  static QPointer<QWidget> frame;  // GUI thread only
  return frame;
}

// The status text of the focused control (a combo box's editor has its combo's).
QString focusedStatus(const QWidget* holder) {
  for (const QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
    if (!holder->isAncestorOf(w)) return {};
    if (!w->statusTip().isEmpty()) return w->statusTip();
    if (w->isWindow()) break;
  }
  return {};
}

}  // namespace

StatusZone::StatusZone(QWidget* holder) : holder_(holder) {}

void StatusZone::setOwnText(const QString& text) {
  own_ = text;
  if (!tip_) setText(text);
}

void StatusZone::showTip(const QString& tip) {
  QString shown = tip.isEmpty() ? focusedStatus(holder_) : tip;
  tip_ = !shown.isEmpty();
  setText(tip_ ? shown : own_);
}

void setStatusFrame(QWidget* frame) { frameRef() = frame; }
QWidget* statusFrame() { return frameRef(); }

}  // namespace ui::qt
