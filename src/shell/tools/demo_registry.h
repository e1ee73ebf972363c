#pragma once
// The demo dataset's registry and mapping records: four plants with their lists, the code
// lists the import window offers, and one laboratory whose supplier, parameter and place
// mappings match the demo laboratory export (demo-data/make_demo_export.py).
#include <filesystem>
#include <string>
#include <vector>

namespace demo {

inline constexpr const char* kLab = "FJL";
inline constexpr const char* kPrType = "Rutinekontroll";
inline constexpr const char* kPrTakingsSted = "Avvannet slam";
// The sample table inside the laboratory's data directory.
inline constexpr const char* kImportFile = "RNX20.dbf";

// The disk names (inside the data directory) of the files writeRegistry fills.
const std::vector<std::string>& registryFiles();

// Creates every file of registryFiles() in `dataDir` and fills it; the laboratory's data
// directory is `labDir`. False with `error` set when a file cannot be written.
bool writeRegistry(const std::filesystem::path& dataDir, const std::filesystem::path& labDir,
                   std::string& error);

}  // namespace demo
