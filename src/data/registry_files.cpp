#include "data/registry_files.h"

#include "data/definitions.h"

namespace data {

using namespace def;

const store::FileDef& Anlegg::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<AnleggRecord> b("Anlegg", "ANL", CreateReusePerThread);
    auto& r = b.probe();
    b.group("ANLEGGSNR", {"KOMMUNENR", "ANLEGG_NR"}).group("KOMMUNENR", {"FYLKESNR", "KOMM_NR"});
    b.field("FYLKESNR", r.ANLEGGSNR.KOMMUNENR.FYLKESNR).field("KOMM_NR", r.ANLEGGSNR.KOMMUNENR.KOMM_NR);
    b.field("ANLEGG_NR", r.ANLEGGSNR.ANLEGG_NR);
    b.field("RENSEDISTRIKTETSNR", r.RENSEDISTRIKTETSNR);
    b.field("SPREDT_BEBYGGELSE", r.SPREDT_BEBYGGELSE);
    b.field("UTSLIPPSKONTROLL", r.UTSLIPPSKONTROLL);
    b.field("ANLEGGSNAVN", r.ANLEGGSNAVN);
    b.field("EIERFORM", r.EIERFORM);
    b.field("ANLEGGSEIER", r.ANLEGGSEIER);
    b.group("EIERSKIFTE", {"EIERSKIFTE_MND", "EIERSKIFTE_AAR"});
    b.field("EIERSKIFTE_MND", r.EIERSKIFTE.EIERSKIFTE_MND).field("EIERSKIFTE_AAR", r.EIERSKIFTE.EIERSKIFTE_AAR);
    b.field("ADRESSE", r.ADRESSE);
    b.field("POSTNUMMER", r.POSTNUMMER);
    b.field("TELEFONEIER", r.TELEFONEIER);
    b.field("KONTAKTPERSON", r.KONTAKTPERSON);
    b.field("TELEFONKONTAKTPERSON", r.TELEFONKONTAKTPERSON);
    b.field("KONTAKTPERSONDRIFT", r.KONTAKTPERSONDRIFT);
    b.field("TELEFONANLEGG", r.TELEFONANLEGG);
    b.field("UTM_SONEBELTE", r.UTM_SONEBELTE);
    b.field("UTM_OST", r.UTM_OST);
    b.field("UTM_NORD", r.UTM_NORD);
    b.field("RESIPIENT", r.RESIPIENT);
    b.field("UTM_SONEBELTEUTSLIPP", r.UTM_SONEBELTEUTSLIPP);
    b.field("UTM_OSTUTSLIPP", r.UTM_OSTUTSLIPP);
    b.field("UTM_NORDUTSLIPP", r.UTM_NORDUTSLIPP);
    b.field("NEDBORFELT", r.NEDBORFELT);
    b.field("UTSLIPPSPUNKT", r.UTSLIPPSPUNKT);
    b.field("UTSLIPPSDYP", r.UTSLIPPSDYP);
    b.field("TYPEVIRKSOMHET", r.TYPEVIRKSOMHET);
    b.field("MAKSPEBELASTN", r.MAKSPEBELASTN);
    b.field("BELEGGSPROSENT", r.BELEGGSPROSENT);
    b.field("VANNFORBRUK", r.VANNFORBRUK);
    b.field("FORURENSNINGSMYNDIGHET", r.FORURENSNINGSMYNDIGHET);
    b.field("DOKUMENTASJONSFREKVENS", r.DOKUMENTASJONSFREKVENS);
    b.field("DATOSISTEDOK", r.DATOSISTEDOK);
    b.field("KRAV_UTTAK_KONTROLLPR", r.KRAV_UTTAK_KONTROLLPR);
    b.field("QDIM", r.QDIM);
    b.field("QDIMMAKS", r.QDIMMAKS);
    b.field("QDIM_PE_HYDR", r.QDIM_PE_HYDR);
    b.field("QDIM_PE_ORG", r.QDIM_PE_ORG);
    b.field("RENSEMETODE", r.RENSEMETODE);
    b.field("ETTERPOLERINGSMETODE", r.ETTERPOLERINGSMETODE);
    b.field("RISTSILGODS", r.RISTSILGODS);
    b.field("SAND", r.SAND);
    b.field("FAKTOR_ENERGI", r.FAKTOR_ENERGI);
    b.group("SATT_I_DRIFT", {"SATT_I_DRIFT_MND", "SATT_I_DRIFT_AAR"});
    b.field("SATT_I_DRIFT_MND", r.SATT_I_DRIFT.SATT_I_DRIFT_MND)
        .field("SATT_I_DRIFT_AAR", r.SATT_I_DRIFT.SATT_I_DRIFT_AAR);
    b.group("ENDRETFORNYET", {"ENDRETFORNYET_MND", "ENDRETFORNYET_AAR"});
    b.field("ENDRETFORNYET_MND", r.ENDRETFORNYET.ENDRETFORNYET_MND)
        .field("ENDRETFORNYET_AAR", r.ENDRETFORNYET.ENDRETFORNYET_AAR);
    b.field("NEDLAGT", r.NEDLAGT);
    b.group("NEDLAGT_DATO", {"NEDLAGT_MND", "NEDLAGT_AAR"});
    b.field("NEDLAGT_MND", r.NEDLAGT_DATO.NEDLAGT_MND).field("NEDLAGT_AAR", r.NEDLAGT_DATO.NEDLAGT_AAR);
    b.field("KODE_VARETYPE", r.KODE_VARETYPE);
    b.field("SLAMAVVANNING", r.SLAMAVVANNING);
    b.field("SLAMAVVANNINGKAP", r.SLAMAVVANNINGKAP);
    b.field("ANLEGGSNR_FORTYKKET", r.ANLEGGSNR_FORTYKKET);
    b.field("SLAMHYGIENISERINGSTABILISERING", r.SLAMHYGIENISERINGSTABILISERING);
    b.field("SLAMINNKAP", r.SLAMINNKAP);
    b.field("ANLEGGSNR_AVVANNET", r.ANLEGGSNR_AVVANNET);
    b.field("SLAMVANNSIGEVANN", r.SLAMVANNSIGEVANN);
    b.field("SLAMBEHANDLET", r.SLAMBEHANDLET);
    b.field("SLAMBEHANDLETKAP", r.SLAMBEHANDLETKAP);
    b.field("FELL_KJEMIKALIUM", r.FELL_KJEMIKALIUM);
    b.field("FELL_KJEMIKALIUM_BEFARING", r.FELL_KJEMIKALIUM_BEFARING);
    b.field("FELL_KJEMIKALIUM_DRIFTSDATA", r.FELL_KJEMIKALIUM_DRIFTSDATA);
    b.group("SLAM_SATT_I_DRIFT", {"SLAM_SATT_I_DRIFT_MND", "SLAM_SATT_I_DRIFT_AAR"});
    b.field("SLAM_SATT_I_DRIFT_MND", r.SLAM_SATT_I_DRIFT.SLAM_SATT_I_DRIFT_MND)
        .field("SLAM_SATT_I_DRIFT_AAR", r.SLAM_SATT_I_DRIFT.SLAM_SATT_I_DRIFT_AAR);
    b.field("SLAMNEDLAGT", r.SLAMNEDLAGT);
    b.group("SLAM_NEDLAGT_DATO", {"SLAM_NEDLAGT_MND", "SLAM_NEDLAGT_AAR"});
    b.field("SLAM_NEDLAGT_MND", r.SLAM_NEDLAGT_DATO.SLAM_NEDLAGT_MND)
        .field("SLAM_NEDLAGT_AAR", r.SLAM_NEDLAGT_DATO.SLAM_NEDLAGT_AAR);
    b.field("KONSESJONDATO", r.KONSESJONDATO);
    b.field("KONSESJONRAMME", r.KONSESJONRAMME);
    b.field("ANTALLPARAMETRE", r.ANTALLPARAMETRE);
    b.field("PARAMETER", r.PARAMETER);
    b.field("RENSEEFFEKT", r.RENSEEFFEKT);
    b.field("K1", r.K1);
    b.field("K2", r.K2);
    b.field("TOTALUTSLIPP", r.TOTALUTSLIPP);
    b.field("SPES_UTSLIPPMENGDE", r.SPES_UTSLIPPMENGDE);
    b.field("ANTALLPRUTL", r.ANTALLPRUTL);
    b.field("ANTALLGJELDENDEPRUTL", r.ANTALLGJELDENDEPRUTL);
    b.field("ANTALLPRINNL", r.ANTALLPRINNL);
    b.field("PRTYPE", r.PRTYPE);
    b.field("TUNGMETALLANTALLPARAMETRE", r.TUNGMETALLANTALLPARAMETRE);
    b.field("TUNGMETALLPARAMETER", r.TUNGMETALLPARAMETER);
    b.field("ANTALLPRSTEDER", r.ANTALLPRSTEDER);
    b.field("PRSTED", r.PRSTED);
    b.field("REG_DATO", r.REG_DATO);
    b.field("REG_IDENT", r.REG_IDENT);
    b.memo("ANDREOPPLYSNINGER", r.ANDREOPPLYSNINGER, 1000);
    b.key(key("ANL:ANLEGG_KEY1", {"ANLEGGSNR"}, Unique | NoCase | Primary));
    b.key(key("ANL:ANLEGGKEY_2", {"ANLEGGSNAVN"}, Dup | NoCase | Opt));
    b.key(key("ANL:ANLEGG_KEY3", {"RENSEDISTRIKTETSNR", "ANLEGGSNR"}, Unique | NoCase | Opt));
    return b.build();
  }();
  return d;
}

const store::FileDef& Utslippskontroll::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<UtslippskontrollRecord> b("Utslippskontroll", "U_K", CreatePerThread);
    auto& r = b.probe();
    b.field("ANLEGGSNR", r.ANLEGGSNR);
    b.field("UTSL_DATO1", r.UTSL_DATO1);
    b.field("UTSL_DATO2", r.UTSL_DATO2);
    b.field("PR_METODE", r.PR_METODE);
    b.field("PRTYPE", r.PRTYPE);
    b.field("VERDI", r.VERDI);
    b.field("VANNFOERING", r.VANNFOERING);
    b.field("OVERLOEP", r.OVERLOEP);
    b.field("VERDITUNGMETALL", r.VERDITUNGMETALL);
    b.field("LAB_JOURNALNR", r.LAB_JOURNALNR);
    b.field("SAKSBEHANDLER", r.SAKSBEHANDLER);
    b.field("SENDT_DATO", r.SENDT_DATO);
    b.field("REG_DATO", r.REG_DATO);
    b.field("REG_IDENT", r.REG_IDENT);
    b.memo("KOMMENTAR", r.KOMMENTAR, 3000);
    b.key(key("U_K:UTSLIPPSKONTROLL_KEY1", {"ANLEGGSNR", "UTSL_DATO2", "PRTYPE", "LAB_JOURNALNR"},
              Unique | NoCase | Opt | Primary));
    b.key(key("U_K:UTSLIPSKONTROLL_KEY2", {"REG_DATO", "PRTYPE", "ANLEGGSNR", "UTSL_DATO2"}, Dup | NoCase | Opt));
    b.key(key("U_K:UTSLIPSKONTROLL_KEY3", {"ANLEGGSNR", "PRTYPE", "UTSL_DATO2"}, Dup | NoCase | Opt));
    b.key(key("U_K:UTSLIPSKONTROLL_KEY4", {"ANLEGGSNR", "LAB_JOURNALNR"}, Dup | NoCase | Opt));
    return b.build();
  }();
  return d;
}

const store::FileDef& Slamkontroll::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<SlamkontrollRecord> b("Slamkontroll", "S_K", CreateReusePerThread);
    auto& r = b.probe();
    b.field("ANLEGGSNR", r.ANLEGGSNR);
    b.field("PR_TAKINGSTED", r.PR_TAKINGSTED);
    b.field("DATO1", r.DATO1);
    b.field("DATO2", r.DATO2);
    b.field("STATISTIKKAAR", r.STATISTIKKAAR);
    b.field("STATISTIKKMND", r.STATISTIKKMND);
    b.field("KODE_VARETYPE", r.KODE_VARETYPE);
    b.field("KVALITETSKLASSE", r.KVALITETSKLASSE);
    b.field("DATO1_TUNGMETALL", r.DATO1_TUNGMETALL);
    b.field("DATO2_TUNGMETALL", r.DATO2_TUNGMETALL);
    b.field("PR_TYPE_TUNGMETALL", r.PR_TYPE_TUNGMETALL);
    b.field("VERDI_TS_TUNGMETALL", r.VERDI_TS_TUNGMETALL);
    b.field("VERDI_PH_TUNGMETALL", r.VERDI_PH_TUNGMETALL);
    b.field("VERDI_CD", r.VERDI_CD);
    b.field("VERDI_HG", r.VERDI_HG);
    b.field("VERDI_PB", r.VERDI_PB);
    b.field("VERDI_NI", r.VERDI_NI);
    b.field("VERDI_CR", r.VERDI_CR);
    b.field("VERDI_ZN", r.VERDI_ZN);
    b.field("VERDI_CU", r.VERDI_CU);
    b.field("DATO1_NAERINGSSTOFF", r.DATO1_NAERINGSSTOFF);
    b.field("DATO2_NAERINGSSTOFF", r.DATO2_NAERINGSSTOFF);
    b.field("PR_TAKINGSTED_NAERINGSSTOFF", r.PR_TAKINGSTED_NAERINGSSTOFF);
    b.field("PR_TYPE_NAERINGSSTOFF", r.PR_TYPE_NAERINGSSTOFF);
    b.field("VERDI_TS_NAERINGSSTOFF", r.VERDI_TS_NAERINGSSTOFF);
    b.field("VERDI_PH_NAERINGSSTOFF", r.VERDI_PH_NAERINGSSTOFF);
    b.field("VERDI_TS_ORG_STOFF", r.VERDI_TS_ORG_STOFF);
    b.field("ELEKTRISK_KONDUKTIVITET", r.ELEKTRISK_KONDUKTIVITET);
    b.field("PARTIKKELSTORRELSE", r.PARTIKKELSTORRELSE);
    b.field("VERDI_TS_KJELLDAHL", r.VERDI_TS_KJELLDAHL);
    b.field("VERDI_TS_TOTALNITROGEN", r.VERDI_TS_TOTALNITROGEN);
    b.field("VERDI_TS_AMMONIUM_N", r.VERDI_TS_AMMONIUM_N);
    b.field("VERDI_TS_TOTALFOSFOR", r.VERDI_TS_TOTALFOSFOR);
    b.field("VERDI_TS_KALSIUM", r.VERDI_TS_KALSIUM);
    b.field("VERDI_TS_KALIUM", r.VERDI_TS_KALIUM);
    b.field("VERDI_TS_KJELLDAHL_MGL", r.VERDI_TS_KJELLDAHL_MGL);
    b.field("VERDI_TS_TOTALNITROGEN_MGL", r.VERDI_TS_TOTALNITROGEN_MGL);
    b.field("VERDI_TS_AMMONIUM_N_MGL", r.VERDI_TS_AMMONIUM_N_MGL);
    b.field("VERDI_TS_TOTALFOSFOR_MGL", r.VERDI_TS_TOTALFOSFOR_MGL);
    b.field("VERDI_TS_KALSIUM_MGL", r.VERDI_TS_KALSIUM_MGL);
    b.field("VERDI_TS_KALIUM_MGL", r.VERDI_TS_KALIUM_MGL);
    b.field("VERDI_TERMO_KOLI", r.VERDI_TERMO_KOLI);
    b.field("VERDI_SALMONELLA", r.VERDI_SALMONELLA);
    b.field("VERDI_PARASITTEGG", r.VERDI_PARASITTEGG);
    b.field("SS_MAKS", r.SS_MAKS);
    b.field("SS_MIDDEL", r.SS_MIDDEL);
    b.field("TEMP_MIN", r.TEMP_MIN);
    b.field("TEMP_MAKS", r.TEMP_MAKS);
    b.field("PH_SLAM_MIN", r.PH_SLAM_MIN);
    b.field("PH_SLAM_MAKS", r.PH_SLAM_MAKS);
    b.field("LAB_JOURNALNR", r.LAB_JOURNALNR);
    b.field("VURDERT_DATO", r.VURDERT_DATO);
    b.field("SAKSBEHANDLER", r.SAKSBEHANDLER);
    b.field("REG_DATO", r.REG_DATO);
    b.field("REG_IDENT", r.REG_IDENT);
    b.memo("KOMMENTAR", r.KOMMENTAR, 3000);
    b.key(key("S_K:SLAMKONTROLL_KEY1", {"ANLEGGSNR", "PR_TAKINGSTED", "DATO2", "LAB_JOURNALNR"},
              Unique | NoCase | Opt | Primary));
    b.key(key("S_K:SLAMKONTROLL_KEY2", {"REG_DATO", "ANLEGGSNR", "DATO2"}, Dup | NoCase | Opt));
    b.key(key("S_K:SLAMKONTROLL_KEY3", {"ANLEGGSNR", "STATISTIKKAAR", "STATISTIKKMND", "DATO2"}, Dup | NoCase | Opt));
    b.key(key("S_K:SLAMKONTROLL_KEY4", {"ANLEGGSNR", "LAB_JOURNALNR"}, Dup | NoCase | Opt));
    b.key(key("S_K:SLAMKONTROLL_KEY5", {"ANLEGGSNR", "DATO2", "LAB_JOURNALNR"}, Dup | NoCase | Opt));
    b.key(key("S_K:SLAMKONTROLL_KEY6", {"PR_TAKINGSTED"}, Dup | NoCase | Opt));
    return b.build();
  }();
  return d;
}

const store::FileDef& Parameter::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<ParameterRecord> b("Parameter", "PAR", CreateReusePerThread);
    auto& r = b.probe();
    b.field("PARAMETER", r.PARAMETER);
    b.field("TYPE", r.TYPE);
    b.field("BETEGNELSE", r.BETEGNELSE);
    b.field("SPESIFIKKVERDI", r.SPESIFIKKVERDI);
    b.field("ENHET", r.ENHET);
    b.field("DETEKSJONSGR_FORSKR", r.DETEKSJONSGR_FORSKR);
    b.field("DETEKSJONSGR_LAB", r.DETEKSJONSGR_LAB);
    b.key(key("PAR:PARAMETERKEY", {"PARAMETER"}, Unique | NoCase | Opt | Primary));
    return b.build();
  }();
  return d;
}

const store::FileDef& PrType::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<PrTypeRecord> b("PrType", "P_T", CreateReusePerThread);
    auto& r = b.probe();
    b.field("PRTYPE", r.PRTYPE);
    b.key(key("P_T:PRTYPEKEY", {"PRTYPE"}, Unique | NoCase | Opt | Primary));
    return b.build();
  }();
  return d;
}

const store::FileDef& PrTakingsSted::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<PrTakingsStedRecord> b("PrTakingsSted", "PRT", CreateReusePerThread);
    auto& r = b.probe();
    b.field("PR_TAKINGSTED", r.PR_TAKINGSTED);
    b.key(key("PRT:PRTAKINGSSTED_KEY", {"PR_TAKINGSTED"}, Unique | NoCase | Opt));
    return b.build();
  }();
  return d;
}

const store::FileDef& Postadresser::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<PostadresserRecord> b("Postadresser", "P_A", CreateReusePerThread);
    auto& r = b.probe();
    b.field("POSTNUMMER", r.POSTNUMMER);
    b.field("POSTSTED", r.POSTSTED);
    b.key(key("P_A:POSTADRESSE_KEY1", {"POSTNUMMER"}, Unique | NoCase | Opt | Primary));
    b.key(key("P_A:POSTADRESSE_KEY2", {"POSTSTED"}, Dup | NoCase | Opt));
    return b.build();
  }();
  return d;
}

}  // namespace data
