#include "maintenance/forms/param_form_lists.h"

#include "maintenance/forms/lookup_list.h"

namespace maintenance {

void addAnalysisCode(AnalysisCodeList& list, const text::Str<6>& kode, const text::Str<30>& tekst) {
  AnalysisCodeRow row;
  row.KODE = kode;  // its first four characters
  row.TEKST = tekst;
  insertUnique(list, row, &AnalysisCodeRow::KODE);
}

std::string sampleTypeWord(std::string_view prType) {
  return text::Str<3>(prType) == "U" ? "Utslippskontroll" : "Slamkontroll";
}

}  // namespace maintenance
