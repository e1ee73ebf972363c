#pragma once
// The robot's driver for the headless backend: it reads and changes the backend's records
// and delivers the events a user's action would give.
#include "platform/ui/headless/driver.h"
#include "platform/ui/headless/headless_backend.h"

namespace ui::headless {

class HeadlessDriver : public Driver {
 public:
  explicit HeadlessDriver(HeadlessBackend& backend) : b_(backend) {}

  Transcript& transcript() override { return b_.transcript(); }
  std::map<int, HWindow> windows() override;
  std::vector<PendingView> pending() override;
  int activeWindow() override { return b_.activeWindow(); }
  void waitChange(std::chrono::milliseconds most) override;
  bool shown() override { return true; }

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
  bool stdAction(int window, int control);
  std::shared_ptr<Pending> find(long long serial);  // lock held

  HeadlessBackend& b_;
};

}  // namespace ui::headless
