#pragma once
// A control definition in one line, for the window tables of the tests.
#include <string>

#include "platform/ui/api/window_def.h"

inline ui::ControlDef ctl(ui::ControlKind kind, std::string equate, std::string text = {}, std::string parent = {}) {
  ui::ControlDef d;
  d.kind = kind;
  d.equate = std::move(equate);
  d.text = std::move(text);
  d.parent = std::move(parent);
  return d;
}
