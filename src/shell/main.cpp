#include "shell/main.h"

#include "data/program_files.h"
#include "data/use_counters.h"
#include "platform/sys/desktop.h"
#include "platform/ui/api/dialogs.h"
#include "shell/about_window.h"
#include "shell/help_book.h"
#include "shell/help_window.h"
#include "shell/main_frame.h"
#include "shell/procedures.h"

namespace shell {
namespace {

// Switches full-window dragging off for the program's run when it was on, and on again at the
// end, also when the program ends early by unwinding.
class FullWindowDragOff {
 public:
  FullWindowDragOff() : wasOn_(sys::desktop().fullWindowDrag()) {
    if (wasOn_) sys::desktop().setFullWindowDrag(false);
  }
  ~FullWindowDragOff() {
    if (wasOn_) sys::desktop().setFullWindowDrag(true);
  }
  FullWindowDragOff(const FullWindowDragOff&) = delete;
  FullWindowDragOff& operator=(const FullWindowDragOff&) = delete;

 private:
  bool wasOn_;
};

}  // namespace

void registerShellProcedures() {
  if (!procedure("AboutWindow")) setProcedure("AboutWindow", AboutWindow);
  ui::setHelpHandler([](std::string keyword) { showHelp(keyword); });
}

void Main() {
  setHelpFile(kHelpFileStem);
  registerShellProcedures();
  FullWindowDragOff drag;
  MainFrame();
  // Program end: the process-wide dataset list is released.
  std::lock_guard lock(data::datasett().lock);
  data::datasett().file.close();
}

}  // namespace shell
