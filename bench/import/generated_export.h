#pragma once
// A generated laboratory export (suppliers, journals, samples with 15 analyses each) and the
// registry and mappings that match it, shared by the benchmarks of the import.
#include <filesystem>
#include <string>

namespace benchexport {

inline constexpr int kSuppliers = 20;
inline constexpr int kSamplesPerJournal = 4;
inline constexpr int kDischargeCodes = 40;
inline constexpr int kSludgeCodes = 10;  // 50 mappings

// The requisitioner (supplier) number of supplier s of the export.
std::string rekvOf(int s);

// Writes the five tables into `dir`: kSuppliers x journalsPerSupplier x kSamplesPerJournal rows.
void generateLab(const std::filesystem::path& dir, int journalsPerSupplier);
// Laboratory "BL" with plants, supplier, place and parameter mappings matching the export, in the
// files the calling thread has open.
void setUpRegistry(const std::filesystem::path& labDir);

}  // namespace benchexport
