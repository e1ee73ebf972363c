#include "platform/ui/headless/headless_backend.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <utility>

namespace ui::headless {
namespace {

bool focusable(ControlKind k) {
  switch (k) {
    case ControlKind::Entry:
    case ControlKind::Spin:
    case ControlKind::Check:
    case ControlKind::Option:
    case ControlKind::Combo:
    case ControlKind::DropList:
    case ControlKind::List:
    case ControlKind::Button:
      return true;
    default:
      return false;
  }
}

HControl makeControl(const ControlDef& d) {
  HControl c;
  c.def = d;
  c.text = d.text;
  c.tip = d.tip;
  c.status = d.status;
  c.icon = d.icon;
  c.enabled = !d.disabled;
  c.visible = !d.hidden;
  c.isDefault = d.isDefault;
  c.readOnly = d.readOnly;
  c.vscroll = d.vscroll;
  c.hscroll = d.hscroll;
  c.color = d.color;
  c.rangeLow = static_cast<long long>(d.rangeLow);
  c.rangeHigh = static_cast<long long>(d.rangeHigh);
  c.x = d.x;
  c.y = d.y;
  c.width = d.width;
  c.height = d.height;
  for (const std::string& r : d.rows) c.rows.push_back({{r}, false});
  if (d.kind == ControlKind::Check) c.value = "0";
  if (d.kind == ControlKind::Sheet) c.value = "1";
  return c;
}

void addMenuItems(HWindow& w, const std::vector<MenuItem>& items, const std::string& path,
                  const std::string& parent) {
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

long long toNumber(const std::string& s) { return std::atoll(s.c_str()); }

// Width and height from a PNG file's header (page images are PNG); 0 and 0 otherwise.
std::pair<long long, long long> pngSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char h[24] = {};
  if (!in.read(reinterpret_cast<char*>(h), sizeof h)) return {0, 0};
  static const unsigned char sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (!std::equal(sig, sig + 8, h) || !std::equal(h + 12, h + 16, "IHDR")) return {0, 0};
  auto be32 = [&](int o) {
    return (static_cast<long long>(h[o]) << 24) | (h[o + 1] << 16) | (h[o + 2] << 8) | h[o + 3];
  };
  return {be32(16), be32(20)};
}

}  // namespace

std::string buttonName(int button) {
  switch (button) {
    case Button::Ok:
      return "Ok";
    case Button::Yes:
      return "Yes";
    case Button::No:
      return "No";
    case Button::Abort:
      return "Abort";
    case Button::Retry:
      return "Retry";
    case Button::Ignore:
      return "Ignore";
    case Button::Cancel:
      return "Cancel";
    case Button::Help:
      return "Help";
    default:
      return std::to_string(button);
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
    for (const ControlDef& d : def.controls) {
      if (focusable(d.kind) && !d.disabled && !d.hidden) {
        w.focus = d.id;
        break;
      }
    }
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
      switch (ch.prop) {
        case Prop::Text:
          w.title = ch.text;
          cv_.notify_all();
          break;
        case Prop::X:
          w.x = ch.number;
          break;
        case Prop::Y:
          w.y = ch.number;
          break;
        case Prop::Width:
          w.width = ch.number;
          break;
        case Prop::Height:
          w.height = ch.number;
          break;
        case Prop::Focus:
          w.focus = static_cast<int>(ch.number);
          break;
        case Prop::StatusText:
          w.status[ch.index] = ch.text;
          break;
        case Prop::AlertKey:
          w.alertKeys.insert(static_cast<int>(ch.number));
          break;
        case Prop::NoAlertKey:
          if (ch.number == 0)
            w.alertKeys.clear();
          else
            w.alertKeys.erase(static_cast<int>(ch.number));
          break;
        default:
          break;
      }
      continue;
    }
    auto cit = w.controls.find(ch.control);
    if (cit == w.controls.end()) continue;
    HControl& c = cit->second;
    switch (ch.prop) {
      case Prop::Value:
        c.value = ch.text.empty() && ch.number != 0 ? std::to_string(ch.number) : ch.text;
        break;
      case Prop::Text:
        c.text = ch.text;
        break;
      case Prop::Enabled:
        c.enabled = ch.number != 0;
        break;
      case Prop::Visible:
        c.visible = ch.number != 0;
        break;
      case Prop::Tip:
        c.tip = ch.text;
        break;
      case Prop::Status:
        c.status = ch.text;
        break;
      case Prop::Icon:
        c.icon = ch.text;
        break;
      case Prop::Color:
        c.color = ch.number;
        break;
      case Prop::Default:
        if (ch.number != 0)
          for (auto& [id, other] : w.controls) other.isDefault = false;
        c.isDefault = ch.number != 0;
        break;
      case Prop::ReadOnly:
        c.readOnly = ch.number != 0;
        break;
      case Prop::Selected:
        c.selected = ch.number;
        break;
      case Prop::VScroll:
        c.vscroll = ch.number != 0;
        break;
      case Prop::VScrollPos:
        c.vscrollPos = ch.number;
        break;
      case Prop::HScroll:
        c.hscroll = ch.number != 0;
        break;
      case Prop::RangeLow:
        c.rangeLow = ch.number;
        break;
      case Prop::RangeHigh:
        c.rangeHigh = ch.number;
        break;
      case Prop::Cursor:
        c.cursor = ch.text;
        break;
      case Prop::ImageFile:
        c.imageFile = ch.text;
        break;
      case Prop::Zoom:
        c.zoom = ch.number;
        break;
      case Prop::X:
        c.x = ch.number;
        break;
      case Prop::Y:
        c.y = ch.number;
        break;
      case Prop::Width:
        c.width = ch.number;
        break;
      case Prop::Height:
        c.height = ch.number;
        break;
      case Prop::Checked:
        c.checked = ch.number != 0;
        break;
      case Prop::AlertKey:
        c.alertKeys.insert(static_cast<int>(ch.number));
        break;
      case Prop::NoAlertKey:
        if (ch.number == 0)
          c.alertKeys.clear();
        else
          c.alertKeys.erase(static_cast<int>(ch.number));
        break;
      default:
        break;
    }
  }
}

PropValue HeadlessBackend::get(int window, int control, Prop prop) {
  std::lock_guard lock(m_);
  auto wit = windows_.find(window);
  if (wit == windows_.end()) return {};
  HWindow& w = wit->second;
  if (control == 0) {
    switch (prop) {
      case Prop::Text:
        return {w.title, 0};
      case Prop::X:
        return {{}, w.x};
      case Prop::Y:
        return {{}, w.y};
      case Prop::Width:
        return {{}, w.width};
      case Prop::Height:
      case Prop::ClientHeight:
        return {{}, w.height};
      case Prop::ClientWidth:
        return {{}, w.width};
      case Prop::Focus:
        return {{}, w.focus};
      default:
        return {};
    }
  }
  auto cit = w.controls.find(control);
  if (cit == w.controls.end()) return {};
  const HControl& c = cit->second;
  auto flag = [](bool b) { return PropValue{{}, b ? 1 : 0}; };
  switch (prop) {
    case Prop::Value:
      return {c.value, toNumber(c.value)};
    case Prop::Text:
      return {c.text, 0};
    case Prop::Enabled:
      return flag(c.enabled);
    case Prop::Visible:
      return flag(c.visible);
    case Prop::Tip:
      return {c.tip, 0};
    case Prop::Status:
      return {c.status, 0};
    case Prop::Icon:
      return {c.icon, 0};
    case Prop::Color:
      return {{}, c.color};
    case Prop::Default:
      return flag(c.isDefault);
    case Prop::ReadOnly:
      return flag(c.readOnly);
    case Prop::Selected:
      return {{}, c.selected};
    case Prop::Items:
      return {{},
              c.def.items > 0
                  ? c.def.items
                  : (c.def.kind == ControlKind::List ? 10 : static_cast<long long>(c.rows.size()))};
    case Prop::VScroll:
      return flag(c.vscroll);
    case Prop::VScrollPos:
      return {{}, c.vscrollPos};
    case Prop::HScroll:
      return flag(c.hscroll);
    case Prop::MouseRow:
      return {{}, c.mouseRow};
    case Prop::RangeLow:
      return {{}, c.rangeLow};
    case Prop::RangeHigh:
      return {{}, c.rangeHigh};
    case Prop::Cursor:
      return {c.cursor, 0};
    case Prop::ImageFile:
      return {c.imageFile, 0};
    case Prop::Zoom:
      return {{}, c.zoom};
    case Prop::X:
      return {{}, c.x};
    case Prop::Y:
      return {{}, c.y};
    case Prop::Width:
      return {{}, c.width};
    case Prop::Height:
      return {{}, c.height};
    case Prop::Checked:
      return flag(c.checked);
    case Prop::ImageWidth:
      return {{}, pngSize(c.imageFile).first};
    case Prop::ImageHeight:
      return {{}, pngSize(c.imageFile).second};
    default:
      return {};
  }
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
    case ClipboardOp::Copy:
      clipboard_ = c->value;
      break;
    case ClipboardOp::Paste:
      if (!c->readOnly) c->value += clipboard_;
      break;
  }
}

std::string HeadlessBackend::clipboardText() const {
  std::lock_guard lock(m_);
  return clipboard_;
}

template <class T>
T HeadlessBackend::waitFor(std::shared_ptr<Pending> p, T (*result)(const Pending&)) {
  std::unique_lock lock(m_);
  if (cancelAll_) return result(*p);
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
  return waitFor<int>(p, [](const Pending& q) { return q.answered ? q.button : 0; });
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
