#include "data/declared_files.h"

#include "data/definitions.h"

namespace data {

using namespace def;

const store::FileDef& Driftsdata::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<DriftsdataRecord> b("Driftsdata", "DRI", CreatePerThread);
    auto& r = b.probe();
    b.field("ANLEGGSNR", r.ANLEGGSNR);
    b.field("AAR", r.AAR);
    b.field("MND", r.MND);
    b.field("VANNMENGDE_BEHANDLET", r.VANNMENGDE_BEHANDLET);
    b.field("VANNFORING_MAKS", r.VANNFORING_MAKS);
    b.field("VANNFORING_MIN", r.VANNFORING_MIN);
    b.field("VANNMENGDE_OVERLOP", r.VANNMENGDE_OVERLOP);
    b.field("DRIFTSTID_OVERLOP", r.DRIFTSTID_OVERLOP);
    b.field("RISTGODS", r.RISTGODS);
    b.field("SAND", r.SAND);
    b.field("FELL_KJEM_1", r.FELL_KJEM_1);
    b.field("FELL_KJEM_1_MENGDE", r.FELL_KJEM_1_MENGDE);
    b.field("FELL_KJEM_2", r.FELL_KJEM_2);
    b.field("FELL_KJEM_2_MENGDE", r.FELL_KJEM_2_MENGDE);
    b.field("POLYMER_VANNBEHANDLING", r.POLYMER_VANNBEHANDLING);
    b.field("SEPTIK", r.SEPTIK);
    b.field("FORTYKKET_FRA_ANDRE_ANLEGG", r.FORTYKKET_FRA_ANDRE_ANLEGG);
    b.field("AVVANNET_FRA_ANDRE_ANLEGG", r.AVVANNET_FRA_ANDRE_ANLEGG);
    b.field("SLAM_TIL_SLAMBEHANDLINGSPROSESS", r.SLAM_TIL_SLAMBEHANDLINGSPROSESS);
    b.field("ANLEGGSNR_FORTYKKET", r.ANLEGGSNR_FORTYKKET);
    b.field("SLAM_TS_FORTYKKET", r.SLAM_TS_FORTYKKET);
    b.field("PRODUKSJON_AVVANNET_SLAM", r.PRODUKSJON_AVVANNET_SLAM);
    b.field("ANLEGGSNR_AVVANNET", r.ANLEGGSNR_AVVANNET);
    b.field("SLAM_TS_AVVANN", r.SLAM_TS_AVVANN);
    b.field("FORBRUK_POLYMER", r.FORBRUK_POLYMER);
    b.field("FORBRUK_KALK", r.FORBRUK_KALK);
    b.field("FORBRUK_BARK", r.FORBRUK_BARK);
    b.field("FORBRUK_SPESIFISERT", r.FORBRUK_SPESIFISERT);
    b.field("FORBRUK_SPESIFISERT_MENGDE", r.FORBRUK_SPESIFISERT_MENGDE);
    b.field("FORBRUK_ENHET", r.FORBRUK_ENHET);
    b.field("PRODUKSJON_FERDIG_SLAM", r.PRODUKSJON_FERDIG_SLAM);
    b.field("SLUTTPRODUKT_TS", r.SLUTTPRODUKT_TS);
    b.field("PRODUSERT_GASS", r.PRODUSERT_GASS);
    b.field("PRODUSERT_METAN", r.PRODUSERT_METAN);
    b.field("FORBRUK_EL", r.FORBRUK_EL);
    b.field("FORBRUK_OLJE", r.FORBRUK_OLJE);
    b.field("FORBRUK_VANN", r.FORBRUK_VANN);
    b.field("ORGINN", r.ORGINN);
    b.field("ORGAEROB", r.ORGAEROB);
    b.field("ORGUT", r.ORGUT);
    b.field("REDORGFORBEH", r.REDORGFORBEH);
    b.field("REDORGREAKTOR", r.REDORGREAKTOR);
    b.field("REDORGTOTALT", r.REDORGTOTALT);
    b.field("PRODGASSPRTILFORG", r.PRODGASSPRTILFORG);
    b.field("PRODGASSPRNEDBRORG", r.PRODGASSPRNEDBRORG);
    b.field("SAKSBEHANDLER", r.SAKSBEHANDLER);
    b.field("SENDT_DATO", r.SENDT_DATO);
    b.field("REG_DATO", r.REG_DATO);
    b.field("REG_IDENT", r.REG_IDENT);
    b.memo("KOMMENTAR", r.KOMMENTAR, 3000);
    b.key(key("DRI:DRIFTSDATA_KEY1", {"ANLEGGSNR", "AAR", "MND"}, Unique | NoCase | Opt | Primary));
    return b.build();
  }();
  return d;
}

const store::FileDef& Driftsanalyser::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<DriftsanalyserRecord> b("Driftsanalyser", "DRA", CreateReusePerThread);
    auto& r = b.probe();
    b.field("ANLEGGSNR", r.ANLEGGSNR);
    b.field("AAR", r.AAR);
    b.field("MND", r.MND);
    b.field("DATO", r.DATO);
    b.field("TSINN", r.TSINN);
    b.field("FTSINN", r.FTSINN);
    b.field("ORGINN", r.ORGINN);
    b.field("TSAEROB", r.TSAEROB);
    b.field("FTSAEROB", r.FTSAEROB);
    b.field("ORGAEROB", r.ORGAEROB);
    b.field("TSUT", r.TSUT);
    b.field("FTSUT", r.FTSUT);
    b.field("ORGUT", r.ORGUT);
    b.key(key("DRA:DRIFTSANALYSER_KEY", {"ANLEGGSNR", "AAR", "MND", "DATO"}, Unique | NoCase | Opt | Primary));
    return b.build();
  }();
  return d;
}

const store::FileDef& Slamdisponering::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<SlamdisponeringRecord> b("Slamdisponering", "S_D", CreateReusePerThread);
    auto& r = b.probe();
    b.field("ANLEGGSNR", r.ANLEGGSNR);
    b.field("AAR", r.AAR);
    b.field("SLAM_INN", r.SLAM_INN);
    b.field("PRODUKSJON_FERDIG_SLAM", r.PRODUKSJON_FERDIG_SLAM);
    b.field("SLUTTPRODUKT_TS", r.SLUTTPRODUKT_TS);
    b.field("SLAM_DISPONERT_TOTALT", r.SLAM_DISPONERT_TOTALT);
    b.field("SLAM_DISPONERT_JORDBRUK", r.SLAM_DISPONERT_JORDBRUK);
    b.field("SLAM_DISPONERT_JORDFORBEDRING", r.SLAM_DISPONERT_JORDFORBEDRING);
    b.field("SLAM_DISPONERT_TOPPDEKKE", r.SLAM_DISPONERT_TOPPDEKKE);
    b.field("SLAM_DISPONERT_ANNET", r.SLAM_DISPONERT_ANNET);
    b.field("SLAM_DEPONERT_TUNGMETALL", r.SLAM_DEPONERT_TUNGMETALL);
    b.field("SLAM_DEPONERT_ANNET", r.SLAM_DEPONERT_ANNET);
    b.field("SLAM_LAGER", r.SLAM_LAGER);
    b.field("REG_DATO", r.REG_DATO);
    b.field("REG_IDENT", r.REG_IDENT);
    b.key(key("S_D:SLAMDISPONERING_KEY", {"ANLEGGSNR", "AAR"}, Unique | NoCase | Opt | Primary));
    return b.build();
  }();
  return d;
}

const store::FileDef& Slamoverforing::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<SlamoverforingRecord> b("Slamoverforing", "S_O", CreateReusePerThread);
    auto& r = b.probe();
    b.field("FRA_ANLEGGSNR", r.FRA_ANLEGGSNR);
    b.field("TIL_ANLEGGSNR", r.TIL_ANLEGGSNR);
    b.field("AAR", r.AAR);
    b.field("MND", r.MND);
    b.field("SLAM_TIL_SLAMBEHANDLINGSPROSESS", r.SLAM_TIL_SLAMBEHANDLINGSPROSESS);
    b.field("SLAM_TS_FORTYKKET", r.SLAM_TS_FORTYKKET);
    b.field("PRODUKSJON_AVVANNET_SLAM", r.PRODUKSJON_AVVANNET_SLAM);
    b.field("SLAM_TS_AVVANN", r.SLAM_TS_AVVANN);
    b.key(key("S_O:SLAMOVERFORING_KEY1", {"FRA_ANLEGGSNR", "AAR", "MND", "TIL_ANLEGGSNR"},
              Unique | NoCase | Opt | Primary));
    b.key(key("S_O:SLAMOVERFORING_KEY2", {"TIL_ANLEGGSNR", "AAR", "MND", "FRA_ANLEGGSNR"}, Dup | NoCase | Opt));
    return b.build();
  }();
  return d;
}

const store::FileDef& Bef_reg::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<Bef_regRecord> b("Bef_reg", "B_R", CreateReusePerThread);
    auto& r = b.probe();
    b.field("ANLEGGSNR", r.ANLEGGSNR);
    b.field("BEF_DATO", r.BEF_DATO);
    b.field("PR_NR", r.PR_NR);
    b.field("PR_STED", r.PR_STED);
    b.field("PH", r.PH);
    b.field("ORTO_P", r.ORTO_P);
    b.field("O2", r.O2);
    b.field("SIKT", r.SIKT);
    b.field("SLAMVOLUM", r.SLAMVOLUM);
    b.field("SLAMKONS", r.SLAMKONS);
    b.field("ALKALITET", r.ALKALITET);
    b.field("ANNET", r.ANNET);
    b.field("REG_DATO", r.REG_DATO);
    b.field("REG_IDENT", r.REG_IDENT);
    b.key(key("B_R:BEF_REG_KEY1", {"ANLEGGSNR", "BEF_DATO", "PR_NR"}, Unique | NoCase | Opt | Primary));
    b.key(key("B_R:BEF_REG_KEY2", {"ANLEGGSNR", "PR_STED", "BEF_DATO"}, Dup | NoCase | Opt));
    return b.build();
  }();
  return d;
}

const store::FileDef& Bef_dato::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<Bef_datoRecord> b("Bef_dato", "B_D", CreateReusePerThread);
    auto& r = b.probe();
    b.field("ANLEGGSNR", r.ANLEGGSNR);
    b.field("BEF_DATO", r.BEF_DATO);
    b.field("TILSTEDE", r.TILSTEDE);
    b.field("FRA_TID", r.FRA_TID);
    b.field("TIL_TID", r.TIL_TID);
    b.field("FUNKSJON", r.FUNKSJON);
    b.field("VANNFOERING", r.VANNFOERING);
    b.field("DOSERING", r.DOSERING);
    b.field("SAKSBEHANDLER", r.SAKSBEHANDLER);
    b.field("SENDT_DATO", r.SENDT_DATO);
    b.field("REG_DATO", r.REG_DATO);
    b.field("REG_IDENT", r.REG_IDENT);
    b.memo("KOMMENTAR", r.KOMMENTAR, 6000);
    b.key(key("B_D:BEF_DATO_KEY", {"ANLEGGSNR", "BEF_DATO"}, Unique | NoCase | Opt | Primary));
    return b.build();
  }();
  return d;
}

}  // namespace data
