// Drop combos (typing allowed) and drop lists, whose rows drop down as a table (column_combo.h).
#include <QComboBox>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "platform/ui/qt/column_combo.h"
#include "platform/ui/qt/dialog_units.h"
#include "platform/ui/qt/qt_control.h"
#include "platform/ui/qt/qt_placement.h"
#include "platform/ui/qt/qt_text.h"

namespace ui::qt {
namespace {

class ComboAdapter : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  QWidget* make(const ControlDef& d, QWidget* parent) override {
    combo_ = new QComboBox(parent);
    acceptsEnter_ = d.kind == ControlKind::Combo;
    items_ = d.items;
    const bool typed = d.kind == ControlKind::Combo && d.typed;
    combo_->setEditable(typed);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setFocusPolicy(Qt::StrongFocus);  // the wheel does not take the focus (QtWindow::wheelOutside)
    if (d.items > 0) combo_->setMaxVisibleItems(d.items);
    setWidth(d, typed, DialogUnits(parent->font()));
    makeColumnCombo(combo_, d);
    combo_->setCurrentIndex(-1);
    QObject::connect(combo_, &QComboBox::activated, this, [this] {
      typed_ = false;
      send(EventKind::NewSelection, Key::MouseLeft);
      send(EventKind::Accepted, Key::MouseLeft);
    });
    if (typed) {
      QLineEdit* le = combo_->lineEdit();
      le->setProperty(kIdProp, id_);
      watchTyping(le);
      QObject::connect(le, &QLineEdit::editingFinished, this, &ComboAdapter::left);
    }
    return combo_;
  }
  void set(const std::string& text, long long) override {
    const QSignalBlocker block(combo_);
    show(toQ(text));
    typed_ = false;
  }
  std::string get() const override {
    if (!combo_->isEditable() && combo_->currentData().isValid()) return toU8(combo_->currentData().toString());
    return toU8(combo_->currentText());
  }
  void setRows(const std::vector<ListRow>& rows) override {
    const QSignalBlocker block(combo_);
    const QString text = combo_->currentText();
    setComboRows(combo_, rows);
    show(text);
  }
  bool apply(const PropChange& ch) override {
    if (ch.prop != Prop::Selected) return ControlAdapter::apply(ch);
    const QSignalBlocker block(combo_);
    combo_->setCurrentIndex(static_cast<int>(ch.number) - 1);
    return true;
  }
  std::optional<PropValue> read(Prop p) const override {
    if (p == Prop::Selected) return PropValue{{}, combo_->currentIndex() + 1};
    if (p == Prop::Items) return PropValue{{}, items_ > 0 ? items_ : combo_->count()};
    return ControlAdapter::read(p);
  }
  bool enter() override {
    if (!acceptsEnter_) return false;
    typed_ = false;
    return true;
  }

 private:
  // The field shows `text`: typed as it is, else the row whose value (first cell) or text it is.
  void show(const QString& text) {
    if (combo_->isEditable()) {
      if (combo_->currentText() != text) combo_->setEditText(text);
      return;
    }
    const int byValue = combo_->findData(text);
    combo_->setCurrentIndex(byValue >= 0 ? byValue : combo_->findText(text));
  }
  // Room for its characters and for the rows the definition gives, whose words may be wider
  // than average characters; the style adds its frame and arrow.
  void setWidth(const ControlDef& d, bool typed, const DialogUnits& du) {
    int chars = pictureChars(d.picture);
    for (const ColumnDef& col : d.columns) chars = std::max(chars, col.width);
    const QFontMetrics fm(combo_->font());
    int text = du.chars(std::clamp(chars > 0 ? chars : 12, 6, 40));
    for (const std::string& r : d.rows) text = std::max(text, fm.horizontalAdvance(toQ(r)));
    QStyleOptionComboBox opt;
    opt.initFrom(combo_);
    opt.editable = typed;
    combo_->setMinimumWidth(
        combo_->style()->sizeFromContents(QStyle::CT_ComboBox, &opt, QSize(text, fm.height()), combo_).width());
  }

  QComboBox* combo_ = nullptr;
  long long items_ = 0;
  bool acceptsEnter_ = false;
};

}  // namespace

std::unique_ptr<ControlAdapter> comboAdapter(ControlHost& host, int id) {
  return std::make_unique<ComboAdapter>(host, id);
}

}  // namespace ui::qt
