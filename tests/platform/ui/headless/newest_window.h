#pragma once
// Looks into the headless backend as a test reads it: the newest window with a title, and the
// control with its focus.
#include <mutex>
#include <string>

#include "platform/ui/headless/headless_backend.h"

namespace testing_util {

// The newest window with this title, or nullptr; the caller holds the backend's lock.
inline const ui::headless::HWindow* newestWindow(ui::headless::HeadlessBackend& b, const std::string& title) {
  const ui::headless::HWindow* newest = nullptr;
  for (auto& [id, w] : b.windows())
    if (w.title == title && (!newest || w.order > newest->order)) newest = &w;
  return newest;
}

// The equate of the control with the focus in the newest window with this title ("" if none).
inline std::string focusedEquate(ui::headless::HeadlessBackend& b, const std::string& title) {
  std::lock_guard lock(b.mutex());
  const ui::headless::HWindow* newest = newestWindow(b, title);
  if (!newest || !newest->controls.count(newest->focus)) return {};
  return newest->controls.at(newest->focus).def.equate;
}

}  // namespace testing_util
