#include "import/window/register.h"

#include "import/window/import_window.h"
#include "shell/procedures.h"

namespace import {

void registerImportWindow() { shell::setProcedure("ImportWindow", ImportWindow); }

}  // namespace import
