#pragma once
// Short builders for window definitions: one per kind of control as the windows declare them,
// so a definition reads as a list of its controls. Anything else is set on the result.
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/api/window_def.h"

namespace ui::defs {

// A window's heading: label, title, icon, help keyword and kind.
inline WindowDef window(std::string label, std::string title, std::string icon = "", std::string help = "",
                        WindowKind kind = WindowKind::Plain) {
  WindowDef w;
  w.label = std::move(label);
  w.title = std::move(title);
  w.icon = std::move(icon);
  w.help = std::move(help);
  w.kind = kind;
  return w;
}
// A resizable child window of the frame, as most of the program's windows are.
inline WindowDef childWindow(std::string label, std::string title, std::string icon = "", std::string help = "") {
  WindowDef w = window(std::move(label), std::move(title), std::move(icon), std::move(help), WindowKind::MdiChild);
  w.resizable = true;
  return w;
}

inline ControlDef control(ControlKind kind, std::string equate, std::string text = "", std::string tip = "") {
  ControlDef c;
  c.kind = kind;
  c.equate = std::move(equate);
  c.text = std::move(text);
  c.tip = std::move(tip);
  return c;
}
// The control inside the sheet, tab, group, option group or panel `parent`.
inline ControlDef inside(ControlDef c, std::string parent) {
  c.parent = std::move(parent);
  return c;
}
// Laid out to the right of the earlier group `left` instead of under it.
inline ControlDef beside(ControlDef c, std::string left) {
  c.beside = std::move(left);
  return c;
}
// At a fixed place in dialog units; a size of 0 is the backend's choice.
inline ControlDef at(ControlDef c, int x, int y, int width = 0, int height = 0) {
  c.x = x;
  c.y = y;
  c.width = width;
  c.height = height;
  return c;
}
inline ControlDef prompt(std::string equate, std::string text) {
  return control(ControlKind::Prompt, std::move(equate), std::move(text));
}
// A line of fixed text.
inline ControlDef textLine(std::string equate, std::string text) {
  return control(ControlKind::Text, std::move(equate), std::move(text));
}
inline ControlDef entry(std::string equate, std::string picture, std::string tip = "") {
  ControlDef c = control(ControlKind::Entry, std::move(equate), "", std::move(tip));
  c.picture = std::move(picture);
  return c;
}
// A text that shows its variable through `picture`.
inline ControlDef display(std::string equate, std::string picture) {
  ControlDef c = control(ControlKind::Text, std::move(equate));
  c.picture = std::move(picture);
  return c;
}
// An entry with up/down arrows over the range [low, high].
inline ControlDef spin(std::string equate, std::string picture, double low, double high, std::string tip = "") {
  ControlDef c = control(ControlKind::Spin, std::move(equate), "", std::move(tip));
  c.picture = std::move(picture);
  c.rangeLow = low;
  c.rangeHigh = high;
  return c;
}
// A progress bar whose value runs over [low, high].
inline ControlDef progress(std::string equate, double low, double high) {
  ControlDef c = control(ControlKind::Progress, std::move(equate));
  c.rangeLow = low;
  c.rangeHigh = high;
  return c;
}
inline ControlDef check(std::string equate, std::string text, std::string tip = "") {
  return control(ControlKind::Check, std::move(equate), std::move(text), std::move(tip));
}
inline ControlDef group(std::string equate, std::string caption) {
  return control(ControlKind::Group, std::move(equate), std::move(caption));
}
inline ControlDef option(std::string equate, std::string caption, std::string tip = "") {
  return control(ControlKind::Option, std::move(equate), std::move(caption), std::move(tip));
}
// A radio of the option group `parent`, named after the group and its text.
inline ControlDef radio(std::string parent, std::string text) {
  ControlDef c = control(ControlKind::Radio, parent + ":" + text, std::move(text));
  c.parent = std::move(parent);
  return c;
}
inline ControlDef tab(std::string equate, std::string text, std::string sheet) {
  return inside(control(ControlKind::Tab, std::move(equate), std::move(text)), std::move(sheet));
}
inline ControlDef button(std::string equate, std::string text, std::string tip = "", int key = 0) {
  ControlDef c = control(ControlKind::Button, std::move(equate), std::move(text), std::move(tip));
  c.key = key;
  return c;
}
// A button with an icon; without text it shows only the icon.
inline ControlDef iconButton(std::string equate, std::string text, std::string tip, std::string icon) {
  ControlDef c = button(std::move(equate), std::move(text), std::move(tip));
  c.icon = std::move(icon);
  return c;
}
// The "..." button beside a field that opens its look-up.
inline ControlDef lookupButton(std::string equate, std::string tip = "") {
  return button(std::move(equate), "...", std::move(tip));
}
inline ColumnDef column(int width, int indent, std::string heading, std::string picture, std::string group = "") {
  ColumnDef c;
  c.width = width;
  c.indent = indent;
  c.heading = std::move(heading);
  c.picture = std::move(picture);
  c.group = std::move(group);
  return c;
}
// A column of a drop combo's list: no heading, no indent.
inline ColumnDef dropColumn(int width, std::string picture) { return column(width, 0, "", std::move(picture)); }
// A typed drop combo whose list shows `columns`; its value is the chosen row's first cell.
inline ControlDef combo(std::string equate, std::string picture, int items, std::vector<ColumnDef> columns,
                        std::string tip = "") {
  ControlDef c = control(ControlKind::Combo, std::move(equate), "", std::move(tip));
  c.picture = std::move(picture);
  c.items = items;
  c.columns = std::move(columns);
  return c;
}
// The fixed rows a drop combo offers.
inline ControlDef withRows(ControlDef c, std::vector<std::string> rows) {
  c.rows = std::move(rows);
  return c;
}
// A list box with a vertical scroll bar, `items` rows of `rowLines` lines.
inline ControlDef listBox(std::string equate, int items, int rowLines, std::vector<ColumnDef> columns,
                          std::string tip = "") {
  ControlDef c = control(ControlKind::List, std::move(equate), "", std::move(tip));
  c.vscroll = true;
  c.items = items;
  c.rowLines = rowLines;
  c.columns = std::move(columns);
  return c;
}

// A menu item; the layer performs `action` itself.
inline MenuItem menuItem(std::string equate, std::string text, std::string status = "",
                         StdAction action = StdAction::None) {
  MenuItem m;
  m.equate = std::move(equate);
  m.text = std::move(text);
  m.status = std::move(status);
  m.action = action;
  return m;
}
// A menu item with a check mark.
inline MenuItem checkItem(std::string equate, std::string text) {
  MenuItem m = menuItem(std::move(equate), std::move(text));
  m.checkable = true;
  return m;
}
inline MenuItem separator() {
  MenuItem m;
  m.separator = true;
  return m;
}
// A menu of `items`, on the menu bar or inside another menu.
inline MenuItem menu(std::string equate, std::string text, std::vector<MenuItem> items, std::string status = "") {
  MenuItem m = menuItem(std::move(equate), std::move(text), std::move(status));
  m.items = std::move(items);
  return m;
}

}  // namespace ui::defs
