#pragma once
// "Import": the window in which the user prepares and starts an import of laboratory results.
// Started by the frame on a thread of its own; calls the laboratories list and the supplier
// list as select lists, the import run and the two viewers, all on its own thread.
#include "platform/ui/api/window_def.h"

namespace import {

void ImportWindow();

ui::WindowDef importWindowDef();

}  // namespace import
