#pragma once
// The help window: one page of the help file, the contents (every topic) or a search.
#include <string>
#include <string_view>

#include "platform/ui/api/window_def.h"

namespace shell {

// Shows help for a keyword as the window layer hands it: a window's help keyword, or
// "#contents", "#search", "#help" from the frame's help menu. Opens a help window on a new
// thread each time, so the asking window goes on.
void showHelp(std::string_view keyword);

// The help window itself, run on the calling thread until it closes.
void HelpWindow(std::string keyword);
ui::WindowDef helpWindowDef();

}  // namespace shell
