#pragma once
// How long a test waits for what should come soon: a window, the program at rest, a thread
// ending. Only a failing test waits this long, so the limit is generous; a loaded machine (a
// parallel run under the sanitizers beside other work) must never fail a test.
#include <chrono>
#include <string>
#include <thread>

namespace l2stest {

inline constexpr std::chrono::milliseconds kWaitLimit{60000};
inline constexpr int kWaitLimitMs = static_cast<int>(kWaitLimit.count());
// The same limit as a script line, for scripts the program plays.
inline std::string waitLimitScriptLine() {
  return "timeout " + std::to_string(std::chrono::duration_cast<std::chrono::seconds>(kWaitLimit).count()) + "\n";
}

// Tests `done` every few milliseconds until it holds or the limit has passed, for what no event
// tells (a file another process writes, a child that ends); true when it held.
template <class Done>
bool pollUntil(Done done) {
  const auto until = std::chrono::steady_clock::now() + kWaitLimit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace l2stest
