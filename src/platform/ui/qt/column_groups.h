#pragma once
// A row of column-group captions over a list box's headings: each group spans the column that
// starts it and the columns after it up to the next group, and follows their widths.
#include <QWidget>
#include <string>
#include <vector>

#include "platform/ui/api/window_def.h"

class QHeaderView;

namespace ui::qt {

class ColumnGroups : public QWidget {
 public:
  // Null when no column starts a group.
  static ColumnGroups* make(const std::vector<ColumnDef>& columns, QHeaderView* header, QWidget* parent);

  QSize sizeHint() const override;
  // The caption and the first and last column of each group.
  struct Span {
    QString caption;
    int first, last;
  };
  const std::vector<Span>& spans() const { return spans_; }
  // The group's rectangle in this widget's coordinates.
  QRect spanRect(const Span& s) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ColumnGroups(std::vector<Span> spans, QHeaderView* header, QWidget* parent);
  std::vector<Span> spans_;
  QHeaderView* header_;
};

}  // namespace ui::qt
