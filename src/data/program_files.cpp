#include "data/program_files.h"

#include "data/definitions.h"

namespace data {

using namespace def;

const store::FileDef& MapLab::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<MapLabRecord> b("MapLab", "MAP", CreateReusePerThread);
    auto& r = b.probe();
    b.field("LAB", r.LAB).field("LABNAVN", r.LABNAVN).field("STEDKILDE", r.STEDKILDE);
    b.field("DATOVALG", r.DATOVALG).field("DATADIRLAB", r.DATADIRLAB).field("IMPORTFILE", r.IMPORTFILE);
    b.key(key("MAP:MAPLABKEY", {"LAB"}, Unique | NoCase | Opt | Primary));
    return b.build();
  }();
  return d;
}

const store::FileDef& MapLever::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<MapLeverRecord> b("MapLever", "M_L", CreateReusePerThread);
    auto& r = b.probe();
    b.field("LAB", r.LAB).field("LEVERAND", r.LEVERAND).field("ANLEGGSNR", r.ANLEGGSNR);
    b.key(key("M_L:MAPLEVERKEY", {"LAB", "LEVERAND"}, Unique | NoCase | Opt | Primary));
    return b.build();
  }();
  return d;
}

const store::FileDef& MapParam::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<MapParamRecord> b("MapParam", "M_P", CreateReusePerThread);
    auto& r = b.probe();
    b.field("LAB", r.LAB).field("PRTYPE", r.PRTYPE).field("PARAMLAB", r.PARAMLAB);
    b.field("PARAMSIV", r.PARAMSIV).field("FAKTOR", r.FAKTOR);
    b.key(key("M_P:MAPPARAMKEY", {"LAB", "PRTYPE", "PARAMLAB"}, Unique | NoCase | Opt | Primary));
    return b.build();
  }();
  return d;
}

const store::FileDef& MapSted::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<MapStedRecord> b("MapSted", "M_S", CreateReusePerThread);
    auto& r = b.probe();
    b.field("LAB", r.LAB).field("LEVERAND", r.LEVERAND).field("STEDLAB", r.STEDLAB).field("STEDSIV", r.STEDSIV);
    b.key(key("M_S:MAPSTEDKEY", {"LAB", "LEVERAND", "STEDLAB", "STEDSIV"}, Unique | NoCase | Opt | Primary));
    return b.build();
  }();
  return d;
}

const store::FileDef& Lab2Siv::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<Lab2SivRecord> b("Lab2Siv", "L_S", CreateReusePerThread | store::Attr::Oem);
    auto& r = b.probe();
    b.field("DATADIRSIV", r.DATADIRSIV).field("PREIMPRUN", r.PREIMPRUN);
    b.field("PREIMPRUNSTATUS", r.PREIMPRUNSTATUS).field("PREIMPRUNDOS", r.PREIMPRUNDOS);
    return b.build();
  }();
  return d;
}

const store::FileDef& Labuser::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<LabuserRecord> b("Labuser", "L_U", CreatePerThread);
    auto& r = b.probe();
    b.field("BRUKER", r.BRUKER).field("ADRESSE", r.ADRESSE).field("POSTNR", r.POSTNR);
    b.field("TELEFON", r.TELEFON).field("TELEFAX", r.TELEFAX);
    return b.build();
  }();
  return d;
}

const store::FileDef& Datasett::definition() {
  static const store::FileDef d = [] {
    store::DefBuilder<DatasettRecord> b("Datasett", "DAT", store::Attr::Create | store::Attr::Reuse);
    auto& r = b.probe();
    b.field("DATASETT_NAVN", r.DATASETT_NAVN).field("DATAKATALOG", r.DATAKATALOG);
    b.key(key("DAT:DATASETT_KEY", {"DATASETT_NAVN"}, Unique | NoCase | Opt | Primary));
    return b.build();
  }();
  return d;
}

}  // namespace data
