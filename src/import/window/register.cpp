#include "import/window/register.h"

#include "import/viewers/import_file_view.h"
#include "import/viewers/log_file_view.h"
#include "import/window/import_window.h"
#include "shell/procedures.h"

namespace import {

void registerImportWindow() {
  shell::setProcedure("ImportWindow", ImportWindow);
  shell::setProcedure("ImportFileView", ImportFileView);
  shell::setProcedure("LogFileView", LogFileView);
}

}  // namespace import
