#pragma once
// Names the laboratory's own tables give to its codes, each read by key. Only the thread that
// holds the tables reads them; on any other thread, and for a code that is not there, the name
// is blank (the table's row buffer is then cleared).
#include <string>

#include "platform/text/str.h"

namespace maintenance {

// The text of an analysis code (RNX50 by I_RNX50).
std::string AnalysisCodeText(const text::Str<6>& code);

// The name of a supplier's sampling place: by the place's first two characters (RNX60 by
// KEY_RNX60) when the place source is "Sted", else by material code (by I_RNX60).
std::string LabPlaceName(const text::Str<6>& leverand, const text::Str<6>& stedLab, const text::Str<10>& stedKilde);

}  // namespace maintenance
