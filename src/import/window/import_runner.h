#pragma once
// A replacement for the import run the window starts (tests install doubles). Without one the
// window runs RunImport over the laboratory's dBase tables.
#include <functional>

#include "import/import_choices.h"
#include "import/import_progress.h"
#include "import/import_run_state.h"

namespace import {

using ImportRunner = std::function<void(const ImportChoices&, ImportRunState&, ImportProgress&)>;

void setImportRunner(ImportRunner run);
ImportRunner importRunner();

}  // namespace import
