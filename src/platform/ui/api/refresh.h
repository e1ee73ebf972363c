#pragma once
// The window events that ask a window to show itself again, handled the one way every window
// does: OpenWindow and GainFocus call their handlers, a completed resize (Sized) posts the
// private refresh event to the window's own thread, and that event calls `refresh`.
#include <functional>

#include "platform/ui/api/event.h"

namespace ui {

struct RefreshHandlers {
  std::function<void()> open;       // the window has opened
  std::function<void()> gainFocus;  // the window got the focus
  std::function<void()> refresh;    // the refresh event a resize posted
};

// True when `ev` was one of these window events; an empty handler does nothing.
bool handleRefresh(const Event& ev, const RefreshHandlers& handlers);

}  // namespace ui
