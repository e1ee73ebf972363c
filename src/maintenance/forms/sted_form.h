#pragma once
#include "platform/ui/api/window_def.h"

namespace maintenance {

// "Mapping av steder i Kelda/Sivra": one MapSted record by the thread's request, for the
// laboratory in the MapLab buffer and the supplier mapping in the MapLever buffer; registered
// as "StedForm". Reads the supplier's places when the calling thread holds the laboratory tables.
void StedForm();
ui::WindowDef stedFormWindow();

}  // namespace maintenance
