// Spins and progress bars: numbers within limits.
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QSpinBox>
#include <algorithm>
#include <functional>

#include "platform/ui/qt/qt_control.h"

namespace ui::qt {
namespace {

// A spin box that tells when the user steps it (arrows, wheel, arrow and page keys), and that
// takes a typed number outside its limits as that limit instead of refusing the keystroke.
class StepSpin : public QSpinBox {
 public:
  explicit StepSpin(QWidget* parent) : QSpinBox(parent) {
    setLocale(QLocale::c());          // digits and sign never follow the process locale
    setFocusPolicy(Qt::StrongFocus);  // the wheel does not take the focus (QtWindow::wheelOutside)
  }
  QLineEdit* editor() const { return lineEdit(); }
  std::function<void()> stepped;
  void stepBy(int steps) override {
    QSpinBox::stepBy(steps);
    if (stepped) stepped();
  }
  QValidator::State validate(QString& text, int& pos) const override {
    const QValidator::State st = QSpinBox::validate(text, pos);
    if (st != QValidator::Invalid) return st;
    bool ok = false;
    const long long v = text.trimmed().toLongLong(&ok);
    return ok && (v >= 0 || minimum() < 0) ? QValidator::Intermediate : QValidator::Invalid;
  }
  // Leaving the spin (or Enter) interprets the text: out of range it becomes the nearer limit.
  void fixup(QString& text) const override {
    bool ok = false;
    const long long v = text.trimmed().toLongLong(&ok);
    if (ok) text = QString::number(std::clamp<long long>(v, minimum(), maximum()));
  }
};

class SpinAdapter : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  QWidget* make(const ControlDef& d, QWidget* parent) override {
    spin_ = new StepSpin(parent);
    // A step is a new selection at once; typed digits are accepted on leaving.
    spin_->stepped = [this] {
      typed_ = false;
      send(EventKind::NewSelection, Key::MouseLeft);
    };
    low_ = static_cast<long long>(d.rangeLow);
    high_ = static_cast<long long>(d.rangeHigh);
    setRange();
    spin_->setSingleStep(std::max(1, static_cast<int>(d.step)));
    QObject::connect(spin_, &QSpinBox::valueChanged, this, [this] { typed_ = true; });
    // Typed digits count also when they leave the value as it was (the limit it already had).
    watchTyping(spin_->editor());
    QObject::connect(spin_, &QSpinBox::editingFinished, this, &SpinAdapter::left);
    return spin_;
  }
  void set(const std::string& text, long long number) override {
    const QSignalBlocker block(spin_);
    spin_->setValue(static_cast<int>(numberOf(text, number)));
    typed_ = false;
  }
  // The number the spin takes on leaving, also while its digits are still being typed (a hot key
  // may press a button without the focus leaving it).
  std::string get() const override {
    bool ok = false;
    const long long typed = spin_->cleanText().toLongLong(&ok);
    return std::to_string(ok ? std::clamp<long long>(typed, spin_->minimum(), spin_->maximum()) : spin_->value());
  }
  bool apply(const PropChange& ch) override {
    if (ch.prop != Prop::RangeLow && ch.prop != Prop::RangeHigh) return ControlAdapter::apply(ch);
    (ch.prop == Prop::RangeLow ? low_ : high_) = ch.number;
    setRange();
    return true;
  }
  // The limits as given, never Qt's stand-in for "no limit".
  std::optional<PropValue> read(Prop p) const override {
    if (p == Prop::RangeLow) return PropValue{{}, low_};
    if (p == Prop::RangeHigh) return PropValue{{}, high_};
    return ControlAdapter::read(p);
  }
  bool enter() override {
    // Enter takes the typed number as leaving does, out-of-range digits as the limit.
    spin_->interpretText();
    typed_ = false;
    return true;
  }

 private:
  // 0 and 0 is no range; a high below low has no upper limit.
  void setRange() {
    constexpr int unbounded = 999999999;
    const QSignalBlocker block(spin_);  // a value moved inside the new range is no user's change
    if (low_ == 0 && high_ == 0)
      spin_->setRange(-unbounded, unbounded);
    else
      spin_->setRange(static_cast<int>(low_), high_ >= low_ ? static_cast<int>(high_) : unbounded);
  }

  StepSpin* spin_ = nullptr;
  long long low_ = 0, high_ = 0;
};

class ProgressAdapter : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  QWidget* make(const ControlDef& d, QWidget* parent) override {
    bar_ = new QProgressBar(parent);
    bar_->setRange(static_cast<int>(d.rangeLow), d.rangeHigh > d.rangeLow ? static_cast<int>(d.rangeHigh) : 100);
    bar_->setValue(bar_->minimum());
    return bar_;
  }
  void set(const std::string& text, long long number) override {
    bar_->setValue(static_cast<int>(numberOf(text, number)));
  }
  std::string get() const override { return std::to_string(bar_->value()); }
  bool apply(const PropChange& ch) override {
    if (ch.prop == Prop::RangeLow)
      bar_->setMinimum(static_cast<int>(ch.number));
    else if (ch.prop == Prop::RangeHigh)
      bar_->setMaximum(static_cast<int>(ch.number));
    else
      return ControlAdapter::apply(ch);
    return true;
  }
  std::optional<PropValue> read(Prop p) const override {
    if (p == Prop::RangeLow) return PropValue{{}, bar_->minimum()};
    if (p == Prop::RangeHigh) return PropValue{{}, bar_->maximum()};
    return ControlAdapter::read(p);
  }

 private:
  QProgressBar* bar_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlAdapter> spinAdapter(ControlHost& host, int id) {
  return std::make_unique<SpinAdapter>(host, id);
}
std::unique_ptr<ControlAdapter> progressAdapter(ControlHost& host, int id) {
  return std::make_unique<ProgressAdapter>(host, id);
}

}  // namespace ui::qt
