#pragma once
// What the parameter-mapping form shows beside its record: the laboratory's analysis codes and
// the word of the sample type. The target list is the settings window's (param_siv_list.h),
// in its type-then-code order.
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/str.h"

namespace maintenance {

struct AnalysisCodeRow {
  text::Str<4> KODE;
  text::Str<30> TEKST;
};
using AnalysisCodeList = std::vector<AnalysisCodeRow>;

// Takes one RNX50 row: its code's first four characters join the list, ascending, unless they
// are listed already; codes that share their first four characters keep the first row's text.
void addAnalysisCode(AnalysisCodeList& list, const text::Str<6>& kode, const text::Str<30>& tekst);

// "Utslippskontroll" for the sample type "U", "Slamkontroll" for any other.
std::string sampleTypeWord(std::string_view prType);

}  // namespace maintenance
