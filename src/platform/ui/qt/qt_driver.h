#pragma once
// The scripted user's driver for the Qt backend: it reads the widgets and acts on them with
// Qt's own input events (keys, mouse clicks, wheel turns) on the GUI thread, so validators,
// spin limits and pictures apply as they do for a user. Boxes and dialogs are answered by
// their own buttons. Called on the script's thread, or on the GUI thread itself (tests), where
// its waits keep the GUI's events flowing.
#include "platform/ui/headless/driver.h"

namespace ui::qt {

class QtBackend;

class QtDriver : public ui::headless::Driver {
 public:
  QtDriver(QtBackend& backend, ui::headless::Transcript& transcript) : b_(backend), t_(transcript) {}

  ui::headless::Transcript& transcript() override { return t_; }
  std::map<int, ui::headless::HWindow> windows() override;
  std::vector<ui::headless::PendingView> pending() override;
  int activeWindow() override;
  void waitChange(std::chrono::milliseconds most) override;
  bool waitUntilIdle(std::chrono::milliseconds timeout, int* modalThreads) override;
  bool waitEnded(std::chrono::milliseconds timeout) override;
  bool shown() override;

  std::string activate(int window) override;
  std::string type(int window, int control, const std::string& text) override;
  std::string check(int window, int control, bool on) override;
  std::string chooseChild(int window, int group, int child, int number) override;
  std::string chooseRow(int window, int control, int row) override;
  std::string press(int window, int control) override;
  std::string key(int window, int control, int code, const std::string& character) override;
  std::string wheel(int window, int control, int notches) override;
  std::string close(int window) override;
  std::string resize(int window, int width, int height) override;
  std::string mouse(int window, int control, EventKind kind) override;
  std::string drag(int window, int control, int position) override;
  std::string answerBox(long long serial, int button) override;
  std::string answerFile(long long serial, bool accepted, const std::string& path) override;
  std::string answerPopup(long long serial, int item) override;

 private:
  // Makes the window the active one and waits until it is, as a click into it would.
  std::string focusWindow(int window);
  void recordStdAction(StdAction action, std::string keyword);

  QtBackend& b_;
  ui::headless::Transcript& t_;
};

}  // namespace ui::qt
