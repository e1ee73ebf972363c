#pragma once
// The registry product's record files, field for field as the registry defines them.
// GROUPs are nested structs; a text GROUP also reads and writes as one text (whole()/setWhole()).
// Arrays are 0-based in C++: ANL:PARAMETER[1] is rec.PARAMETER[0], U_K:VERDI[j,i] is
// rec.VERDI[j-1][i-1].
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/store/file.h"
#include "platform/text/str.h"

namespace data {

using text::Str;

// ANL:KOMMUNENR: county and municipality.
struct KommunenrGroup {
  Str<2> FYLKESNR;
  Str<2> KOMM_NR;
};
// ANL:ANLEGGSNR: the six-character plant number.
struct AnleggsnrGroup {
  KommunenrGroup KOMMUNENR;
  Str<2> ANLEGG_NR;
  Str<6> whole() const {
    Str<6> s;
    s.assignRaw(std::string_view(KOMMUNENR.FYLKESNR.data(), 6));
    return s;
  }
  void setWhole(const Str<6>& s) { std::memcpy(KOMMUNENR.FYLKESNR.data(), s.data(), 6); }
};
static_assert(sizeof(AnleggsnrGroup) == 6);

// Month-and-year GROUPs.
struct EierskifteGroup {
  std::int16_t EIERSKIFTE_MND;
  std::int16_t EIERSKIFTE_AAR;
};
struct SattIDriftGroup {
  std::int16_t SATT_I_DRIFT_MND;
  std::int16_t SATT_I_DRIFT_AAR;
};
struct EndretfornyetGroup {
  std::int16_t ENDRETFORNYET_MND;
  std::int16_t ENDRETFORNYET_AAR;
};
struct NedlagtDatoGroup {
  std::int16_t NEDLAGT_MND;
  std::int16_t NEDLAGT_AAR;
};
struct SlamSattIDriftGroup {
  std::int16_t SLAM_SATT_I_DRIFT_MND;
  std::int16_t SLAM_SATT_I_DRIFT_AAR;
};
struct SlamNedlagtDatoGroup {
  std::int16_t SLAM_NEDLAGT_MND;
  std::int16_t SLAM_NEDLAGT_AAR;
};

struct AnleggRecord {
  AnleggsnrGroup ANLEGGSNR;
  Str<6> RENSEDISTRIKTETSNR;
  std::uint8_t SPREDT_BEBYGGELSE;
  std::uint8_t UTSLIPPSKONTROLL;
  Str<50> ANLEGGSNAVN;
  Str<20> EIERFORM;
  Str<50> ANLEGGSEIER;
  EierskifteGroup EIERSKIFTE;
  Str<50> ADRESSE;
  Str<4> POSTNUMMER;
  Str<8> TELEFONEIER;
  Str<50> KONTAKTPERSON;
  Str<8> TELEFONKONTAKTPERSON;
  Str<50> KONTAKTPERSONDRIFT;
  Str<8> TELEFONANLEGG;
  Str<2> UTM_SONEBELTE;
  Str<6> UTM_OST;
  Str<7> UTM_NORD;
  Str<50> RESIPIENT;
  Str<2> UTM_SONEBELTEUTSLIPP;
  Str<6> UTM_OSTUTSLIPP;
  Str<7> UTM_NORDUTSLIPP;
  Str<9> NEDBORFELT;
  std::int16_t UTSLIPPSPUNKT;
  double UTSLIPPSDYP;
  Str<20> TYPEVIRKSOMHET;
  std::int16_t MAKSPEBELASTN;
  std::uint8_t BELEGGSPROSENT;
  std::int32_t VANNFORBRUK;
  Str<15> FORURENSNINGSMYNDIGHET;
  std::uint8_t DOKUMENTASJONSFREKVENS;
  std::int32_t DATOSISTEDOK;
  Str<3> KRAV_UTTAK_KONTROLLPR;
  double QDIM;
  double QDIMMAKS;
  std::int32_t QDIM_PE_HYDR;
  std::int32_t QDIM_PE_ORG;
  Str<50> RENSEMETODE;
  Str<50> ETTERPOLERINGSMETODE;
  Str<50> RISTSILGODS;
  Str<50> SAND;
  double FAKTOR_ENERGI;
  SattIDriftGroup SATT_I_DRIFT;
  EndretfornyetGroup ENDRETFORNYET;
  std::uint8_t NEDLAGT;
  NedlagtDatoGroup NEDLAGT_DATO;
  Str<10> KODE_VARETYPE;
  Str<60> SLAMAVVANNING;
  double SLAMAVVANNINGKAP;
  Str<6> ANLEGGSNR_FORTYKKET;
  Str<60> SLAMHYGIENISERINGSTABILISERING;
  double SLAMINNKAP;
  Str<6> ANLEGGSNR_AVVANNET;
  Str<60> SLAMVANNSIGEVANN;
  Str<50> SLAMBEHANDLET;
  double SLAMBEHANDLETKAP;
  Str<10> FELL_KJEMIKALIUM;
  Str<5> FELL_KJEMIKALIUM_BEFARING;
  Str<3> FELL_KJEMIKALIUM_DRIFTSDATA;
  SlamSattIDriftGroup SLAM_SATT_I_DRIFT;
  std::uint8_t SLAMNEDLAGT;
  SlamNedlagtDatoGroup SLAM_NEDLAGT_DATO;
  std::int32_t KONSESJONDATO;
  std::int32_t KONSESJONRAMME;
  std::uint8_t ANTALLPARAMETRE;
  Str<10> PARAMETER[20];
  std::uint8_t RENSEEFFEKT[20];
  double K1[20];
  double K2[20];
  double TOTALUTSLIPP[20];
  double SPES_UTSLIPPMENGDE[20];
  std::int16_t ANTALLPRUTL[20];
  std::int16_t ANTALLGJELDENDEPRUTL[20];
  std::int16_t ANTALLPRINNL[20];
  Str<50> PRTYPE;
  std::uint8_t TUNGMETALLANTALLPARAMETRE;
  Str<10> TUNGMETALLPARAMETER[20];
  std::uint8_t ANTALLPRSTEDER;
  Str<20> PRSTED[10];
  std::int32_t REG_DATO;
  Str<10> REG_IDENT;
  std::string ANDREOPPLYSNINGER;  // memo, 1000
};
class Anlegg : public store::File<AnleggRecord> {
 public:
  static constexpr store::KeyId ANLEGG_KEY1{0};
  static constexpr store::KeyId ANLEGGKEY_2{1};
  static constexpr store::KeyId ANLEGG_KEY3{2};
  static const store::FileDef& definition();
  Anlegg() : File(definition()) {}
};

struct UtslippskontrollRecord {
  Str<6> ANLEGGSNR;
  std::int32_t UTSL_DATO1;
  std::int32_t UTSL_DATO2;
  Str<25> PR_METODE;
  Str<25> PRTYPE;
  double VERDI[20][10];
  double VANNFOERING;
  double OVERLOEP;
  double VERDITUNGMETALL[20][10];
  Str<20> LAB_JOURNALNR;
  Str<20> SAKSBEHANDLER;
  std::int32_t SENDT_DATO;
  std::int32_t REG_DATO;
  Str<10> REG_IDENT;
  std::string KOMMENTAR;  // memo, 3000
};
class Utslippskontroll : public store::File<UtslippskontrollRecord> {
 public:
  static constexpr store::KeyId UTSLIPPSKONTROLL_KEY1{0};
  static constexpr store::KeyId UTSLIPSKONTROLL_KEY2{1};
  static constexpr store::KeyId UTSLIPSKONTROLL_KEY3{2};
  static constexpr store::KeyId UTSLIPSKONTROLL_KEY4{3};
  static const store::FileDef& definition();
  Utslippskontroll() : File(definition()) {}
};

struct SlamkontrollRecord {
  Str<6> ANLEGGSNR;
  Str<20> PR_TAKINGSTED;
  std::int32_t DATO1;
  std::int32_t DATO2;
  std::int16_t STATISTIKKAAR;
  std::int16_t STATISTIKKMND;
  Str<10> KODE_VARETYPE;
  Str<4> KVALITETSKLASSE;
  std::int32_t DATO1_TUNGMETALL;
  std::int32_t DATO2_TUNGMETALL;
  Str<20> PR_TYPE_TUNGMETALL;
  double VERDI_TS_TUNGMETALL;
  double VERDI_PH_TUNGMETALL;
  double VERDI_CD;
  double VERDI_HG;
  double VERDI_PB;
  double VERDI_NI;
  double VERDI_CR;
  double VERDI_ZN;
  double VERDI_CU;
  std::int32_t DATO1_NAERINGSSTOFF;
  std::int32_t DATO2_NAERINGSSTOFF;
  Str<20> PR_TAKINGSTED_NAERINGSSTOFF;
  Str<20> PR_TYPE_NAERINGSSTOFF;
  double VERDI_TS_NAERINGSSTOFF;
  double VERDI_PH_NAERINGSSTOFF;
  double VERDI_TS_ORG_STOFF;
  std::int16_t ELEKTRISK_KONDUKTIVITET;
  std::int16_t PARTIKKELSTORRELSE;
  double VERDI_TS_KJELLDAHL;
  double VERDI_TS_TOTALNITROGEN;
  double VERDI_TS_AMMONIUM_N;
  double VERDI_TS_TOTALFOSFOR;
  double VERDI_TS_KALSIUM;
  double VERDI_TS_KALIUM;
  double VERDI_TS_KJELLDAHL_MGL;
  double VERDI_TS_TOTALNITROGEN_MGL;
  double VERDI_TS_AMMONIUM_N_MGL;
  double VERDI_TS_TOTALFOSFOR_MGL;
  double VERDI_TS_KALSIUM_MGL;
  double VERDI_TS_KALIUM_MGL;
  Str<11> VERDI_TERMO_KOLI;
  Str<11> VERDI_SALMONELLA;
  Str<11> VERDI_PARASITTEGG;
  std::int32_t SS_MAKS;
  std::int32_t SS_MIDDEL;
  double TEMP_MIN;
  double TEMP_MAKS;
  double PH_SLAM_MIN;
  double PH_SLAM_MAKS;
  Str<20> LAB_JOURNALNR;
  std::int32_t VURDERT_DATO;
  Str<10> SAKSBEHANDLER;
  std::int32_t REG_DATO;
  Str<10> REG_IDENT;
  std::string KOMMENTAR;  // memo, 3000
};
class Slamkontroll : public store::File<SlamkontrollRecord> {
 public:
  static constexpr store::KeyId SLAMKONTROLL_KEY1{0};
  static constexpr store::KeyId SLAMKONTROLL_KEY2{1};
  static constexpr store::KeyId SLAMKONTROLL_KEY3{2};
  static constexpr store::KeyId SLAMKONTROLL_KEY4{3};
  static constexpr store::KeyId SLAMKONTROLL_KEY5{4};
  static constexpr store::KeyId SLAMKONTROLL_KEY6{5};
  static const store::FileDef& definition();
  Slamkontroll() : File(definition()) {}
};

struct ParameterRecord {
  Str<10> PARAMETER;
  Str<1> TYPE;
  Str<30> BETEGNELSE;
  double SPESIFIKKVERDI;
  Str<5> ENHET;
  double DETEKSJONSGR_FORSKR;
  double DETEKSJONSGR_LAB;
};
class Parameter : public store::File<ParameterRecord> {
 public:
  static constexpr store::KeyId PARAMETERKEY{0};
  static const store::FileDef& definition();
  Parameter() : File(definition()) {}
};

struct PrTypeRecord {
  Str<25> PRTYPE;
};
class PrType : public store::File<PrTypeRecord> {
 public:
  static constexpr store::KeyId PRTYPEKEY{0};
  static const store::FileDef& definition();
  PrType() : File(definition()) {}
};

struct PrTakingsStedRecord {
  Str<20> PR_TAKINGSTED;
};
class PrTakingsSted : public store::File<PrTakingsStedRecord> {
 public:
  static constexpr store::KeyId PRTAKINGSSTED_KEY{0};
  static const store::FileDef& definition();
  PrTakingsSted() : File(definition()) {}
};

struct PostadresserRecord {
  Str<4> POSTNUMMER;
  Str<30> POSTSTED;
};
class Postadresser : public store::File<PostadresserRecord> {
 public:
  static constexpr store::KeyId POSTADRESSE_KEY1{0};
  static constexpr store::KeyId POSTADRESSE_KEY2{1};
  static const store::FileDef& definition();
  Postadresser() : File(definition()) {}
};

}  // namespace data
