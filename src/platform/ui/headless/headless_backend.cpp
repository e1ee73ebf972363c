#include "platform/ui/headless/headless_backend.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <utility>

namespace ui::headless {
namespace {

void addMenuItems(HWindow& w, const std::vector<MenuItem>& items, const std::string& path, const std::string& parent) {
  for (const MenuItem& m : items) {
    HControl c;
    c.def = menuItemControl(m);
    c.def.parent = parent;  // a disabled menu disables its items
    c.text = m.text;
    c.status = m.status;
    c.enabled = !m.disabled && !m.separator;
    c.checked = m.checked;
    c.checkable = m.checkable;
    c.menu = true;
    c.menuPath = path.empty() ? m.text : path + " > " + m.text;
    if (!m.separator) w.controls[m.id] = c;
    addMenuItems(w, m.items, c.menuPath, m.equate);
  }
}

Event windowEvent(EventKind kind) {
  Event ev;
  ev.kind = kind;
  return ev;
}

}  // namespace

std::string buttonName(int button) {
  switch (button) {
    case Button::Ok: return "Ok";
    case Button::Yes: return "Yes";
    case Button::No: return "No";
    case Button::Abort: return "Abort";
    case Button::Retry: return "Retry";
    case Button::Ignore: return "Ignore";
    case Button::Cancel: return "Cancel";
    case Button::Help: return "Help";
    default: return std::to_string(button);
  }
}

int buttonByName(const std::string& name) {
  std::string l;
  for (char c : name) l += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (int b = 1; b <= Button::Help; b <<= 1) {
    std::string n = buttonName(b);
    for (char& c : n) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (n == l) return b;
  }
  return 0;
}

std::string buttonList(int buttons) {
  std::string out;
  for (int b = 1; b <= Button::Help; b <<= 1) {
    if (!(buttons & b)) continue;
    if (!out.empty()) out += '|';
    out += buttonName(b);
  }
  return out;
}

HeadlessBackend::HeadlessBackend(Transcript& transcript) : transcript_(transcript) {}
HeadlessBackend::~HeadlessBackend() = default;

HControl* HeadlessBackend::control(int window, int id) {
  auto w = windows_.find(window);
  if (w == windows_.end()) return nullptr;
  auto c = w->second.controls.find(id);
  return c == w->second.controls.end() ? nullptr : &c->second;
}

void HeadlessBackend::openWindow(int window, const WindowDef& def, int thread) {
  int previous = 0;
  {
    std::lock_guard lock(m_);
    HWindow w;
    w.id = window;
    w.thread = thread;
    w.def = def;
    w.title = def.title;
    w.x = def.x;
    w.y = def.y;
    w.width = def.width;
    w.height = def.height;
    w.order = ++opened_;
    for (const ControlDef& d : def.controls) w.controls[d.id] = makeControl(d);
    for (const ControlDef& d : def.toolbar) {
      HControl c = makeControl(d);
      c.menu = true;
      w.controls[d.id] = c;
    }
    addMenuItems(w, def.menu, "", "");
    w.focus = firstFocus(w);
    windows_[window] = std::move(w);
    previous = active_;
    active_ = window;
    cv_.notify_all();
  }
  transcript_.add("open " + quote(def.title) + " thread " + std::to_string(thread));
  if (previous) deliver(previous, windowEvent(EventKind::LoseFocus));
  deliver(window, windowEvent(EventKind::OpenWindow));
  deliver(window, windowEvent(EventKind::GainFocus));
}

int HeadlessBackend::activeWindow() const {
  std::lock_guard lock(m_);
  return active_;
}

void HeadlessBackend::activate(int window) {
  int previous = 0;
  {
    std::lock_guard lock(m_);
    if (active_ == window || !windows_.count(window)) return;
    previous = active_;
    active_ = window;
  }
  if (previous) deliver(previous, windowEvent(EventKind::LoseFocus));
  deliver(window, windowEvent(EventKind::GainFocus));
}

void HeadlessBackend::closeWindow(int window) {
  std::string line;
  int regained = 0;
  {
    std::lock_guard lock(m_);
    auto it = windows_.find(window);
    if (it == windows_.end()) return;
    line = "close " + quote(it->second.title) + " thread " + std::to_string(it->second.thread);
    const int thread = it->second.thread;
    windows_.erase(it);
    if (active_ == window) {
      // The focus goes back to the newest window of the same thread (the caller of a
      // nested window), else to the newest window of all.
      const HWindow* next = nullptr;
      for (auto& [id, w] : windows_) {
        const bool better = !next || (w.thread == thread && next->thread != thread) ||
                            ((w.thread == thread) == (next->thread == thread) && w.order > next->order);
        if (better) next = &w;
      }
      active_ = next ? next->id : 0;
      regained = active_;
    }
    cv_.notify_all();
  }
  transcript_.add(std::move(line));
  if (regained) deliver(regained, windowEvent(EventKind::GainFocus));
}

void HeadlessBackend::apply(int window, const std::vector<PropChange>& changes) {
  std::lock_guard lock(m_);
  auto wit = windows_.find(window);
  if (wit == windows_.end()) return;
  HWindow& w = wit->second;
  for (const PropChange& ch : changes) {
    if (ch.control == 0) {
      if (applyToWindow(w, ch)) cv_.notify_all();  // the robot waits for titles
      continue;
    }
    auto cit = w.controls.find(ch.control);
    if (cit != w.controls.end()) applyToControl(w, cit->second, ch);
  }
}

PropValue HeadlessBackend::get(int window, int control, Prop prop) {
  std::lock_guard lock(m_);
  auto wit = windows_.find(window);
  if (wit == windows_.end()) return {};
  HWindow& w = wit->second;
  if (control == 0) return readWindow(w, prop);
  auto cit = w.controls.find(control);
  return cit == w.controls.end() ? PropValue{} : readControl(cit->second, prop);
}

void HeadlessBackend::setRows(int window, int control, const std::vector<ListRow>& rows) {
  std::lock_guard lock(m_);
  if (HControl* c = this->control(window, control)) {
    c->rows = rows;
    if (c->selected > static_cast<long long>(rows.size())) c->selected = static_cast<long long>(rows.size());
  }
}

void HeadlessBackend::createControl(int window, const ControlDef& def) {
  std::lock_guard lock(m_);
  auto wit = windows_.find(window);
  if (wit != windows_.end()) wit->second.controls[def.id] = makeControl(def);
}

void HeadlessBackend::destroyControl(int window, int control) {
  std::lock_guard lock(m_);
  auto wit = windows_.find(window);
  if (wit != windows_.end()) wit->second.controls.erase(control);
}

void HeadlessBackend::clipboard(int window, ClipboardOp op) {
  std::lock_guard lock(m_);
  auto wit = windows_.find(window);
  if (wit == windows_.end()) return;
  HControl* c = control(window, wit->second.focus);
  if (!c) return;
  switch (op) {
    case ClipboardOp::Cut:
      clipboard_ = c->value;
      if (!c->readOnly) c->value.clear();
      break;
    case ClipboardOp::Copy: clipboard_ = c->value; break;
    case ClipboardOp::Paste:
      if (!c->readOnly) c->value += clipboard_;
      break;
  }
}

template <class T>
T HeadlessBackend::waitFor(std::shared_ptr<Pending> p, T (*result)(const Pending&)) {
  std::unique_lock lock(m_);
  if (cancelAll_) return result(*p);
  p->serial = ++serial_;
  pending_.push_back(p);
  cv_.notify_all();
  cv_.wait(lock, [&] { return p->answered || cancelAll_; });
  std::erase(pending_, p);
  cv_.notify_all();
  return result(*p);
}

int HeadlessBackend::messageBox(const BoxRequest& box) {
  auto p = std::make_shared<Pending>();
  p->kind = Pending::Kind::Box;
  p->box = box;
  // The box takes the focus from the active window and gives it back, as a real one does.
  const int active = activeWindow();
  if (active) deliver(active, windowEvent(EventKind::LoseFocus));
  const int pressed = waitFor<int>(p, [](const Pending& q) { return q.answered ? q.button : 0; });
  bool open = false;
  {
    std::lock_guard lock(m_);
    open = active && active_ == active && windows_.count(active);
  }
  if (open) deliver(active, windowEvent(EventKind::GainFocus));
  return pressed;
}

bool HeadlessBackend::fileDialog(const FileRequest& request, std::string& chosen) {
  auto p = std::make_shared<Pending>();
  p->kind = Pending::Kind::File;
  p->file = request;
  const bool ok = waitFor<bool>(p, [](const Pending& q) { return q.answered && q.accepted; });
  if (ok) chosen = p->path;
  return ok;
}

int HeadlessBackend::popupMenu(const PopupRequest& request) {
  auto p = std::make_shared<Pending>();
  p->kind = Pending::Kind::Popup;
  p->popup = request;
  return waitFor<int>(p, [](const Pending& q) { return q.answered ? q.button : 0; });
}

bool HeadlessBackend::printerSetup(int thread) {
  transcript_.add("printer-setup thread " + std::to_string(thread));
  return true;
}

void HeadlessBackend::setWaitCursor(bool on) {
  std::lock_guard lock(m_);
  waitCursor_ = on;
}

void HeadlessBackend::beep() { transcript_.add("beep"); }

void HeadlessBackend::halted(int code) {
  if (!quietHalt_) transcript_.add("halt " + std::to_string(code));
  cancelAll();
}

void HeadlessBackend::answer(Pending& p) {
  p.answered = true;
  cv_.notify_all();
}

void HeadlessBackend::cancelAll() {
  std::lock_guard lock(m_);
  cancelAll_ = true;
  cv_.notify_all();
}

}  // namespace ui::headless
