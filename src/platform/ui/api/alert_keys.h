#pragma once
// For backends: a control's or window's alert keys after an AlertKey or NoAlertKey change.
#include <set>

#include "platform/ui/api/prop.h"

namespace ui {

inline void editAlertKeys(std::set<int>& keys, const PropChange& ch) {
  if (ch.prop == Prop::AlertKey)
    keys.insert(static_cast<int>(ch.number));
  else if (ch.number == 0)
    keys.clear();
  else
    keys.erase(static_cast<int>(ch.number));
}

}  // namespace ui
