#include "import/sludge_targets.h"

#include <array>
#include <string>
#include <vector>

#include "platform/text/codepage.h"
#include "platform/text/str.h"

namespace import {
namespace {

using C = SludgeConversion;

constexpr std::array kTargets{
    SludgeTarget{"Ant. Døgn", "Importerer: Antall døgn", "", C::DayCount},
    SludgeTarget{"TS-tungmetall", "Importerer: TS tungmetall i slam", "VERDI_TS_TUNGMETALL", C::TimesFactor},
    SludgeTarget{"pH tungmetall", "Importerer: pH-tungmetall i slam", "VERDI_PH_TUNGMETALL", C::TimesFactor},
    SludgeTarget{"Kadmium", "Importerer: Måleverdi Cd", "VERDI_CD", C::TimesFactor},
    SludgeTarget{"Kvikksølv", "Importerer: Kvikksølv i slam", "VERDI_HG", C::TimesFactor},
    SludgeTarget{"Bly", "Importerer: Bly i slam", "VERDI_PB", C::TimesFactor},
    SludgeTarget{"Nikkel", "Importerer: Nikkel i slam", "VERDI_NI", C::TimesFactor},
    SludgeTarget{"Krom", "Importerer: Krom i slam", "VERDI_CR", C::TimesFactor},
    SludgeTarget{"Sink", "Importerer: Sink i slam", "VERDI_ZN", C::TimesFactor},
    SludgeTarget{"Kobber", "Importerer: Kobber i slam", "VERDI_CU", C::TimesFactor},
    SludgeTarget{"PCB", "Importerer: PCB i slam", "", C::NoField},
    SludgeTarget{"DEHP", "Importerer: DEHP i slam", "", C::NoField},
    SludgeTarget{"4-nonylphenol", "Importerer: 4-nonylphenol i slam", "", C::NoField},
    SludgeTarget{"BDE-47", "Importerer: BDE-47 i slam", "", C::NoField},
    SludgeTarget{"BDE-99", "Importerer: BDE-99 i slam", "", C::NoField},
    SludgeTarget{"BDE-100", "Importerer: BDE-100 i slam", "", C::NoField},
    SludgeTarget{"BDE-183", "Importerer: BDE-183 i slam", "", C::NoField},
    SludgeTarget{"BDE-209", "Importerer: BDE-209 i slam", "", C::NoField},
    SludgeTarget{"TBBPA", "Importerer: TBBPA i slam", "", C::NoField},
    SludgeTarget{"TS-næringsstoff", "Importerer: TS næringsstoff i slam", "VERDI_TS_NAERINGSSTOFF", C::TimesFactor},
    SludgeTarget{"pH-næringsstoff", "Importerer: pH-næringsstoff i slam", "VERDI_PH_NAERINGSSTOFF", C::TimesFactor},
    // The target lists offer this spelling; it means the same field.
    SludgeTarget{"pH næringsstoff", "Importerer: pH-næringsstoff i slam", "VERDI_PH_NAERINGSSTOFF", C::TimesFactor},
    SludgeTarget{"Org-Mat", "Importerer: Organisk Materiale i slam", "VERDI_TS_ORG_STOFF", C::TimesFactor},
    SludgeTarget{"Kjeldahl-N", "Importerer: Kjeldahl-N i slam", "VERDI_TS_KJELLDAHL", C::TimesFactor},
    SludgeTarget{"Tot-N", "Importerer: Tot-N i slam", "VERDI_TS_TOTALNITROGEN", C::TimesFactor},
    SludgeTarget{"Ammonium", "Importerer: Ammonium i slam", "VERDI_TS_AMMONIUM_N", C::TimesFactor},
    SludgeTarget{"Tot-P", "Importerer: Tot-P i slam", "VERDI_TS_TOTALFOSFOR", C::TimesFactor},
    SludgeTarget{"Kalsium", "Importerer: Kalsium i slam", "VERDI_TS_KALSIUM", C::TimesFactor},
    SludgeTarget{"Kalium", "Importerer: Kalium i slam", "VERDI_TS_KALIUM", C::TimesFactor},
    SludgeTarget{"Kjeldahl-N (mg/l)", "Importerer: Kjeldahl-N (mg/l) i slam", "VERDI_TS_KJELLDAHL_MGL", C::TimesFactor},
    SludgeTarget{"Tot-N (mg/l)", "Importerer: Tot-N (mg/l) i slam", "VERDI_TS_TOTALNITROGEN_MGL", C::TimesFactor},
    SludgeTarget{"Ammonium (mg/l)", "Importerer: Ammonium (mg/l) i slam", "VERDI_TS_AMMONIUM_N_MGL", C::TimesFactor},
    SludgeTarget{"Tot-P (mg/l)", "Importerer: Tot-P (mg/l) i slam", "VERDI_TS_TOTALFOSFOR_MGL", C::TimesFactor},
    SludgeTarget{"Kalsium (mg/l)", "Importerer: Kalsium (mg/l) i slam", "VERDI_TS_KALSIUM_MGL", C::TimesFactor},
    SludgeTarget{"Kalium (mg/l)", "Importerer: Kalium (mg/l) i slam", "VERDI_TS_KALIUM_MGL", C::TimesFactor},
    SludgeTarget{"Kadmium (mg/l)", "Importerer: Kadmium (mg/l) i slam", "VERDI_CD", C::TimesFactor},
    SludgeTarget{"Termokoli", "Importerer: Termokoli i slam", "VERDI_TERMO_KOLI", C::Text},
    SludgeTarget{"Salmonella", "Importerer: Salmonella i slam", "VERDI_SALMONELLA", C::Text},
    SludgeTarget{"Parasittegg", "Importerer: Parasittegg i slam", "VERDI_PARASITTEGG", C::Text},
    SludgeTarget{"pH-min", "Importerer: pH-min i slam", "PH_SLAM_MIN", C::TimesFactor},
    SludgeTarget{"pH-maks", "Importerer: pH-maks i slam", "PH_SLAM_MAKS", C::TimesFactor},
    SludgeTarget{"SS-middel", "Importerer: SS-middel i slam", "SS_MIDDEL", C::WholeNumber},
    SludgeTarget{"SS-maks", "Importerer: SS-maks i slam", "SS_MAKS", C::WholeNumber},
    SludgeTarget{"Temp. min", "Importerer: Temp. min i slam", "TEMP_MIN", C::TimesFactor},
    SludgeTarget{"Temp. maks", "Importerer: Temp. maks i slam", "TEMP_MAKS", C::TimesFactor},
};

// The names in the records' code page, made once.
const std::vector<std::string>& cp1252Names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    for (const auto& t : kTargets) out.push_back(text::toCp1252(t.name));
    return out;
  }();
  return names;
}

}  // namespace

const SludgeTarget* findSludgeTarget(std::string_view cp1252Name) {
  const auto& names = cp1252Names();
  for (std::size_t i = 0; i < kTargets.size(); ++i)
    if (text::compareBlankPadded(cp1252Name, names[i]) == 0) return &kTargets[i];
  return nullptr;
}

}  // namespace import
