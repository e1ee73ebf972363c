#pragma once
// The windows and controls of the headless backend: one record for every kind of control, the
// properties kept in it, and per kind what differs (the value it starts with and reads back,
// its row count, whether it takes the focus).
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/ui/api/prop.h"
#include "platform/ui/api/window_def.h"

namespace ui::headless {

struct HControl {
  ControlDef def;
  std::string value;
  std::string text;
  std::string tip;
  std::string status;
  std::string icon;
  std::string cursor;
  std::string imageFile;
  bool enabled = true;
  bool visible = true;
  bool isDefault = false;
  bool readOnly = false;
  bool checked = false;    // check menu items
  bool checkable = false;  // a check menu item: choosing it toggles `checked`
  bool vscroll = false;
  bool hscroll = false;
  long long color = -1;
  long long zoom = 0;
  long long vscrollPos = 0;
  long long selected = 0;
  long long mouseRow = 0;
  long long rangeLow = 0, rangeHigh = 0;
  long long x = 0, y = 0, width = 0, height = 0;  // dialog units, as the definition or procedure set them
  std::vector<ListRow> rows;
  std::set<int> alertKeys;
  bool menu = false;     // a menu item or toolbar button
  std::string menuPath;  // menu items: the texts from the bar down, for messages
};

struct HWindow {
  int id = 0;
  int thread = 0;
  WindowDef def;
  std::string title;
  std::map<int, HControl> controls;  // by id; 0 is unused
  std::set<int> alertKeys;           // of the window itself
  int focus = 0;
  long long x = 0, y = 0, width = 0, height = 0;
  std::map<int, std::string> status;
  long long order = 0;  // opening order, for "the newest window titled ..."
};

HControl makeControl(const ControlDef& d);
// The control with this equate (any case), or nullptr.
HControl* findControl(HWindow& w, const std::string& equate);
// Why the user cannot use the control ("" when they can): itself or a container disabled or
// hidden.
std::string unusable(HWindow& w, HControl& c);
std::string withoutAmp(const std::string& s);
std::string lowerAscii(std::string s);
// The control the window's focus starts on: the first that takes it (0: none).
int firstFocus(const HWindow& w);

// Property changes and reads (lock held). applyToWindow is true when the title changed.
bool applyToWindow(HWindow& w, const PropChange& ch);
void applyToControl(HWindow& w, HControl& c, const PropChange& ch);
PropValue readWindow(const HWindow& w, Prop prop);
PropValue readControl(HControl& c, Prop prop);

}  // namespace ui::headless
