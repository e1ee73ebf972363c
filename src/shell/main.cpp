#include "shell/main.h"

#include <chrono>
#include <thread>

#include "data/file_names.h"
#include "data/program_files.h"
#include "data/use_counters.h"
#include "platform/sys/desktop.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/procedure.h"
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

// The frame has closed: every window still open on another thread runs its closing steps, and
// the program ends once their threads have.
void closeOtherWindows() {
  ui::requestShutdown();
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (ui::runningProcedures() > 1 && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace

void registerShellProcedures() {
  if (!procedure("AboutWindow")) setProcedure("AboutWindow", AboutWindow);
  ui::setHelpHandler([](std::string keyword) { showHelp(keyword); });
}

void Main() {
  setHelpFile(kHelpFileStem);
  registerShellProcedures();
  data::useUserFolderForBlankDirectory();
  FullWindowDragOff drag;
  MainFrame();
  closeOtherWindows();
  // Program end: the process-wide dataset list is released.
  std::lock_guard lock(data::datasett().lock);
  data::datasett().file.close();
}

}  // namespace shell
