#pragma once
// The demo dataset's registry and mapping records: four plants with their lists, the code
// lists the import window offers, and one laboratory whose supplier, parameter and place
// mappings match the demo laboratory export (demo-data/make_demo_export.py).
#include <filesystem>
#include <string>

namespace demo {

inline constexpr const char* kLab = "FJL";
inline constexpr const char* kPrType = "Rutinekontroll";
inline constexpr const char* kPrTakingsSted = "Avvannet slam";
// The sample table inside the laboratory's data directory.
inline constexpr const char* kImportFile = "RNX20.dbf";

// Creates the registry and mapping files in `dataDir` and fills them; the laboratory's data
// directory is `labDir`. False with `error` set when a file cannot be written.
bool writeRegistry(const std::filesystem::path& dataDir, const std::filesystem::path& labDir, std::string& error);

}  // namespace demo
