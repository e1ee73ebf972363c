#pragma once
// Declarative window definitions: a window and its controls in window order.
// Designated initialisers keep them readable, e.g.
//   {.kind = ControlKind::Button, .equate = "?OK", .text = "OK", .tip = "Bekreft"}
#include <string>
#include <vector>

namespace ui {

enum class ControlKind {
  Prompt,    // a label in front of an entry
  Entry,     // typed text with a picture
  Spin,      // entry with up/down arrows and a range
  Text,      // display-only text (colour)
  Button,    // text or icon button
  Check,     // value "1" / "0"
  Option,    // option group; its value is the chosen radio's value text
  Radio,     // inside an option group (parent)
  Combo,     // drop combo: typed text plus a drop list of rows
  DropList,  // drop list without typing
  List,      // list box fed a page of rows
  Sheet,     // holds tabs
  Tab,       // inside a sheet (parent)
  Group,     // a framed group with a caption
  Panel,     // a plain frame
  Box,       // a filled rectangle with a border
  Progress,  // progress bar; value is a number in [rangeLow, rangeHigh]
  Image,     // shows an image file, with zoom and scroll bars
  Region,    // invisible mouse area with its own cursor
};

// Standard actions the layer performs itself when the control or menu item is chosen.
enum class StdAction {
  None,
  Close,      // the window's close request
  Help,       // help for the window's help keyword
  HelpIndex,  // help contents
  HelpSearch,
  HelpOnHelp,
  Cut,  // clipboard operations on the focused control
  Copy,
  Paste,
  PrintSetup,  // the printer-setup dialog
  Tile,        // MDI arrangement of the frame's children
  Cascade,
  ArrangeIcons,
};

enum class Align { Left, Right, Center, Decimal };

// One column of a list box or of a drop combo's list.
struct ColumnDef {
  int width = 10;  // in characters
  Align align = Align::Left;
  int indent = 0;         // in characters
  std::string heading{};  // empty: no heading
  Align headingAlign = Align::Left;
  std::string picture{};  // display picture of the cell text, empty when given ready-made
  std::string group{};    // caption of the column group this column starts (empty: none)
  bool fixed = false;     // stays at the left when the list scrolls sideways
  // Cells of several lines ("\n", as the heading may have): the lines from this one on (1-based)
  // are grey; 0 none.
  int greyFromLine = 0;
};

struct ControlDef {
  ControlKind kind = ControlKind::Prompt;
  std::string equate{};    // "?MAP:LAB"; the script and the procedure name the control by it
  std::string text{};      // caption: prompt, button, check, radio, group, tab text
  std::string tip{};       // tool tip
  std::string status{};    // status-bar text while the control has the focus
  std::string picture{};   // "@s30", "@n7.3", "@d6", "n5" (entries, spins, display texts)
  std::string icon{};      // icon file name ("LAB.ICO"); a button with an icon and no text shows the icon
  std::string parent{};    // equate of the containing sheet, tab, group, option group or panel
  std::string value{};     // radio: the text the option group takes when it is chosen (default: its text)
  int key = 0;             // hot key of a button (Key::...)
  bool isDefault = false;  // the default button (Enter)
  bool disabled = false;
  bool hidden = false;
  bool readOnly = false;
  bool fixedFont = false;  // fixed-pitch font (list of text lines)
  bool hscroll = false;
  bool vscroll = false;
  int color = -1;        // text colour 0xRRGGBB, -1 the default
  double rangeLow = 0;   // spin and progress bar
  double rangeHigh = 0;  // 0 and 0: no range
  double step = 1;
  // Lists and drop combos.
  int items = 0;     // rows shown (list box height, drop list height); 0: the backend's choice
  int rowLines = 1;  // lines per list row (1 to 3); a cell's lines are separated by '\n'
  std::vector<ColumnDef> columns{};
  std::vector<std::string> rows{};  // fixed rows of a drop combo (one column)
  bool typed = true;                // Combo: typing allowed
  StdAction action = StdAction::None;
  // Position and size in dialog units; 0 lets the backend lay the control out in order.
  int x = 0, y = 0, width = 0, height = 0;
  // Laid out in order: a group that stands to the right of this earlier group (its equate)
  // instead of under it, so a tall window fits a low screen. Empty: under what came before.
  std::string beside{};
  int id = 0;  // filled in when the window opens; the control's number in window order
};

struct MenuItem {
  std::string equate{};  // "?TILE"
  std::string text{};    // "T&ile"; empty with separator = true
  std::string status{};  // status-bar text
  int key = 0;
  bool separator = false;
  bool checkable = false;  // a check item
  bool checked = false;
  bool disabled = false;
  bool windowList = false;  // this menu lists the frame's open child windows at its end
  StdAction action = StdAction::None;
  std::vector<MenuItem> items{};  // a sub-menu when not empty
  int id = 0;                     // filled in when the window opens
};

// A menu item as the control the backends keep for it: a button with the item's equate, text,
// status text, key, action and number.
inline ControlDef menuItemControl(const MenuItem& m) {
  ControlDef c;
  c.kind = ControlKind::Button;
  c.equate = m.equate;
  c.text = m.text;
  c.status = m.status;
  c.key = m.key;
  c.action = m.action;
  c.id = m.id;
  return c;
}

enum class WindowKind { Plain, MdiFrame, MdiChild };

struct WindowDef {
  std::string label{};  // "P1$APPFRAME"
  std::string title{};
  std::string icon{};
  std::string help{};  // help keyword ("Hovedmeny")
  WindowKind kind = WindowKind::Plain;
  bool resizable = false;
  bool modal = false;  // a plain window that disables every other window of the program
  int minWidth = 0, minHeight = 0;
  int x = 0, y = 0, width = 0, height = 0;  // 0: the backend's choice
  int timer = 0;                            // timer period in hundredths of a second, 0 none
  std::vector<int> statusZones{};           // widths of the status-bar zones; empty: no status bar
  std::vector<MenuItem> menu{};             // the menu bar
  std::vector<ControlDef> toolbar{};        // toolbar buttons, left to right
  std::vector<ControlDef> controls{};       // window order
};

}  // namespace ui
