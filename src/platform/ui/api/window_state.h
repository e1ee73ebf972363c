#pragma once
// What the API keeps of an open window (internal to the API library).
#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ui/api/window_def.h"

namespace ui {

struct ControlInfo {
  ControlKind kind = ControlKind::Prompt;
  std::string equate;
  std::string picture;
  int parent = 0;
  bool menu = false;  // a menu item or toolbar button: no window order, no ranges
  bool enabled = true;
  bool hidden = false;
  bool destroyed = false;
  double rangeLow = 0, rangeHigh = 0;
};

struct Binding {
  int control = 0;
  bool number = false;
  std::function<std::string()> getText;
  std::function<void(const std::string&)> setText;
  std::function<double()> getNumber;
  std::function<void(double)> setNumber;
  std::string lastShown;
  bool shown = false;
  // A Windows-1252 field (text::Str). Text typed there that the field cannot hold is not
  // copied: the variable keeps its value and the control the typed text, until the program
  // changes the variable (then it is shown) or OK asks firstNotCp1252().
  bool cp1252 = false;
  bool heldBack = false;
  std::string heldShown;  // the variable as shown when the typed text was held back
};

struct WindowState {
  WindowDef def;
  std::atomic<int> id{0};  // 0 while closed; read by post() from other threads
  bool open = false;
  std::map<std::string, int> byEquate;  // upper-cased equate -> id
  std::vector<ControlInfo> controls;    // index = id
  std::vector<int> order;               // window order: the ids of ordinary controls
  std::vector<Binding> bindings;
  bool closeArmed = false;
  bool pass = false;
  std::size_t passNext = 0;
  int timer = 0;  // hundredths
  std::chrono::steady_clock::time_point nextTick;
};

}  // namespace ui
