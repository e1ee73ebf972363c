#pragma once
// The program's own record files: the four mapping tables, the settings file Lab2Siv, the
// user file Labuser and the registry product's dataset list Datasett.
// Field names are those of the declarations without prefix; arrays are 0-based in C++.
#include <cstdint>
#include <string>

#include "platform/store/file.h"
#include "platform/text/str.h"

namespace data {

using text::Str;

struct MapLabRecord {
  Str<4> LAB;
  Str<30> LABNAVN;
  Str<10> STEDKILDE;
  Str<20> DATOVALG;
  Str<200> DATADIRLAB;
  Str<200> IMPORTFILE;
};
class MapLab : public store::File<MapLabRecord> {
 public:
  static constexpr store::KeyId MAPLABKEY{0};
  static const store::FileDef& definition();
  MapLab() : File(definition()) {}
};

struct MapLeverRecord {
  Str<4> LAB;
  Str<10> LEVERAND;
  Str<6> ANLEGGSNR;
};
class MapLever : public store::File<MapLeverRecord> {
 public:
  static constexpr store::KeyId MAPLEVERKEY{0};
  static const store::FileDef& definition();
  MapLever() : File(definition()) {}
};

struct MapParamRecord {
  Str<4> LAB;
  Str<1> PRTYPE;
  Str<6> PARAMLAB;
  Str<20> PARAMSIV;
  double FAKTOR;
};
class MapParam : public store::File<MapParamRecord> {
 public:
  static constexpr store::KeyId MAPPARAMKEY{0};
  static const store::FileDef& definition();
  MapParam() : File(definition()) {}
};

struct MapStedRecord {
  Str<4> LAB;
  Str<6> LEVERAND;
  Str<6> STEDLAB;
  Str<15> STEDSIV;
};
class MapSted : public store::File<MapStedRecord> {
 public:
  static constexpr store::KeyId MAPSTEDKEY{0};
  static const store::FileDef& definition();
  MapSted() : File(definition()) {}
};

struct Lab2SivRecord {
  Str<150> DATADIRSIV;
  Str<150> PREIMPRUN;
  std::uint8_t PREIMPRUNSTATUS;
  std::uint8_t PREIMPRUNDOS;
};
class Lab2Siv : public store::File<Lab2SivRecord> {
 public:
  static const store::FileDef& definition();
  Lab2Siv() : File(definition()) {}
};

struct LabuserRecord {
  Str<100> BRUKER;
  Str<30> ADRESSE;
  Str<4> POSTNR;
  Str<11> TELEFON;
  Str<11> TELEFAX;
};
class Labuser : public store::File<LabuserRecord> {
 public:
  static const store::FileDef& definition();
  Labuser() : File(definition()) {}
};

struct DatasettRecord {
  Str<50> DATASETT_NAVN;
  Str<200> DATAKATALOG;
};
class Datasett : public store::File<DatasettRecord> {
 public:
  static constexpr store::KeyId DATASETT_KEY{0};
  static const store::FileDef& definition();
  Datasett() : File(definition()) {}
};

}  // namespace data
