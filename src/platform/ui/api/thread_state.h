#pragma once
// The layer's process-wide state: threads, their event queues and open windows. Internal to
// the API library. One mutex guards all of it; a backend is never called while it is held,
// so a backend that marshals to its GUI thread cannot deadlock against deliver().
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/api/event.h"

namespace ui {
struct WindowState;
}

namespace ui::detail {

struct Queued {
  int window = 0;  // 0: an event of the thread (Private)
  Event ev;
};

enum class Activity { Busy, Waiting, Modal };

struct ThreadState {
  int id = 0;
  bool procedure = false;  // a running startProcedure thread
  Activity activity = Activity::Busy;
  int acceptingWindow = 0;  // the window whose accept() is waiting
  bool timerWait = false;   // waiting in accept() for a timer tick
  std::deque<Queued> queue;
  std::vector<int> windows;  // open windows of the thread, innermost last
  int lastKey = 0;
};

struct Global {
  std::mutex m;
  std::condition_variable cv;
  std::vector<std::shared_ptr<ThreadState>> threads;
  std::map<int, std::weak_ptr<WindowState>> windows;
  std::map<int, int> windowThread;  // window id -> thread id
  int nextThread = 1;
  int nextWindow = 1;
  int running = 0;
  bool halted = false;
  int haltCode = 0;
  bool shutdown = false;
  int waitCursor = 0;
  std::function<void()> endedHandler;
  std::function<void(std::string)> helpHandler;
};

// Never destroyed: detached procedure threads may still end after main() returns.
Global& global();

// The calling thread's state, registered on first use.
ThreadState& self();
std::shared_ptr<ThreadState> selfPtr();
// Installs a state created ahead for a new procedure thread (call first on that thread).
void adopt(std::shared_ptr<ThreadState> state);
ThreadState* findThread(int id);  // with the lock held

// True when `t`'s queue holds an event its waiting accept() would hand out (lock held).
bool hasDeliverable(const ThreadState& t);
bool allIdle();  // lock held

// Marks the calling thread as waiting for the user in a modal operation while it lives.
class ModalGuard {
 public:
  ModalGuard();
  ~ModalGuard();
  ModalGuard(const ModalGuard&) = delete;
  ModalGuard& operator=(const ModalGuard&) = delete;
  int window() const { return window_; }
  int thread() const { return thread_; }

 private:
  int window_ = 0;
  int thread_ = 0;
};

// Throws ProgramHalted when the program has halted (lock not held).
void checkHalted();

// Runs a modal backend operation with the thread marked modal; afterwards throws
// ProgramHalted when the program halted meanwhile.
template <class F>
auto modal(F&& f) {
  checkHalted();
  decltype(f(std::declval<const ModalGuard&>())) result;
  {
    ModalGuard guard;
    result = f(guard);
  }
  checkHalted();
  return result;
}

}  // namespace ui::detail
