#include "maintenance/forms/lab_names.h"

#include "data/lab/lab_tables.h"
#include "maintenance/forms/sted_form_lists.h"

namespace maintenance {

using data::lab::HeldLabTables;
using data::lab::LabKey;

std::string AnalysisCodeText(const text::Str<6>& code) {
  HeldLabTables tables;
  if (!tables) return {};
  auto& t = tables->RNX50;
  t.rec.KODE = code;
  if (!t.get(LabKey::I_RNX50).ok()) {
    t.clear();
    return {};
  }
  return t.rec.TEKST.str();
}

std::string LabPlaceName(const text::Str<6>& leverand, const text::Str<6>& stedLab, const text::Str<10>& stedKilde) {
  HeldLabTables tables;
  if (!tables) return {};
  auto& t = tables->RNX60;
  t.rec.REKV = leverand;
  LabKey key = LabKey::I_RNX60;
  if (placeSourceIsSted(stedKilde)) {
    t.rec.STED = stedLab;  // its first two characters
    key = LabKey::KEY_RNX60;
  } else {
    t.rec.MATERIALE = stedLab;
  }
  if (!t.get(key).ok()) {
    t.clear();
    return {};
  }
  return t.rec.TEKST.str();
}

}  // namespace maintenance
