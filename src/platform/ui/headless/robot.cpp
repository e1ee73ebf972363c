#include "platform/ui/headless/robot.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <thread>

#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/headless/headless_backend.h"

namespace ui::headless {
namespace {

using Clock = std::chrono::steady_clock;

bool sameText(const std::string& a, const std::string& b) {
  return a == b || lowerAscii(withoutAmp(a)) == lowerAscii(withoutAmp(b));
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
    case Icon::None: return "none";
    case Icon::Information: return "information";
    case Icon::Exclamation: return "exclamation";
    case Icon::Question: return "question";
    case Icon::Stop: return "stop";
  }
  return "none";
}

std::string describe(const PendingView& p) {
  switch (p.kind) {
    case PendingView::Kind::Box: return "box " + quote(p.box.caption) + " " + quote(p.box.text);
    case PendingView::Kind::File:
      return std::string(p.file.directory ? "directory dialog " : "file dialog ") + quote(p.file.title);
    case PendingView::Kind::Popup: return "pop-up menu " + quote(p.popup.text);
  }
  return "dialog";
}

std::string ms(std::chrono::milliseconds t) { return std::to_string(t.count()) + " ms"; }

}  // namespace

Robot::Robot(Driver& driver) : d_(driver) {}

bool Robot::fail(const std::string& why) {
  if (failed_) return false;
  failed_ = true;
  error_ = context_ + why;
  d_.transcript().add("error: " + error_);
  return false;
}

bool Robot::findPending(PendingView::Kind kind, PendingView& out) {
  for (auto& p : d_.pending())
    if (p.kind == kind) {
      out = p;
      return true;
    }
  return false;
}

bool Robot::acted(const std::string& why, const std::string& what) {
  if (!why.empty()) return fail(what + " " + why);
  return waitIdle(true);
}

bool Robot::waitIdle(bool allowPending) {
  if (failed_) return false;
  const auto deadline = Clock::now() + timeout_;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    int modal = 0;
    if (left.count() <= 0 || !d_.waitUntilIdle(left, &modal))
      return fail("the program was still busy after " + ms(timeout_));
    // Idle counts only once every thread in a modal operation has its box on show here
    // (and an answered one has gone on), and the backend shows what it was told. The modal
    // threads are those of the idle moment: a thread still in its answered box then, and busy
    // by now, is waited for in the next round.
    if (static_cast<int>(d_.pending().size()) == modal && d_.shown() && d_.waitUntilIdle(std::chrono::milliseconds(0)))
      break;
    d_.waitChange(std::chrono::milliseconds(5));
  }
  if (!allowPending) {
    for (auto& p : d_.pending()) return fail(describe(p) + " was not answered");
  }
  return true;
}

bool Robot::settle() { return waitIdle(false); }

bool Robot::targetControl(const std::string& equate, int& id, bool needEnabled, HWindow* seen) {
  auto windows = d_.windows();
  auto wit = windows.find(target_);
  if (target_ == 0 || wit == windows.end()) return fail("no target window (it has closed or none was chosen)");
  HWindow& w = wit->second;
  if (HWindow* blocking = blocker(windows, w))
    return fail("window " + quote(w.title) + " is disabled while " + quote(blocking->title) + " is open");
  if (seen) *seen = w;
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
    if (d_.waitUntilIdle(left) && d_.shown()) {
      for (auto& p : d_.pending())
        return fail(describe(p) + " was not answered (waiting for window " + quote(title) + ")");
      auto windows = d_.windows();
      HWindow* best = nullptr;
      for (auto& [id, w] : windows)
        if ((w.title == title || w.def.label == title) && (!best || w.order > best->order)) best = &w;
      if (best) {
        target_ = best->id;
        const bool blocked = blocker(windows, *best) != nullptr;
        if (blocked || d_.activeWindow() == target_) return true;
        return acted(d_.activate(target_), "window " + quote(title));  // the user clicks into it
      }
      if (ui::programHalted() && ui::runningProcedures() == 0) break;
      d_.waitChange(std::chrono::milliseconds(20));
    }
  }
  return fail("window " + quote(title) + " did not open within " + ms(timeout_));
}

bool Robot::waitClosed(const std::string& title) {
  if (failed_) return false;
  const auto deadline = Clock::now() + timeout_;
  for (;;) {
    auto windows = d_.windows();
    const bool open = std::any_of(windows.begin(), windows.end(),
                                  [&](auto& kv) { return kv.second.title == title || kv.second.def.label == title; });
    if (!open) break;
    if (Clock::now() >= deadline) return fail("window " + quote(title) + " was still open after " + ms(timeout_));
    for (auto& p : d_.pending())
      if (d_.waitUntilIdle(std::chrono::milliseconds(0)))
        return fail(describe(p) + " was not answered (waiting for " + quote(title) + " to close)");
    d_.waitChange(std::chrono::milliseconds(20));
  }
  return ui::runningProcedures() == 0 || waitIdle(true);
}

bool Robot::waitEnd() {
  if (failed_) return false;
  const auto deadline = Clock::now() + timeout_;
  while (ui::runningProcedures() > 0) {
    if (Clock::now() >= deadline) return fail("the program had not ended after " + ms(timeout_));
    if (d_.waitUntilIdle(std::chrono::milliseconds(0))) {
      for (auto& p : d_.pending()) return fail(describe(p) + " was not answered (waiting for the end)");
    }
    d_.waitEnded(std::chrono::milliseconds(20));
  }
  return true;
}

bool Robot::type(const std::string& equate, const std::string& text) {
  int id = 0;
  HWindow w;
  if (!waitIdle(false) || !targetControl(equate, id, true, &w)) return false;
  if (id == 0) return fail("type needs a control");
  HControl& c = w.controls.at(id);
  const ControlKind k = c.def.kind;
  if (k != ControlKind::Entry && k != ControlKind::Spin && !(k == ControlKind::Combo && c.def.typed))
    return fail(equate + " does not take typing");
  if (c.readOnly) return fail(equate + " is read-only");
  return acted(d_.type(target_, id, text), equate);
}

bool Robot::check(const std::string& equate, bool on) {
  int id = 0;
  HWindow w;
  if (!waitIdle(false) || !targetControl(equate, id, true, &w)) return false;
  if (id == 0 || w.controls.at(id).def.kind != ControlKind::Check) return fail(equate + " is not a check box");
  return acted(d_.check(target_, id, on), equate);
}

bool Robot::choose(const std::string& equate, const std::string& text, int row) {
  int id = 0;
  HWindow w;
  if (!waitIdle(false) || !targetControl(equate, id, true, &w)) return false;
  if (id == 0) return fail("choose needs a control");
  HControl& c = w.controls.at(id);
  const std::string what = row > 0 ? "#" + std::to_string(row) : quote(text);
  switch (c.def.kind) {
    case ControlKind::Option:
    case ControlKind::Sheet: {
      const ControlKind childKind = c.def.kind == ControlKind::Option ? ControlKind::Radio : ControlKind::Tab;
      int n = 0;
      for (auto& [cid, child] : w.controls) {
        if (child.def.kind != childKind || lowerAscii(child.def.parent) != lowerAscii(c.def.equate)) continue;
        ++n;
        const std::string v = child.def.value.empty() ? withoutAmp(child.text) : child.def.value;
        if ((row > 0 && n == row) || (row == 0 && (sameText(child.text, text) || v == text))) {
          const std::string why = unusable(w, child);
          if (!why.empty()) return fail(child.def.equate + " " + why);
          return acted(d_.chooseChild(target_, id, cid, n), equate);
        }
      }
      return fail(equate + " has no " + (childKind == ControlKind::Radio ? "radio " : "tab ") + what);
    }
    case ControlKind::Combo:
    case ControlKind::DropList:
    case ControlKind::List: {
      int n = row;
      if (n == 0) {
        for (std::size_t i = 0; i < c.rows.size() && n == 0; ++i) {
          for (const std::string& cell : c.rows[i].cells) {
            const std::string first = cell.substr(0, cell.find('\n'));
            if (cell == text || first == text) {
              n = static_cast<int>(i) + 1;
              break;
            }
          }
        }
      }
      if (n < 1 || n > static_cast<int>(c.rows.size())) return fail(equate + " has no row " + what);
      return acted(d_.chooseRow(target_, id, n), equate);
    }
    default: return fail(equate + " has nothing to choose");
  }
}

bool Robot::press(const std::string& equate) {
  int id = 0;
  if (!waitIdle(false) || !targetControl(equate, id, true)) return false;
  if (id == 0) return fail("press needs a control");
  return acted(d_.press(target_, id), equate);
}

bool Robot::menu(const std::string& textOrEquate) {
  int id = 0;
  if (!waitIdle(false) || !targetControl("", id, false)) return false;
  auto windows = d_.windows();
  auto matches = [&](HControl& c) {
    if (!c.menu) return false;
    if (!c.def.equate.empty() && lowerAscii(c.def.equate) == lowerAscii(textOrEquate)) return true;
    return (!c.text.empty() && sameText(c.text, textOrEquate)) || (!c.tip.empty() && sameText(c.tip, textOrEquate));
  };
  std::vector<HWindow*> where{&windows.at(target_)};
  for (auto& [wid, w] : windows)
    if (w.def.kind == WindowKind::MdiFrame && wid != target_) where.push_back(&w);
  for (HWindow* w : where) {
    for (auto& [cid, c] : w->controls) {
      if (!matches(c)) continue;
      const std::string why = unusable(*w, c);
      if (!why.empty()) return fail("menu " + quote(textOrEquate) + " " + why);
      return acted(d_.press(w->id, cid), "menu " + quote(textOrEquate));
    }
  }
  return fail("no menu item or toolbar button " + quote(textOrEquate));
}

bool Robot::key(const std::string& equate, const std::string& keyName) {
  std::string character;
  const int code = parseKeyName(keyName, &character);
  if (code == 0) return fail("unknown key " + quote(keyName));
  int id = 0;
  if (!waitIdle(false) || !targetControl(equate, id, true)) return false;
  return acted(d_.key(target_, id, code, character), "key " + quote(keyName));
}

bool Robot::wheel(const std::string& equate, int notches) {
  int id = 0;
  if (!waitIdle(false) || !targetControl(equate, id, true)) return false;
  if (id == 0) return fail("wheel needs a control");
  return acted(d_.wheel(target_, id, notches), equate);
}

bool Robot::answer(const std::string& caption, const std::string& button) {
  if (!waitIdle(true)) return false;
  const int btn = buttonByName(button);
  if (btn == 0) return fail("unknown button " + quote(button));
  const auto pending = d_.pending();
  const PendingView* p = nullptr;
  for (auto& q : pending)
    if (q.kind == PendingView::Kind::Box && q.box.caption == caption) {
      p = &q;
      break;
    }
  if (!p) {
    std::string others;
    for (auto& q : pending) others += "; waiting instead: " + describe(q);
    return fail("no box " + quote(caption) + " to answer" + others);
  }
  if (!(p->box.buttons & btn))
    return fail("box " + quote(caption) + " has no button " + button + " (" + buttonList(p->box.buttons) + ")");
  d_.transcript().add("box " + quote(p->box.caption) + " " + quote(p->box.text) + " icon " + iconName(p->box.icon) +
                      " buttons " + buttonList(p->box.buttons) + " answer " + buttonName(btn));
  // The answered thread goes on before the next action.
  return acted(d_.answerBox(p->serial, btn), "box " + quote(caption));
}

bool Robot::file(const std::string& path) {
  if (!waitIdle(true)) return false;
  PendingView p;
  if (!findPending(PendingView::Kind::File, p)) return fail("no file dialog to answer");
  d_.transcript().add(std::string(p.file.directory ? "directory " : "file ") + quote(p.file.title) + " answer " +
                      quote(path));
  return acted(d_.answerFile(p.serial, true, path), describe(p));
}

bool Robot::cancelFile() {
  if (!waitIdle(true)) return false;
  PendingView p;
  if (!findPending(PendingView::Kind::File, p)) return fail("no file dialog to cancel");
  d_.transcript().add(std::string(p.file.directory ? "directory " : "file ") + quote(p.file.title) + " cancel");
  return acted(d_.answerFile(p.serial, false, {}), describe(p));
}

bool Robot::popup(int item) {
  if (!waitIdle(true)) return false;
  PendingView p;
  if (!findPending(PendingView::Kind::Popup, p)) return fail("no pop-up menu to answer");
  const auto items = popupItems(p.popup.text);
  if (item < 0 || item > static_cast<int>(items.size()))
    return fail("pop-up menu " + quote(p.popup.text) + " has no item " + std::to_string(item));
  if (item > 0 && items[static_cast<std::size_t>(item - 1)].greyed)
    return fail("pop-up item " + quote(items[static_cast<std::size_t>(item - 1)].text) + " is greyed");
  d_.transcript().add("popup " + quote(p.popup.text) + " answer " + std::to_string(item));
  return acted(d_.answerPopup(p.serial, item), describe(p));
}

bool Robot::popup(const std::string& itemText) {
  if (!waitIdle(true)) return false;
  PendingView p;
  if (!findPending(PendingView::Kind::Popup, p)) return fail("no pop-up menu to answer");
  const auto items = popupItems(p.popup.text);
  int n = 0;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (sameText(items[i].text, itemText)) n = static_cast<int>(i) + 1;
  if (n == 0) return fail("pop-up menu " + quote(p.popup.text) + " has no item " + quote(itemText));
  return popup(n);
}

bool Robot::close() {
  int id = 0;
  if (!waitIdle(false) || !targetControl("", id, false)) return false;
  return acted(d_.close(target_), "close");
}

bool Robot::resize(int width, int height) {
  int id = 0;
  HWindow w;
  if (!waitIdle(false) || !targetControl("", id, false, &w)) return false;
  if (!w.def.resizable) return fail("window " + quote(w.title) + " cannot be resized");
  return acted(d_.resize(target_, width, height), "resize");
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
  return acted(d_.mouse(target_, id, k->second), equate);
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
  HWindow w;
  if (!waitIdle(false) || !targetControl(equate, id, true, &w)) return false;
  if (id == 0 || w.controls.at(id).def.kind != ControlKind::List) return fail(equate + " is not a list box");
  return acted(d_.drag(target_, id, std::clamp(position, 0, 100)), equate);
}

bool Robot::dump(const std::string& equate) {
  int id = 0;
  HWindow w;
  if (!waitIdle(false) || !targetControl(equate, id, false, &w)) return false;
  std::vector<std::string> lines;
  if (id == 0) {
    std::string focus = w.focus && w.controls.count(w.focus) ? w.controls.at(w.focus).def.equate : "";
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
  for (std::string& l : lines) d_.transcript().add(std::move(l));
  return true;
}

}  // namespace ui::headless
