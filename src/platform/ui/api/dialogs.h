#pragma once
// The layer's standard dialogs and small services besides message boxes (message.h).
#include <functional>
#include <string>
#include <string_view>

namespace ui {

// The stop box: caption "Stop", stop icon, Abort (default) and Ignore. Abort ends the
// program (haltProgram(0)); Ignore returns.
void stop(std::string_view text);
// The end-of-program box: caption "Halt", stop icon, OK; then haltProgram(code).
[[noreturn]] void halt(std::string_view text, int code = 0);

// File or directory dialog. `filter` is "Desc|pattern|Desc|pattern"; `path` holds the
// initial file on entry and the chosen one on return. The current directory never changes.
// Returns false when cancelled (path unchanged).
bool fileDialog(std::string_view title, std::string& path, std::string_view filter = {}, bool save = false);
bool directoryDialog(std::string_view title, std::string& path);

// Pop-up menu at the mouse pointer from "|"-separated items: "-" is a separator (not
// counted), a leading "~" shows the item greyed (it cannot be chosen), a leading "+" (after
// any "~") shows it checked. Returns the chosen item's number, 0 when dismissed.
int popup(std::string_view items);

// The printer-setup dialog; false when cancelled.
bool printerSetup();

// What the user chose in the printer setup, used by the printing that follows: a printer, or
// a file to print into instead. Empty until chosen; the backend sets it (any thread).
struct PrinterChoice {
  std::string printer{};
  std::string outputFile{};
  int copies = 1;
  bool operator==(const PrinterChoice&) const = default;
};
PrinterChoice printerChoice();
void setPrinterChoice(PrinterChoice choice);

// The wait cursor over every window of the program, counted: on(), on(), off() leaves it on.
void setWaitCursor(bool on);
class WaitCursor {
 public:
  WaitCursor() { setWaitCursor(true); }
  ~WaitCursor() { setWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

void beep();

// The last key code of the calling thread (set by every event that a key or mouse button
// caused), and clearing it.
int lastKey();
void clearLastKey();

// Help: F1 and help buttons call the handler with the window's help keyword; the menu's
// contents, search and help-on-help entries call it with "#contents", "#search", "#help".
void setHelpHandler(std::function<void(std::string keyword)> handler);
void help(std::string_view keyword);

}  // namespace ui
