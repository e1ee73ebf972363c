#pragma once
// A number typed into a spin outside its limits becomes the nearer limit, in both backends:
// the cases, the window and the procedure that reports what it read.
#include <string>

#include "control_def.h"
#include "platform/ui/api/window.h"

struct SpinLimitCase {
  double low, high;
  long long highAtRun;  // a new upper limit the procedure sets after opening (0: none)
  const char* typed;
  const char* expected;  // what the procedure reads: the variable, then the limits
};

inline constexpr SpinLimitCase kSpinLimitCases[] = {
    {1, 19, 0, "99", "19 1..19"}, {1, 10, 0, "15", "10 1..10"}, {1, 10, 0, "0", "1 1..10"},
    {1, 1, 0, "0", "1 1..1"},     {1, 1, 0, "7", "1 1..1"},     {1, 1, 19, "99", "19 1..19"},
    {1, 1, 19, "0", "1 1..19"},   {1, 19, 0, "7", "7 1..19"},   {0, 0, 0, "1234", "1234 0..0"},
};

inline std::string describe(const SpinLimitCase& c) {
  return std::string(c.typed) + " in " + std::to_string(static_cast<int>(c.low)) + ".." +
         std::to_string(static_cast<int>(c.high)) + " raised to " + std::to_string(c.highAtRun);
}

inline ui::WindowDef spinLimitWindow(const SpinLimitCase& c) {
  ui::WindowDef def;
  def.title = "Side";
  ui::ControlDef spin = ctl(ui::ControlKind::Spin, "?PAGE");
  spin.rangeLow = c.low;
  spin.rangeHigh = c.high;
  def.controls = {ctl(ui::ControlKind::Prompt, "?P", "&Page:"), spin, ctl(ui::ControlKind::Entry, "?NEXT"),
                  ctl(ui::ControlKind::Button, "?CLOSE", "Lukk")};
  return def;
}

// Logs "ready", then "EVENT page low..high" for every event of the spin, until ?CLOSE.
template <class Log>
void spinLimitProcedure(const SpinLimitCase& c, Log& log) {
  long page = 1;
  std::string next;
  ui::Window win(spinLimitWindow(c));
  win.bind("?PAGE", page);
  win.bind("?NEXT", next);
  win.open();
  if (c.highAtRun) win.set("?PAGE", ui::Prop::RangeHigh, c.highAtRun);
  win.display();
  log.add("ready");
  while (auto ev = win.accept()) {
    if (ev.kind == ui::EventKind::Accepted && win.equate(ev.control) == "?CLOSE") break;
    if (ev.control != win.id("?PAGE")) continue;
    log.add(std::string(ui::eventName(ev.kind)) + " " + std::to_string(page) + " " +
            std::to_string(win.getNumber("?PAGE", ui::Prop::RangeLow)) + ".." +
            std::to_string(win.getNumber("?PAGE", ui::Prop::RangeHigh)));
  }
}
