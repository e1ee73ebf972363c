#pragma once
#include "platform/ui/api/window_def.h"

namespace maintenance {

// "Tabell instillinger laboratorier": the parameter, supplier and place mappings of THR:LAB,
// called on the laboratories list's thread with that laboratory's MapLab record in the buffer.
// It holds the laboratory's tables while it is open; when they cannot be opened it says so and
// opens no window.
void LabSettingsBrowse();

ui::WindowDef labSettingsWindow();

}  // namespace maintenance
