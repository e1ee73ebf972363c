#pragma once
// Building blocks of the update forms' windows: prompts, entries, display texts, option groups,
// drop combos, look-up buttons and the three buttons every form ends with.
#include <string>
#include <utility>
#include <vector>

#include "maintenance/list_window_parts.h"
#include "platform/ui/api/window_def.h"

namespace maintenance::form {

inline ui::ControlDef control(ui::ControlKind kind, std::string equate, std::string text = "", std::string tip = "") {
  ui::ControlDef c;
  c.kind = kind;
  c.equate = std::move(equate);
  c.text = std::move(text);
  c.tip = std::move(tip);
  return c;
}
inline ui::ControlDef prompt(std::string equate, std::string text) {
  return control(ui::ControlKind::Prompt, std::move(equate), std::move(text));
}
inline ui::ControlDef entry(std::string equate, std::string picture, std::string tip = "") {
  ui::ControlDef c = control(ui::ControlKind::Entry, std::move(equate), "", std::move(tip));
  c.picture = std::move(picture);
  return c;
}
inline ui::ControlDef display(std::string equate, std::string picture) {
  ui::ControlDef c = control(ui::ControlKind::Text, std::move(equate));
  c.picture = std::move(picture);
  return c;
}
inline ui::ControlDef option(std::string equate, std::string caption, std::string tip = "") {
  return control(ui::ControlKind::Option, std::move(equate), std::move(caption), std::move(tip));
}
inline ui::ControlDef radio(std::string parent, std::string text) {
  ui::ControlDef c = control(ui::ControlKind::Radio, parent + ":" + text, std::move(text));
  c.parent = std::move(parent);
  return c;
}
// A column of a drop combo's list: no heading, no indent.
inline ui::ColumnDef dropColumn(int width, const char* picture) { return column(width, 0, "", picture); }
// A typed drop combo whose list shows `columns`; its value is the chosen row's first cell.
inline ui::ControlDef combo(std::string equate, std::string picture, int items, std::vector<ui::ColumnDef> columns,
                            std::string tip = "") {
  ui::ControlDef c = control(ui::ControlKind::Combo, std::move(equate), "", std::move(tip));
  c.picture = std::move(picture);
  c.items = items;
  c.columns = std::move(columns);
  return c;
}
inline ui::ControlDef lookupButton(std::string equate, std::string tip = "") {
  return control(ui::ControlKind::Button, std::move(equate), "...", std::move(tip));
}
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
