#pragma once
// A window test's run on either backend: the headless one, or the real Qt windows with the
// test's thread as the GUI thread (the binary's main makes the QApplication). The robot plays
// the user on both; windows() shows the windows as the user sees them, through the driver.
#include <atomic>
#include <functional>
#include <istream>
#include <map>
#include <memory>
#include <string>

#include "platform/ui/headless/driver.h"
#include "platform/ui/headless/robot.h"
#include "platform/ui/headless/session.h"
#include "script_backend.h"
#include "test_session.h"
#ifdef LAB2SIV_TEST_QT_WINDOWS
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_driver.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_script.h"
#endif

namespace l2stest {

class BackendSession {
 public:
  explicit BackendSession(ScriptBackend backend) : backend_(backend) {
    if (backend == ScriptBackend::Headless) {
      headless_ = std::make_unique<Session>();
      return;
    }
#ifdef LAB2SIV_TEST_QT_WINDOWS
    qt_ = std::make_unique<QtParts>();
#endif
  }
  ~BackendSession() { finish(); }  // the transcript stays readable after finish()
  BackendSession(const BackendSession&) = delete;
  BackendSession& operator=(const BackendSession&) = delete;

  bool start(std::function<void()> procedure) {
    if (headless_) return headless_->start(std::move(procedure));
#ifdef LAB2SIV_TEST_QT_WINDOWS
    if (qt_->run.start(std::move(procedure))) return true;
    qt_->robot.fail("the first procedure could not be started");
#endif
    return false;
  }
  ui::headless::Robot& robot() { return headless_ ? headless_->robot() : qtRobot(); }
  ui::headless::Driver& driver() { return headless_ ? headlessDriver_() : qtDriver(); }
  std::map<int, ui::headless::HWindow> windows() { return driver().windows(); }
  ui::headless::Transcript& transcript() { return driver().transcript(); }
  int finish() {
    if (finished_) return code_;
    finished_ = true;
    if (headless_) return code_ = headless_->finish();
#ifdef LAB2SIV_TEST_QT_WINDOWS
    code_ = ui::qt::finishScripted(qt_->robot, qt_->transcript, qt_->quietHalt);
#endif
    return code_;
  }
  // Plays script lines (docs/script-format.md), then finish(); the exit code.
  int run(std::istream& script) {
    ui::headless::playScript(robot(), transcript(), script);
    return finish();
  }
  std::string text() { return transcript().text(); }
  ScriptBackend kind() const { return backend_; }
  // The headless backend itself (headless runs only).
  ui::headless::HeadlessBackend& backend() { return headless_->backend(); }

 private:
#ifdef LAB2SIV_TEST_QT_WINDOWS
  struct QtParts {
    QtParts() {
      run.backend().setRecorder([this](std::string line) {
        if (quietHalt && line.rfind("halt ", 0) == 0) return;
        transcript.add(std::move(line));
      });
      robot.setTimeout(kWaitLimit);
    }
    ~QtParts() { run.backend().setRecorder(nullptr); }
    ui::headless::Transcript transcript;
    std::atomic<bool> quietHalt{false};
    ui::qt::QtRun run;
    ui::qt::QtDriver driver{run.backend(), transcript};
    ui::headless::Robot robot{driver};
  };
  std::unique_ptr<QtParts> qt_;
  ui::headless::Robot& qtRobot() { return qt_->robot; }
  ui::headless::Driver& qtDriver() { return qt_->driver; }
#else
  ui::headless::Robot& qtRobot() { return headless_->robot(); }
  ui::headless::Driver& qtDriver() { return headlessDriver_(); }
#endif
  ui::headless::Driver& headlessDriver_() {
    if (!headlessDriverObj_) headlessDriverObj_ = std::make_unique<ui::headless::HeadlessDriver>(headless_->backend());
    return *headlessDriverObj_;
  }

  ScriptBackend backend_;
  std::unique_ptr<Session> headless_;
  std::unique_ptr<ui::headless::HeadlessDriver> headlessDriverObj_;
  bool finished_ = false;
  int code_ = 0;
};

}  // namespace l2stest
