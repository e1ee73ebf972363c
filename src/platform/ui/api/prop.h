#pragma once
// Control properties as the API hands them to a backend, and the rows of lists and drop combos.
#include <string>
#include <vector>

namespace ui {

// Control 0 means the window itself where a property applies to it (Text = title,
// X/Y/Width/Height = position, Focus, StatusText).
enum class Prop {
  Value,       // text: entry content, check "1"/"0", option's radio value, combo text, spin,
               // progress (number), sheet (number: the chosen tab, 1-based)
  Text,        // text: caption of the control, title of the window
  Enabled,     // number 0/1
  Visible,     // number 0/1
  Tip,         // text
  Status,      // text: the control's status-bar text
  Icon,        // text
  Color,       // number 0xRRGGBB, -1 default
  Default,     // number 0/1: the default button
  ReadOnly,    // number 0/1
  Selected,    // number: highlighted row of a list or drop combo, 1-based, 0 none
  Items,       // number: rows a list box can show (read)
  VScroll,     // number 0/1: vertical scroll bar shown
  VScrollPos,  // number 0..100: thumb position
  HScroll,     // number 0/1
  MouseRow,    // number: row on which the mouse button last went down, 0 none (read)
  RangeLow,    // number (spin, progress)
  RangeHigh,
  Cursor,     // text: mouse cursor over a region or image ("arrow", "hand", "zoom", "wait", ...)
  ImageFile,  // text: file shown by an image control
  Zoom,       // number: percent, 0 = fit to the control, -1 = fit to its width
  X,
  Y,
  Width,
  Height,        // number
  Checked,       // number 0/1: a check menu item
  AlertKey,      // number: add this key to the control's alert keys
  NoAlertKey,    // number: remove it, 0 = remove all
  Focus,         // control 0, number: the control with the focus
  StatusText,    // control 0, text, `index` = zone (1-based)
  ImageWidth,    // number (read): natural size in pixels of the image an image control shows,
  ImageHeight,   // 0 when none could be read
  ClientWidth,   // control 0, number (read): the size of the area that holds the controls,
  ClientHeight,  // in dialog units (the window less its menu bar, toolbar and status bar)
};

// One change of a property; `text` or `number` carries the value depending on the property.
struct PropChange {
  int control = 0;
  Prop prop = Prop::Value;
  std::string text{};
  long long number = 0;
  int index = 0;
};

struct PropValue {
  std::string text{};
  long long number = 0;
};

// One row of a list box (cells in column order; a cell of a row with several lines holds
// them separated by '\n') or of a drop combo.
struct ListRow {
  std::vector<std::string> cells{};
  bool grey = false;  // shown in grey text
};

enum class ClipboardOp { Cut, Copy, Paste };

}  // namespace ui
