#include "platform/ui/qt/status_zone.h"

#include <QApplication>
#include <QPointer>

namespace ui::qt {

namespace {

QPointer<QWidget>& frameRef() {
  static QPointer<QWidget> frame;  // GUI thread only
  return frame;
}

// The status text of the focused control (a combo box's editor has its combo's). The focus
// may be in a window that shows its texts in this one (a plain window without a status bar).
QString focusedStatus() {
  for (const QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
    if (!w->statusTip().isEmpty()) return w->statusTip();
    if (w->isWindow()) break;
  }
  return {};
}

}  // namespace

StatusZone::StatusZone(QWidget* parent) : QLabel(parent) {}

void StatusZone::setOwnText(const QString& text) {
  own_ = text;
  if (!tip_) setText(text);
}

void StatusZone::showTip(const QString& tip) {
  const QString shown = tip.isEmpty() ? focusedStatus() : tip;
  tip_ = !shown.isEmpty();
  setText(tip_ ? shown : own_);
}

void setStatusFrame(QWidget* frame) { frameRef() = frame; }
QWidget* statusFrame() { return frameRef(); }

}  // namespace ui::qt
