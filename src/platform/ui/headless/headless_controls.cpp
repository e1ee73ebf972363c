#include "platform/ui/headless/headless_controls.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <utility>

#include "platform/ui/api/alert_keys.h"

namespace ui::headless {
namespace {

std::string heldValue(HControl& c) { return c.value; }

// A spin holds a number within its limits, as a real spin does: typed digits outside them read
// as the nearer limit (0 and 0: no limits; a high below the low: no upper one). Text that is no
// whole number is left for the picture to refuse.
std::string spinValue(HControl& c) {
  if (c.rangeLow == 0 && c.rangeHigh == 0) return c.value;
  const char* text = c.value.c_str();
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(text, &end, 10);
  if (end == text || *end != '\0' || errno == ERANGE) return c.value;
  long long within = std::max(v, c.rangeLow);
  if (c.rangeHigh >= c.rangeLow) within = std::min(within, c.rangeHigh);
  if (within != v) c.value = std::to_string(within);
  return c.value;
}

long long givenRows(const HControl& c) { return c.def.items > 0 ? c.def.items : static_cast<long long>(c.rows.size()); }
long long listRows(const HControl& c) { return c.def.items > 0 ? c.def.items : 10; }

// What a kind changes about the common record.
struct KindRules {
  const char* initial = "";  // the value as made
  bool focusable = false;    // may take the focus when its window opens
  std::string (*value)(HControl&) = heldValue;
  long long (*items)(const HControl&) = givenRows;
};

const KindRules& rulesFor(ControlKind k) {
  static const KindRules plain{};
  static const KindRules input{.focusable = true};
  static const KindRules check{.initial = "0", .focusable = true};
  static const KindRules spin{.focusable = true, .value = spinValue};
  static const KindRules list{.focusable = true, .items = listRows};
  static const KindRules sheet{.initial = "1"};
  switch (k) {
    case ControlKind::Entry:
    case ControlKind::Option:
    case ControlKind::Combo:
    case ControlKind::DropList:
    case ControlKind::Button: return input;
    case ControlKind::Check: return check;
    case ControlKind::Spin: return spin;
    case ControlKind::List: return list;
    case ControlKind::Sheet: return sheet;
    default: return plain;
  }
}

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

HControl makeControl(const ControlDef& d) {
  HControl c;
  c.def = d;
  c.value = rulesFor(d.kind).initial;
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
  return c;
}

int firstFocus(const HWindow& w) {
  for (const ControlDef& d : w.def.controls)
    if (rulesFor(d.kind).focusable && !d.disabled && !d.hidden) return d.id;
  return 0;
}

bool applyToWindow(HWindow& w, const PropChange& ch) {
  switch (ch.prop) {
    case Prop::Text: w.title = ch.text; return true;
    case Prop::X: w.x = ch.number; break;
    case Prop::Y: w.y = ch.number; break;
    case Prop::Width: w.width = ch.number; break;
    case Prop::Height: w.height = ch.number; break;
    case Prop::Focus: w.focus = static_cast<int>(ch.number); break;
    case Prop::StatusText: w.status[ch.index] = ch.text; break;
    case Prop::AlertKey:
    case Prop::NoAlertKey: editAlertKeys(w.alertKeys, ch); break;
    default: break;
  }
  return false;
}

PropValue readWindow(const HWindow& w, Prop prop) {
  switch (prop) {
    case Prop::Text: return {w.title, 0};
    case Prop::X: return {{}, w.x};
    case Prop::Y: return {{}, w.y};
    case Prop::Width:
    case Prop::ClientWidth: return {{}, w.width};
    case Prop::Height:
    case Prop::ClientHeight: return {{}, w.height};
    case Prop::Focus: return {{}, w.focus};
    default: return {};
  }
}

void applyToControl(HWindow& w, HControl& c, const PropChange& ch) {
  const bool on = ch.number != 0;
  switch (ch.prop) {
    case Prop::Value: c.value = ch.text.empty() && ch.number != 0 ? std::to_string(ch.number) : ch.text; break;
    case Prop::Text: c.text = ch.text; break;
    case Prop::Enabled: c.enabled = on; break;
    case Prop::Visible: c.visible = on; break;
    case Prop::Tip: c.tip = ch.text; break;
    case Prop::Status: c.status = ch.text; break;
    case Prop::Icon: c.icon = ch.text; break;
    case Prop::Color: c.color = ch.number; break;
    case Prop::Default:
      if (on)  // one default button per window
        for (auto& [id, other] : w.controls) other.isDefault = false;
      c.isDefault = on;
      break;
    case Prop::ReadOnly: c.readOnly = on; break;
    case Prop::Selected: c.selected = ch.number; break;
    case Prop::VScroll: c.vscroll = on; break;
    case Prop::VScrollPos: c.vscrollPos = ch.number; break;
    case Prop::HScroll: c.hscroll = on; break;
    case Prop::RangeLow: c.rangeLow = ch.number; break;
    case Prop::RangeHigh: c.rangeHigh = ch.number; break;
    case Prop::Cursor: c.cursor = ch.text; break;
    case Prop::ImageFile: c.imageFile = ch.text; break;
    case Prop::Zoom: c.zoom = ch.number; break;
    case Prop::X: c.x = ch.number; break;
    case Prop::Y: c.y = ch.number; break;
    case Prop::Width: c.width = ch.number; break;
    case Prop::Height: c.height = ch.number; break;
    case Prop::Checked: c.checked = on; break;
    case Prop::AlertKey:
    case Prop::NoAlertKey: editAlertKeys(c.alertKeys, ch); break;
    default: break;
  }
}

PropValue readControl(HControl& c, Prop prop) {
  auto flag = [](bool b) { return PropValue{{}, b ? 1 : 0}; };
  switch (prop) {
    case Prop::Value: {
      const std::string v = rulesFor(c.def.kind).value(c);
      return {v, std::atoll(v.c_str())};
    }
    case Prop::Text: return {c.text, 0};
    case Prop::Enabled: return flag(c.enabled);
    case Prop::Visible: return flag(c.visible);
    case Prop::Tip: return {c.tip, 0};
    case Prop::Status: return {c.status, 0};
    case Prop::Icon: return {c.icon, 0};
    case Prop::Color: return {{}, c.color};
    case Prop::Default: return flag(c.isDefault);
    case Prop::ReadOnly: return flag(c.readOnly);
    case Prop::Selected: return {{}, c.selected};
    case Prop::Items: return {{}, rulesFor(c.def.kind).items(c)};
    case Prop::VScroll: return flag(c.vscroll);
    case Prop::VScrollPos: return {{}, c.vscrollPos};
    case Prop::HScroll: return flag(c.hscroll);
    case Prop::MouseRow: return {{}, c.mouseRow};
    case Prop::RangeLow: return {{}, c.rangeLow};
    case Prop::RangeHigh: return {{}, c.rangeHigh};
    case Prop::Cursor: return {c.cursor, 0};
    case Prop::ImageFile: return {c.imageFile, 0};
    case Prop::Zoom: return {{}, c.zoom};
    case Prop::X: return {{}, c.x};
    case Prop::Y: return {{}, c.y};
    case Prop::Width: return {{}, c.width};
    case Prop::Height: return {{}, c.height};
    case Prop::Checked: return flag(c.checked);
    case Prop::ImageWidth: return {{}, pngSize(c.imageFile).first};
    case Prop::ImageHeight: return {{}, pngSize(c.imageFile).second};
    default: return {};
  }
}

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

HControl* findControl(HWindow& w, const std::string& equate) {
  const std::string want = lowerAscii(equate);
  for (auto& [id, c] : w.controls)
    if (!c.def.equate.empty() && lowerAscii(c.def.equate) == want) return &c;
  return nullptr;
}

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

}  // namespace ui::headless
