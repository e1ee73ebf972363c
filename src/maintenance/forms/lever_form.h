#pragma once
#include "platform/ui/api/window_def.h"

namespace maintenance {

// "Mapping leverandørnummer/anleggsnummer": one MapLever record by the thread's request;
// registered as "LeverForm".
void LeverForm();
ui::WindowDef leverFormWindow();

}  // namespace maintenance
