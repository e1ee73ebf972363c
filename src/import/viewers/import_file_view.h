#pragma once
// "Se på importfile": the laboratory's sample rows as the import would read them, one row per
// sample of a journal, with the supplier's and the place's names and the first ten analyses.
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/api/window_def.h"

namespace import {

// Runs on the caller's thread (the import window's) and returns when the viewer closes. The
// thread's MapLab buffer holds the laboratory.
void ImportFileView();

ui::WindowDef importFileViewDef();

// The list's rows from the laboratory's tables, which the caller holds open: journals in
// requisitioner order, each with its samples of the same year in (journal, place) order. Each
// row holds the list's cells: journal, supplier, its name, material, place, its name, the two
// dates (dd.mm.yy) and ten analysis code and result pairs. `placeBySted`: place names by the
// sample's place code, else by its material. `onOtherJournal` is called each time a journal's
// sample walk stops at a row of another journal.
std::vector<std::vector<std::string>> readImportRows(bool placeBySted, const std::function<void()>& onOtherJournal);

}  // namespace import
