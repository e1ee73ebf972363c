#include "platform/ui/api/refresh.h"

#include "platform/ui/api/procedure.h"

namespace ui {

bool handleRefresh(const Event& ev, const RefreshHandlers& handlers) {
  if (ev.control != 0) return false;
  const auto call = [](const std::function<void()>& fn) {
    if (fn) fn();
    return true;
  };
  switch (ev.kind) {
    case EventKind::OpenWindow: return call(handlers.open);
    case EventKind::GainFocus: return call(handlers.gainFocus);
    case EventKind::Sized: postToThread(kRefreshEvent); return true;
    case EventKind::Private: return ev.number == kRefreshEvent && call(handlers.refresh);
    default: return false;
  }
}

}  // namespace ui
