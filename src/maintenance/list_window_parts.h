#pragma once
// Building blocks of the list windows' definitions: buttons, the help button, the list box and
// its columns, as every list declares them.
#include <utility>
#include <vector>

#include "platform/ui/api/window_def.h"

namespace maintenance {

inline ui::ControlDef button(const char* equate, const char* text, const char* tip = "", int key = 0) {
  ui::ControlDef c;
  c.kind = ui::ControlKind::Button;
  c.equate = equate;
  c.text = text;
  c.tip = tip;
  c.key = key;
  return c;
}

inline ui::ControlDef helpButton(const char* tip) {
  ui::ControlDef c = button("?HJELP", "", tip);
  c.icon = "HELP.ICO";
  c.action = ui::StdAction::Help;
  return c;
}

inline ui::ControlDef listBox(int items, int rowLines, std::vector<ui::ColumnDef> columns) {
  ui::ControlDef c;
  c.kind = ui::ControlKind::List;
  c.equate = "?LIST";
  c.tip = "Browsing Records";
  c.vscroll = true;
  c.items = items;
  c.rowLines = rowLines;
  c.columns = std::move(columns);
  return c;
}

inline ui::ColumnDef column(int width, int indent, const char* heading, const char* picture,
                            const char* group = "") {
  ui::ColumnDef c;
  c.width = width;
  c.indent = indent;
  c.heading = heading;
  c.picture = picture;
  c.group = group;
  return c;
}

}  // namespace maintenance
