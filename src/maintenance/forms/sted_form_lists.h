#pragma once
// The two drop lists of the place-mapping form: the laboratory's places of one supplier, by
// the laboratory's place source, and the registry places of the supplier's plant.
#include <vector>

#include "data/registry_files.h"
#include "platform/text/str.h"

namespace maintenance {

// True when the laboratory names its places by sampling-place code ("Sted"); any other place
// source names them by material code.
bool placeSourceIsSted(const text::Str<10>& stedKilde);

struct LabPlaceRow {
  text::Str<6> STEDLAB;
  text::Str<20> S_NAVN;
};
using LabPlaceList = std::vector<LabPlaceRow>;

// Takes one RNX60 row of the supplier: its place code (or material code) joins the list,
// ascending, unless it is listed already; the first row read names it.
void addLabPlace(LabPlaceList& list, const text::Str<6>& code, const text::Str<20>& tekst);

using RegistryPlaceList = std::vector<text::Str<15>>;

// The plant's sampling places 1 to its place count (never past the tenth), blanks skipped, each
// cut to 15 characters, ascending with equal texts all kept; then "Slamkontroll".
RegistryPlaceList registryPlaces(const data::AnleggRecord& plant);

}  // namespace maintenance
