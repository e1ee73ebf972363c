#include "platform/ui/headless/headless_driver.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/procedure.h"

namespace ui::headless {
namespace {

Event makeEvent(EventKind kind, int control, int key = 0) {
  Event ev;
  ev.kind = kind;
  ev.control = control;
  ev.key = key;
  return ev;
}

bool takesText(ControlKind k) { return k == ControlKind::Entry || k == ControlKind::Spin || k == ControlKind::Combo; }

}  // namespace

bool Driver::waitUntilIdle(std::chrono::milliseconds timeout, int* modalThreads) {
  return ui::waitUntilIdle(timeout, modalThreads);
}

bool Driver::waitEnded(std::chrono::milliseconds timeout) { return ui::waitProceduresEnded(timeout); }

std::map<int, HWindow> HeadlessDriver::windows() {
  std::lock_guard lock(b_.mutex());
  return b_.windows();
}

std::vector<PendingView> HeadlessDriver::pending() {
  std::lock_guard lock(b_.mutex());
  std::vector<PendingView> out;
  for (const auto& p : b_.pending()) {
    if (!p->answered) out.push_back(static_cast<const PendingView&>(*p));
  }
  return out;
}

void HeadlessDriver::waitChange(std::chrono::milliseconds most) {
  std::unique_lock lock(b_.mutex());
  b_.changed().wait_for(lock, most);
}

std::string HeadlessDriver::activate(int window) {
  b_.activate(window);
  return {};
}

std::string HeadlessDriver::type(int window, int control, const std::string& text) {
  {
    std::lock_guard lock(b_.mutex());
    HWindow& w = b_.windows().at(window);
    w.controls.at(control).value = text;
    w.focus = control;
  }
  deliver(window, makeEvent(EventKind::Accepted, control, Key::Tab));
  return {};
}

std::string HeadlessDriver::check(int window, int control, bool on) {
  {
    std::lock_guard lock(b_.mutex());
    HWindow& w = b_.windows().at(window);
    w.controls.at(control).value = on ? "1" : "0";
    w.focus = control;
  }
  deliver(window, makeEvent(EventKind::Accepted, control, Key::MouseLeft));
  return {};
}

std::string HeadlessDriver::chooseChild(int window, int group, int child, int number) {
  std::vector<Event> events;
  {
    std::lock_guard lock(b_.mutex());
    HWindow& w = b_.windows().at(window);
    HControl& c = w.controls.at(group);
    HControl& pick = w.controls.at(child);
    if (c.def.kind == ControlKind::Option) {
      c.value = pick.def.value.empty() ? withoutAmp(pick.text) : pick.def.value;
      events.push_back(makeEvent(EventKind::Accepted, group, Key::MouseLeft));
    } else {
      Event changing = makeEvent(EventKind::TabChanging, group, Key::MouseLeft);
      changing.number = static_cast<int>(std::atoi(c.value.c_str()));
      events.push_back(changing);
      c.value = std::to_string(number);
      events.push_back(makeEvent(EventKind::NewSelection, group, Key::MouseLeft));
    }
    w.focus = group;
  }
  for (Event& ev : events) deliver(window, std::move(ev));
  return {};
}

std::string HeadlessDriver::chooseRow(int window, int control, int row) {
  std::vector<Event> events;
  {
    std::lock_guard lock(b_.mutex());
    HWindow& w = b_.windows().at(window);
    HControl& c = w.controls.at(control);
    if (row < 1 || row > static_cast<int>(c.rows.size())) return "has no row #" + std::to_string(row);
    c.selected = row;
    c.mouseRow = row;
    const auto& cells = c.rows[static_cast<std::size_t>(row - 1)].cells;
    if (c.def.kind != ControlKind::List) c.value = cells.empty() ? std::string() : cells[0];
    events.push_back(makeEvent(EventKind::NewSelection, control, Key::MouseLeft));
    if (c.def.kind != ControlKind::List) events.push_back(makeEvent(EventKind::Accepted, control, Key::MouseLeft));
    w.focus = control;
  }
  for (Event& ev : events) deliver(window, std::move(ev));
  return {};
}

bool HeadlessDriver::stdAction(int window, int id) {
  StdAction action = StdAction::None;
  std::string keyword;
  {
    std::lock_guard lock(b_.mutex());
    HWindow& w = b_.windows().at(window);
    action = w.controls.at(id).def.action;
    keyword = w.def.help;
  }
  switch (action) {
    case StdAction::None: return false;
    case StdAction::Close: deliver(window, makeEvent(EventKind::CloseWindow, 0)); break;
    case StdAction::Help:
    case StdAction::HelpIndex:
    case StdAction::HelpSearch:
    case StdAction::HelpOnHelp: {
      if (action == StdAction::HelpIndex) keyword = "#contents";
      if (action == StdAction::HelpSearch) keyword = "#search";
      if (action == StdAction::HelpOnHelp) keyword = "#help";
      b_.transcript().add("help " + quote(keyword));
      ui::help(keyword);
      break;
    }
    case StdAction::Cut: b_.clipboard(window, ClipboardOp::Cut); break;
    case StdAction::Copy: b_.clipboard(window, ClipboardOp::Copy); break;
    case StdAction::Paste: b_.clipboard(window, ClipboardOp::Paste); break;
    case StdAction::PrintSetup: b_.printerSetup(0); break;
    case StdAction::Tile: b_.transcript().add("arrange tile"); break;
    case StdAction::Cascade: b_.transcript().add("arrange cascade"); break;
    case StdAction::ArrangeIcons: b_.transcript().add("arrange icons"); break;
  }
  return true;
}

std::string HeadlessDriver::press(int window, int id) {
  if (stdAction(window, id)) return {};
  std::vector<Event> events;
  {
    std::lock_guard lock(b_.mutex());
    HWindow& w = b_.windows().at(window);
    HControl& c = w.controls.at(id);
    switch (c.def.kind) {
      case ControlKind::Button:
        if (c.checkable) c.checked = !c.checked;
        events.push_back(makeEvent(EventKind::Accepted, id, Key::MouseLeft));
        if (!c.menu) w.focus = id;
        break;
      case ControlKind::Image:
      case ControlKind::Region:  // a left click
        events.push_back(makeEvent(EventKind::Accepted, id, Key::MouseLeft));
        break;
      case ControlKind::Check:
        c.value = c.value == "1" ? "0" : "1";
        w.focus = id;
        events.push_back(makeEvent(EventKind::Accepted, id, Key::MouseLeft));
        break;
      case ControlKind::Radio: {
        HControl* group = findControl(w, c.def.parent);
        if (!group) return "is in no option group";
        group->value = c.def.value.empty() ? withoutAmp(c.text) : c.def.value;
        w.focus = group->def.id;
        events.push_back(makeEvent(EventKind::Accepted, group->def.id, Key::MouseLeft));
        break;
      }
      default: return "cannot be pressed";
    }
  }
  for (Event& ev : events) deliver(window, std::move(ev));
  return {};
}

std::string HeadlessDriver::key(int window, int id, int code, const std::string& character) {
  std::vector<Event> events;
  int pressId = 0;
  bool helpKey = false;
  std::string keyword;
  {
    std::lock_guard lock(b_.mutex());
    HWindow& w = b_.windows().at(window);
    HControl* c = id ? &w.controls.at(id) : nullptr;
    if (c && !c->menu) w.focus = id;
    auto alert = [&](int control) {
      Event ev = makeEvent(EventKind::AlertKey, control, code);
      ev.character = character;
      events.push_back(ev);
    };
    const bool isList = c && c->def.kind == ControlKind::List;
    if (c && c->alertKeys.count(code)) {
      alert(id);
    } else if (w.alertKeys.count(code)) {
      alert(0);
    } else if (code == Key::F1) {
      helpKey = true;
      keyword = w.def.help;
    } else if (isList && !character.empty() && character != " ") {
      alert(id);
    } else if (isList &&
               (code == Key::Up || code == Key::Down || code == Key::PgUp || code == Key::PgDn || code == Key::Home ||
                code == Key::End || code == (Key::Ctrl | Key::Home) || code == (Key::Ctrl | Key::End))) {
      const int k = code & 0xFF;
      const EventKind kind = k == Key::Up     ? EventKind::ScrollUp
                             : k == Key::Down ? EventKind::ScrollDown
                             : k == Key::PgUp ? EventKind::PageUp
                             : k == Key::PgDn ? EventKind::PageDown
                             : k == Key::Home ? EventKind::ScrollTop
                                              : EventKind::ScrollBottom;
      events.push_back(makeEvent(kind, id, code));
    } else {
      for (auto& [cid, other] : w.controls) {
        if (other.def.kind == ControlKind::Button && other.def.key == code && unusable(w, other).empty()) {
          pressId = cid;
          break;
        }
      }
      if (!pressId && code == Key::Enter) {
        if (c && takesText(c->def.kind)) {
          events.push_back(makeEvent(EventKind::Accepted, id, code));
        } else {
          for (auto& [cid, other] : w.controls)
            if (other.isDefault && unusable(w, other).empty()) pressId = cid;
        }
      }
    }
  }
  if (helpKey) {
    b_.transcript().add("help " + quote(keyword));
    ui::help(keyword);
    return {};
  }
  if (pressId) return press(window, pressId);
  for (Event& ev : events) deliver(window, std::move(ev));
  return {};
}

std::string HeadlessDriver::wheel(int window, int id, int notches) {
  {
    std::lock_guard lock(b_.mutex());
    // A turn over a field without the focus never changes it (the window scrolls instead);
    // only a list box turns it into scrolling.
    if (b_.windows().at(window).controls.at(id).def.kind != ControlKind::List) return {};
  }
  for (int i = 0; i < std::abs(notches); ++i)
    deliver(window, makeEvent(notches > 0 ? EventKind::ScrollUp : EventKind::ScrollDown, id));
  return {};
}

std::string HeadlessDriver::close(int window) {
  deliver(window, makeEvent(EventKind::CloseWindow, 0));
  return {};
}

std::string HeadlessDriver::resize(int window, int width, int height) {
  {
    std::lock_guard lock(b_.mutex());
    HWindow& w = b_.windows().at(window);
    w.width = width;
    w.height = height;
  }
  deliver(window, makeEvent(EventKind::Sized, 0));
  return {};
}

std::string HeadlessDriver::mouse(int window, int id, EventKind kind) {
  deliver(window, makeEvent(kind, id, kind == EventKind::MouseDown ? Key::MouseLeft : 0));
  return {};
}

std::string HeadlessDriver::drag(int window, int id, int position) {
  {
    std::lock_guard lock(b_.mutex());
    b_.windows().at(window).controls.at(id).vscrollPos = position;
  }
  Event ev = makeEvent(EventKind::ScrollDrag, id, Key::MouseLeft);
  ev.number = position;
  deliver(window, ev);
  return {};
}

std::shared_ptr<Pending> HeadlessDriver::find(long long serial) {
  for (auto& p : b_.pending())
    if (p->serial == serial && !p->answered) return p;
  return nullptr;
}

std::string HeadlessDriver::answerBox(long long serial, int button) {
  std::lock_guard lock(b_.mutex());
  auto p = find(serial);
  if (!p) return "the box has gone";
  p->button = button;
  b_.answer(*p);
  return {};
}

std::string HeadlessDriver::answerFile(long long serial, bool accepted, const std::string& path) {
  std::lock_guard lock(b_.mutex());
  auto p = find(serial);
  if (!p) return "the dialog has gone";
  p->accepted = accepted;
  p->path = path;
  b_.answer(*p);
  return {};
}

std::string HeadlessDriver::answerPopup(long long serial, int item) {
  std::lock_guard lock(b_.mutex());
  auto p = find(serial);
  if (!p) return "the pop-up menu has gone";
  p->button = item;
  b_.answer(*p);
  return {};
}

}  // namespace ui::headless
