// Buttons, check boxes, option groups and their radio buttons.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "platform/ui/qt/dialog_units.h"
#include "platform/ui/qt/icons.h"
#include "platform/ui/qt/qt_control.h"
#include "platform/ui/qt/qt_text.h"

namespace ui::qt {
namespace {

// What every button kind shares: its caption.
class CaptionAdapter : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;
  bool apply(const PropChange& ch) override {
    if (ch.prop != Prop::Text) return false;
    button_->setText(toQ(ch.text));
    return true;
  }
  std::optional<PropValue> read(Prop p) const override {
    if (p == Prop::Text) return PropValue{toU8(button_->text()), 0};
    return std::nullopt;
  }

 protected:
  QAbstractButton* button_ = nullptr;
};

class ButtonAdapter : public CaptionAdapter {
 public:
  using CaptionAdapter::CaptionAdapter;

  QWidget* make(const ControlDef& d, QWidget* parent) override {
    auto* b = new QPushButton(toQ(d.text), parent);
    button_ = b;
    if (!d.icon.empty()) b->setIcon(iconFor(d.icon));
    b->setAutoDefault(false);
    b->setDefault(d.isDefault);
    if (d.text == "...") b->setFixedWidth(DialogUnits(parent->font()).chars(3) + 16);
    QObject::connect(b, &QPushButton::clicked, this, [this, act = d.action] { host_.trigger(id_, act); });
    return b;
  }
  bool apply(const PropChange& ch) override {
    if (ch.prop != Prop::Default) return CaptionAdapter::apply(ch);
    if (ch.number != 0)  // one default button per window
      for (auto& [id, other] : host_.controls())
        if (auto* ob = qobject_cast<QPushButton*>(other.widget)) ob->setDefault(false);
    static_cast<QPushButton*>(button_)->setDefault(ch.number != 0);
    return true;
  }
  std::optional<PropValue> read(Prop p) const override {
    if (p == Prop::Default) return PropValue{{}, static_cast<QPushButton*>(button_)->isDefault() ? 1 : 0};
    return CaptionAdapter::read(p);
  }
};

class CheckAdapter : public CaptionAdapter {
 public:
  using CaptionAdapter::CaptionAdapter;

  QWidget* make(const ControlDef& d, QWidget* parent) override {
    button_ = new QCheckBox(toQ(d.text), parent);
    QObject::connect(button_, &QCheckBox::clicked, this, [this] { send(EventKind::Accepted, Key::MouseLeft); });
    return button_;
  }
  void set(const std::string& text, long long) override { button_->setChecked(!text.empty() && text != "0"); }
  std::string get() const override { return button_->isChecked() ? "1" : "0"; }
};

// An option group's value is its chosen radio's value (its text without "&" when it has none).
class OptionAdapter : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  QWidget* make(const ControlDef& d, QWidget* parent) override {
    box_ = new QGroupBox(toQ(d.text), parent);
    if (d.text.empty()) box_->setFlat(true);
    radios_ = new QButtonGroup(box_);
    radios_->setExclusive(true);
    QObject::connect(radios_, &QButtonGroup::buttonClicked, this, [this](QAbstractButton* b) {
      held_ = valueOf(b);
      send(EventKind::Accepted, Key::MouseLeft);
    });
    return box_;
  }
  void join(QRadioButton* r) { radios_->addButton(r); }
  QWidget* box() const { return box_; }
  void set(const std::string& text, long long) override {
    held_ = text;
    radios_->setExclusive(false);
    for (QAbstractButton* b : radios_->buttons()) b->setChecked(valueOf(b) == text);
    radios_->setExclusive(true);
  }
  bool apply(const PropChange& ch) override {
    if (ch.prop != Prop::Text) return false;
    box_->setTitle(toQ(ch.text));
    return true;
  }
  std::optional<PropValue> read(Prop p) const override {
    if (p == Prop::Text) return PropValue{toU8(box_->title()), 0};
    return std::nullopt;
  }

 private:
  std::string valueOf(QAbstractButton* b) const {
    const QVariant id = b->property(kIdProp);
    const QtControl* r = id.isValid() ? host_.find(id.toInt()) : nullptr;
    return r && !r->def.value.empty() ? r->def.value : toU8(b->text().remove(QLatin1Char('&')));
  }

  QGroupBox* box_ = nullptr;
  QButtonGroup* radios_ = nullptr;
};

class RadioAdapter : public CaptionAdapter {
 public:
  using CaptionAdapter::CaptionAdapter;

  QWidget* make(const ControlDef& d, QWidget* parent) override {
    auto* r = new QRadioButton(toQ(d.text), parent);
    button_ = r;
    // The group it lies in chooses it (OptionAdapter).
    for (auto& [gid, g] : host_.controls())
      if (auto* option = dynamic_cast<OptionAdapter*>(g.adapter.get()); option && option->box() == parent)
        option->join(r);
    return r;
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> buttonAdapter(ControlHost& host, int id) {
  return std::make_unique<ButtonAdapter>(host, id);
}
std::unique_ptr<ControlAdapter> checkAdapter(ControlHost& host, int id) {
  return std::make_unique<CheckAdapter>(host, id);
}
std::unique_ptr<ControlAdapter> optionAdapter(ControlHost& host, int id) {
  return std::make_unique<OptionAdapter>(host, id);
}
std::unique_ptr<ControlAdapter> radioAdapter(ControlHost& host, int id) {
  return std::make_unique<RadioAdapter>(host, id);
}

}  // namespace ui::qt
