#pragma once
// One import of laboratory results: walks the laboratory's supplier mappings in the chosen
// range and, for each supplier whose requisitioner and plant exist, its journals and samples;
// stores discharge-control and sludge-control records and writes the import log.
//
// Preconditions (the import window sees to them): the thread's MapLab, MapLever, MapParam,
// MapSted, Anlegg, Utslippskontroll and Slamkontroll are open; THR:LAB holds the laboratory and
// the MapLab buffer its record; the file names are set from the data directory.
#include "import/import_choices.h"
#include "import/import_progress.h"
#include "import/import_run_state.h"
#include "import/lab_source.h"

namespace import {

// Over the laboratory's dBase tables (the sample table GLO:IMPORTFILE from `choices`).
void RunImport(const ImportChoices& choices, ImportRunState& state, ImportProgress& progress);
// Over any source of laboratory rows.
void RunImport(const ImportChoices& choices, ImportRunState& state, ImportProgress& progress, LabSource& lab);

}  // namespace import
