#include "platform/ui/api/procedure.h"

#include <algorithm>

#include "platform/sys/thread.h"
#include "platform/ui/api/backend.h"
#include "platform/ui/api/thread_state.h"

namespace ui {

using detail::global;

bool startProcedure(std::function<void()> fn, std::size_t requestedStack) {
  detail::Global& g = global();
  auto st = std::make_shared<detail::ThreadState>();
  {
    std::lock_guard lock(g.m);
    st->id = g.nextThread++;
    st->procedure = true;
    g.threads.push_back(st);
    ++g.running;
  }
  auto body = [st, fn = std::move(fn)]() mutable {
    detail::adopt(st);
    try {
      fn();
    } catch (const ProgramHalted&) {
      // The program is ending; this thread just stops.
    }
    std::function<void()> ended;
    {
      detail::Global& gl = global();
      std::lock_guard lock(gl.m);
      st->procedure = false;
      if (st->windows.empty()) std::erase(gl.threads, st);
      if (--gl.running == 0) ended = gl.endedHandler;
      gl.cv.notify_all();
    }
    if (ended) ended();
  };
  if (sys::startThread(std::move(body), requestedStack)) return true;
  std::lock_guard lock(g.m);
  st->procedure = false;
  --g.running;
  auto& v = g.threads;
  std::erase(v, st);
  g.cv.notify_all();
  return false;
}

int currentThread() { return detail::self().id; }

void haltProgram(int code) {
  detail::Global& g = global();
  bool first = false;
  {
    std::lock_guard lock(g.m);
    if (!g.halted) {
      g.halted = true;
      g.haltCode = code;
      first = true;
    }
    code = g.haltCode;
  }
  // The backend hears of it before the other threads wake and unwind, so its record
  // of the halt comes first.
  if (first) {
    if (Backend* b = backend()) b->halted(code);
  }
  {
    std::lock_guard lock(g.m);
    g.cv.notify_all();
  }
  throw ProgramHalted{code};
}

bool programHalted() {
  std::lock_guard lock(global().m);
  return global().halted;
}

int haltCode() {
  std::lock_guard lock(global().m);
  return global().haltCode;
}

void postToThread(int number) {
  detail::ThreadState& t = detail::self();
  detail::Global& g = global();
  std::lock_guard lock(g.m);
  Event ev;
  ev.kind = EventKind::Private;
  ev.number = number;
  t.queue.push_back({0, ev});
  g.cv.notify_all();
}

int runningProcedures() {
  std::lock_guard lock(global().m);
  return global().running;
}

bool waitProceduresEnded(std::chrono::milliseconds timeout) {
  detail::Global& g = global();
  std::unique_lock lock(g.m);
  return g.cv.wait_for(lock, timeout, [&] { return g.running == 0; });
}

void setProceduresEndedHandler(std::function<void()> handler) {
  std::lock_guard lock(global().m);
  global().endedHandler = std::move(handler);
}

void requestShutdown() {
  detail::Global& g = global();
  std::lock_guard lock(g.m);
  g.shutdown = true;
  for (auto& t : g.threads) {
    for (int w : t->windows) {
      Event ev;
      ev.kind = EventKind::CloseWindow;
      t->queue.push_back({w, ev});
    }
  }
  g.cv.notify_all();
}

namespace {
int modalCount() {  // lock held
  int n = 0;
  for (auto& t : global().threads)
    if (t->activity == detail::Activity::Modal) ++n;
  return n;
}
}  // namespace

bool waitUntilIdle(std::chrono::milliseconds timeout, int* modalThreads) {
  detail::Global& g = global();
  std::unique_lock lock(g.m);
  const bool idle = g.cv.wait_for(lock, timeout, [] { return detail::allIdle(); });
  if (modalThreads) *modalThreads = modalCount();
  return idle;
}

void resetProcedures() {
  detail::Global& g = global();
  std::lock_guard lock(g.m);
  g.halted = false;
  g.haltCode = 0;
  g.shutdown = false;
  g.waitCursor = 0;
  g.endedHandler = nullptr;
  // Numbers start again after the threads that are still known.
  g.nextThread = 1;
  for (auto& t : g.threads) g.nextThread = std::max(g.nextThread, t->id + 1);
  for (auto& t : g.threads) {
    t->queue.clear();
    t->lastKey = 0;
  }
}

}  // namespace ui
