#pragma once
// Processes the GUI thread's events until `done` holds, as long as a loaded machine needs.
#include <functional>

#include "platform/ui/qt/qt_run.h"
#include "wait_limit.h"

namespace l2stest {

inline bool pumpUntil(ui::qt::QtRun& run, const std::function<bool()>& done, int ms = kWaitLimitMs) {
  return run.pumpUntil(done, ms);
}

}  // namespace l2stest
