#pragma once
// A list box over rows the procedure holds in memory (lines of a file, rows read once). Like
// every list it shows only the page it is given: the pager keeps the first row shown and the
// current row, answers the list's scroll events with a new page and asks for each shown row
// only, so a list of half a million rows pages as fast as one of fifty.
#include <cstddef>
#include <functional>
#include <string>

#include "platform/ui/api/event.h"
#include "platform/ui/api/prop.h"

namespace ui {

class Window;

class RowPager {
 public:
  // `row(i)` builds row i (0-based) for display; it is called for the rows of the page only.
  using RowAt = std::function<ListRow(std::size_t)>;

  RowPager(Window& win, std::string list, RowAt row);

  // New content of `count` rows: the page goes to the top and the first row becomes current.
  void reset(std::size_t count);
  std::size_t count() const { return count_; }
  // The current row, 1-based; 0 when the list is empty.
  std::size_t current() const { return current_; }
  // Makes `row` (1-based) current and scrolls the page so that it shows it.
  void setCurrent(std::size_t row);
  // The list's scroll events and a click on a row; false for any other event.
  bool handle(const Event& ev);
  // Sends the page (also after the list box changed size).
  void show();

 private:
  std::size_t items() const;
  void keepCurrentVisible();

  Window& win_;
  std::string list_;
  RowAt row_;
  std::size_t count_ = 0;
  std::size_t top_ = 0;      // index of the first row shown
  std::size_t current_ = 0;  // 1-based
};

}  // namespace ui
