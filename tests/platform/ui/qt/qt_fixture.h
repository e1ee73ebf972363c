#pragma once
// One QApplication for the whole test program, and a fixture that gives each test a run of
// the Qt backend. The test body is the GUI thread and plays the user on real widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "event_log.h"
#include "platform/ui/api/event.h"
#include "platform/ui/api/window.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"
#include "wait_limit.h"

// Lines the procedures write, read by the test on the GUI thread.
using Log = EventLog;

class QtTest : public ::testing::Test {
 public:
  // For helpers outside the test bodies.
  bool pumpFor(const std::function<bool()>& done, int ms = l2stest::kWaitLimitMs) { return pumpUntil(done, ms); }
  ui::qt::QtBackend& qtBackend() { return backend(); }

 protected:
  void SetUp() override { run_ = std::make_unique<ui::qt::QtRun>(); }
  void TearDown() override { run_.reset(); }

  // Procedures may still write while the run ends in TearDown, so the log outlives it.
  Log log;

  ui::qt::QtRun& run() { return *run_; }
  ui::qt::QtBackend& backend() { return run_->backend(); }
  bool pumpUntil(const std::function<bool()>& done, int ms = l2stest::kWaitLimitMs) {
    return run_->pumpUntil(done, ms);
  }
  // The newest open window with this title, once it is there.
  ui::qt::QtWindow* waitWindow(const std::string& title) {
    ui::qt::QtWindow* w = nullptr;
    pumpUntil([&] { return (w = backend().windowTitled(title)) != nullptr; });
    return w;
  }
  // Waits for a line of the log, then until the changes queued so far are on screen.
  bool waitSettled(const std::string& line) {
    return pumpUntil([&] { return log.has(line); }) && pumpUntil([&] { return backend().settled(); });
  }
  template <class W>
  W* control(ui::qt::QtWindow* w, const std::string& equate) {
    return w ? qobject_cast<W*>(w->widget(equate)) : nullptr;
  }

 private:
  std::unique_ptr<ui::qt::QtRun> run_;
};
