#include "platform/ui/qt/column_combo.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>
#include <algorithm>

#include "platform/ui/qt/dialog_units.h"

namespace ui::qt {

namespace {

QString q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QStandardItemModel* modelOf(QComboBox* cb) { return qobject_cast<QStandardItemModel*>(cb->model()); }

}  // namespace

void makeColumnCombo(QComboBox* cb, const ControlDef& def) {
  const std::vector<ColumnDef> cols = def.columns.empty() ? std::vector<ColumnDef>{ColumnDef{}} : def.columns;
  auto* model = new QStandardItemModel(0, static_cast<int>(cols.size()), cb);
  bool anyHeading = false;
  for (std::size_t i = 0; i < cols.size(); ++i) {
    model->setHeaderData(static_cast<int>(i), Qt::Horizontal, q(cols[i].heading));
    anyHeading = anyHeading || !cols[i].heading.empty();
  }
  auto* view = new QTreeView(cb);
  view->setRootIsDecorated(false);
  view->setItemsExpandable(false);
  view->setAllColumnsShowFocus(true);
  view->setUniformRowHeights(true);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->header()->setStretchLastSection(true);
  view->setHeaderHidden(!anyHeading);
  cb->setModel(model);
  cb->setView(view);
  cb->setModelColumn(0);
  const DialogUnits du(view->font());
  int width = 0;
  for (std::size_t i = 0; i < cols.size(); ++i) {
    const int w = du.chars(std::max(cols[i].width, 2)) + 12;
    view->setColumnWidth(static_cast<int>(i), w);
    width += w;
  }
  // The drop-down is as wide as its columns, even when the field is narrower.
  view->setMinimumWidth(width + view->frameWidth() * 2 + 20);
  std::vector<ListRow> fixed;
  for (const std::string& r : def.rows) fixed.push_back(ListRow{{r}, false});
  setComboRows(cb, fixed);
}

void setComboRows(QComboBox* cb, const std::vector<ListRow>& rows) {
  QStandardItemModel* model = modelOf(cb);
  if (!model) return;
  model->removeRows(0, model->rowCount());
  int columns = model->columnCount();
  for (const ListRow& r : rows) columns = std::max(columns, static_cast<int>(r.cells.size()));
  model->setColumnCount(columns);
  for (const ListRow& r : rows) {
    QList<QStandardItem*> items;
    for (int c = 0; c < columns; ++c) {
      auto* it =
          new QStandardItem(c < static_cast<int>(r.cells.size()) ? q(r.cells[static_cast<std::size_t>(c)]) : QString());
      it->setEditable(false);
      if (r.grey) it->setForeground(Qt::gray);
      items << it;
    }
    // The value of the row is its first cell (findData and the field's text).
    items.front()->setData(items.front()->text(), Qt::UserRole);
    model->appendRow(items);
  }
}

}  // namespace ui::qt
