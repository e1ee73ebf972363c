#pragma once
// A list window over the window layer: the list machinery's host, and the event loop that
// turns the window's events into the machinery's steps. Each list gives its window definition,
// its control names and, where it adds behaviour, hooks around the standard handling.
#include <functional>
#include <string>
#include <vector>

#include "maintenance/lists/browse_host.h"
#include "maintenance/lists/browse_list.h"
#include "platform/ui/api/window.h"

namespace maintenance {

struct BrowseControls {
  std::string list = "?LIST";
  std::string select = "?SELECT";
  std::string insert = "?INSERT";
  std::string change = "?CHANGE";
  std::string del = "?DELETE";
  std::string close = "?CLOSE";  // empty: none
  // Buttons of the individual list that, like change and delete, need a current record.
  std::vector<std::string> recordButtons;
};

class BrowseWindow : public BrowseHost {
 public:
  using RowFormat = std::function<ui::ListRow(const BrowseRow&)>;
  // Handled before the standard handling; true: the event is done.
  using Before = std::function<bool(const ui::Event&)>;
  // Runs after the standard handling of an event.
  using After = std::function<void(const ui::Event&)>;

  BrowseWindow(ui::Window& win, BrowseControls controls, RowFormat format = {});

  // Opening steps 5 and 6 (select button by mode, alert keys); call after win.open().
  void prepare(const BrowseList& list, bool selectIsDefault = true);
  // The event loop, until the window has closed.
  void run(BrowseList& list, const Before& before = {}, const After& after = {});

  // One list box of a window with several: its host and its list.
  struct Pane {
    BrowseWindow* host;
    BrowseList* list;
  };
  // The event loop of a window holding several lists (one host each, over the same window).
  // Events of a list box or of a list's buttons go to that list; window events to the first.
  static void run(ui::Window& win, const std::vector<Pane>& panes, const Before& before = {}, const After& after = {});

  // BrowseHost
  int items() const override;
  int selected() const override;
  void showPage(const std::deque<BrowseRow>& rows, int current) override;
  void setVScroll(bool on) override;
  bool vscroll() const override;
  void setThumb(int pos) override;
  int mouseRow() const override;
  void setRecordButtons(bool enabled) override;
  void postAccepted(ListButton b) override;
  void postNewSelection() override;
  void postScrollTop() override;
  void postScrollBottom() override;
  void postClose() override;
  void focusList() override;
  void redisplay() override;
  bool inAcceptAll() const override;
  int popup(std::string_view items) override;
  void waitCursor(bool on) override;
  int lastKey() const override;
  void clearLastKey() override;
  void warn(int kind, std::string_view text) override;

 private:
  const std::string& buttonName(ListButton b) const;
  // The list button that is `control`, if any.
  bool buttonOf(int control, ListButton& out) const;
  // The standard handling of an event of this list's box.
  void listEvent(BrowseList& list, const ui::Event& ev);

  ui::Window& win_;
  BrowseControls c_;
  RowFormat format_;
};

}  // namespace maintenance
