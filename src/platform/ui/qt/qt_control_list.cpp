// The list box (page_list.h): its rows, highlighted row and scroll bar are the procedure's.
#include <QTreeWidget>
#include <algorithm>

#include "platform/ui/qt/dialog_units.h"
#include "platform/ui/qt/page_list.h"
#include "platform/ui/qt/qt_control.h"
#include "platform/ui/qt/qt_text.h"

namespace ui::qt {
namespace {

class ListAdapter : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  QWidget* make(const ControlDef& d, QWidget* parent) override {
    ControlHost& host = host_;
    const int id = id_;
    list_ = new PageList(
        d,
        [&host, id](Event ev) {
          ev.control = id;
          host.send(std::move(ev));
        },
        parent);
    list_->tree()->setProperty(kIdProp, id_);
    // Wide enough for its columns; one that scrolls sideways only for those that stay put.
    const DialogUnits du(parent->font());
    int width = 0;
    for (const ColumnDef& col : d.columns)
      if (!d.hscroll || col.fixed) width += du.chars(col.width) + 8;
    list_->setMinimumWidth(std::max(width + 24, 200));
    return list_;
  }
  void set(const std::string&, long long) override {}  // the highlighted row is Selected
  std::string get() const override {
    const QTreeWidgetItem* it = list_->tree()->currentItem();
    return it ? toU8(it->text(0)) : std::string();
  }
  void setRows(const std::vector<ListRow>& rows) override { list_->setRows(rows); }
  bool apply(const PropChange& ch) override {
    const int n = static_cast<int>(ch.number);
    switch (ch.prop) {
      case Prop::Selected: list_->setSelected(n); return true;
      case Prop::VScroll: list_->setScrollBar(n != 0); return true;
      case Prop::VScrollPos: list_->setThumb(n); return true;
      case Prop::HScroll:
        list_->tree()->setHorizontalScrollBarPolicy(n ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        return true;
      default: return ControlAdapter::apply(ch);
    }
  }
  std::optional<PropValue> read(Prop p) const override {
    auto number = [](long long n) { return PropValue{{}, n}; };
    switch (p) {
      case Prop::Selected: return number(list_->selected());
      case Prop::Items: return number(list_->items());
      case Prop::VScroll: return number(list_->scrollBar() ? 1 : 0);
      case Prop::VScrollPos: return number(list_->thumb());
      case Prop::HScroll: return number(list_->tree()->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff ? 1 : 0);
      case Prop::MouseRow: return number(list_->mouseRow());
      default: return ControlAdapter::read(p);
    }
  }

 private:
  PageList* list_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlAdapter> listAdapter(ControlHost& host, int id) {
  return std::make_unique<ListAdapter>(host, id);
}

}  // namespace ui::qt
