#pragma once
// Zone 1 of a window's status bar: the text the procedure put there, replaced by the status
// text of the control or menu item under the mouse or in the focus while there is one.
#include <QLabel>

namespace ui::qt {

class StatusZone : public QLabel {
 public:
  explicit StatusZone(QWidget* parent = nullptr);
  void setOwnText(const QString& text);
  QString ownText() const { return own_; }
  // A status tip reached the window: an empty one means the mouse left, so the focused
  // control's status text shows, else the procedure's own text.
  void showTip(const QString& tip);

 private:
  QString own_;
  bool tip_ = false;
};

// The main frame, whose zone 1 shows the status texts of windows that have no status bar.
void setStatusFrame(QWidget* frame);
QWidget* statusFrame();

}  // namespace ui::qt
