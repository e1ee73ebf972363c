#include "platform/ui/headless/robot.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <thread>

#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/procedure.h"

namespace ui::headless {
namespace {

using Clock = std::chrono::steady_clock;

std::string lowerAscii(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string withoutAmp(const std::string& s) {
  std::string out;
  for (char c : s)
    if (c != '&') out += c;
  return out;
}

bool sameText(const std::string& a, const std::string& b) {
  return a == b || lowerAscii(withoutAmp(a)) == lowerAscii(withoutAmp(b));
}

HControl* findControl(HWindow& w, const std::string& equate) {
  const std::string want = lowerAscii(equate);
  for (auto& [id, c] : w.controls)
    if (!c.def.equate.empty() && lowerAscii(c.def.equate) == want) return &c;
  return nullptr;
}

// Why a control cannot be used by the user ("" when it can): itself or a container
// disabled or hidden.
std::string unusable(HWindow& w, HControl& c) {
  HControl* cur = &c;
  for (int guard = 0; cur && guard < 64; ++guard) {
    if (!cur->enabled) return cur == &c ? "is disabled" : "is inside disabled " + cur->def.equate;
    if (!cur->visible) return cur == &c ? "is hidden" : "is inside hidden " + cur->def.equate;
    if (cur->def.parent.empty()) break;
    cur = findControl(w, cur->def.parent);
  }
  return {};
}

// The window that blocks `w` (a newer window of its thread, or a modal window), or nullptr.
HWindow* blocker(std::map<int, HWindow>& windows, HWindow& w) {
  HWindow* found = nullptr;
  for (auto& [id, other] : windows) {
    if (other.order <= w.order) continue;
    if (other.thread == w.thread || other.def.modal) {
      if (!found || other.order > found->order) found = &other;
    }
  }
  return found;
}

struct PopupItem {
  std::string text;
  bool greyed = false;
};

std::vector<PopupItem> popupItems(const std::string& text) {
  std::vector<PopupItem> out;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t bar = text.find('|', start);
    if (bar == std::string::npos) bar = text.size();
    std::string item = text.substr(start, bar - start);
    if (item != "-" && !item.empty()) {
      PopupItem p;
      p.greyed = item[0] == '~';
      p.text = p.greyed ? item.substr(1) : item;
      if (!p.text.empty() && p.text[0] == '+') p.text.erase(0, 1);  // shown checked
      out.push_back(p);
    }
    start = bar + 1;
  }
  return out;
}

const char* iconName(Icon i) {
  switch (i) {
    case Icon::None:
      return "none";
    case Icon::Information:
      return "information";
    case Icon::Exclamation:
      return "exclamation";
    case Icon::Question:
      return "question";
    case Icon::Stop:
      return "stop";
  }
  return "none";
}

std::string describe(const Pending& p) {
  switch (p.kind) {
    case Pending::Kind::Box:
      return "box " + quote(p.box.caption) + " " + quote(p.box.text);
    case Pending::Kind::File:
      return std::string(p.file.directory ? "directory dialog " : "file dialog ") + quote(p.file.title);
    case Pending::Kind::Popup:
      return "pop-up menu " + quote(p.popup.text);
  }
  return "dialog";
}

Event makeEvent(EventKind kind, int control, int key = 0) {
  Event ev;
  ev.kind = kind;
  ev.control = control;
  ev.key = key;
  return ev;
}

}  // namespace

Robot::Robot(HeadlessBackend& backend) : b_(backend) {}

bool Robot::fail(const std::string& why) {
  if (failed_) return false;
  failed_ = true;
  error_ = context_ + why;
  b_.transcript().add("error: " + error_);
  return false;
}

std::shared_ptr<Pending> Robot::findPending(Pending::Kind kind) {
  for (auto& p : b_.pending())
    if (p->kind == kind && !p->answered) return p;
  return nullptr;
}

bool Robot::waitIdle(bool allowPending) {
  if (failed_) return false;
  const auto deadline = Clock::now() + timeout_;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    int modal = 0;
    if (left.count() <= 0 || !ui::waitUntilIdle(left, &modal))
      return fail("the program was still busy after " + std::to_string(timeout_.count()) + " ms");
    // Idle counts only once every thread in a modal operation has its box on show here
    // (and an answered one has gone on). The modal threads are those of the idle moment: a
    // thread still in its answered box then, and busy by now, is waited for in the next round.
    std::unique_lock lock(b_.mutex());
    const auto unanswered =
        std::count_if(b_.pending().begin(), b_.pending().end(), [](const auto& p) { return !p->answered; });
    if (unanswered == modal) break;
    b_.changed().wait_for(lock, std::chrono::milliseconds(5));
  }
  if (!allowPending) {
    std::lock_guard lock(b_.mutex());
    for (auto& p : b_.pending())
      if (!p->answered) return fail(describe(*p) + " was not answered");
  }
  return true;
}

bool Robot::settle() { return waitIdle(false); }

bool Robot::targetControl(const std::string& equate, int& id, bool needEnabled) {
  std::lock_guard lock(b_.mutex());
  auto wit = b_.windows().find(target_);
  if (target_ == 0 || wit == b_.windows().end())
    return fail("no target window (it has closed or none was chosen)");
  HWindow& w = wit->second;
  if (HWindow* blocking = blocker(b_.windows(), w))
    return fail("window " + quote(w.title) + " is disabled while " + quote(blocking->title) + " is open");
  if (equate.empty() || equate == "-") {
    id = 0;
    return true;
  }
  HControl* c = findControl(w, equate);
  if (!c) return fail("window " + quote(w.title) + " has no control " + equate);
  if (needEnabled) {
    const std::string why = unusable(w, *c);
    if (!why.empty()) return fail(equate + " " + why);
  }
  id = c->def.id;
  return true;
}

bool Robot::window(const std::string& title) {
  if (failed_) return false;
  const auto deadline = Clock::now() + timeout_;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) break;
    if (ui::waitUntilIdle(left)) {
      std::unique_lock lock(b_.mutex());
      for (auto& p : b_.pending())
        if (!p->answered) {
          const std::string d = describe(*p);
          lock.unlock();
          return fail(d + " was not answered (waiting for window " + quote(title) + ")");
        }
      HWindow* best = nullptr;
      for (auto& [id, w] : b_.windows())
        if ((w.title == title || w.def.label == title) && (!best || w.order > best->order)) best = &w;
      if (best) {
        target_ = best->id;
        const bool blocked = blocker(b_.windows(), *best) != nullptr;
        lock.unlock();
        if (blocked || b_.activeWindow() == target_) return true;
        b_.activate(target_);  // the user clicks into it
        return waitIdle(true);
      }
      if (ui::programHalted() && ui::runningProcedures() == 0) break;
      b_.changed().wait_for(lock, std::chrono::milliseconds(20));
    }
  }
  return fail("window " + quote(title) + " did not open within " + std::to_string(timeout_.count()) + " ms");
}

bool Robot::waitClosed(const std::string& title) {
  if (failed_) return false;
  const auto deadline = Clock::now() + timeout_;
  for (;;) {
    {
      std::unique_lock lock(b_.mutex());
      const bool open = std::any_of(b_.windows().begin(), b_.windows().end(), [&](auto& kv) {
        return kv.second.title == title || kv.second.def.label == title;
      });
      if (!open) break;
      if (Clock::now() >= deadline) {
        lock.unlock();
        return fail("window " + quote(title) + " was still open after " + std::to_string(timeout_.count()) +
                    " ms");
      }
      for (auto& p : b_.pending())
        if (!p->answered && ui::waitUntilIdle(std::chrono::milliseconds(0))) {
          const std::string d = describe(*p);
          lock.unlock();
          return fail(d + " was not answered (waiting for " + quote(title) + " to close)");
        }
      b_.changed().wait_for(lock, std::chrono::milliseconds(20));
    }
  }
  return ui::runningProcedures() == 0 || waitIdle(true);
}

bool Robot::waitEnd() {
  if (failed_) return false;
  const auto deadline = Clock::now() + timeout_;
  while (ui::runningProcedures() > 0) {
    if (Clock::now() >= deadline)
      return fail("the program had not ended after " + std::to_string(timeout_.count()) + " ms");
    if (ui::waitUntilIdle(std::chrono::milliseconds(0))) {
      std::lock_guard lock(b_.mutex());
      for (auto& p : b_.pending())
        if (!p->answered) return fail(describe(*p) + " was not answered (waiting for the end)");
    }
    ui::waitProceduresEnded(std::chrono::milliseconds(20));
  }
  return true;
}

bool Robot::type(const std::string& equate, const std::string& text) {
  int id = 0;
  if (!waitIdle(false) || !targetControl(equate, id, true)) return false;
  {
    std::lock_guard lock(b_.mutex());
    HWindow& w = b_.windows().at(target_);
    HControl& c = w.controls.at(id);
    const ControlKind k = c.def.kind;
    if (k != ControlKind::Entry && k != ControlKind::Spin && !(k == ControlKind::Combo && c.def.typed))
      return fail(equate + " does not take typing");
    if (c.readOnly) return fail(equate + " is read-only");
    c.value = text;
    w.focus = id;
  }
  deliver(target_, makeEvent(EventKind::Accepted, id, Key::Tab));
  return waitIdle(true);
}

bool Robot::check(const std::string& equate, bool on) {
  int id = 0;
  if (!waitIdle(false) || !targetControl(equate, id, true)) return false;
  {
    std::lock_guard lock(b_.mutex());
    HWindow& w = b_.windows().at(target_);
    HControl& c = w.controls.at(id);
    if (c.def.kind != ControlKind::Check) return fail(equate + " is not a check box");
    c.value = on ? "1" : "0";
    w.focus = id;
  }
  deliver(target_, makeEvent(EventKind::Accepted, id, Key::MouseLeft));
  return waitIdle(true);
}

bool Robot::choose(const std::string& equate, const std::string& text, int row) {
  int id = 0;
  if (!waitIdle(false) || !targetControl(equate, id, true)) return false;
  std::vector<Event> events;
  {
    std::lock_guard lock(b_.mutex());
    HWindow& w = b_.windows().at(target_);
    HControl& c = w.controls.at(id);
    const std::string what = row > 0 ? "#" + std::to_string(row) : quote(text);
    switch (c.def.kind) {
      case ControlKind::Option:
      case ControlKind::Sheet: {
        const ControlKind childKind =
            c.def.kind == ControlKind::Option ? ControlKind::Radio : ControlKind::Tab;
        int n = 0, chosen = 0;
        HControl* pick = nullptr;
        for (auto& [cid, child] : w.controls) {
          if (child.def.kind != childKind || lowerAscii(child.def.parent) != lowerAscii(c.def.equate))
            continue;
          ++n;
          const std::string v = child.def.value.empty() ? withoutAmp(child.text) : child.def.value;
          if ((row > 0 && n == row) || (row == 0 && (sameText(child.text, text) || v == text))) {
            pick = &child;
            chosen = n;
            break;
          }
        }
        if (!pick)
          return fail(equate + " has no " + (childKind == ControlKind::Radio ? "radio " : "tab ") + what);
        const std::string why = unusable(w, *pick);
        if (!why.empty()) return fail(pick->def.equate + " " + why);
        if (c.def.kind == ControlKind::Option) {
          c.value = pick->def.value.empty() ? withoutAmp(pick->text) : pick->def.value;
          events.push_back(makeEvent(EventKind::Accepted, id, Key::MouseLeft));
        } else {
          Event changing = makeEvent(EventKind::TabChanging, id, Key::MouseLeft);
          changing.number = static_cast<int>(std::atoi(c.value.c_str()));
          events.push_back(changing);
          c.value = std::to_string(chosen);
          events.push_back(makeEvent(EventKind::NewSelection, id, Key::MouseLeft));
        }
        break;
      }
      case ControlKind::Combo:
      case ControlKind::DropList:
      case ControlKind::List: {
        int n = row;
        if (n == 0) {
          for (std::size_t i = 0; i < c.rows.size() && n == 0; ++i) {
            const auto& cells = c.rows[i].cells;
            for (const std::string& cell : cells) {
              const std::string first = cell.substr(0, cell.find('\n'));
              if (cell == text || first == text) {
                n = static_cast<int>(i) + 1;
                break;
              }
            }
          }
        }
        if (n < 1 || n > static_cast<int>(c.rows.size())) return fail(equate + " has no row " + what);
        c.selected = n;
        c.mouseRow = n;
        const auto& cells = c.rows[static_cast<std::size_t>(n - 1)].cells;
        if (c.def.kind != ControlKind::List) c.value = cells.empty() ? std::string() : cells[0];
        events.push_back(makeEvent(EventKind::NewSelection, id, Key::MouseLeft));
        if (c.def.kind != ControlKind::List)
          events.push_back(makeEvent(EventKind::Accepted, id, Key::MouseLeft));
        break;
      }
      default:
        return fail(equate + " has nothing to choose");
    }
    w.focus = id;
  }
  for (Event& ev : events) deliver(target_, std::move(ev));
  return waitIdle(true);
}

bool Robot::stdAction(int window, int id) {
  StdAction action = StdAction::None;
  std::string keyword;
  {
    std::lock_guard lock(b_.mutex());
    HWindow& w = b_.windows().at(window);
    action = w.controls.at(id).def.action;
    keyword = w.def.help;
  }
  switch (action) {
    case StdAction::None:
      return false;
    case StdAction::Close:
      deliver(window, makeEvent(EventKind::CloseWindow, 0));
      break;
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
    case StdAction::Cut:
      b_.clipboard(window, ClipboardOp::Cut);
      break;
    case StdAction::Copy:
      b_.clipboard(window, ClipboardOp::Copy);
      break;
    case StdAction::Paste:
      b_.clipboard(window, ClipboardOp::Paste);
      break;
    case StdAction::PrintSetup:
      b_.printerSetup(0);
      break;
    case StdAction::Tile:
      b_.transcript().add("arrange tile");
      break;
    case StdAction::Cascade:
      b_.transcript().add("arrange cascade");
      break;
    case StdAction::ArrangeIcons:
      b_.transcript().add("arrange icons");
      break;
  }
  return true;
}

bool Robot::pressControl(int window, int id) {
  if (stdAction(window, id)) return waitIdle(true);
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
        if (!group) return fail(c.def.equate + " is in no option group");
        group->value = c.def.value.empty() ? withoutAmp(c.text) : c.def.value;
        w.focus = group->def.id;
        events.push_back(makeEvent(EventKind::Accepted, group->def.id, Key::MouseLeft));
        break;
      }
      default:
        return fail(c.def.equate + " cannot be pressed");
    }
  }
  for (Event& ev : events) deliver(window, std::move(ev));
  return waitIdle(true);
}

bool Robot::press(const std::string& equate) {
  int id = 0;
  if (!waitIdle(false) || !targetControl(equate, id, true)) return false;
  if (id == 0) return fail("press needs a control");
  return pressControl(target_, id);
}

bool Robot::menu(const std::string& textOrEquate) {
  int id = 0;
  if (!waitIdle(false) || !targetControl("", id, false)) return false;
  int window = 0;
  {
    std::lock_guard lock(b_.mutex());
    auto matches = [&](HControl& c) {
      if (!c.menu) return false;
      if (!c.def.equate.empty() && lowerAscii(c.def.equate) == lowerAscii(textOrEquate)) return true;
      return (!c.text.empty() && sameText(c.text, textOrEquate)) ||
             (!c.tip.empty() && sameText(c.tip, textOrEquate));
    };
    std::vector<HWindow*> where{&b_.windows().at(target_)};
    for (auto& [wid, w] : b_.windows())
      if (w.def.kind == WindowKind::MdiFrame && wid != target_) where.push_back(&w);
    for (HWindow* w : where) {
      for (auto& [cid, c] : w->controls) {
        if (!matches(c)) continue;
        const std::string why = unusable(*w, c);
        if (!why.empty()) return fail("menu " + quote(textOrEquate) + " " + why);
        window = w->id;
        id = cid;
        break;
      }
      if (window) break;
    }
    if (!window) return fail("no menu item or toolbar button " + quote(textOrEquate));
  }
  return pressControl(window, id);
}

bool Robot::key(const std::string& equate, const std::string& keyName) {
  std::string character;
  const int code = parseKeyName(keyName, &character);
  if (code == 0) return fail("unknown key " + quote(keyName));
  int id = 0;
  if (!waitIdle(false) || !targetControl(equate, id, true)) return false;
  std::vector<Event> events;
  int pressId = 0;
  bool helpKey = false;
  std::string keyword;
  {
    std::lock_guard lock(b_.mutex());
    HWindow& w = b_.windows().at(target_);
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
    } else if ((code & 0xFF) == Key::F1 && code == Key::F1) {
      helpKey = true;
      keyword = w.def.help;
    } else if (isList && !character.empty() && character != " ") {
      alert(id);
    } else if (isList && (code == Key::Up || code == Key::Down || code == Key::PgUp || code == Key::PgDn ||
                          code == Key::Home || code == Key::End || code == (Key::Ctrl | Key::Home) ||
                          code == (Key::Ctrl | Key::End))) {
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
        if (c && (c->def.kind == ControlKind::Entry || c->def.kind == ControlKind::Spin ||
                  c->def.kind == ControlKind::Combo)) {
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
    return waitIdle(true);
  }
  if (pressId) return pressControl(target_, pressId);
  for (Event& ev : events) deliver(target_, std::move(ev));
  return waitIdle(true);
}

bool Robot::answer(const std::string& caption, const std::string& button) {
  if (!waitIdle(true)) return false;
  {
    const int btn = buttonByName(button);
    if (btn == 0) return fail("unknown button " + quote(button));
    std::lock_guard lock(b_.mutex());
    std::shared_ptr<Pending> p;
    for (auto& q : b_.pending())
      if (q->kind == Pending::Kind::Box && !q->answered && q->box.caption == caption) {
        p = q;
        break;
      }
    if (!p) {
      std::string others;
      for (auto& q : b_.pending())
        if (!q->answered) others += "; waiting instead: " + describe(*q);
      return fail("no box " + quote(caption) + " to answer" + others);
    }
    if (!(p->box.buttons & btn))
      return fail("box " + quote(caption) + " has no button " + button + " (" + buttonList(p->box.buttons) +
                  ")");
    b_.transcript().add("box " + quote(p->box.caption) + " " + quote(p->box.text) + " icon " +
                        iconName(p->box.icon) + " buttons " + buttonList(p->box.buttons) + " answer " +
                        buttonName(btn));
    p->button = btn;
    b_.answer(*p);
  }
  // The answered thread goes on before the next action.
  return waitIdle(true);
}

bool Robot::file(const std::string& path) {
  if (!waitIdle(true)) return false;
  {
    std::lock_guard lock(b_.mutex());
    auto p = findPending(Pending::Kind::File);
    if (!p) return fail("no file dialog to answer");
    b_.transcript().add(std::string(p->file.directory ? "directory " : "file ") + quote(p->file.title) +
                        " answer " + quote(path));
    p->accepted = true;
    p->path = path;
    b_.answer(*p);
  }
  // The answered thread goes on before the next action.
  return waitIdle(true);
}

bool Robot::cancelFile() {
  if (!waitIdle(true)) return false;
  {
    std::lock_guard lock(b_.mutex());
    auto p = findPending(Pending::Kind::File);
    if (!p) return fail("no file dialog to cancel");
    b_.transcript().add(std::string(p->file.directory ? "directory " : "file ") + quote(p->file.title) +
                        " cancel");
    p->accepted = false;
    b_.answer(*p);
  }
  // The answered thread goes on before the next action.
  return waitIdle(true);
}

bool Robot::popup(int item) {
  if (!waitIdle(true)) return false;
  {
    std::lock_guard lock(b_.mutex());
    auto p = findPending(Pending::Kind::Popup);
    if (!p) return fail("no pop-up menu to answer");
    const auto items = popupItems(p->popup.text);
    if (item < 0 || item > static_cast<int>(items.size()))
      return fail("pop-up menu " + quote(p->popup.text) + " has no item " + std::to_string(item));
    if (item > 0 && items[static_cast<std::size_t>(item - 1)].greyed)
      return fail("pop-up item " + quote(items[static_cast<std::size_t>(item - 1)].text) + " is greyed");
    b_.transcript().add("popup " + quote(p->popup.text) + " answer " + std::to_string(item));
    p->button = item;
    b_.answer(*p);
  }
  // The answered thread goes on before the next action.
  return waitIdle(true);
}

bool Robot::popup(const std::string& itemText) {
  int n = 0;
  {
    if (!waitIdle(true)) return false;
    std::lock_guard lock(b_.mutex());
    auto p = findPending(Pending::Kind::Popup);
    if (!p) return fail("no pop-up menu to answer");
    const auto items = popupItems(p->popup.text);
    for (std::size_t i = 0; i < items.size(); ++i)
      if (sameText(items[i].text, itemText)) n = static_cast<int>(i) + 1;
    if (n == 0) return fail("pop-up menu " + quote(p->popup.text) + " has no item " + quote(itemText));
  }
  return popup(n);
}

bool Robot::close() {
  int id = 0;
  if (!waitIdle(false) || !targetControl("", id, false)) return false;
  deliver(target_, makeEvent(EventKind::CloseWindow, 0));
  return waitIdle(true);
}

bool Robot::resize(int width, int height) {
  int id = 0;
  if (!waitIdle(false) || !targetControl("", id, false)) return false;
  {
    std::lock_guard lock(b_.mutex());
    HWindow& w = b_.windows().at(target_);
    if (!w.def.resizable) return fail("window " + quote(w.title) + " cannot be resized");
    w.width = width;
    w.height = height;
  }
  deliver(target_, makeEvent(EventKind::Sized, 0));
  return waitIdle(true);
}

bool Robot::mouse(const std::string& equate, const std::string& what) {
  static const std::map<std::string, EventKind> kinds = {{"in", EventKind::MouseIn},
                                                         {"out", EventKind::MouseOut},
                                                         {"down", EventKind::MouseDown},
                                                         {"up", EventKind::MouseUp}};
  auto k = kinds.find(lowerAscii(what));
  if (k == kinds.end()) return fail("mouse takes in, out, down or up");
  int id = 0;
  if (!waitIdle(false) || !targetControl(equate, id, true)) return false;
  deliver(target_, makeEvent(k->second, id, k->second == EventKind::MouseDown ? Key::MouseLeft : 0));
  return waitIdle(true);
}

namespace {
std::mutex startMutex;
StartHandler startHandler;
}  // namespace

void setStartHandler(StartHandler handler) {
  std::lock_guard lock(startMutex);
  startHandler = std::move(handler);
}

bool Robot::start(const std::string& name, const std::string& arg) {
  if (!waitIdle(false)) return false;
  StartHandler h;
  {
    std::lock_guard lock(startMutex);
    h = startHandler;
  }
  if (!h || !h(name, arg)) return fail("nothing to start by the name " + quote(name));
  return waitIdle(true);
}

bool Robot::drag(const std::string& equate, int position) {
  int id = 0;
  if (!waitIdle(false) || !targetControl(equate, id, true)) return false;
  {
    std::lock_guard lock(b_.mutex());
    HControl& c = b_.windows().at(target_).controls.at(id);
    if (c.def.kind != ControlKind::List) return fail(equate + " is not a list box");
    c.vscrollPos = std::clamp(position, 0, 100);
  }
  Event ev = makeEvent(EventKind::ScrollDrag, id, Key::MouseLeft);
  ev.number = std::clamp(position, 0, 100);
  deliver(target_, ev);
  return waitIdle(true);
}

bool Robot::dump(const std::string& equate) {
  int id = 0;
  if (!waitIdle(false) || !targetControl(equate, id, false)) return false;
  std::vector<std::string> lines;
  {
    std::lock_guard lock(b_.mutex());
    HWindow& w = b_.windows().at(target_);
    if (id == 0) {
      std::string focus = w.focus ? w.controls.count(w.focus) ? w.controls.at(w.focus).def.equate : "" : "";
      lines.push_back("dump window " + quote(w.title) + " focus " + (focus.empty() ? "-" : focus));
    } else {
      HControl& c = w.controls.at(id);
      const std::string why = unusable(w, c);
      std::string state = why.empty() ? "" : " (" + why + ")";
      const ControlKind k = c.def.kind;
      if (k == ControlKind::List || k == ControlKind::Combo || k == ControlKind::DropList) {
        std::string line = "dump " + c.def.equate;
        if (k != ControlKind::List) line += " " + quote(c.value);
        line += " selected " + std::to_string(c.selected) + " rows " + std::to_string(c.rows.size()) + state;
        lines.push_back(line);
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
          std::string r = "  row " + std::to_string(i + 1);
          for (const std::string& cell : c.rows[i].cells) r += " " + quote(cell);
          if (c.rows[i].grey) r += " grey";
          lines.push_back(r);
        }
      } else if (k == ControlKind::Button || k == ControlKind::Prompt || k == ControlKind::Group ||
                 k == ControlKind::Tab || k == ControlKind::Radio || c.menu) {
        lines.push_back("dump " + c.def.equate + " " + quote(c.text) + state);
      } else if (k == ControlKind::Image) {
        lines.push_back("dump " + c.def.equate + " " + quote(c.imageFile) + state);
      } else {
        lines.push_back("dump " + c.def.equate + " " + quote(c.value) + state);
      }
    }
  }
  for (std::string& l : lines) b_.transcript().add(std::move(l));
  return true;
}

}  // namespace ui::headless
