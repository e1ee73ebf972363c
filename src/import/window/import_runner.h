#pragma once
// The import run as the window starts it. The program installs the run at start-up; until one
// is installed "Start import" does nothing. Tests install doubles.
#include <functional>

#include "import/import_choices.h"
#include "import/import_progress.h"
#include "import/import_run_state.h"

namespace import {

using ImportRunner = std::function<void(const ImportChoices&, ImportRunState&, ImportProgress&)>;

void setImportRunner(ImportRunner run);
ImportRunner importRunner();

}  // namespace import
