#pragma once
// What the list machinery needs of its window: the list box, the buttons, posted events,
// the popup menu, the wait cursor and the standard warnings. The list window implements it
// over the window layer; tests of the paging logic use a fake.
#include <deque>
#include <string>
#include <string_view>

#include "maintenance/lists/browse_row.h"

namespace maintenance {

enum class ListButton { Select, Insert, Change, Delete, Close };

class BrowseHost {
 public:
  virtual ~BrowseHost() = default;

  // Rows the list box can show (its Items).
  virtual int items() const = 0;
  // The highlighted row, 1-based; 0 when none.
  virtual int selected() const = 0;
  // Shows the page and highlights one of its rows (0: none).
  virtual void showPage(const std::deque<BrowseRow>& rows, int current) = 0;
  virtual void setVScroll(bool on) = 0;
  virtual bool vscroll() const = 0;
  virtual void setThumb(int pos) = 0;
  // The row the mouse button went down on, 0 when none.
  virtual int mouseRow() const = 0;

  // Enables or disables the buttons that need a current record (change, delete and the list's own).
  virtual void setRecordButtons(bool enabled) = 0;
  virtual void postAccepted(ListButton b) = 0;
  virtual void postNewSelection() = 0;
  virtual void postScrollTop() = 0;
  virtual void postScrollBottom() = 0;
  virtual void postClose() = 0;
  virtual void focusList() = 0;
  virtual void redisplay() = 0;
  virtual bool inAcceptAll() const = 0;

  // Pop-up menu from "|"-separated items; the number chosen, 0 when dismissed.
  virtual int popup(std::string_view items) = 0;
  virtual void waitCursor(bool on) = 0;
  // The window layer's last key code, and clearing it.
  virtual int lastKey() const = 0;
  virtual void clearLastKey() = 0;
  // Standard warning of the given kind with one text.
  virtual void warn(int kind, std::string_view text) = 0;
};

}  // namespace maintenance
