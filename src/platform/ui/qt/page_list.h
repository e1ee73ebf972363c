#pragma once
// The list box: shows exactly the page of rows the procedure gave it and never scrolls by
// itself. Wheel, arrow and page keys and the scroll bar become the layer's scroll events;
// the procedure answers them with a new page.
#include <QWidget>
#include <functional>
#include <set>
#include <vector>

#include "platform/ui/api/event.h"
#include "platform/ui/api/prop.h"
#include "platform/ui/api/window_def.h"

class QTreeView;
class QTreeWidget;
class QScrollBar;

namespace ui::qt {

class PageList : public QWidget {
 public:
  PageList(const ControlDef& def, std::function<void(Event)> sink, QWidget* parent);

  void setRows(const std::vector<ListRow>& rows);
  int rowCount() const;
  // Highlighted row, 1-based, 0 none.
  int selected() const;
  void setSelected(int row);
  // Rows that fit: the definition's count, else what the height holds.
  int items() const;
  int mouseRow() const { return mouseRow_; }
  void setScrollBar(bool on);
  bool scrollBar() const;
  void setThumb(int pos);
  int thumb() const;
  void setAlertKeys(std::set<int>* keys) { alertKeys_ = keys; }
  QTreeWidget* tree() const { return tree_; }
  QScrollBar* bar() const { return bar_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void send(EventKind kind, int key = 0, int number = 0, std::string character = {});
  bool handleKey(int code, const std::string& character);
  int rowAt(QPoint viewportPos) const;
  // The leading fixed columns drawn again over the tree's left edge, so they stay in place
  // when the list scrolls sideways.
  void makeFrozen(int columns);
  void placeFrozen();

  ControlDef def_;
  std::function<void(Event)> emit_;
  QTreeWidget* tree_;
  QScrollBar* bar_;
  QTreeView* frozen_ = nullptr;
  int frozenColumns_ = 0;
  std::set<int>* alertKeys_ = nullptr;
  int mouseRow_ = 0;
  int wheelRest_ = 0;
  bool programmatic_ = false;
};

}  // namespace ui::qt
