#pragma once
// Registry files the program defines and names but never opens; kept whole so that every
// thread has an instance of each, as the registry defines them.
#include <cstdint>
#include <string>

#include "platform/store/file.h"
#include "platform/text/str.h"

namespace data {

using text::Str;

struct DriftsdataRecord {
  Str<6> ANLEGGSNR;
  std::int16_t AAR;
  std::int16_t MND;
  double VANNMENGDE_BEHANDLET;
  double VANNFORING_MAKS;
  double VANNFORING_MIN;
  double VANNMENGDE_OVERLOP;
  std::int16_t DRIFTSTID_OVERLOP;
  double RISTGODS;
  double SAND;
  Str<20> FELL_KJEM_1;
  double FELL_KJEM_1_MENGDE;
  Str<20> FELL_KJEM_2;
  double FELL_KJEM_2_MENGDE;
  Str<20> POLYMER_VANNBEHANDLING;
  std::int32_t SEPTIK;
  std::int32_t FORTYKKET_FRA_ANDRE_ANLEGG;
  std::int32_t AVVANNET_FRA_ANDRE_ANLEGG;
  std::int32_t SLAM_TIL_SLAMBEHANDLINGSPROSESS;
  Str<6> ANLEGGSNR_FORTYKKET;
  double SLAM_TS_FORTYKKET;
  double PRODUKSJON_AVVANNET_SLAM;
  Str<6> ANLEGGSNR_AVVANNET;
  double SLAM_TS_AVVANN;
  double FORBRUK_POLYMER;
  double FORBRUK_KALK;
  double FORBRUK_BARK;
  Str<20> FORBRUK_SPESIFISERT;
  double FORBRUK_SPESIFISERT_MENGDE;
  Str<5> FORBRUK_ENHET;
  double PRODUKSJON_FERDIG_SLAM;
  double SLUTTPRODUKT_TS;
  Str<20> PRODUSERT_GASS;
  Str<20> PRODUSERT_METAN;
  std::int32_t FORBRUK_EL;
  std::int32_t FORBRUK_OLJE;
  std::int32_t FORBRUK_VANN;
  double ORGINN;
  double ORGAEROB;
  double ORGUT;
  double REDORGFORBEH;
  double REDORGREAKTOR;
  double REDORGTOTALT;
  double PRODGASSPRTILFORG;
  double PRODGASSPRNEDBRORG;
  Str<10> SAKSBEHANDLER;
  std::int32_t SENDT_DATO;
  std::int32_t REG_DATO;
  Str<10> REG_IDENT;
  std::string KOMMENTAR;  // memo, 3000
};
class Driftsdata : public store::File<DriftsdataRecord> {
 public:
  static constexpr store::KeyId DRIFTSDATA_KEY1{0};
  static const store::FileDef& definition();
  Driftsdata() : File(definition()) {}
};

struct DriftsanalyserRecord {
  Str<6> ANLEGGSNR;
  std::int16_t AAR;
  std::int16_t MND;
  std::int32_t DATO;
  double TSINN;
  double FTSINN;
  double ORGINN;
  double TSAEROB;
  double FTSAEROB;
  double ORGAEROB;
  double TSUT;
  double FTSUT;
  double ORGUT;
};
class Driftsanalyser : public store::File<DriftsanalyserRecord> {
 public:
  static constexpr store::KeyId DRIFTSANALYSER_KEY{0};
  static const store::FileDef& definition();
  Driftsanalyser() : File(definition()) {}
};

struct SlamdisponeringRecord {
  Str<6> ANLEGGSNR;
  std::int16_t AAR;
  double SLAM_INN;
  double PRODUKSJON_FERDIG_SLAM;
  double SLUTTPRODUKT_TS;
  double SLAM_DISPONERT_TOTALT;
  double SLAM_DISPONERT_JORDBRUK;
  double SLAM_DISPONERT_JORDFORBEDRING;
  double SLAM_DISPONERT_TOPPDEKKE;
  double SLAM_DISPONERT_ANNET;
  double SLAM_DEPONERT_TUNGMETALL;
  double SLAM_DEPONERT_ANNET;
  double SLAM_LAGER;
  std::int32_t REG_DATO;
  Str<10> REG_IDENT;
};
class Slamdisponering : public store::File<SlamdisponeringRecord> {
 public:
  static constexpr store::KeyId SLAMDISPONERING_KEY{0};
  static const store::FileDef& definition();
  Slamdisponering() : File(definition()) {}
};

struct SlamoverforingRecord {
  Str<6> FRA_ANLEGGSNR;
  Str<6> TIL_ANLEGGSNR;
  std::int16_t AAR;
  std::int16_t MND;
  std::int32_t SLAM_TIL_SLAMBEHANDLINGSPROSESS;
  double SLAM_TS_FORTYKKET;
  double PRODUKSJON_AVVANNET_SLAM;
  double SLAM_TS_AVVANN;
};
class Slamoverforing : public store::File<SlamoverforingRecord> {
 public:
  static constexpr store::KeyId SLAMOVERFORING_KEY1{0};
  static constexpr store::KeyId SLAMOVERFORING_KEY2{1};
  static const store::FileDef& definition();
  Slamoverforing() : File(definition()) {}
};

struct Bef_regRecord {
  Str<6> ANLEGGSNR;
  std::int32_t BEF_DATO;
  std::int16_t PR_NR;
  Str<20> PR_STED;
  double PH;
  double ORTO_P;
  double O2;
  std::int16_t SIKT;
  std::int16_t SLAMVOLUM;
  double SLAMKONS;
  double ALKALITET;
  Str<15> ANNET;
  std::int32_t REG_DATO;
  Str<10> REG_IDENT;
};
class Bef_reg : public store::File<Bef_regRecord> {
 public:
  static constexpr store::KeyId BEF_REG_KEY1{0};
  static constexpr store::KeyId BEF_REG_KEY2{1};
  static const store::FileDef& definition();
  Bef_reg() : File(definition()) {}
};

struct Bef_datoRecord {
  Str<6> ANLEGGSNR;
  std::int32_t BEF_DATO;
  Str<60> TILSTEDE;
  std::int32_t FRA_TID;
  std::int32_t TIL_TID;
  Str<10> FUNKSJON;
  double VANNFOERING;
  std::int16_t DOSERING;
  Str<10> SAKSBEHANDLER;
  std::int32_t SENDT_DATO;
  std::int32_t REG_DATO;
  Str<10> REG_IDENT;
  std::string KOMMENTAR;  // memo, 6000
};
class Bef_dato : public store::File<Bef_datoRecord> {
 public:
  static constexpr store::KeyId BEF_DATO_KEY{0};
  static const store::FileDef& definition();
  Bef_dato() : File(definition()) {}
};

}  // namespace data
