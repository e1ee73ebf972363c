// Prompts, display texts and entries.
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "platform/ui/qt/dialog_units.h"
#include "platform/ui/qt/qt_control.h"
#include "platform/ui/qt/qt_placement.h"
#include "platform/ui/qt/qt_text.h"

namespace ui::qt {
namespace {

class LabelAdapter : public ControlAdapter {
 public:
  LabelAdapter(ControlHost& host, int id, bool prompt) : ControlAdapter(host, id), prompt_(prompt) {}

  QWidget* make(const ControlDef& d, QWidget* parent) override {
    if (prompt_) return label_ = new QLabel(toQ(d.text), parent);
    label_ = new QLabel(parent);
    label_->setTextFormat(Qt::PlainText);
    const DialogUnits du(parent->font());
    if (const int chars = pictureChars(d.picture); chars > 0) label_->setMinimumWidth(du.chars(std::min(chars, 60)));
    if (d.width > 0 && d.height > 0) {
      // A text block of a given size (a page of help): its lines wrap inside it.
      label_->setMinimumSize(du.x(d.width), du.y(d.height));
      label_->setWordWrap(true);
      label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    if (!d.text.empty()) label_->setText(toQ(d.text));
    if (d.fixedFont) label_->setFont(QFont(QStringLiteral("Monospace")));
    return label_;
  }
  void set(const std::string& text, long long) override {
    const QString t = toQ(text);
    if (label_->text() != t) label_->setText(t);
  }
  std::string get() const override { return toU8(label_->text()); }
  bool apply(const PropChange& ch) override {
    if (ch.prop != Prop::Text) return false;
    label_->setText(toQ(ch.text));
    return true;
  }
  std::optional<PropValue> read(Prop p) const override {
    if (p == Prop::Text) return PropValue{get(), 0};
    return std::nullopt;
  }

 private:
  const bool prompt_;
  QLabel* label_ = nullptr;
};

class EntryAdapter : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  QWidget* make(const ControlDef& d, QWidget* parent) override {
    edit_ = new QLineEdit(parent);
    const int chars = pictureChars(d.picture);
    if (chars > 0 && d.picture.size() > 1 && d.picture[0] == '@' && (d.picture[1] == 's' || d.picture[1] == 'S'))
      edit_->setMaxLength(chars);
    edit_->setMinimumWidth(DialogUnits(parent->font()).chars(std::clamp(chars > 0 ? chars : 10, 4, 40)) + 12);
    edit_->setReadOnly(d.readOnly);
    watchTyping(edit_);
    QObject::connect(edit_, &QLineEdit::editingFinished, this, &EntryAdapter::left);
    return edit_;
  }
  void set(const std::string& text, long long) override {
    const QString t = toQ(text);
    if (edit_->text() != t) edit_->setText(t);
    typed_ = false;
  }
  std::string get() const override { return toU8(edit_->text()); }
  bool apply(const PropChange& ch) override {
    if (ch.prop != Prop::ReadOnly) return ControlAdapter::apply(ch);
    edit_->setReadOnly(ch.number != 0);
    return true;
  }
  std::optional<PropValue> read(Prop p) const override {
    if (p == Prop::ReadOnly) return PropValue{{}, edit_->isReadOnly() ? 1 : 0};
    return ControlAdapter::read(p);
  }
  bool enter() override {
    typed_ = false;
    return true;
  }

 private:
  QLineEdit* edit_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlAdapter> labelAdapter(ControlHost& host, int id, bool prompt) {
  return std::make_unique<LabelAdapter>(host, id, prompt);
}
std::unique_ptr<ControlAdapter> entryAdapter(ControlHost& host, int id) {
  return std::make_unique<EntryAdapter>(host, id);
}

}  // namespace ui::qt
