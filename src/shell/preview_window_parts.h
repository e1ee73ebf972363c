#pragma once
// Shared between the preview's window definitions and its procedure.
#include "platform/ui/api/window.h"
#include "platform/ui/api/window_def.h"

namespace shell {

// Dialog units kept free under the set view for the row of spins.
inline constexpr int kSpinRow = 18;

ui::WindowDef jumpWindowDef(int total);
ui::WindowDef displayWindowDef();

// A spin's typed value outside its range is set to the nearer limit; a text that is no
// number at all is refused. True when `var` now holds a value within the range.
bool clampSpin(ui::Window& win, const ui::Ctl& spin, int& var);

}  // namespace shell
