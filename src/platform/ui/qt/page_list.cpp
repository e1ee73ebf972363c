#include "platform/ui/qt/page_list.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QTreeWidget>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "platform/ui/qt/dialog_units.h"
#include "platform/ui/qt/key_codes.h"

namespace ui::qt {
namespace {

Qt::Alignment alignment(Align a) {
  switch (a) {
    case Align::Right:
    case Align::Decimal: return Qt::AlignRight | Qt::AlignVCenter;
    case Align::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
    case Align::Left: break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

// Cells of several lines whose lower lines are grey: each line drawn in its own colour, over
// the background, selection and focus the style draws.
class GreyLinesDelegate : public QStyledItemDelegate {
 public:
  GreyLinesDelegate(int greyFrom, QObject* parent) : QStyledItemDelegate(parent), greyFrom_(greyFrom) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QStringList lines = index.data(Qt::DisplayRole).toString().split(QLatin1Char('\n'));
    opt.text.clear();
    const QWidget* view = opt.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, p, view);
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, view);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int pitch = opt.fontMetrics.lineSpacing();
    int y = area.top() + std::max(0, (area.height() - pitch * static_cast<int>(lines.size())) / 2);
    const bool selected = opt.state & QStyle::State_Selected;
    const QColor ink = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    // On the highlight the grey lines stay a shade apart from the first.
    const QColor hl = opt.palette.color(QPalette::Highlight);
    const QColor grey = selected ? QColor((ink.red() * 3 + hl.red()) / 4, (ink.green() * 3 + hl.green()) / 4,
                                          (ink.blue() * 3 + hl.blue()) / 4)
                                 : QColor(128, 128, 128);
    p->save();
    p->setFont(opt.font);
    for (int i = 0; i < lines.size(); ++i, y += pitch) {
      const QRect line(area.left() + margin, y, area.width() - 2 * margin, pitch);
      p->setPen(i + 1 >= greyFrom_ ? grey : ink);
      p->drawText(line, static_cast<int>(opt.displayAlignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter,
                  opt.fontMetrics.elidedText(lines[i], opt.textElideMode, line.width()));
    }
    p->restore();
  }

 private:
  int greyFrom_;
};

}  // namespace

PageList::PageList(const ControlDef& def, std::function<void(Event)> sink, QWidget* parent)
    : QWidget(parent),
      def_(def),
      emit_(std::move(sink)),
      tree_(new QTreeWidget(this)),
      bar_(new QScrollBar(Qt::Vertical, this)) {
  auto* lay = new QHBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  lay->setSpacing(0);
  lay->addWidget(tree_);
  lay->addWidget(bar_);
  tree_->setRootIsDecorated(false);
  tree_->setUniformRowHeights(def.rowLines <= 1);
  tree_->setAutoScroll(false);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  tree_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  tree_->setHorizontalScrollBarPolicy(def.hscroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  tree_->setAllColumnsShowFocus(true);
  if (def.fixedFont) tree_->setFont(QFont(QStringLiteral("Monospace")));
  const DialogUnits du(tree_->font());
  const std::vector<ColumnDef> cols = def.columns.empty() ? std::vector<ColumnDef>{ColumnDef{}} : def.columns;
  tree_->setColumnCount(static_cast<int>(cols.size()));
  QStringList heads;
  bool anyHeading = false;
  // Column groups: the group's caption above the heading of the column that starts it.
  const bool groups = std::any_of(cols.begin(), cols.end(), [](const ColumnDef& c) { return !c.group.empty(); });
  for (const ColumnDef& c : cols) {
    QString head = QString::fromUtf8(c.heading.c_str());
    if (groups) head = QString::fromUtf8(c.group.c_str()) + QLatin1Char('\n') + head;
    heads << head;
    anyHeading = anyHeading || !c.heading.empty();
  }
  tree_->setHeaderLabels(heads);
  tree_->setHeaderHidden(!anyHeading);
  for (int i = 0; i < static_cast<int>(cols.size()); ++i) {
    // At least as wide as the caption of the group it starts, so the caption is readable.
    const ColumnDef& col = cols[static_cast<std::size_t>(i)];
    const int caption =
        col.group.empty() ? 0
                          : tree_->header()->fontMetrics().horizontalAdvance(QString::fromUtf8(col.group.c_str())) + 16;
    tree_->setColumnWidth(i, std::max(du.chars(col.width) + 8, caption));
    tree_->headerItem()->setTextAlignment(i, alignment(cols[static_cast<std::size_t>(i)].headingAlign));
    if (col.greyFromLine > 0) tree_->setItemDelegateForColumn(i, new GreyLinesDelegate(col.greyFromLine, tree_));
  }
  int fixed = 0;
  while (fixed < static_cast<int>(cols.size()) && cols[static_cast<std::size_t>(fixed)].fixed) ++fixed;
  if (def.hscroll && fixed > 0 && fixed < static_cast<int>(cols.size())) makeFrozen(fixed);
  bar_->setRange(0, 100);
  bar_->setPageStep(10);
  bar_->setVisible(def.vscroll);
  tree_->installEventFilter(this);
  tree_->viewport()->installEventFilter(this);
  bar_->installEventFilter(this);
  setFocusProxy(tree_);

  if (def.items > 0) {
    // Exactly `items` rows fit, so a click on the last row never scrolls the view: a row's
    // height as the tree draws one with the list's lines.
    auto* probe = new QTreeWidgetItem(tree_);
    QString lines = QStringLiteral("Xg");
    for (int i = 1; i < def.rowLines; ++i) lines += QStringLiteral("\nXg");
    for (int i = 0; i < tree_->columnCount(); ++i) probe->setText(i, lines);
    int rowH = tree_->sizeHintForRow(0);
    delete probe;
    if (rowH <= 0) rowH = std::max(tree_->fontMetrics().height() + 4, 18) * std::max(1, def.rowLines);
    const int head = anyHeading ? tree_->header()->sizeHint().height() : 0;
    tree_->setFixedHeight(rowH * def.items + head + 2 * tree_->frameWidth() + 2);
  }

  // The page is all there is: whatever tries to scroll the view (a click on a half-shown
  // row, a drag) is undone at once.
  QObject::connect(tree_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
    if (v != 0) tree_->verticalScrollBar()->setValue(0);
  });
  QObject::connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* now, QTreeWidgetItem*) {
    if (programmatic_ || !now) return;
    send(EventKind::NewSelection, Key::MouseLeft);
  });
  QObject::connect(bar_, &QScrollBar::actionTriggered, this, [this](int action) {
    switch (action) {
      case QAbstractSlider::SliderSingleStepAdd: send(EventKind::ScrollDown); break;
      case QAbstractSlider::SliderSingleStepSub: send(EventKind::ScrollUp); break;
      case QAbstractSlider::SliderPageStepAdd: send(EventKind::PageDown); break;
      case QAbstractSlider::SliderPageStepSub: send(EventKind::PageUp); break;
      case QAbstractSlider::SliderToMinimum: send(EventKind::ScrollTop); break;
      case QAbstractSlider::SliderToMaximum: send(EventKind::ScrollBottom); break;
      default: return;
    }
    // The bar does not move by itself: the procedure sets the thumb with its new page.
    const int keep = bar_->value();
    QMetaObject::invokeMethod(
        bar_,
        [this, keep] {
          programmatic_ = true;
          bar_->setValue(keep);
          programmatic_ = false;
        },
        Qt::QueuedConnection);
  });
  QObject::connect(bar_, &QScrollBar::sliderReleased, this,
                   [this] { send(EventKind::ScrollDrag, 0, bar_->sliderPosition()); });
}

void PageList::send(EventKind kind, int key, int number, std::string character) {
  Event ev;
  ev.kind = kind;
  ev.key = key;
  ev.number = number;
  ev.character = std::move(character);
  emit_(std::move(ev));
}

void PageList::setRows(const std::vector<ListRow>& rows) {
  programmatic_ = true;
  const int keep = selected();
  tree_->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows.size()));
  const int cols = tree_->columnCount();
  for (const ListRow& r : rows) {
    auto* it = new QTreeWidgetItem;
    for (int c = 0; c < cols && c < static_cast<int>(r.cells.size()); ++c) {
      it->setText(c, QString::fromUtf8(r.cells[static_cast<std::size_t>(c)].c_str()));
      if (c < static_cast<int>(def_.columns.size()))
        it->setTextAlignment(c, alignment(def_.columns[static_cast<std::size_t>(c)].align));
      if (r.grey) it->setForeground(c, QBrush(Qt::gray));
    }
    items.append(it);
  }
  tree_->addTopLevelItems(items);
  tree_->scrollToTop();
  programmatic_ = false;
  setSelected(std::min(keep, rowCount()));
}

int PageList::rowCount() const { return tree_->topLevelItemCount(); }

int PageList::selected() const {
  QTreeWidgetItem* cur = tree_->currentItem();
  return cur ? tree_->indexOfTopLevelItem(cur) + 1 : 0;
}

void PageList::setSelected(int row) {
  programmatic_ = true;
  if (row >= 1 && row <= rowCount()) {
    tree_->setCurrentItem(tree_->topLevelItem(row - 1));
  } else {
    tree_->setCurrentItem(nullptr);
    tree_->clearSelection();
  }
  tree_->scrollToTop();
  programmatic_ = false;
}

int PageList::items() const {
  if (def_.items > 0) return def_.items;
  int rowH = std::max(tree_->fontMetrics().height() + 4, 18) * std::max(1, def_.rowLines);
  // Once a row is shown, rows as drawn (a fixed-pitch font draws lower rows than the estimate).
  if (tree_->topLevelItemCount() > 0) {
    const int drawn = tree_->visualItemRect(tree_->topLevelItem(0)).height();
    if (drawn > 0) rowH = drawn;
  }
  return std::max(1, tree_->viewport()->height() / rowH);
}

void PageList::setScrollBar(bool on) { bar_->setVisible(on); }
bool PageList::scrollBar() const { return !bar_->isHidden(); }

void PageList::setThumb(int pos) {
  programmatic_ = true;
  bar_->setValue(std::clamp(pos, 0, 100));
  programmatic_ = false;
}

int PageList::thumb() const { return bar_->value(); }

int PageList::rowAt(QPoint p) const {
  QTreeWidgetItem* it = tree_->itemAt(p);
  return it ? tree_->indexOfTopLevelItem(it) + 1 : 0;
}

bool PageList::handleKey(int code, const std::string& character) {
  const bool alert = alertKeys_ && alertKeys_->count(code);
  if (alert) {
    send(EventKind::AlertKey, code, 0, character);
    return true;
  }
  switch (code) {
    case Key::Up: send(EventKind::ScrollUp, code); return true;
    case Key::Down: send(EventKind::ScrollDown, code); return true;
    case Key::PgUp: send(EventKind::PageUp, code); return true;
    case Key::PgDn: send(EventKind::PageDown, code); return true;
    case Key::Home:
    case Key::Ctrl | Key::Home:
    case Key::Ctrl | Key::PgUp: send(EventKind::ScrollTop, code); return true;
    case Key::End:
    case Key::Ctrl | Key::End:
    case Key::Ctrl | Key::PgDn: send(EventKind::ScrollBottom, code); return true;
    default: break;
  }
  if (!character.empty()) {
    send(EventKind::AlertKey, code, 0, character);
    return true;
  }
  return false;
}

void PageList::makeFrozen(int columns) {
  frozenColumns_ = columns;
  frozen_ = new QTreeView(tree_);
  frozen_->setModel(tree_->model());
  frozen_->setSelectionModel(tree_->selectionModel());
  frozen_->setFont(tree_->font());
  frozen_->setRootIsDecorated(false);
  frozen_->setUniformRowHeights(tree_->uniformRowHeights());
  frozen_->setAllColumnsShowFocus(true);
  frozen_->setAutoScroll(false);
  frozen_->setFrameShape(QFrame::NoFrame);
  frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setHeaderHidden(tree_->isHeaderHidden());
  // Only drawn: clicks, the wheel and keys reach the tree below, which knows the rows.
  frozen_->setFocusPolicy(Qt::NoFocus);
  frozen_->setAttribute(Qt::WA_TransparentForMouseEvents);
  for (int c = 0; c < tree_->columnCount(); ++c) {
    frozen_->setColumnHidden(c, c >= columns);
    frozen_->setColumnWidth(c, tree_->columnWidth(c));
  }
  QObject::connect(tree_->header(), &QHeaderView::sectionResized, frozen_, [this](int c, int, int width) {
    frozen_->setColumnWidth(c, width);
    placeFrozen();
  });
  QObject::connect(tree_->header(), &QHeaderView::geometriesChanged, frozen_, [this] { placeFrozen(); });
  placeFrozen();
}

void PageList::placeFrozen() {
  if (!frozen_) return;
  int width = 0;
  for (int c = 0; c < frozenColumns_; ++c) width += tree_->columnWidth(c);
  const QRect view = tree_->viewport()->geometry();
  const int top = tree_->isHeaderHidden() ? view.top() : tree_->header()->geometry().top();
  frozen_->setGeometry(view.left(), top, std::min(width, view.width()), view.bottom() - top + 1);
  frozen_->raise();
}

bool PageList::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && watched == tree_->viewport()) placeFrozen();
  switch (event->type()) {
    case QEvent::KeyPress: {
      if (watched != tree_) break;
      auto* ke = static_cast<QKeyEvent*>(event);
      std::string ch;
      const int code = keyCode(*ke, &ch);
      if (code == Key::Tab || code == (Key::Shift | Key::Tab) || code == 0) break;
      // Keys the tree would use to move or scroll never reach it.
      if (handleKey(code, ch)) return true;
      const int base = code & 0xFF;
      if (base == Key::Left || base == Key::Right || base == Key::Space) return !def_.hscroll;
      break;
    }
    case QEvent::Wheel: {
      auto* we = static_cast<QWheelEvent*>(event);
      wheelRest_ += we->angleDelta().y();
      while (wheelRest_ >= 120) {
        wheelRest_ -= 120;
        send(EventKind::ScrollUp);
      }
      while (wheelRest_ <= -120) {
        wheelRest_ += 120;
        send(EventKind::ScrollDown);
      }
      return true;
    }
    case QEvent::MouseButtonPress: {
      if (watched != tree_->viewport()) break;
      auto* me = static_cast<QMouseEvent*>(event);
      mouseRow_ = rowAt(me->position().toPoint());
      if (me->button() == Qt::RightButton) {
        if (alertKeys_ && alertKeys_->count(Key::MouseRight)) send(EventKind::AlertKey, Key::MouseRight);
        return true;
      }
      break;
    }
    case QEvent::MouseButtonDblClick: {
      if (watched != tree_->viewport()) break;
      auto* me = static_cast<QMouseEvent*>(event);
      mouseRow_ = rowAt(me->position().toPoint());
      if (me->button() == Qt::LeftButton && alertKeys_ && alertKeys_->count(Key::MouseLeft2)) {
        send(EventKind::AlertKey, Key::MouseLeft2);
        return true;
      }
      break;
    }
    case QEvent::ContextMenu: return true;
    default: break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace ui::qt
