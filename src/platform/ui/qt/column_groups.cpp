#include "platform/ui/qt/column_groups.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>

namespace ui::qt {

ColumnGroups* ColumnGroups::make(const std::vector<ColumnDef>& columns, QHeaderView* header, QWidget* parent) {
  std::vector<Span> spans;
  for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
    const std::string& g = columns[static_cast<std::size_t>(i)].group;
    if (!g.empty())
      spans.push_back({QString::fromUtf8(g.c_str()), i, i});
    else if (!spans.empty())
      spans.back().last = i;
  }
  if (spans.empty()) return nullptr;
  return new ColumnGroups(std::move(spans), header, parent);
}

ColumnGroups::ColumnGroups(std::vector<Span> spans, QHeaderView* header, QWidget* parent)
    : QWidget(parent), spans_(std::move(spans)), header_(header) {
  setObjectName(QStringLiteral("columnGroups"));
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  const auto redraw = [this] { update(); };
  connect(header_, &QHeaderView::sectionResized, this, redraw);
  connect(header_, &QHeaderView::geometriesChanged, this, redraw);
  connect(header_, &QHeaderView::sectionMoved, this, redraw);
}

QSize ColumnGroups::sizeHint() const { return {header_->sizeHint().width(), fontMetrics().height() + 8}; }

QRect ColumnGroups::spanRect(const Span& s) const {
  // The header sits inside the list's frame; line the groups up with its sections.
  const int offset = header_->mapTo(parentWidget(), QPoint(0, 0)).x() - pos().x();
  const int left = header_->sectionViewportPosition(s.first) + offset;
  const int right = header_->sectionViewportPosition(s.last) + header_->sectionSize(s.last) + offset;
  return {left, 0, right - left, height()};
}

void ColumnGroups::paintEvent(QPaintEvent*) {
  QPainter p(this);
  for (const Span& s : spans_) {
    QStyleOptionHeader opt;
    opt.initFrom(this);
    opt.rect = spanRect(s);
    opt.text = s.caption;
    opt.textAlignment = Qt::AlignCenter;
    opt.position = QStyleOptionHeader::Middle;
    style()->drawControl(QStyle::CE_Header, &opt, &p, this);
  }
}

}  // namespace ui::qt
