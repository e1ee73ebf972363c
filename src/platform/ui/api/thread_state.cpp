#include "platform/ui/api/thread_state.h"

#include <algorithm>

#include "platform/ui/api/procedure.h"

namespace ui::detail {
namespace {

// Removes the thread's entry from the registry when the thread ends.
struct Holder {
  std::shared_ptr<ThreadState> state;
  ~Holder() {
    if (!state) return;
    Global& g = global();
    std::lock_guard lock(g.m);
    auto& v = g.threads;
    v.erase(std::remove(v.begin(), v.end(), state), v.end());
    g.cv.notify_all();
  }
};

thread_local Holder tHolder;

}  // namespace

Global& global() {
  static Global* g = new Global;  // never destroyed on purpose
  return *g;
}

std::shared_ptr<ThreadState> selfPtr() {
  if (!tHolder.state) {
    auto st = std::make_shared<ThreadState>();
    Global& g = global();
    std::lock_guard lock(g.m);
    st->id = g.nextThread++;
    g.threads.push_back(st);
    tHolder.state = st;
  }
  return tHolder.state;
}

ThreadState& self() {
  if (!tHolder.state) selfPtr();
  return *tHolder.state;
}

void adopt(std::shared_ptr<ThreadState> state) { tHolder.state = std::move(state); }

ThreadState* findThread(int id) {
  for (auto& t : global().threads)
    if (t->id == id) return t.get();
  return nullptr;
}

bool hasDeliverable(const ThreadState& t) {
  const bool innermost = !t.windows.empty() && t.windows.back() == t.acceptingWindow;
  for (const Queued& q : t.queue) {
    if (q.window == t.acceptingWindow && t.acceptingWindow != 0) return true;
    if (q.window == 0 && innermost) return true;
  }
  return false;
}

bool allIdle() {
  for (const auto& t : global().threads) {
    if (!t->procedure && t->windows.empty()) continue;
    if (t->activity == Activity::Modal) continue;
    if (t->activity != Activity::Waiting || t->timerWait || hasDeliverable(*t)) return false;
  }
  return true;
}

ModalGuard::ModalGuard() {
  ThreadState& t = self();
  Global& g = global();
  std::lock_guard lock(g.m);
  thread_ = t.id;
  window_ = t.windows.empty() ? 0 : t.windows.back();
  t.activity = Activity::Modal;
  g.cv.notify_all();
}

ModalGuard::~ModalGuard() {
  ThreadState& t = self();
  Global& g = global();
  std::lock_guard lock(g.m);
  t.activity = Activity::Busy;
  g.cv.notify_all();
}

void checkHalted() {
  Global& g = global();
  int code = 0;
  {
    std::lock_guard lock(g.m);
    if (!g.halted) return;
    code = g.haltCode;
  }
  throw ProgramHalted{code};
}

}  // namespace ui::detail
