#include "platform/sys/thread.h"

#include <pthread.h>

#include <algorithm>
#include <memory>

namespace sys {
namespace {

void* trampoline(void* arg) {
  std::unique_ptr<std::function<void()>> fn(static_cast<std::function<void()>*>(arg));
  (*fn)();
  return nullptr;
}

}  // namespace

std::size_t effectiveStackSize(std::size_t requested) { return std::max(requested, kMinThreadStack); }

bool startThread(std::function<void()> fn, std::size_t requestedStack) {
  pthread_attr_t attr;
  if (pthread_attr_init(&attr) != 0) return false;
  pthread_attr_setstacksize(&attr, effectiveStackSize(requestedStack));
  pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
  auto* heapFn = new std::function<void()>(std::move(fn));
  pthread_t tid;
  const int rc = pthread_create(&tid, &attr, trampoline, heapFn);
  pthread_attr_destroy(&attr);
  if (rc != 0) {
    delete heapFn;
    return false;
  }
  return true;
}

}  // namespace sys
