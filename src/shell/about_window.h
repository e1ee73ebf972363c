#pragma once
// "Om programmet": the program's name and version, the supplier's contact lines (two of them
// links), and the installation's user record in "Labuser.tps".
#include <string_view>

#include "platform/ui/api/window_def.h"

namespace shell {

void AboutWindow();
ui::WindowDef aboutWindowDef();

// Hands a link (web address or "mailto:") to the desktop: trailing blanks removed, at most 255
// characters. What the desktop makes of it is not examined.
void OpenLink(std::string_view target);

}  // namespace shell
