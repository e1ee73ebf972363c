#pragma once
// A window as a procedure drives it:
//   ui::Window win(def);
//   win.bind("?MAP:LAB", rec.LAB);
//   win.open();
//   while (auto ev = win.accept()) { switch (ev.kind) { ... } }
//   win.close();
// A Window belongs to the thread that opens it: call its members there (post() may be
// called from any thread). A nested window is simply another Window opened on the same
// thread while the outer one waits.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/text/str.h"
#include "platform/ui/api/event.h"
#include "platform/ui/api/prop.h"
#include "platform/ui/api/window_def.h"

namespace ui {

// Names a control by its equate ("?OK") or its number in window order.
class Ctl {
 public:
  Ctl(int id) : id_(id) {}                             // NOLINT: implicit on purpose
  Ctl(const char* equate) : equate_(equate) {}         // NOLINT
  Ctl(std::string_view equate) : equate_(equate) {}    // NOLINT
  Ctl(const std::string& equate) : equate_(equate) {}  // NOLINT
  int id() const { return id_; }
  const std::string& equate() const { return equate_; }

 private:
  int id_ = 0;
  std::string equate_;
};

struct Position {
  int x = 0, y = 0, width = 0, height = 0;
};

struct WindowState;

class Window {
 public:
  explicit Window(WindowDef def);
  ~Window();  // closes the window when it is still open
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // --- lifecycle -------------------------------------------------------------------------
  // Opens the window on the calling thread; the first events are OpenWindow and GainFocus.
  void open();
  // Closes it (idempotent). accept() then returns no event.
  void close();
  bool isOpen() const;
  // The next event of this window or of the thread (Private). Blocks until there is one.
  // After a CloseWindow event the next call closes the window and returns no event, unless
  // vetoClose() was called while handling it.
  Event accept();
  void vetoClose();

  // --- controls ----------------------------------------------------------------------------
  // The control's number (0 when unknown); `last()` is the last control in window order.
  int id(const Ctl& c) const;
  int last() const;
  std::string equate(int id) const;
  // Binds a variable: the control shows it on display(), and its value is copied back into
  // it when accept() hands out an event of that control. The variable must outlive the window.
  void bind(const Ctl& c, std::string& var);
  void bind(const Ctl& c, bool& var);
  void bind(const Ctl& c, double& var);
  template <std::size_t N>
  void bind(const Ctl& c, text::Str<N>& var) {
    bindCp1252(
        c, [&var] { return var.str(); }, [&var](const std::string& s) { var = s; });
  }
  template <class I>
  requires(std::is_integral_v<I> && !std::is_same_v<I, bool>) void bind(const Ctl& c, I& var) {
    bindNumber(
        c, [&var] { return static_cast<double>(var); }, [&var](double v) { var = static_cast<I>(v); });
  }
  // Any other binding: the control's text to and from the variable.
  void bindText(const Ctl& c, std::function<std::string()> get, std::function<void(const std::string&)> set);
  // A text stored in Windows-1252: what the field cannot hold is held back (firstNotCp1252).
  void bindCp1252(const Ctl& c, std::function<std::string()> get, std::function<void(const std::string&)> set);
  // A number shown through the control's picture ("@n7.3", "@d6" for day numbers).
  void bindNumber(const Ctl& c, std::function<double()> get, std::function<void(double)> set);

  // Bound variables into their controls. Without an argument only the controls whose
  // variable changed since it was last shown or read are sent (cheap: call it as often as
  // you like); with a control that one is sent in any case.
  void display();
  void display(const Ctl& c);
  // The control's value into its bound variable, without an event.
  void update(const Ctl& c);

  // The first input control, in window order, bound to a Windows-1252 field and holding text
  // that field cannot take (0: none). An OK step asks it before anything is stored.
  int firstNotCp1252() const;
  // The caption of the prompt that labels the control ("Lab.navn" for "&Lab.navn:"); its tip
  // when no prompt stands right before it.
  std::string fieldName(const Ctl& c) const;

  // The control's current value as text (entries: as typed; check "1"/"0"; option: the radio
  // value; combo: its text) and setting it directly (not through a binding).
  std::string value(const Ctl& c) const;
  void setValue(const Ctl& c, std::string_view text);

  // Properties (Prop::...), control 0 meaning the window.
  void set(const Ctl& c, Prop p, std::string_view text);
  void set(const Ctl& c, Prop p, long long number);
  std::string getText(const Ctl& c, Prop p) const;
  long long getNumber(const Ctl& c, Prop p) const;

  void setText(const Ctl& c, std::string_view text) { set(c, Prop::Text, text); }
  std::string text(const Ctl& c) const { return getText(c, Prop::Text); }
  void setTitle(std::string_view title) { set(0, Prop::Text, title); }
  std::string title() const;

  // Ranges in window order, both ends included; `to` 0 means just `from`.
  void enable(const Ctl& from, const Ctl& to = 0);
  void disable(const Ctl& from, const Ctl& to = 0);
  void hide(const Ctl& from, const Ctl& to = 0);
  void unhide(const Ctl& from, const Ctl& to = 0);
  bool enabled(const Ctl& c) const;
  bool visible(const Ctl& c) const;
  void setDefault(const Ctl& c);

  // Focus. During the accept-all pass, select() also ends the pass at that control.
  void select(const Ctl& c);
  int focus() const;
  // Refused input: beep, show the control's value again and put the focus back on it.
  void refuse(const Ctl& c);

  // List boxes and drop combos: the page of rows shown, in order.
  void setRows(const Ctl& c, std::vector<ListRow> rows);
  void setRows(const Ctl& c, const std::vector<std::string>& oneColumn);
  int items(const Ctl& c) const { return static_cast<int>(getNumber(c, Prop::Items)); }
  int selected(const Ctl& c) const { return static_cast<int>(getNumber(c, Prop::Selected)); }
  void setSelected(const Ctl& c, int row) { set(c, Prop::Selected, static_cast<long long>(row)); }
  // Keys the control (0: the window) hands to the procedure as AlertKey instead of acting on them.
  void setAlertKeys(const Ctl& c, const std::vector<int>& keys);

  // Controls created at run time: appended at the end of the window order. Returns its number.
  int create(ControlDef def);
  void destroy(const Ctl& c);

  // --- events ------------------------------------------------------------------------------
  // Posts an event to this window (control 0) or to one of its controls; it arrives after
  // the events already queued.
  void post(EventKind kind, const Ctl& c = 0);
  // Drops the control events queued for this window: input that came while the procedure was
  // busy with work that takes no input (a second click on a button must not run it again).
  void dropQueuedInput();
  // The accept-all pass: every enabled and visible input control in window order gets its
  // Accepted event (its value copied into the variable first); then Completed. select()
  // while handling one of them ends the pass without Completed.
  void acceptAll();
  bool inAcceptAll() const;
  // Timer period in hundredths of a second (0 stops it).
  void setTimer(int hundredths);

  // --- window ------------------------------------------------------------------------------
  Position position() const;
  void setPosition(int x, int y);  // keeps the size
  void setStatus(int zone, std::string_view text);
  void clipboard(ClipboardOp op);  // on the focused control
  const WindowDef& def() const;

 private:
  void bindRaw(int id, std::function<std::string()> get, std::function<void(const std::string&)> set,
               bool cp1252 = false);
  void range(const Ctl& from, const Ctl& to, Prop p, long long v);
  std::shared_ptr<WindowState> s_;
};

// At OK: when an entry holds text its field cannot store, tells the user which field and
// which characters, puts the focus there and returns true (the OK goes no further).
bool refuseNotCp1252(Window& win);
// The same for text chosen for the field (a path from a dialog) before it goes in.
bool refuseNotCp1252(Window& win, const Ctl& field, std::string_view chosen);

}  // namespace ui
