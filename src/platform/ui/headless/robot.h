#pragma once
// The scripted user, on either backend through its driver (driver.h). Each action first waits
// until every procedure thread is idle (waiting in accept() or in a box or dialog), then acts
// on the target window as a user would. An action that cannot be done, a box nobody answers, or a wait longer
// than the timeout fails: it returns false, writes an "error:" line into the transcript and
// leaves the reason in error(). After a failure every further action fails too.
#include <chrono>
#include <functional>
#include <string>

#include "platform/ui/headless/driver.h"

namespace ui::headless {

// What the script verb `start NAME [ARG]` runs; the program installs it (the layer knows no
// procedure names). It returns false when nothing could be started by that name.
using StartHandler = std::function<bool(const std::string& name, const std::string& arg)>;
void setStartHandler(StartHandler handler);

class Robot {
 public:
  explicit Robot(Driver& driver);

  void setTimeout(std::chrono::milliseconds t) { timeout_ = t; }
  std::chrono::milliseconds timeout() const { return timeout_; }
  // Prefix of error lines ("line 7: "), set by the script runner.
  void setContext(std::string context) { context_ = std::move(context); }

  // Waits until a window titled `title` (or labelled so) is open and idle; it becomes the target.
  bool window(const std::string& title);
  // Types into an entry, spin or combo and leaves it (Accepted).
  bool type(const std::string& equate, const std::string& text);
  bool check(const std::string& equate, bool on);
  // A row of a drop list or list box, a radio of an option group, a tab of a sheet: by its
  // text or, with `row` > 0, by its number.
  bool choose(const std::string& equate, const std::string& text, int row = 0);
  // A button, check, menu item or toolbar button of the target window.
  bool press(const std::string& equate);
  // A menu item or toolbar button by its text (with or without '&'), tip or equate, in the
  // target window or its MDI frame.
  bool menu(const std::string& textOrEquate);
  // A key in a control ("" or "-": the window itself); see parseKeyName for the names.
  bool key(const std::string& equate, const std::string& keyName);
  // The pending box with this caption gets `button` ("Yes", "Ok", ...).
  bool answer(const std::string& caption, const std::string& button);
  // The pending file or directory dialog: a path, or cancel.
  bool file(const std::string& path);
  bool cancelFile();
  // The pending pop-up menu: item number (1..), or 0 to dismiss.
  bool popup(int item);
  bool popup(const std::string& itemText);
  // The mouse wheel turned `notches` (< 0: down) over a control without the focus.
  bool wheel(const std::string& equate, int notches);
  // The target's close box.
  bool close();
  // The user resizes the target (Sized).
  bool resize(int width, int height);
  // The mouse on a region or image: "in", "out", "down" or "up".
  bool mouse(const std::string& equate, const std::string& what);
  // The list box's thumb dropped at `position` (0..100): ScrollDrag.
  bool drag(const std::string& equate, int position);
  // Writes the control's value (and state) into the transcript; "" dumps the window.
  bool dump(const std::string& equate);
  bool waitClosed(const std::string& title);
  // Waits until every procedure has ended.
  bool waitEnd();
  // The same within the timeout, also after a failure, and without failing (ending a run).
  bool waitEndedQuietly() { return d_.waitEnded(timeout_); }
  // Starts what the program registered under `name` (see setStartHandler), with `arg`.
  bool start(const std::string& name, const std::string& arg);
  // Waits until the program is idle; fails when a box or dialog is left unanswered.
  bool settle();

  bool failed() const { return failed_; }
  const std::string& error() const { return error_; }
  int target() const { return target_; }
  bool fail(const std::string& why);

 private:
  bool waitIdle(bool allowPending);
  bool targetControl(const std::string& equate, int& id, bool needEnabled, HWindow* seen = nullptr);
  // The driver's answer: fails with `what` and its reason, else waits until idle.
  bool acted(const std::string& why, const std::string& what);
  bool findPending(PendingView::Kind kind, PendingView& out);

  Driver& d_;
  std::chrono::milliseconds timeout_{5000};
  std::string context_;
  int target_ = 0;
  bool failed_ = false;
  std::string error_;
};

}  // namespace ui::headless
