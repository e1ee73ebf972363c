// Every record layout as the registry product reads it: prefix, attributes, the fields in
// order with their types, widths and dimensions, GROUPs, memos and keys with every attribute.
// Widths, integer sizes and the primary key leave no trace in the database, so they are
// checked on the definitions; the on-disk table and indexes are checked in definitions_test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/declared_files.h"
#include "data/program_files.h"
#include "data/registry_files.h"

namespace {

std::string typeOf(const store::FieldDef& f) {
  switch (f.type) {
    case store::FieldType::String: return "S" + std::to_string(f.size);
    case store::FieldType::Byte: return "BYTE";
    case store::FieldType::Short: return "SHORT";
    case store::FieldType::Long: return "LONG";
    case store::FieldType::Real: return "REAL";
    case store::FieldType::Memo: break;
  }
  return "?";
}

std::string attributesOf(const store::FileDef& d) {
  std::string s = d.prefix;
  if (d.attributes & store::Attr::Create) s += " create";
  if (d.attributes & store::Attr::Reuse) s += " reuse";
  if (d.attributes & store::Attr::PerThread) s += " thread";
  if (d.attributes & store::Attr::Oem) s += " oem";
  return s;
}

std::string fieldsOf(const store::FileDef& d, bool memos) {
  std::string s;
  for (const auto& f : d.fields) {
    if ((f.type == store::FieldType::Memo) != memos) continue;
    if (!s.empty()) s += ", ";
    s += f.name + " " + (memos ? std::to_string(f.size) : typeOf(f));
    if (f.dim1) s += " x" + std::to_string(f.dim1);
    if (f.dim2) s += " x" + std::to_string(f.dim2);
  }
  return s;
}

std::string groupsOf(const store::FileDef& d) {
  std::string s;
  for (const auto& g : d.groups) {
    if (!s.empty()) s += " ";
    s += g.name + "(";
    for (std::size_t i = 0; i < g.leaves.size(); ++i) s += (i ? "," : "") + g.leaves[i];
    s += ")";
  }
  return s;
}

std::vector<std::string> keysOf(const store::FileDef& d) {
  std::vector<std::string> out;
  for (const auto& k : d.keys) {
    std::string s = k.name + "(";
    for (std::size_t i = 0; i < k.components.size(); ++i) s += (i ? "," : "") + k.components[i];
    s += std::string(") ") + (k.unique ? "unique" : "dup");
    if (k.noCase) s += " nocase";
    if (k.optional) s += " optional";
    if (k.primary) s += " primary";
    out.push_back(s);
  }
  return out;
}

struct Layout {
  const store::FileDef& def;
  const char* attributes;  // prefix, then the file's attributes
  const char* fields;      // leaves in order, GROUPs expanded
  const char* memos;
  const char* groups;
  std::vector<std::string> keys;
};

const Layout kLayouts[] = {
    {data::MapLab::definition(),
     "MAP create reuse thread",
     "LAB S4, LABNAVN S30, STEDKILDE S10, DATOVALG S20, DATADIRLAB S200, IMPORTFILE S200",
     "",
     "",
     {"MAP:MAPLABKEY(LAB) unique nocase optional primary"}},
    {data::MapLever::definition(),
     "M_L create reuse thread",
     "LAB S4, LEVERAND S10, ANLEGGSNR S6",
     "",
     "",
     {"M_L:MAPLEVERKEY(LAB,LEVERAND) unique nocase optional primary"}},
    {data::MapParam::definition(),
     "M_P create reuse thread",
     "LAB S4, PRTYPE S1, PARAMLAB S6, PARAMSIV S20, FAKTOR REAL",
     "",
     "",
     {"M_P:MAPPARAMKEY(LAB,PRTYPE,PARAMLAB) unique nocase optional primary"}},
    {data::MapSted::definition(),
     "M_S create reuse thread",
     "LAB S4, LEVERAND S6, STEDLAB S6, STEDSIV S15",
     "",
     "",
     {"M_S:MAPSTEDKEY(LAB,LEVERAND,STEDLAB,STEDSIV) unique nocase optional primary"}},
    {data::Lab2Siv::definition(),
     "L_S create reuse thread oem",
     "DATADIRSIV S150, PREIMPRUN S150, PREIMPRUNSTATUS BYTE, PREIMPRUNDOS BYTE",
     "",
     "",
     {}},
    {data::Labuser::definition(),
     "L_U create thread",
     "BRUKER S100, ADRESSE S30, POSTNR S4, TELEFON S11, TELEFAX S11",
     "",
     "",
     {}},
    {data::Datasett::definition(),
     "DAT create reuse",
     "DATASETT_NAVN S50, DATAKATALOG S200",
     "",
     "",
     {"DAT:DATASETT_KEY(DATASETT_NAVN) unique nocase optional primary"}},
    {data::Anlegg::definition(),
     "ANL create reuse thread",
     "FYLKESNR S2, KOMM_NR S2, ANLEGG_NR S2, RENSEDISTRIKTETSNR S6, SPREDT_BEBYGGELSE BYTE, "
     "UTSLIPPSKONTROLL BYTE, ANLEGGSNAVN S50, EIERFORM S20, ANLEGGSEIER S50, EIERSKIFTE_MND SHORT, "
     "EIERSKIFTE_AAR SHORT, ADRESSE S50, POSTNUMMER S4, TELEFONEIER S8, KONTAKTPERSON S50, "
     "TELEFONKONTAKTPERSON S8, KONTAKTPERSONDRIFT S50, TELEFONANLEGG S8, UTM_SONEBELTE S2, UTM_OST S6, "
     "UTM_NORD S7, RESIPIENT S50, UTM_SONEBELTEUTSLIPP S2, UTM_OSTUTSLIPP S6, UTM_NORDUTSLIPP S7, "
     "NEDBORFELT S9, UTSLIPPSPUNKT SHORT, UTSLIPPSDYP REAL, TYPEVIRKSOMHET S20, MAKSPEBELASTN SHORT, "
     "BELEGGSPROSENT BYTE, VANNFORBRUK LONG, FORURENSNINGSMYNDIGHET S15, DOKUMENTASJONSFREKVENS BYTE, "
     "DATOSISTEDOK LONG, KRAV_UTTAK_KONTROLLPR S3, QDIM REAL, QDIMMAKS REAL, QDIM_PE_HYDR LONG, "
     "QDIM_PE_ORG LONG, RENSEMETODE S50, ETTERPOLERINGSMETODE S50, RISTSILGODS S50, SAND S50, "
     "FAKTOR_ENERGI REAL, SATT_I_DRIFT_MND SHORT, SATT_I_DRIFT_AAR SHORT, ENDRETFORNYET_MND SHORT, "
     "ENDRETFORNYET_AAR SHORT, NEDLAGT BYTE, NEDLAGT_MND SHORT, NEDLAGT_AAR SHORT, KODE_VARETYPE S10, "
     "SLAMAVVANNING S60, SLAMAVVANNINGKAP REAL, ANLEGGSNR_FORTYKKET S6, SLAMHYGIENISERINGSTABILISERING "
     "S60, SLAMINNKAP REAL, ANLEGGSNR_AVVANNET S6, SLAMVANNSIGEVANN S60, SLAMBEHANDLET S50, "
     "SLAMBEHANDLETKAP REAL, FELL_KJEMIKALIUM S10, FELL_KJEMIKALIUM_BEFARING S5, "
     "FELL_KJEMIKALIUM_DRIFTSDATA S3, SLAM_SATT_I_DRIFT_MND SHORT, SLAM_SATT_I_DRIFT_AAR SHORT, "
     "SLAMNEDLAGT BYTE, SLAM_NEDLAGT_MND SHORT, SLAM_NEDLAGT_AAR SHORT, KONSESJONDATO LONG, "
     "KONSESJONRAMME LONG, ANTALLPARAMETRE BYTE, PARAMETER S10 x20, RENSEEFFEKT BYTE x20, K1 REAL x20, "
     "K2 REAL x20, TOTALUTSLIPP REAL x20, SPES_UTSLIPPMENGDE REAL x20, ANTALLPRUTL SHORT x20, "
     "ANTALLGJELDENDEPRUTL SHORT x20, ANTALLPRINNL SHORT x20, PRTYPE S50, TUNGMETALLANTALLPARAMETRE "
     "BYTE, TUNGMETALLPARAMETER S10 x20, ANTALLPRSTEDER BYTE, PRSTED S20 x10, REG_DATO LONG, REG_IDENT "
     "S10",
     "ANDREOPPLYSNINGER 1000",
     "ANLEGGSNR(KOMMUNENR,ANLEGG_NR) KOMMUNENR(FYLKESNR,KOMM_NR) "
     "EIERSKIFTE(EIERSKIFTE_MND,EIERSKIFTE_AAR) SATT_I_DRIFT(SATT_I_DRIFT_MND,SATT_I_DRIFT_AAR) "
     "ENDRETFORNYET(ENDRETFORNYET_MND,ENDRETFORNYET_AAR) NEDLAGT_DATO(NEDLAGT_MND,NEDLAGT_AAR) "
     "SLAM_SATT_I_DRIFT(SLAM_SATT_I_DRIFT_MND,SLAM_SATT_I_DRIFT_AAR) "
     "SLAM_NEDLAGT_DATO(SLAM_NEDLAGT_MND,SLAM_NEDLAGT_AAR)",
     {"ANL:ANLEGG_KEY1(ANLEGGSNR) unique nocase primary", "ANL:ANLEGGKEY_2(ANLEGGSNAVN) dup nocase optional",
      "ANL:ANLEGG_KEY3(RENSEDISTRIKTETSNR,ANLEGGSNR) unique nocase optional"}},
    {data::Utslippskontroll::definition(),
     "U_K create thread",
     "ANLEGGSNR S6, UTSL_DATO1 LONG, UTSL_DATO2 LONG, PR_METODE S25, PRTYPE S25, VERDI REAL x20 x10, "
     "VANNFOERING REAL, OVERLOEP REAL, VERDITUNGMETALL REAL x20 x10, LAB_JOURNALNR S20, SAKSBEHANDLER "
     "S20, SENDT_DATO LONG, REG_DATO LONG, REG_IDENT S10",
     "KOMMENTAR 3000",
     "",
     {"U_K:UTSLIPPSKONTROLL_KEY1(ANLEGGSNR,UTSL_DATO2,PRTYPE,LAB_JOURNALNR) unique nocase optional primary",
      "U_K:UTSLIPSKONTROLL_KEY2(REG_DATO,PRTYPE,ANLEGGSNR,UTSL_DATO2) dup nocase optional",
      "U_K:UTSLIPSKONTROLL_KEY3(ANLEGGSNR,PRTYPE,UTSL_DATO2) dup nocase optional",
      "U_K:UTSLIPSKONTROLL_KEY4(ANLEGGSNR,LAB_JOURNALNR) dup nocase optional"}},
    {data::Slamkontroll::definition(),
     "S_K create reuse thread",
     "ANLEGGSNR S6, PR_TAKINGSTED S20, DATO1 LONG, DATO2 LONG, STATISTIKKAAR SHORT, STATISTIKKMND "
     "SHORT, KODE_VARETYPE S10, KVALITETSKLASSE S4, DATO1_TUNGMETALL LONG, DATO2_TUNGMETALL LONG, "
     "PR_TYPE_TUNGMETALL S20, VERDI_TS_TUNGMETALL REAL, VERDI_PH_TUNGMETALL REAL, VERDI_CD REAL, "
     "VERDI_HG REAL, VERDI_PB REAL, VERDI_NI REAL, VERDI_CR REAL, VERDI_ZN REAL, VERDI_CU REAL, "
     "DATO1_NAERINGSSTOFF LONG, DATO2_NAERINGSSTOFF LONG, PR_TAKINGSTED_NAERINGSSTOFF S20, "
     "PR_TYPE_NAERINGSSTOFF S20, VERDI_TS_NAERINGSSTOFF REAL, VERDI_PH_NAERINGSSTOFF REAL, "
     "VERDI_TS_ORG_STOFF REAL, ELEKTRISK_KONDUKTIVITET SHORT, PARTIKKELSTORRELSE SHORT, "
     "VERDI_TS_KJELLDAHL REAL, VERDI_TS_TOTALNITROGEN REAL, VERDI_TS_AMMONIUM_N REAL, "
     "VERDI_TS_TOTALFOSFOR REAL, VERDI_TS_KALSIUM REAL, VERDI_TS_KALIUM REAL, VERDI_TS_KJELLDAHL_MGL "
     "REAL, VERDI_TS_TOTALNITROGEN_MGL REAL, VERDI_TS_AMMONIUM_N_MGL REAL, VERDI_TS_TOTALFOSFOR_MGL "
     "REAL, VERDI_TS_KALSIUM_MGL REAL, VERDI_TS_KALIUM_MGL REAL, VERDI_TERMO_KOLI S11, "
     "VERDI_SALMONELLA S11, VERDI_PARASITTEGG S11, SS_MAKS LONG, SS_MIDDEL LONG, TEMP_MIN REAL, "
     "TEMP_MAKS REAL, PH_SLAM_MIN REAL, PH_SLAM_MAKS REAL, LAB_JOURNALNR S20, VURDERT_DATO LONG, "
     "SAKSBEHANDLER S10, REG_DATO LONG, REG_IDENT S10",
     "KOMMENTAR 3000",
     "",
     {"S_K:SLAMKONTROLL_KEY1(ANLEGGSNR,PR_TAKINGSTED,DATO2,LAB_JOURNALNR) unique nocase optional primary",
      "S_K:SLAMKONTROLL_KEY2(REG_DATO,ANLEGGSNR,DATO2) dup nocase optional",
      "S_K:SLAMKONTROLL_KEY3(ANLEGGSNR,STATISTIKKAAR,STATISTIKKMND,DATO2) dup nocase optional",
      "S_K:SLAMKONTROLL_KEY4(ANLEGGSNR,LAB_JOURNALNR) dup nocase optional",
      "S_K:SLAMKONTROLL_KEY5(ANLEGGSNR,DATO2,LAB_JOURNALNR) dup nocase optional",
      "S_K:SLAMKONTROLL_KEY6(PR_TAKINGSTED) dup nocase optional"}},
    {data::Parameter::definition(),
     "PAR create reuse thread",
     "PARAMETER S10, TYPE S1, BETEGNELSE S30, SPESIFIKKVERDI REAL, ENHET S5, DETEKSJONSGR_FORSKR REAL, "
     "DETEKSJONSGR_LAB REAL",
     "",
     "",
     {"PAR:PARAMETERKEY(PARAMETER) unique nocase optional primary"}},
    {data::PrType::definition(),
     "P_T create reuse thread",
     "PRTYPE S25",
     "",
     "",
     {"P_T:PRTYPEKEY(PRTYPE) unique nocase optional primary"}},
    {data::PrTakingsSted::definition(),
     "PRT create reuse thread",
     "PR_TAKINGSTED S20",
     "",
     "",
     {"PRT:PRTAKINGSSTED_KEY(PR_TAKINGSTED) unique nocase optional"}},
    {data::Postadresser::definition(),
     "P_A create reuse thread",
     "POSTNUMMER S4, POSTSTED S30",
     "",
     "",
     {"P_A:POSTADRESSE_KEY1(POSTNUMMER) unique nocase optional primary",
      "P_A:POSTADRESSE_KEY2(POSTSTED) dup nocase optional"}},
    {data::Driftsdata::definition(),
     "DRI create thread",
     "ANLEGGSNR S6, AAR SHORT, MND SHORT, VANNMENGDE_BEHANDLET REAL, VANNFORING_MAKS REAL, "
     "VANNFORING_MIN REAL, VANNMENGDE_OVERLOP REAL, DRIFTSTID_OVERLOP SHORT, RISTGODS REAL, SAND REAL, "
     "FELL_KJEM_1 S20, FELL_KJEM_1_MENGDE REAL, FELL_KJEM_2 S20, FELL_KJEM_2_MENGDE REAL, "
     "POLYMER_VANNBEHANDLING S20, SEPTIK LONG, FORTYKKET_FRA_ANDRE_ANLEGG LONG, "
     "AVVANNET_FRA_ANDRE_ANLEGG LONG, SLAM_TIL_SLAMBEHANDLINGSPROSESS LONG, ANLEGGSNR_FORTYKKET S6, "
     "SLAM_TS_FORTYKKET REAL, PRODUKSJON_AVVANNET_SLAM REAL, ANLEGGSNR_AVVANNET S6, SLAM_TS_AVVANN "
     "REAL, FORBRUK_POLYMER REAL, FORBRUK_KALK REAL, FORBRUK_BARK REAL, FORBRUK_SPESIFISERT S20, "
     "FORBRUK_SPESIFISERT_MENGDE REAL, FORBRUK_ENHET S5, PRODUKSJON_FERDIG_SLAM REAL, SLUTTPRODUKT_TS "
     "REAL, PRODUSERT_GASS S20, PRODUSERT_METAN S20, FORBRUK_EL LONG, FORBRUK_OLJE LONG, FORBRUK_VANN "
     "LONG, ORGINN REAL, ORGAEROB REAL, ORGUT REAL, REDORGFORBEH REAL, REDORGREAKTOR REAL, "
     "REDORGTOTALT REAL, PRODGASSPRTILFORG REAL, PRODGASSPRNEDBRORG REAL, SAKSBEHANDLER S10, "
     "SENDT_DATO LONG, REG_DATO LONG, REG_IDENT S10",
     "KOMMENTAR 3000",
     "",
     {"DRI:DRIFTSDATA_KEY1(ANLEGGSNR,AAR,MND) unique nocase optional primary"}},
    {data::Driftsanalyser::definition(),
     "DRA create reuse thread",
     "ANLEGGSNR S6, AAR SHORT, MND SHORT, DATO LONG, TSINN REAL, FTSINN REAL, ORGINN REAL, TSAEROB "
     "REAL, FTSAEROB REAL, ORGAEROB REAL, TSUT REAL, FTSUT REAL, ORGUT REAL",
     "",
     "",
     {"DRA:DRIFTSANALYSER_KEY(ANLEGGSNR,AAR,MND,DATO) unique nocase optional primary"}},
    {data::Slamdisponering::definition(),
     "S_D create reuse thread",
     "ANLEGGSNR S6, AAR SHORT, SLAM_INN REAL, PRODUKSJON_FERDIG_SLAM REAL, SLUTTPRODUKT_TS REAL, "
     "SLAM_DISPONERT_TOTALT REAL, SLAM_DISPONERT_JORDBRUK REAL, SLAM_DISPONERT_JORDFORBEDRING REAL, "
     "SLAM_DISPONERT_TOPPDEKKE REAL, SLAM_DISPONERT_ANNET REAL, SLAM_DEPONERT_TUNGMETALL REAL, "
     "SLAM_DEPONERT_ANNET REAL, SLAM_LAGER REAL, REG_DATO LONG, REG_IDENT S10",
     "",
     "",
     {"S_D:SLAMDISPONERING_KEY(ANLEGGSNR,AAR) unique nocase optional primary"}},
    {data::Slamoverforing::definition(),
     "S_O create reuse thread",
     "FRA_ANLEGGSNR S6, TIL_ANLEGGSNR S6, AAR SHORT, MND SHORT, SLAM_TIL_SLAMBEHANDLINGSPROSESS LONG, "
     "SLAM_TS_FORTYKKET REAL, PRODUKSJON_AVVANNET_SLAM REAL, SLAM_TS_AVVANN REAL",
     "",
     "",
     {"S_O:SLAMOVERFORING_KEY1(FRA_ANLEGGSNR,AAR,MND,TIL_ANLEGGSNR) unique nocase optional primary",
      "S_O:SLAMOVERFORING_KEY2(TIL_ANLEGGSNR,AAR,MND,FRA_ANLEGGSNR) dup nocase optional"}},
    {data::Bef_reg::definition(),
     "B_R create reuse thread",
     "ANLEGGSNR S6, BEF_DATO LONG, PR_NR SHORT, PR_STED S20, PH REAL, ORTO_P REAL, O2 REAL, SIKT "
     "SHORT, SLAMVOLUM SHORT, SLAMKONS REAL, ALKALITET REAL, ANNET S15, REG_DATO LONG, REG_IDENT S10",
     "",
     "",
     {"B_R:BEF_REG_KEY1(ANLEGGSNR,BEF_DATO,PR_NR) unique nocase optional primary",
      "B_R:BEF_REG_KEY2(ANLEGGSNR,PR_STED,BEF_DATO) dup nocase optional"}},
    {data::Bef_dato::definition(),
     "B_D create reuse thread",
     "ANLEGGSNR S6, BEF_DATO LONG, TILSTEDE S60, FRA_TID LONG, TIL_TID LONG, FUNKSJON S10, VANNFOERING "
     "REAL, DOSERING SHORT, SAKSBEHANDLER S10, SENDT_DATO LONG, REG_DATO LONG, REG_IDENT S10",
     "KOMMENTAR 6000",
     "",
     {"B_D:BEF_DATO_KEY(ANLEGGSNR,BEF_DATO) unique nocase optional primary"}},
};

TEST(RecordLayouts, EveryFileIsDeclaredFieldForField) {
  for (const auto& l : kLayouts) {
    SCOPED_TRACE(l.def.label);
    EXPECT_EQ(attributesOf(l.def), l.attributes);
    EXPECT_EQ(fieldsOf(l.def, false), l.fields);
    EXPECT_EQ(fieldsOf(l.def, true), l.memos);
    EXPECT_EQ(groupsOf(l.def), l.groups);
    EXPECT_EQ(keysOf(l.def), l.keys);
  }
}

}  // namespace
