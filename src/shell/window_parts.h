#pragma once
// The controls this program's windows declare alike, on top of the window layer's builders.
#include "platform/ui/api/def_builders.h"

namespace shell {

// The help button every window ends with: the help icon, the window's help on a click.
inline ui::ControlDef helpButton(std::string tip) {
  ui::ControlDef c = ui::defs::iconButton("?HJELP", "", std::move(tip), "HELP.ICO");
  c.action = ui::StdAction::Help;
  return c;
}

}  // namespace shell
