#pragma once
// The window backend without windows: every window and control lives in memory, and what a
// user would do comes from the robot (robot.h). Modal operations wait until the robot
// answers them.
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/ui/api/backend.h"
#include "platform/ui/headless/driver.h"
#include "platform/ui/headless/headless_controls.h"
#include "platform/ui/headless/transcript.h"

namespace ui::headless {

// A box, dialog or pop-up menu waiting for its answer: what was asked, and the answer.
struct Pending : PendingView {
  bool answered = false;
  int button = 0;         // Box: the button; Popup: the item
  bool accepted = false;  // File: chosen (not cancelled)
  std::string path;
};

class HeadlessBackend : public Backend {
 public:
  explicit HeadlessBackend(Transcript& transcript);
  ~HeadlessBackend() override;

  // Backend
  void openWindow(int window, const WindowDef& def, int thread) override;
  void closeWindow(int window) override;
  void apply(int window, const std::vector<PropChange>& changes) override;
  PropValue get(int window, int control, Prop prop) override;
  void setRows(int window, int control, const std::vector<ListRow>& rows) override;
  void createControl(int window, const ControlDef& def) override;
  void destroyControl(int window, int control) override;
  void clipboard(int window, ClipboardOp op) override;
  int messageBox(const BoxRequest& box) override;
  bool fileDialog(const FileRequest& request, std::string& chosen) override;
  int popupMenu(const PopupRequest& request) override;
  bool printerSetup(int thread) override;
  void setWaitCursor(bool on) override;
  void beep() override;
  void halted(int code) override;

  // For the robot. The lock guards windows() and pending(); wait on changed() for any
  // window, title or pending-operation change.
  std::mutex& mutex() { return m_; }
  std::condition_variable& changed() { return cv_; }
  std::map<int, HWindow>& windows() { return windows_; }
  std::deque<std::shared_ptr<Pending>>& pending() { return pending_; }
  // The window with the focus; activate() moves it there as a click would (LoseFocus to the
  // old one, GainFocus to the new one).
  int activeWindow() const;
  void activate(int window);
  // Answers a pending operation (lock held) and wakes its thread.
  void answer(Pending& p);
  // Every pending operation returns as cancelled, now and from now on (shutdown of a failed run).
  void cancelAll();
  // A halt that ends a failed run is not the program's own: no "halt" line.
  void setQuietHalt(bool quiet) { quietHalt_ = quiet; }
  bool waitCursor() const { return waitCursor_; }
  Transcript& transcript() { return transcript_; }

 private:
  template <class T>
  T waitFor(std::shared_ptr<Pending> p, T (*result)(const Pending&));
  HControl* control(int window, int id);  // lock held

  Transcript& transcript_;
  mutable std::mutex m_;
  std::condition_variable cv_;
  std::map<int, HWindow> windows_;
  std::deque<std::shared_ptr<Pending>> pending_;
  long long opened_ = 0;
  long long serial_ = 0;
  int active_ = 0;
  bool cancelAll_ = false;
  bool quietHalt_ = false;
  bool waitCursor_ = false;
  std::string clipboard_;
};

// The caption of a button value ("Ok", "Yes", ...) and back (case-insensitive; 0 unknown).
std::string buttonName(int button);
int buttonByName(const std::string& name);
std::string buttonList(int buttons);  // "Yes|No|Cancel"

}  // namespace ui::headless
