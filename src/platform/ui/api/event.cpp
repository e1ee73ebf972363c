#include "platform/ui/api/event.h"

#include <cctype>

namespace ui {

const char* eventName(EventKind kind) {
  switch (kind) {
    case EventKind::None: return "None";
    case EventKind::OpenWindow: return "OpenWindow";
    case EventKind::GainFocus: return "GainFocus";
    case EventKind::LoseFocus: return "LoseFocus";
    case EventKind::Sized: return "Sized";
    case EventKind::Moved: return "Moved";
    case EventKind::CloseWindow: return "CloseWindow";
    case EventKind::Timer: return "Timer";
    case EventKind::Completed: return "Completed";
    case EventKind::Private: return "Private";
    case EventKind::Accepted: return "Accepted";
    case EventKind::Rejected: return "Rejected";
    case EventKind::NewSelection: return "NewSelection";
    case EventKind::Selected: return "Selected";
    case EventKind::AlertKey: return "AlertKey";
    case EventKind::ScrollUp: return "ScrollUp";
    case EventKind::ScrollDown: return "ScrollDown";
    case EventKind::PageUp: return "PageUp";
    case EventKind::PageDown: return "PageDown";
    case EventKind::ScrollTop: return "ScrollTop";
    case EventKind::ScrollBottom: return "ScrollBottom";
    case EventKind::ScrollDrag: return "ScrollDrag";
    case EventKind::TabChanging: return "TabChanging";
    case EventKind::MouseIn: return "MouseIn";
    case EventKind::MouseOut: return "MouseOut";
    case EventKind::MouseDown: return "MouseDown";
    case EventKind::MouseUp: return "MouseUp";
  }
  return "?";
}

namespace {

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Number of UTF-8 characters.
std::size_t utf8Length(const std::string& s) {
  std::size_t n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace

int parseKeyName(const std::string& name, std::string* character) {
  if (character) character->clear();
  int mods = 0;
  std::string rest = name;
  for (;;) {
    const std::string l = lower(rest);
    if (l.size() > 5 && l.rfind("ctrl+", 0) == 0) {
      mods |= Key::Ctrl;
      rest = rest.substr(5);
    } else if (l.size() > 6 && l.rfind("shift+", 0) == 0) {
      mods |= Key::Shift;
      rest = rest.substr(6);
    } else if (l.size() > 4 && l.rfind("alt+", 0) == 0) {
      mods |= Key::Alt;
      rest = rest.substr(4);
    } else {
      break;
    }
  }
  static const struct {
    const char* name;
    int code;
  } kNames[] = {
      {"enter", Key::Enter},
      {"esc", Key::Esc},
      {"escape", Key::Esc},
      {"tab", Key::Tab},
      {"backspace", Key::Backspace},
      {"space", Key::Space},
      {"pgup", Key::PgUp},
      {"pageup", Key::PgUp},
      {"pgdn", Key::PgDn},
      {"pagedown", Key::PgDn},
      {"home", Key::Home},
      {"end", Key::End},
      {"up", Key::Up},
      {"down", Key::Down},
      {"left", Key::Left},
      {"right", Key::Right},
      {"insert", Key::Insert},
      {"ins", Key::Insert},
      {"delete", Key::Delete},
      {"del", Key::Delete},
      {"apps", Key::Apps},
      {"menu", Key::Apps},
      {"f1", Key::F1},
      {"mouseleft", Key::MouseLeft},
      {"mouseright", Key::MouseRight},
      {"doubleclick", Key::MouseLeft2},
  };
  const std::string l = lower(rest);
  for (const auto& k : kNames)
    if (l == k.name) return mods | k.code;
  if (l.size() >= 2 && l[0] == 'f' && std::isdigit(static_cast<unsigned char>(l[1]))) {
    const int n = std::atoi(l.c_str() + 1);
    if (n >= 1 && n <= 12) return mods | (Key::F1 + n - 1);
  }
  if (rest == "'") return mods | Key::Quote;
  if (utf8Length(rest) == 1) {
    const unsigned char c = static_cast<unsigned char>(rest[0]);
    int code = 0;
    if (std::isalpha(c))
      code = std::toupper(c);
    else if (std::isdigit(c))
      code = c;
    else
      code = c < 0x80 ? c : 0xFF;  // a letter beyond ASCII: the character tells which
    if (character && mods == 0) *character = rest;
    return mods | code;
  }
  return 0;
}

}  // namespace ui
