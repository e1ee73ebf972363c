// Images (a file at a zoom, in a scroll area) and regions (invisible mouse areas).
#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "platform/ui/qt/qt_control.h"
#include "platform/ui/qt/qt_text.h"
#include "platform/ui/qt/region.h"

namespace ui::qt {
namespace {

class ImageAdapter : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  QWidget* make(const ControlDef& d, QWidget* parent) override {
    area_ = new QScrollArea(parent);
    label_ = new QLabel;
    label_->setAlignment(Qt::AlignCenter);
    label_->installEventFilter(this);  // a click on the image
    area_->setWidget(label_);
    area_->setWidgetResizable(true);
    area_->setBackgroundRole(QPalette::Base);
    // An image fitted to its area is fitted again when the area changes size.
    viewport_ = area_->viewport();
    viewport_->installEventFilter(this);
    if (d.width == 0 && d.height == 0) area_->setMinimumSize(160, 120);
    area_->setHorizontalScrollBarPolicy(d.hscroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    area_->setVerticalScrollBarPolicy(d.vscroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    return area_;
  }
  bool apply(const PropChange& ch) override {
    switch (ch.prop) {
      case Prop::VScroll:
        area_->setVerticalScrollBarPolicy(ch.number ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        return true;
      case Prop::HScroll:
        area_->setHorizontalScrollBarPolicy(ch.number ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        return true;
      case Prop::ImageFile:
        file_ = ch.text;
        image_ = QPixmap(toQ(file_));
        break;
      case Prop::Zoom: zoom_ = ch.number; break;
      default: return ControlAdapter::apply(ch);
    }
    show();
    // A new page or magnification starts at the page's top left corner.
    area_->horizontalScrollBar()->setValue(0);
    area_->verticalScrollBar()->setValue(0);
    return true;
  }
  std::optional<PropValue> read(Prop p) const override {
    switch (p) {
      case Prop::ImageFile: return PropValue{file_, 0};
      case Prop::Zoom: return PropValue{{}, zoom_};
      case Prop::ImageWidth: return PropValue{{}, image_.width()};
      case Prop::ImageHeight: return PropValue{{}, image_.height()};
      case Prop::VScroll: return PropValue{{}, area_->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff};
      case Prop::HScroll: return PropValue{{}, area_->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff};
      default: return ControlAdapter::read(p);
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == label_ && e->type() == QEvent::MouseButtonRelease && host_.usable())
      send(EventKind::Accepted, Key::MouseLeft);
    // Not while the area is being taken down (it is no scroll area any more by then).
    if (watched == viewport_ && e->type() == QEvent::Resize && zoom_ <= 0 && !image_.isNull() &&
        qobject_cast<QScrollArea*>(static_cast<QObject*>(area_)))
      show();
    return false;
  }

 private:
  // The image at its zoom: a percentage, 0 fitted into the area, -1 fitted to its width.
  void show() {
    QPixmap pm = image_;
    if (!pm.isNull() && zoom_ > 0) {
      pm = pm.scaled(pm.size() * (static_cast<double>(zoom_) / 100.0), Qt::KeepAspectRatio, Qt::SmoothTransformation);
      area_->setWidgetResizable(false);
      label_->resize(pm.size());
    } else if (!pm.isNull() && zoom_ < 0) {
      // The area's width, less a vertical scroll bar; the user scrolls down the page.
      const int sb = area_->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
                         ? 0
                         : area_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
      pm = pm.scaledToWidth(std::max(1, area_->width() - 2 * area_->frameWidth() - sb), Qt::SmoothTransformation);
      area_->setWidgetResizable(false);
      label_->resize(pm.size());
    } else if (!pm.isNull()) {
      pm = pm.scaled(area_->viewport()->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
      area_->setWidgetResizable(true);
    }
    label_->setPixmap(pm);
  }

  QScrollArea* area_ = nullptr;
  QLabel* label_ = nullptr;
  QWidget* viewport_ = nullptr;
  std::string file_;
  long long zoom_ = 0;
  QPixmap image_;  // the file as read, before zooming
};

class RegionAdapter : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  QWidget* make(const ControlDef&, QWidget* parent) override {
    ControlHost& host = host_;  // the widget may outlive its adapter by a moment (deleteLater)
    return new Region(parent, [&host, id = id_](EventKind k) {
      host.sendControl(id, k, k == EventKind::MouseDown || k == EventKind::MouseUp ? Key::MouseLeft : 0);
    });
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> imageAdapter(ControlHost& host, int id) {
  return std::make_unique<ImageAdapter>(host, id);
}
std::unique_ptr<ControlAdapter> regionAdapter(ControlHost& host, int id) {
  return std::make_unique<RegionAdapter>(host, id);
}

}  // namespace ui::qt
