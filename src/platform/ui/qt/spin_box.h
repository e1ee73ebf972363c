#pragma once
// A spin box whose arrows (and the arrow keys and wheel that step it) tell the procedure at
// once, instead of waiting until the user leaves the field.
#include <QSpinBox>
#include <functional>

namespace ui::qt {

class SpinBox : public QSpinBox {
 public:
  using QSpinBox::QSpinBox;
  std::function<void()> onStep;

  void stepBy(int steps) override {
    const int before = value();
    QSpinBox::stepBy(steps);
    if (value() != before && onStep) onStep();
  }
};

}  // namespace ui::qt
