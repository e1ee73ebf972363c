#include "platform/ui/api/backend.h"

#include <atomic>

#include "platform/ui/api/thread_state.h"

namespace ui {
namespace {
std::atomic<Backend*> gBackend{nullptr};
}

void setBackend(Backend* b) { gBackend.store(b); }
Backend* backend() { return gBackend.load(); }

void deliver(int window, Event ev) {
  detail::Global& g = detail::global();
  std::lock_guard lock(g.m);
  auto it = g.windowThread.find(window);
  if (it == g.windowThread.end()) return;
  detail::ThreadState* t = detail::findThread(it->second);
  if (!t) return;
  t->queue.push_back({window, std::move(ev)});
  g.cv.notify_all();
}

}  // namespace ui
