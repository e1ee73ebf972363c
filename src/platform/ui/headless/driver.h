#pragma once
// What the scripted user (robot.h) needs of a window backend: a look at the open windows and
// the boxes waiting for an answer, the user's actions on them, and a way to wait for changes.
// HeadlessDriver acts directly on the headless backend's records; the Qt driver sends Qt's own
// input events to the widgets a user would use. The robot does every check and transcript
// line both share, so a script gives the same transcript on either.
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "platform/ui/api/backend.h"
#include "platform/ui/headless/headless_controls.h"
#include "platform/ui/headless/transcript.h"

namespace ui::headless {

// A box, file or directory dialog or pop-up menu waiting for its answer.
struct PendingView {
  enum class Kind { Box, File, Popup } kind = Kind::Box;
  long long serial = 0;  // names it to the driver
  BoxRequest box;
  FileRequest file;
  PopupRequest popup;
};

class Driver {
 public:
  virtual ~Driver() = default;
  virtual Transcript& transcript() = 0;

  // A copy of the open windows as a user sees them: titles, controls with their values, rows
  // and states (`enabled`/`visible` the control's own, not its container's), the focus.
  virtual std::map<int, HWindow> windows() = 0;
  // The boxes and dialogs on show that nobody has answered yet, oldest first.
  virtual std::vector<PendingView> pending() = 0;
  virtual int activeWindow() = 0;
  // Returns after a change to windows or pending, or after `most` (whichever is first).
  virtual void waitChange(std::chrono::milliseconds most) = 0;
  // ui::waitUntilIdle and ui::waitProceduresEnded; a driver on the GUI thread keeps its
  // events flowing meanwhile.
  virtual bool waitUntilIdle(std::chrono::milliseconds timeout, int* modalThreads = nullptr);
  virtual bool waitEnded(std::chrono::milliseconds timeout);
  // Once the procedures are idle: true when what they asked of the backend is on show
  // (false: not yet, ask again).
  virtual bool shown() = 0;

  // The user's actions. The robot has checked that the window and control are there and
  // usable; a driver returns why it could not act ("" when it did).
  virtual std::string activate(int window) = 0;                                    // a click into the window
  virtual std::string type(int window, int control, const std::string& text) = 0;  // and leaves it
  virtual std::string check(int window, int control, bool on) = 0;
  // The radio of an option group or the tab of a sheet (`child`), `number` counted from 1.
  virtual std::string chooseChild(int window, int group, int child, int number) = 0;
  // Row `row` (1..) of a drop list, drop combo or list box.
  virtual std::string chooseRow(int window, int control, int row) = 0;
  // A click on a button, check, radio, image or region; a menu item or toolbar button chosen.
  virtual std::string press(int window, int control) = 0;
  // A key (ui::Key code, printable `character` or "") in a control (0: the window).
  virtual std::string key(int window, int control, int code, const std::string& character) = 0;
  // `notches` turns of the mouse wheel (< 0: down) over a control that has not the focus.
  virtual std::string wheel(int window, int control, int notches) = 0;
  virtual std::string close(int window) = 0;  // the close box
  virtual std::string resize(int window, int width, int height) = 0;
  virtual std::string mouse(int window, int control, EventKind kind) = 0;  // MouseIn/Out/Down/Up
  virtual std::string drag(int window, int control, int position) = 0;     // a list's thumb, 0..100

  virtual std::string answerBox(long long serial, int button) = 0;
  virtual std::string answerFile(long long serial, bool accepted, const std::string& path) = 0;
  virtual std::string answerPopup(long long serial, int item) = 0;  // 0 dismisses it
};

}  // namespace ui::headless
