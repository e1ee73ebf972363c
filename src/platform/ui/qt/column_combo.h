#pragma once
// Drop lists with several columns: the rows drop down as a table, each cell in its column at
// the column's width, under the columns' headings when there are any. The field shows (and a
// typed combo edits) the first cell, which is also the row's value.
#include <QComboBox>
#include <vector>

#include "platform/ui/api/prop.h"
#include "platform/ui/api/window_def.h"

namespace ui::qt {

// Gives `cb` a table of the definition's columns as its drop list, with its fixed rows.
void makeColumnCombo(QComboBox* cb, const ControlDef& def);
// Replaces the rows; the field's text is left for the caller to restore.
void setComboRows(QComboBox* cb, const std::vector<ListRow>& rows);

}  // namespace ui::qt
