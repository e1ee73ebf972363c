#pragma once
// A thread-safe list of lines that window procedures write while the user is played, on either
// backend (the robot, or a Qt test's own clicks and keys).
#include <mutex>
#include <string>
#include <vector>

#include "platform/ui/api/event.h"
#include "platform/ui/api/window.h"

class EventLog {
 public:
  void add(std::string line) {
    std::lock_guard lock(m_);
    lines_.push_back(std::move(line));
  }
  // "Accepted ?NAME" / "OpenWindow" / "Private 1023"
  void add(const ui::Window& win, const ui::Event& ev) {
    std::string line = ui::eventName(ev.kind);
    if (ev.control) line += " " + win.equate(ev.control);
    if (ev.kind == ui::EventKind::Private || ev.kind == ui::EventKind::TabChanging ||
        ev.kind == ui::EventKind::ScrollDrag)
      line += " " + std::to_string(ev.number);
    if (ev.kind == ui::EventKind::AlertKey)
      line += " " + std::to_string(ev.key) + (ev.character.empty() ? "" : " " + ev.character);
    add(line);
  }
  std::vector<std::string> lines() const {
    std::lock_guard lock(m_);
    return lines_;
  }
  bool has(const std::string& line) const {
    std::lock_guard lock(m_);
    for (const auto& l : lines_)
      if (l == line) return true;
    return false;
  }

 private:
  mutable std::mutex m_;
  std::vector<std::string> lines_;
};
