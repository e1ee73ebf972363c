#pragma once
#include "platform/ui/api/window_def.h"

namespace maintenance {

// "Mapping parametre Lab/Sivra": one MapParam record by the thread's request (1 insert,
// 2 change, 3 delete, 6 view) for THR:LAB and THR:PR_TYPE; registered as "ParamForm".
// Reads the laboratory's analysis codes when the calling thread holds the laboratory tables.
void ParamForm();
ui::WindowDef paramFormWindow();

}  // namespace maintenance
