#pragma once
// "Tabell anlegg/leverandører": the supplier-to-plant mappings of the thread's laboratory
// (THR:LAB), each with its plant's name. Select list (ThreadRequest 4) for the import window's
// supplier fields; on response 1 the thread's MapLever buffer holds the chosen mapping.
#include "platform/ui/api/window_def.h"

namespace maintenance {

void LeverBrowse();

ui::WindowDef leverBrowseWindow();

}  // namespace maintenance
