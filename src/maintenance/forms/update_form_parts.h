#pragma once
// Building blocks of the update forms' windows: the window layer's builders and the message
// line and three buttons every form ends with.
#include <string>
#include <utility>
#include <vector>

#include "maintenance/lists/list_window_parts.h"
#include "platform/ui/api/window_def.h"

namespace maintenance::form {

using ui::defs::combo;
using ui::defs::control;
using ui::defs::display;
using ui::defs::dropColumn;
using ui::defs::entry;
using ui::defs::lookupButton;
using ui::defs::option;
using ui::defs::prompt;
using ui::defs::radio;

// As every form ends: the message line on a row of its own (an empty prompt starts the row),
// then OK, Avbryt and help.
inline void finishForm(ui::WindowDef& w, std::string messagePicture, const char* okTip) {
  w.controls.push_back(prompt("?ACTIONMESSAGE:PROMPT", ""));
  w.controls.push_back(display("?ACTIONMESSAGE", std::move(messagePicture)));
  ui::ControlDef ok = button("?OK", "OK", okTip);
  ok.isDefault = true;
  w.controls.push_back(std::move(ok));
  w.controls.push_back(button("?CANCEL", "Avbryt", "Avbryt"));
  w.controls.push_back(helpButton("Hjelp for dette vinduet"));
}

}  // namespace maintenance::form
