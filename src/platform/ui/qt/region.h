#pragma once
// An invisible mouse area: the pointer going in and out and its buttons become events.
#include <QWidget>
#include <functional>

#include "platform/ui/api/event.h"

namespace ui::qt {

class Region : public QWidget {
 public:
  Region(QWidget* parent, std::function<void(EventKind)> sink);

 protected:
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  std::function<void(EventKind)> emit_;
};

}  // namespace ui::qt
