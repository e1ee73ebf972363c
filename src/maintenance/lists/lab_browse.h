#pragma once
// "Tabell laboratorier": the laboratories list. Maintenance list when started by the frame,
// select list (ThreadRequest 4) for the import window's laboratory field; on response 1 the
// thread's MapLab buffer holds the chosen laboratory.
#include "platform/ui/api/window_def.h"

namespace maintenance {

void LabBrowse();

// The window as it opens (for the backends' tests and the layout).
ui::WindowDef labBrowseWindow();

}  // namespace maintenance
