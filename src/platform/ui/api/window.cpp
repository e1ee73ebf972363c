#include "platform/ui/api/window.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "platform/text/codepage.h"
#include "platform/ui/api/backend.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/picture.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/thread_state.h"
#include "platform/ui/api/window_state.h"

namespace ui {
namespace {

std::string upperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool isInput(ControlKind k) {
  return k == ControlKind::Entry || k == ControlKind::Spin || k == ControlKind::Check || k == ControlKind::Option ||
         k == ControlKind::Combo || k == ControlKind::DropList;
}

// Events after which the control's value is copied into its variable.
bool copiesValue(EventKind k) {
  return k == EventKind::Accepted || k == EventKind::NewSelection || k == EventKind::AlertKey ||
         k == EventKind::TabChanging;
}

void addControl(WindowState& s, ControlDef& d, bool menu) {
  d.id = static_cast<int>(s.controls.size());
  ControlInfo ci;
  ci.kind = d.kind;
  ci.equate = d.equate;
  ci.picture = d.picture;
  ci.menu = menu;
  ci.enabled = !d.disabled;
  ci.hidden = d.hidden;
  ci.rangeLow = d.rangeLow;
  ci.rangeHigh = d.rangeHigh;
  if (!d.parent.empty()) {
    auto it = s.byEquate.find(upperAscii(d.parent));
    if (it != s.byEquate.end()) ci.parent = it->second;
  }
  if (!d.equate.empty()) s.byEquate[upperAscii(d.equate)] = d.id;
  s.controls.push_back(ci);
  if (!menu) s.order.push_back(d.id);
}

void addMenu(WindowState& s, std::vector<MenuItem>& items) {
  for (MenuItem& m : items) {
    m.id = static_cast<int>(s.controls.size());
    ControlInfo ci;
    ci.kind = ControlKind::Button;
    ci.equate = m.equate;
    ci.menu = true;
    ci.enabled = !m.disabled;
    if (!m.equate.empty()) s.byEquate[upperAscii(m.equate)] = m.id;
    s.controls.push_back(ci);
    addMenu(s, m.items);
  }
}

bool effectivelyEnabled(const WindowState& s, int id) {
  for (int i = id, guard = 0; i > 0 && guard < 64; ++guard) {
    const ControlInfo& c = s.controls[static_cast<std::size_t>(i)];
    if (!c.enabled || c.hidden || c.destroyed) return false;
    i = c.parent;
  }
  return true;
}

std::string shownText(const WindowState& s, const Binding& b);
void readText(const WindowState& s, Binding& b, const std::string& text);

Backend& be() {
  Backend* b = backend();
  if (!b) throw std::logic_error("ui: no window backend installed");
  return *b;
}

}  // namespace

Window::Window(WindowDef def) : s_(std::make_shared<WindowState>()) {
  WindowState& s = *s_;
  s.def = std::move(def);
  s.controls.emplace_back();  // id 0: the window
  for (ControlDef& c : s.def.controls) addControl(s, c, false);
  for (ControlDef& c : s.def.toolbar) addControl(s, c, true);
  addMenu(s, s.def.menu);
  s.timer = s.def.timer;
}

Window::~Window() {
  try {
    close();
  } catch (...) {
    // A destructor must not throw; the window is gone with the backend anyway.
  }
}

void Window::open() {
  WindowState& s = *s_;
  if (s.open) return;
  detail::checkHalted();
  detail::ThreadState& t = detail::self();
  detail::Global& g = detail::global();
  {
    std::lock_guard lock(g.m);
    s.id = g.nextWindow++;
    s.open = true;
    g.windows[s.id] = s_;
    g.windowThread[s.id] = t.id;
    t.windows.push_back(s.id);
    if (g.shutdown) {
      Event ev;
      ev.kind = EventKind::CloseWindow;
      t.queue.push_back({s.id, ev});
    }
  }
  s.closeArmed = false;
  s.pass = false;
  s.nextTick = std::chrono::steady_clock::now() + std::chrono::milliseconds(10 * s.timer);
  be().openWindow(s.id, s.def, t.id);
  for (Binding& b : s.bindings) b.shown = b.heldBack = false;
  display();
}

void Window::close() {
  WindowState& s = *s_;
  if (!s.open) return;
  const int id = s.id;
  detail::ThreadState& t = detail::self();
  detail::Global& g = detail::global();
  {
    std::lock_guard lock(g.m);
    s.open = false;
    g.windows.erase(id);
    g.windowThread.erase(id);
    std::erase(t.windows, id);
    std::erase_if(t.queue, [id](const detail::Queued& q) { return q.window == id; });
    g.cv.notify_all();
  }
  s.pass = false;
  s.closeArmed = false;
  if (Backend* b = backend()) b->closeWindow(id);
  s.id = 0;
}

bool Window::isOpen() const { return s_->open; }

void Window::vetoClose() { s_->closeArmed = false; }

Event Window::accept() {
  WindowState& s = *s_;
  if (!s.open) return {};
  if (s.closeArmed) {
    close();
    return {};
  }
  detail::checkHalted();
  Event ev;
  bool got = false;
  if (s.pass) {
    while (s.passNext < s.order.size()) {
      const int id = s.order[s.passNext++];
      if (isInput(s.controls[static_cast<std::size_t>(id)].kind) && effectivelyEnabled(s, id)) {
        ev.kind = EventKind::Accepted;
        ev.control = id;
        got = true;
        break;
      }
    }
    if (!got) {
      s.pass = false;
      ev.kind = EventKind::Completed;
      got = true;
    }
  }
  detail::ThreadState& t = detail::self();
  if (!got) {
    detail::Global& g = detail::global();
    std::unique_lock lock(g.m);
    t.acceptingWindow = s.id;
    for (;;) {
      if (g.halted) {
        const int code = g.haltCode;
        t.activity = detail::Activity::Busy;
        t.timerWait = false;
        t.acceptingWindow = 0;
        throw ProgramHalted{code};
      }
      const bool innermost = !t.windows.empty() && t.windows.back() == s.id;
      auto it = std::find_if(t.queue.begin(), t.queue.end(),
                             [&](const detail::Queued& q) { return q.window == s.id || (q.window == 0 && innermost); });
      if (it != t.queue.end()) {
        ev = std::move(it->ev);
        t.queue.erase(it);
        break;
      }
      // Only the step into waiting is news (the robot and waitIdle watch for it); notifying on
      // every wake made two idle threads wake each other for ever.
      if (t.activity != detail::Activity::Waiting) {
        t.activity = detail::Activity::Waiting;
        g.cv.notify_all();
      }
      if (s.timer > 0) {
        t.timerWait = true;
        g.cv.wait_until(lock, s.nextTick);
        const auto now = std::chrono::steady_clock::now();
        if (now >= s.nextTick) {
          // Look at the queue once more before the tick, so a close is not starved.
          const bool any = std::any_of(t.queue.begin(), t.queue.end(), [&](const detail::Queued& q) {
            return q.window == s.id || (q.window == 0 && innermost);
          });
          if (!any) {
            s.nextTick = now + std::chrono::milliseconds(10 * s.timer);
            ev.kind = EventKind::Timer;
            break;
          }
        }
      } else {
        t.timerWait = false;
        g.cv.wait(lock);
      }
    }
    t.activity = detail::Activity::Busy;
    t.timerWait = false;
    t.acceptingWindow = 0;
  }

  if (ev.key != 0) t.lastKey = ev.key;
  if (ev.control > 0 && copiesValue(ev.kind)) {
    bool bound = false;
    for (Binding& b : s.bindings) {
      if (b.control != ev.control) continue;
      if (!bound) bound = true;
      const std::string text = be().get(s.id, ev.control, Prop::Value).text;
      // A number left as it was shown keeps its full value: its picture may show fewer
      // decimals than it holds (0.0005 shown as "0,001" must not become 0.001).
      if (b.number && b.shown && text == b.lastShown) continue;
      if (b.number) {
        const ControlInfo& ci = s.controls[static_cast<std::size_t>(ev.control)];
        double v = 0;
        bool ok = parseNumber(ci.picture, text, v);
        if (ok && ci.rangeHigh > ci.rangeLow && (v < ci.rangeLow || v > ci.rangeHigh)) ok = false;
        if (!ok) {
          if (ev.kind == EventKind::Accepted) ev.kind = EventKind::Rejected;
          continue;
        }
        b.setNumber(v);
      } else {
        readText(s, b, text);
      }
      b.lastShown = text;
      b.shown = true;
    }
  }
  if (ev.kind == EventKind::Rejected) s.pass = false;
  if (ev.kind == EventKind::CloseWindow) s.closeArmed = true;
  return ev;
}

int Window::id(const Ctl& c) const {
  if (c.equate().empty()) return c.id();
  auto it = s_->byEquate.find(upperAscii(c.equate()));
  return it == s_->byEquate.end() ? 0 : it->second;
}

int Window::last() const { return s_->order.empty() ? 0 : s_->order.back(); }

std::string Window::equate(int id) const {
  if (id <= 0 || id >= static_cast<int>(s_->controls.size())) return {};
  return s_->controls[static_cast<std::size_t>(id)].equate;
}

void Window::bindRaw(int cid, std::function<std::string()> get, std::function<void(const std::string&)> set,
                     bool cp1252) {
  Binding b;
  b.control = cid;
  b.cp1252 = cp1252;
  b.getText = std::move(get);
  b.setText = std::move(set);
  s_->bindings.push_back(std::move(b));
}

void Window::bind(const Ctl& c, std::string& var) {
  bindText(
      c, [&var] { return var; }, [&var](const std::string& s) { var = s; });
}

void Window::bind(const Ctl& c, bool& var) {
  bindText(
      c, [&var] { return std::string(var ? "1" : "0"); },
      [&var](const std::string& s) { var = !s.empty() && s != "0"; });
}

void Window::bind(const Ctl& c, double& var) {
  bindNumber(
      c, [&var] { return var; }, [&var](double v) { var = v; });
}

void Window::bindText(const Ctl& c, std::function<std::string()> get, std::function<void(const std::string&)> set) {
  const int cid = id(c);
  if (cid <= 0) return;
  bindRaw(cid, std::move(get), std::move(set));
}

void Window::bindCp1252(const Ctl& c, std::function<std::string()> get, std::function<void(const std::string&)> set) {
  const int cid = id(c);
  if (cid <= 0) return;
  bindRaw(cid, std::move(get), std::move(set), true);
}

void Window::bindNumber(const Ctl& c, std::function<double()> get, std::function<void(double)> set) {
  const int cid = id(c);
  if (cid <= 0) return;
  Binding b;
  b.control = cid;
  b.number = true;
  b.getNumber = std::move(get);
  b.setNumber = std::move(set);
  s_->bindings.push_back(std::move(b));
}

namespace {

std::string shownText(const WindowState& s, const Binding& b) {
  const std::string& pic = s.controls[static_cast<std::size_t>(b.control)].picture;
  return b.number ? formatNumber(pic, b.getNumber()) : formatText(pic, b.getText());
}

// A control's text into its variable; a Windows-1252 field keeps its value rather than
// take '?' for what it cannot hold.
void readText(const WindowState& s, Binding& b, const std::string& text) {
  b.heldBack = b.cp1252 && !text::fitsCp1252(text);
  if (b.heldBack) {
    b.heldShown = shownText(s, b);
    return;
  }
  b.setText(text);
}

}  // namespace

void Window::display() {
  WindowState& s = *s_;
  if (!s.open) return;
  std::vector<PropChange> changes;
  for (Binding& b : s.bindings) {
    std::string text = shownText(s, b);
    if (b.heldBack) {
      if (text == b.heldShown) continue;  // the typed text stays until OK refuses it
      b.heldBack = false;
    }
    if (b.shown && text == b.lastShown) continue;
    b.lastShown = text;
    b.shown = true;
    changes.push_back({b.control, Prop::Value, std::move(text), 0, 0});
  }
  if (!changes.empty()) be().apply(s.id, changes);
}

void Window::display(const Ctl& c) {
  WindowState& s = *s_;
  const int cid = id(c);
  if (!s.open || cid <= 0) return;
  std::vector<PropChange> changes;
  for (Binding& b : s.bindings) {
    if (b.control != cid) continue;
    b.lastShown = shownText(s, b);
    b.shown = true;
    b.heldBack = false;
    changes.push_back({b.control, Prop::Value, b.lastShown, 0, 0});
  }
  if (!changes.empty()) be().apply(s.id, changes);
}

void Window::update(const Ctl& c) {
  WindowState& s = *s_;
  const int cid = id(c);
  if (!s.open || cid <= 0) return;
  for (Binding& b : s.bindings) {
    if (b.control != cid) continue;
    const std::string text = be().get(s.id, cid, Prop::Value).text;
    if (b.number) {
      double v = 0;
      if (!parseNumber(s.controls[static_cast<std::size_t>(cid)].picture, text, v)) continue;
      b.setNumber(v);
    } else {
      readText(s, b, text);
    }
    b.lastShown = text;
  }
}

int Window::firstNotCp1252() const {
  const WindowState& s = *s_;
  if (!s.open) return 0;
  for (const int cid : s.order) {
    if (!isInput(s.controls[static_cast<std::size_t>(cid)].kind)) continue;
    const bool field = std::any_of(s.bindings.begin(), s.bindings.end(),
                                   [cid](const Binding& b) { return b.control == cid && b.cp1252; });
    if (field && !text::fitsCp1252(be().get(s.id, cid, Prop::Value).text)) return cid;
  }
  return 0;
}

std::string Window::fieldName(const Ctl& c) const {
  const WindowState& s = *s_;
  const int cid = id(c);
  const auto defOf = [&s](int i) -> const ControlDef* {
    for (const ControlDef& d : s.def.controls)
      if (d.id == i) return &d;
    return nullptr;
  };
  const auto at = std::find(s.order.begin(), s.order.end(), cid);
  if (at == s.order.end()) return {};
  std::string name;
  if (at != s.order.begin() && s.controls[static_cast<std::size_t>(*(at - 1))].kind == ControlKind::Prompt) {
    if (const ControlDef* p = defOf(*(at - 1))) name = p->text;
  }
  if (name.empty())
    if (const ControlDef* d = defOf(cid)) name = d->tip;
  std::erase(name, '&');
  while (!name.empty() && (name.back() == ':' || name.back() == '.' || name.back() == ' ')) name.pop_back();
  return name;
}

bool refuseNotCp1252(Window& win, const Ctl& field, std::string_view chosen) {
  const std::string chars = text::outsideCp1252(chosen);
  if (chars.empty()) return false;
  std::string text = win.fieldName(field) + " har tegn som ikke kan lagres: " + chars;
  if (chosen != win.value(field)) text += "|" + std::string(chosen);
  message(text, "Advarsel", Icon::Information);
  win.select(field);
  return true;
}

bool refuseNotCp1252(Window& win) {
  const int cid = win.firstNotCp1252();
  return cid != 0 && refuseNotCp1252(win, cid, win.value(cid));
}

std::string Window::value(const Ctl& c) const { return getText(c, Prop::Value); }

void Window::setValue(const Ctl& c, std::string_view text) { set(c, Prop::Value, text); }

void Window::set(const Ctl& c, Prop p, std::string_view text) {
  const int cid = c.equate().empty() ? c.id() : id(c);
  if (!s_->open || cid < 0 || (cid == 0 && !c.equate().empty())) return;
  be().apply(s_->id, {{cid, p, std::string(text), 0, 0}});
}

void Window::set(const Ctl& c, Prop p, long long number) {
  WindowState& s = *s_;
  const int cid = c.equate().empty() ? c.id() : id(c);
  if (cid < 0 || cid >= static_cast<int>(s.controls.size()) || (cid == 0 && !c.equate().empty())) return;
  ControlInfo& ci = s.controls[static_cast<std::size_t>(cid)];
  if (p == Prop::Enabled) ci.enabled = number != 0;
  if (p == Prop::Visible) ci.hidden = number == 0;
  if (p == Prop::RangeLow) ci.rangeLow = static_cast<double>(number);
  if (p == Prop::RangeHigh) ci.rangeHigh = static_cast<double>(number);
  if (!s.open) return;
  be().apply(s.id, {{cid, p, {}, number, 0}});
}

std::string Window::getText(const Ctl& c, Prop p) const {
  const int cid = c.equate().empty() ? c.id() : id(c);
  if (!s_->open || cid < 0 || (cid == 0 && !c.equate().empty())) return {};
  return be().get(s_->id, cid, p).text;
}

long long Window::getNumber(const Ctl& c, Prop p) const {
  const WindowState& s = *s_;
  const int cid = c.equate().empty() ? c.id() : id(c);
  if (cid < 0 || cid >= static_cast<int>(s.controls.size()) || (cid == 0 && !c.equate().empty())) return 0;
  const ControlInfo& ci = s.controls[static_cast<std::size_t>(cid)];
  if (p == Prop::Enabled && cid > 0) return ci.enabled ? 1 : 0;
  if (p == Prop::Visible && cid > 0) return ci.hidden ? 0 : 1;
  if (!s.open) return 0;
  return be().get(s.id, cid, p).number;
}

std::string Window::title() const {
  if (!s_->open) return s_->def.title;
  return be().get(s_->id, 0, Prop::Text).text;
}

void Window::range(const Ctl& from, const Ctl& to, Prop p, long long v) {
  WindowState& s = *s_;
  const int a = id(from);
  const int b = to.equate().empty() && to.id() == 0 ? a : id(to);
  if (a <= 0 || b <= 0) return;
  const ControlInfo& ca = s.controls[static_cast<std::size_t>(a)];
  if (ca.menu) {  // a menu item or toolbar button alone
    set(a, p, v);
    return;
  }
  auto ia = std::find(s.order.begin(), s.order.end(), a);
  auto ib = std::find(s.order.begin(), s.order.end(), b);
  if (ia == s.order.end() || ib == s.order.end() || ib < ia) return;
  std::vector<PropChange> changes;
  for (auto it = ia; it <= ib; ++it) {
    ControlInfo& ci = s.controls[static_cast<std::size_t>(*it)];
    if (p == Prop::Enabled) ci.enabled = v != 0;
    if (p == Prop::Visible) ci.hidden = v == 0;
    changes.push_back({*it, p, {}, v, 0});
  }
  if (s.open && !changes.empty()) be().apply(s.id, changes);
}

void Window::enable(const Ctl& from, const Ctl& to) { range(from, to, Prop::Enabled, 1); }
void Window::disable(const Ctl& from, const Ctl& to) { range(from, to, Prop::Enabled, 0); }
void Window::hide(const Ctl& from, const Ctl& to) { range(from, to, Prop::Visible, 0); }
void Window::unhide(const Ctl& from, const Ctl& to) { range(from, to, Prop::Visible, 1); }
bool Window::enabled(const Ctl& c) const { return getNumber(c, Prop::Enabled) != 0; }
bool Window::visible(const Ctl& c) const { return getNumber(c, Prop::Visible) != 0; }
void Window::setDefault(const Ctl& c) { set(c, Prop::Default, 1LL); }

void Window::refuse(const Ctl& c) {
  beep();
  display(c);
  select(c);
}

void Window::select(const Ctl& c) {
  const int cid = id(c);
  if (cid <= 0) return;
  s_->pass = false;
  if (s_->open) be().apply(s_->id, {{0, Prop::Focus, {}, cid, 0}});
}

int Window::focus() const { return static_cast<int>(getNumber(0, Prop::Focus)); }

void Window::setRows(const Ctl& c, std::vector<ListRow> rows) {
  const int cid = id(c);
  if (!s_->open || cid <= 0) return;
  be().setRows(s_->id, cid, rows);
}

void Window::setRows(const Ctl& c, const std::vector<std::string>& oneColumn) {
  std::vector<ListRow> rows;
  rows.reserve(oneColumn.size());
  for (const std::string& s : oneColumn) rows.push_back({{s}, false});
  setRows(c, std::move(rows));
}

void Window::setAlertKeys(const Ctl& c, const std::vector<int>& keys) {
  const int cid = c.equate().empty() ? c.id() : id(c);  // 0: keys of the window itself
  if (!s_->open || cid < 0 || (cid == 0 && !c.equate().empty())) return;
  std::vector<PropChange> changes;
  changes.push_back({cid, Prop::NoAlertKey, {}, 0, 0});
  for (int k : keys) changes.push_back({cid, Prop::AlertKey, {}, k, 0});
  be().apply(s_->id, changes);
}

int Window::create(ControlDef def) {
  WindowState& s = *s_;
  addControl(s, def, false);
  s.def.controls.push_back(def);
  if (s.open) be().createControl(s.id, def);
  return def.id;
}

void Window::destroy(const Ctl& c) {
  WindowState& s = *s_;
  const int cid = id(c);
  if (cid <= 0) return;
  ControlInfo& ci = s.controls[static_cast<std::size_t>(cid)];
  if (ci.destroyed) return;
  ci.destroyed = true;
  std::erase(s.order, cid);
  std::erase_if(s.bindings, [cid](const Binding& b) { return b.control == cid; });
  if (!ci.equate.empty()) s.byEquate.erase(upperAscii(ci.equate));
  if (s.open) be().destroyControl(s.id, cid);
}

void Window::post(EventKind kind, const Ctl& c) {
  const int window = s_->id;  // a closed window drops it (deliver)
  if (window == 0) return;
  Event ev;
  ev.kind = kind;
  ev.control = c.equate().empty() ? c.id() : id(c);
  deliver(window, std::move(ev));
}

void Window::dropQueuedInput() {
  const int window = s_->id;
  if (window == 0) return;
  detail::ThreadState& t = detail::self();
  std::lock_guard lock(detail::global().m);
  std::erase_if(t.queue, [window](const detail::Queued& q) { return q.window == window && q.ev.control > 0; });
}

void Window::acceptAll() {
  s_->pass = true;
  s_->passNext = 0;
}

bool Window::inAcceptAll() const { return s_->pass; }

void Window::setTimer(int hundredths) {
  s_->timer = std::max(0, hundredths);
  s_->nextTick = std::chrono::steady_clock::now() + std::chrono::milliseconds(10 * s_->timer);
}

Position Window::position() const {
  Position p;
  p.x = static_cast<int>(getNumber(0, Prop::X));
  p.y = static_cast<int>(getNumber(0, Prop::Y));
  p.width = static_cast<int>(getNumber(0, Prop::Width));
  p.height = static_cast<int>(getNumber(0, Prop::Height));
  return p;
}

void Window::setPosition(int x, int y) {
  if (!s_->open) return;
  be().apply(s_->id, {{0, Prop::X, {}, x, 0}, {0, Prop::Y, {}, y, 0}});
}

void Window::setStatus(int zone, std::string_view text) {
  if (!s_->open) return;
  be().apply(s_->id, {{0, Prop::StatusText, std::string(text), 0, zone}});
}

void Window::clipboard(ClipboardOp op) {
  if (s_->open) be().clipboard(s_->id, op);
}

const WindowDef& Window::def() const { return s_->def; }

}  // namespace ui
