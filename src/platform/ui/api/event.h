#pragma once
// Events a window procedure receives from accept(), and the key codes they carry.
#include <string>

namespace ui {

enum class EventKind {
  None,  // no more events: the window has closed
  // Window events (control 0).
  OpenWindow,
  GainFocus,
  LoseFocus,
  Sized,  // a resize has been completed
  Moved,
  CloseWindow,  // close request: close box, posted close, program shutdown
  Timer,
  Completed,  // the accept-all pass went through every control
  Private,    // posted to the thread; `number` holds the event number (0x3FF refresh)
  // Control events.
  Accepted,
  Rejected,  // the typed value does not fit the control's picture or range
  NewSelection,
  Selected,  // the control got the focus
  AlertKey,  // `key` (and `character` for a typed character)
  ScrollUp,
  ScrollDown,
  PageUp,
  PageDown,
  ScrollTop,
  ScrollBottom,
  ScrollDrag,   // `number` holds the thumb position 0..100
  TabChanging,  // on the sheet; `number` holds the tab about to be left (1-based)
  MouseIn,      // regions
  MouseOut,
  MouseDown,
  MouseUp,
};

// Name of a kind as the transcript and test messages write it ("Accepted", "ScrollUp", ...).
const char* eventName(EventKind kind);

// The private refresh event a window posts to its own thread after a resize.
inline constexpr int kRefreshEvent = 0x3FF;

struct Event {
  EventKind kind = EventKind::None;
  int control = 0;        // 0 for window events
  int key = 0;            // key code that caused it (Key::...), 0 when none
  std::string character;  // the typed character (UTF-8) of an AlertKey, else empty
  int number = 0;         // Private: event number; ScrollDrag: thumb; TabChanging: tab

  explicit operator bool() const { return kind != EventKind::None; }
};

// Key codes: a virtual key in the low byte plus modifier flags; mouse buttons as small codes.
namespace Key {
inline constexpr int MouseLeft = 1;
inline constexpr int MouseRight = 2;
inline constexpr int MouseLeft2 = 5;  // double click
inline constexpr int Backspace = 0x08;
inline constexpr int Tab = 0x09;
inline constexpr int Enter = 0x0D;
inline constexpr int Esc = 0x1B;
inline constexpr int Space = 0x20;
inline constexpr int PgUp = 0x21;
inline constexpr int PgDn = 0x22;
inline constexpr int End = 0x23;
inline constexpr int Home = 0x24;
inline constexpr int Left = 0x25;
inline constexpr int Up = 0x26;
inline constexpr int Right = 0x27;
inline constexpr int Down = 0x28;
inline constexpr int Insert = 0x2D;
inline constexpr int Delete = 0x2E;
inline constexpr int Apps = 0x5D;  // the context-menu key
inline constexpr int F1 = 0x70;
inline constexpr int Quote = 0xDE;  // the ' key
inline constexpr int Shift = 0x100;
inline constexpr int Ctrl = 0x200;
inline constexpr int Alt = 0x400;
inline constexpr int CtrlEnter = Ctrl | Enter;  // 0x20D
inline constexpr int CtrlQuote = Ctrl | Quote;  // 734: the ditto key
}  // namespace Key

// Parses a key name as scripts write it: "Insert", "Delete", "Enter", "Ctrl+Enter", "PgUp",
// "PgDn", "Up", "Down", "Home", "End", "Ctrl+Home", "Ctrl+End", "F1", "Apps", "Esc", "Ctrl+'",
// a single character ("a", "Ø"). Returns the key code (0 when unknown) and, for a printable
// character, the character itself.
int parseKeyName(const std::string& name, std::string* character = nullptr);

}  // namespace ui
