// Containers: sheets and their tabs, groups, panels and boxes.
#include <QFrame>
#include <QGroupBox>
#include <QTabWidget>

#include "platform/ui/qt/qt_control.h"
#include "platform/ui/qt/qt_text.h"

namespace ui::qt {
namespace {

// A sheet's value is its chosen tab, 1-based.
class SheetAdapter : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  QWidget* make(const ControlDef&, QWidget* parent) override {
    tabs_ = new QTabWidget(parent);
    QObject::connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
      const int before = current_;
      current_ = index + 1;
      if (quiet_ || index < 0) return;
      Event changing;
      changing.kind = EventKind::TabChanging;
      changing.control = id_;
      changing.key = Key::MouseLeft;
      changing.number = before;
      host_.send(changing);
      send(EventKind::NewSelection, Key::MouseLeft);
    });
    return tabs_;
  }
  void addPage(QWidget* page, const std::string& text) {
    quiet_ = true;  // a page added is no user's choice
    tabs_->addTab(page, toQ(text));
    quiet_ = false;
  }
  void set(const std::string& text, long long number) override {
    const long long n = numberOf(text, number);
    quiet_ = true;
    if (n >= 1 && n <= tabs_->count()) tabs_->setCurrentIndex(static_cast<int>(n) - 1);
    quiet_ = false;
  }
  std::string get() const override { return std::to_string(tabs_->currentIndex() + 1); }

 private:
  QTabWidget* tabs_ = nullptr;
  int current_ = 1;
  bool quiet_ = false;
};

class TabAdapter : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  QWidget* make(const ControlDef& d, QWidget* parent) override {
    page_ = new QWidget;
    for (auto& [sid, sheet] : host_.controls()) {
      auto* s = dynamic_cast<SheetAdapter*>(sheet.adapter.get());
      if (s && QString::compare(toQ(sheet.def.equate), toQ(d.parent), Qt::CaseInsensitive) == 0) {
        s->addPage(page_, d.text);
        return page_;
      }
    }
    page_->setParent(parent);  // a tab outside any sheet: shown as a plain area
    return page_;
  }
  bool apply(const PropChange& ch) override {
    QTabWidget* tw = sheet();
    switch (ch.prop) {
      case Prop::Text:
        if (tw) tw->setTabText(tw->indexOf(page_), toQ(ch.text));
        return true;
      case Prop::Enabled:
        if (tw) tw->setTabEnabled(tw->indexOf(page_), ch.number != 0);
        page_->setEnabled(ch.number != 0);
        return true;
      case Prop::Visible:
        if (tw) tw->setTabVisible(tw->indexOf(page_), ch.number != 0);
        return true;
      default: return false;
    }
  }
  std::optional<PropValue> read(Prop p) const override {
    if (p != Prop::Text) return std::nullopt;
    if (QTabWidget* tw = sheet()) return PropValue{toU8(tw->tabText(tw->indexOf(page_))), 0};
    return ControlAdapter::read(p);
  }

 private:
  QTabWidget* sheet() const {
    for (QWidget* p = page_->parentWidget(); p; p = p->parentWidget())
      if (auto* tw = qobject_cast<QTabWidget*>(p)) return tw;
    return nullptr;
  }
  QWidget* page_ = nullptr;
};

class FrameAdapter : public ControlAdapter {
 public:
  FrameAdapter(ControlHost& host, int id, ControlKind kind) : ControlAdapter(host, id), kind_(kind) {}

  QWidget* make(const ControlDef& d, QWidget* parent) override {
    if (kind_ == ControlKind::Group) return group_ = new QGroupBox(toQ(d.text), parent);
    auto* f = new QFrame(parent);
    if (kind_ == ControlKind::Box) {
      f->setFrameShape(QFrame::Box);
      f->setAutoFillBackground(true);
      f->setMinimumHeight(8);
    } else {
      f->setFrameShape(QFrame::StyledPanel);
      f->setFrameShadow(QFrame::Sunken);
    }
    return f;
  }
  bool apply(const PropChange& ch) override {
    if (!group_ || ch.prop != Prop::Text) return ControlAdapter::apply(ch);
    group_->setTitle(toQ(ch.text));
    return true;
  }
  std::optional<PropValue> read(Prop p) const override {
    if (group_ && p == Prop::Text) return PropValue{toU8(group_->title()), 0};
    return ControlAdapter::read(p);
  }

 private:
  const ControlKind kind_;
  QGroupBox* group_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlAdapter> sheetAdapter(ControlHost& host, int id) {
  return std::make_unique<SheetAdapter>(host, id);
}
std::unique_ptr<ControlAdapter> tabAdapter(ControlHost& host, int id) { return std::make_unique<TabAdapter>(host, id); }
std::unique_ptr<ControlAdapter> frameAdapter(ControlHost& host, int id, ControlKind kind) {
  return std::make_unique<FrameAdapter>(host, id, kind);
}

}  // namespace ui::qt
