#pragma once
// A script played on the real Qt windows of a test's run, as `lab2siv --script` plays it: the
// robot on a thread of its own, the test's thread pumping the GUI until the script is done.
#include <atomic>
#include <sstream>
#include <string>
#include <thread>

#include "platform/ui/headless/robot.h"
#include "platform/ui/headless/session.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_driver.h"
#include "platform/ui/qt/qt_run.h"
#include "wait_limit.h"

namespace l2stest {

// The transcript of `script` (lines as in docs/script-format.md); an error fails the robot.
inline std::string playOnQt(ui::qt::QtRun& run, const std::string& script) {
  ui::headless::Transcript transcript;
  ui::qt::QtDriver driver(run.backend(), transcript);
  ui::headless::Robot robot(driver);
  robot.setTimeout(kWaitLimit);
  std::istringstream in(script);
  std::atomic<bool> done{false};
  std::thread player([&] {
    ui::headless::playScript(robot, transcript, in);
    done = true;
  });
  run.pumpUntil([&] { return done.load(); }, 10 * kWaitLimitMs);
  player.join();
  return transcript.text();
}

}  // namespace l2stest
