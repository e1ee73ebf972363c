#pragma once
#include "platform/ui/api/window_def.h"

namespace maintenance {

// "Skjema laboratorium": one MapLab record by the thread's request (1 insert, 2 change,
// 3 delete, 6 view); registered as "LabForm".
void LabForm();
ui::WindowDef labFormWindow();

}  // namespace maintenance
