#pragma once
// The interface every window backend implements (headless, Qt), and how it talks back.
//
// The API calls these from procedure threads; a backend marshals them to wherever its
// widgets live. Event queues, bound variables, the accept-all pass, timers, pictures (a
// typed value that does not fit becomes Rejected), idle tracking and the procedure threads
// are the API's: a backend only shows controls and reports what the user did through
// ui::deliver(). What a backend delivers:
// - OpenWindow once the window shows, GainFocus/LoseFocus, Sized after a completed resize,
//   CloseWindow for the close box (never closing by itself).
// - Accepted when an entry, spin or combo is left or Enter pressed after a change, when a
//   button, check, radio's option group, menu item or toolbar button is chosen (`key`
//   MouseLeft or the key used); the value stays in the control, the API reads it with get().
// - NewSelection for a list box's or drop combo's new highlighted row, a radio chosen (on the
//   option group), a tab chosen (on the sheet, after TabChanging).
// - List boxes never scroll by themselves: ScrollUp/Down (arrow keys, wheel, bar arrows),
//   PageUp/Down, ScrollTop/Bottom (Ctrl+Home/End), ScrollDrag with the thumb in `number`.
// - AlertKey (with `key`, and `character` for a printable one) for a key the control has as
//   an alert key (Prop::AlertKey) instead of handling it; a list box gives every printable
//   character this way too. Mouse alert keys: MouseRight, MouseLeft2 (double click).
// - MouseIn/Out/Down/Up on regions; Timer is the API's own.
// - Standard actions (StdAction) are the backend's: Help calls ui::help(def.help), F1 too;
//   Close delivers CloseWindow; Tile/Cascade/ArrangeIcons/Cut/Copy/Paste act directly;
//   PrintSetup runs its dialog.
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/api/event.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/prop.h"
#include "platform/ui/api/window_def.h"

namespace ui {

struct BoxRequest {
  std::string caption{};
  std::string text{};  // "|" breaks a line
  Icon icon = Icon::None;
  int buttons = Button::Ok;
  int defaultButton = 0;  // 0: the first button
  int thread = 0;         // the asking thread (see currentThread())
  int window = 0;         // the asking thread's innermost open window, 0 none
};

struct FileRequest {
  std::string title{};
  std::string filter{};    // "Desc|pattern|Desc|pattern;pattern"
  std::string initial{};   // initial file or directory
  bool directory = false;  // choose a directory instead of a file
  bool save = false;       // a save dialog (the name need not exist)
  int thread = 0;
  int window = 0;
};

struct PopupRequest {
  std::string text{};  // "&Ny|~&Endre|-|&Velg": "-" separator, leading "~" greyed
  int thread = 0;
  int window = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;

  // Windows. `def` has every control, menu item and toolbar button numbered (its `id`);
  // window ids are unique for the process. The backend shows the window and, once shown,
  // delivers OpenWindow (and GainFocus when it gets the focus). A nested window of a thread
  // disables that thread's other windows until it closes.
  virtual void openWindow(int window, const WindowDef& def, int thread) = 0;
  virtual void closeWindow(int window) = 0;

  // Property changes in order. May return before the widgets have changed (coalescing is
  // welcome), but a later get() must see them.
  virtual void apply(int window, const std::vector<PropChange>& changes) = 0;
  virtual PropValue get(int window, int control, Prop prop) = 0;
  // The page of rows a list box or drop combo shows (replaces all rows).
  virtual void setRows(int window, int control, const std::vector<ListRow>& rows) = 0;
  // Controls created and destroyed at run time; `def.id` is already set.
  virtual void createControl(int window, const ControlDef& def) = 0;
  virtual void destroyControl(int window, int control) = 0;
  virtual void clipboard(int window, ClipboardOp op) = 0;

  // Modal operations: each blocks only the calling thread until the user answers.
  virtual int messageBox(const BoxRequest& box) = 0;                             // the button pressed
  virtual bool fileDialog(const FileRequest& request, std::string& chosen) = 0;  // false: cancelled
  virtual int popupMenu(const PopupRequest& request) = 0;                        // item 1.., 0 dismissed
  virtual bool printerSetup(int thread) = 0;

  virtual void setWaitCursor(bool on) = 0;
  virtual void beep() = 0;

  // The program is ending after a "Halt" box or an Abort: every procedure thread unwinds.
  // Called once, on the halting thread, before it unwinds.
  virtual void halted(int code) = 0;
};

// Installs the backend every API call goes to (nullptr uninstalls). The caller keeps it alive.
void setBackend(Backend* backend);
Backend* backend();

// Called by a backend (any thread): puts an event into the queue of `window`'s thread.
// Events of a window that has closed are dropped.
void deliver(int window, Event ev);

}  // namespace ui
