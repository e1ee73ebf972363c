#pragma once
// The program's entry procedure.

namespace shell {

// Runs the program on the calling thread, which must be a window procedure thread of the window
// layer (ui::startProcedure): sets the help file, switches the desktop's full-window drag off
// while the program runs (when it was on), runs the main frame. Also restores the drag setting
// when the program ends early (a stop box's Abort, a warning that ends the program).
void Main();

// The help file the program's windows use.
inline constexpr const char* kHelpFileStem = "Kelda2Siv";

// Registers the windows of this area (settings, About, help) with the procedure registry and
// the help handler with the window layer. Main calls it; tests may call it alone.
void registerShellProcedures();

}  // namespace shell
