#pragma once
// Layout rules for windows defined without coordinates: which controls a group frames, and the
// row of fields that follows a prompt.
#include <map>
#include <string>

#include "platform/ui/api/window_def.h"

class QGridLayout;
class QHBoxLayout;
class QWidget;

namespace ui::qt {

// A button that belongs beside a field ("...") rather than in the window's button row.
bool isFieldButton(const ControlDef& d);

// A group that no control names as its container frames the controls that follow it in window
// order, up to the next container, list or window button. Gives equate -> group equate for
// those controls (equates as written).
std::map<std::string, std::string> implicitGroupMembers(const WindowDef& def);

// The fields after a prompt: one row beside it, each at its natural width, in order, so a
// "..." button stays beside its field. A `stretch` field takes the row's spare width (a long
// path in a window that grows).
QHBoxLayout* startFieldRow(QGridLayout* grid, int row);
void addToFieldRow(QHBoxLayout* row, QWidget* w, bool stretch);

}  // namespace ui::qt
