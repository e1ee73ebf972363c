#pragma once
// Building blocks of the list windows' definitions: the window layer's builders and the list
// box as every list declares it.
#include <utility>
#include <vector>

#include "platform/ui/api/def_builders.h"
#include "shell/window_parts.h"

namespace maintenance {

using shell::helpButton;
using ui::defs::button;
using ui::defs::column;

inline ui::ControlDef listBox(int items, int rowLines, std::vector<ui::ColumnDef> columns) {
  return ui::defs::listBox("?LIST", items, rowLines, std::move(columns), "Browsing Records");
}

}  // namespace maintenance
