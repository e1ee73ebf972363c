#include "platform/ui/api/row_pager.h"

#include <algorithm>
#include <vector>

#include "platform/ui/api/window.h"

namespace ui {

RowPager::RowPager(Window& win, std::string list, RowAt row)
    : win_(win), list_(std::move(list)), row_(std::move(row)) {}

std::size_t RowPager::items() const {
  const int n = win_.items(list_);
  return n > 0 ? static_cast<std::size_t>(n) : 1;
}

void RowPager::reset(std::size_t count) {
  count_ = count;
  top_ = 0;
  current_ = count > 0 ? 1 : 0;
  show();
}

void RowPager::setCurrent(std::size_t row) {
  if (count_ == 0) return;
  current_ = std::clamp<std::size_t>(row, 1, count_);
  keepCurrentVisible();
  show();
}

void RowPager::keepCurrentVisible() {
  const std::size_t page = items();
  if (current_ == 0) return;
  if (current_ - 1 < top_) top_ = current_ - 1;
  if (current_ > top_ + page) top_ = current_ - page;
}

bool RowPager::handle(const Event& ev) {
  if (ev.control != win_.id(list_)) return false;
  const std::size_t page = items();
  const std::size_t last = count_ > page ? count_ - page : 0;  // highest first row
  switch (ev.kind) {
    case EventKind::ScrollUp:
      if (current_ > 1) --current_;
      break;
    case EventKind::ScrollDown:
      if (current_ < count_) ++current_;
      break;
    case EventKind::PageUp:
      top_ = top_ > page ? top_ - page : 0;
      current_ = current_ > page ? current_ - page : std::min<std::size_t>(1, count_);
      break;
    case EventKind::PageDown:
      top_ = std::min(top_ + page, last);
      current_ = std::min(current_ + page, count_);
      break;
    case EventKind::ScrollTop:
      top_ = 0;
      current_ = std::min<std::size_t>(1, count_);
      break;
    case EventKind::ScrollBottom:
      top_ = last;
      current_ = count_;
      break;
    case EventKind::ScrollDrag: {
      // The thumb stands for the first row shown; the current row moves with the page.
      const std::size_t offset = current_ > top_ ? current_ - 1 - top_ : 0;
      top_ = static_cast<std::size_t>(std::clamp(ev.number, 0, 100)) * last / 100;
      current_ = count_ == 0 ? 0 : std::min(top_ + offset + 1, count_);
      break;
    }
    case EventKind::NewSelection: {
      const int sel = win_.selected(list_);
      if (sel >= 1 && top_ + static_cast<std::size_t>(sel) <= count_) current_ = top_ + static_cast<std::size_t>(sel);
      break;
    }
    default: return false;
  }
  keepCurrentVisible();
  show();
  return true;
}

void RowPager::show() {
  const std::size_t page = items();
  const std::size_t last = count_ > page ? count_ - page : 0;
  top_ = std::min(top_, last);
  keepCurrentVisible();
  std::vector<ListRow> rows;
  const std::size_t end = std::min(count_, top_ + page);
  rows.reserve(end - top_);
  for (std::size_t i = top_; i < end; ++i) rows.push_back(row_(i));
  win_.setRows(list_, std::move(rows));
  win_.setSelected(list_, current_ == 0 ? 0 : static_cast<int>(current_ - top_));
  win_.set(list_, Prop::VScroll, count_ > page ? 1LL : 0LL);
  win_.set(list_, Prop::VScrollPos, last == 0 ? 0LL : static_cast<long long>(top_ * 100 / last));
}

}  // namespace ui
