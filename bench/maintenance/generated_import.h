#pragma once
// A generated laboratory export and a dataset mapped to it, and the import run over it without
// a window, for the benchmarks of the import window.
#include <filesystem>

namespace benchimport {

// Writes the five tables into `lab`.
void generateLab(const std::filesystem::path& lab);
// A fresh dataset in `data` (it becomes the data directory) mapped to the export in `lab`.
void prepareDataDir(const std::filesystem::path& data, const std::filesystem::path& lab);
// RunImport over `lab` on a procedure thread of its own; milliseconds.
double plainRun(const std::filesystem::path& lab);

}  // namespace benchimport
