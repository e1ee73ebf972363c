#pragma once
// The list machinery every list of the program is built from: a page of one keyed file's
// records in key order, read into a display queue no longer than the list box, with scrolling,
// a one-character locator, a pop-up menu, select mode and the buttons that call the file's form.
// It keeps no copy of the file beyond the page; every action reads at most one page.
#include <deque>
#include <functional>
#include <string>

#include "data/thread_state.h"
#include "maintenance/lists/browse_host.h"
#include "maintenance/lists/browse_row.h"
#include "maintenance/lists/browse_source.h"

namespace maintenance {

enum class Scroll { Up, Down, PageUp, PageDown, Top, Bottom };

class BrowseList {
 public:
  // `request` is the ThreadRequest taken on entry (Select: select mode).
  BrowseList(BrowseSource& source, BrowseHost& host, int request);

  bool selectMode() const { return localRequest_ == data::Request::Select; }
  // Texts of the pop-up menu's third item ("&Slette", or "&Slett" for one list).
  void setDeleteText(std::string text) { deleteText_ = std::move(text); }
  // A window without a select button (no "-|&Velg" in the menu).
  void setHasSelect(bool has) { hasSelect_ = has; }
  // While off, insert is refused: "&Ny" greyed in the menu, Insert and a posted insert ignored.
  void allowInsert(bool allowed) { insertAllowed_ = allowed; }
  // A window with several lists: they share one refresh-pending flag, and the window's own
  // refresh (which runs each list's refreshCheck in its order) replaces the list's.
  void shareRefresh(bool& pendingFlag, std::function<void()> windowRefresh) {
    pending_ = &pendingFlag;
    windowRefresh_ = std::move(windowRefresh);
  }

  // Window events.
  void onOpen();
  void onGainFocus();
  void onPrivateRefresh();  // the 0x3FF event posted after a resize
  void onNewSelection();
  void onScroll(Scroll s);
  void onDrag(int thumb);
  void onAlertKey(int key, char ch);
  void onButton(ListButton b);

  // Refresh of the window: reloads when needed, then redisplays.
  void refreshWindow();
  // Its first step alone: reloads on the first load, a changed reset value or a pending refresh;
  // otherwise copies the current row back into the record buffer.
  void refreshCheck();
  // Its second step: the thumb from the scroll indicator.
  void showThumb() { host_.setThumb(scrollIndicator_); }
  // Re-reads the highlighted row's record into the buffer (change detection armed), as the
  // buttons do before they act; nothing when the list is empty.
  void rereadHighlighted() {
    if (!queue_.empty()) rereadCurrent();
  }
  // Local request := the first request (after a nested window of the list's own).
  void restoreRequest() { localRequest_ = firstRequest_; }

  // The response the list leaves for its caller (2 when 0).
  int response() const { return response_ == 0 ? 2 : response_; }

  // State, for the window and for tests.
  const std::deque<BrowseRow>& rows() const { return queue_; }
  int current() const { return current_; }
  int scrollIndicator() const { return scrollIndicator_; }

 private:
  enum class Mode { AtViewPosition, CurrentPage, FromStart, FromEnd };
  enum class Direction { Forward, Backward };

  void restart();
  void fill(Direction dir);
  void refreshPage(Mode mode);
  void locate(bool onKeyPosition);
  void postNewSelection();
  void scroll(Scroll s);
  void locator(char c);
  void callForm(int request);
  void rereadCurrent();
  void copyBackCurrent();
  void show();
  void saveReset();

  BrowseSource& src_;
  BrowseHost& host_;
  int localRequest_;
  int firstRequest_;
  int response_ = data::Response::Cancelled;
  std::deque<BrowseRow> queue_;
  int current_ = 0;
  int rowsToFill_ = 0;
  bool addRows_ = true;
  bool skipFirst_ = false;
  bool newSelectionPosted_ = false;
  bool ownPending_ = false;
  bool* pending_ = &ownPending_;  // the refresh-pending flag, the window's when shared
  std::function<void()> windowRefresh_;
  bool insertAllowed_ = true;
  bool loaded_ = false;
  bool initialised_ = false;
  bool viewEnded_ = false;
  int scrollIndicator_ = 0;
  std::string savedReset_;
  std::string deleteText_ = "&Slette";
  bool hasSelect_ = true;
};

}  // namespace maintenance
