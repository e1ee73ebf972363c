#pragma once
// Windows that fit the room they have: the screen for a window of its own, the frame's area for
// an MDI child. A window is sized by its controls, then shrunk to its room; what does not fit
// scrolls, while the window's button row stays in view below the scrolling part.
#include <QScrollArea>

class QMdiSubWindow;

namespace ui::qt {

// A scroll area that asks for the whole size of what it holds (a plain QScrollArea caps its
// size hint), and that may be shrunk to almost nothing.
class FitScroll : public QScrollArea {
 public:
  explicit FitScroll(QWidget* inner);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
};

// Shrinks a window of its own to the available part of its screen and moves it inside, window
// frame included.
void fitToScreen(QWidget* window);

// Shrinks an MDI child to its area's visible part and moves it inside.
void fitToArea(QMdiSubWindow* sub);

}  // namespace ui::qt
