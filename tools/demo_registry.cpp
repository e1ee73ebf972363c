#include "demo_registry.h"

#include <initializer_list>

#include "data/program_files.h"
#include "data/registry_files.h"
#include "platform/store/transaction.h"

namespace demo {

namespace fs = std::filesystem;

namespace {

struct Plant {
  const char* nr;
  const char* name;
  const char* owner;
  const char* address;
  const char* postnr;
  const char* contact;
  const char* recipient;
  const char* method;
  std::initializer_list<const char*> parameters;
  std::initializer_list<const char*> metals;
  std::initializer_list<const char*> places;
};

const Plant kPlants[] = {
    {"340301",
     "Åsmyra renseanlegg",
     "Åsmyra kommune",
     "Myrvegen 31",
     "2317",
     "Ingrid Sæther",
     "Åsmyrelva",
     "Kjemisk",
     {"TOT-P", "SS", "BOF5", "KOF"},
     {},
     {"Innløp", "Utløp"}},
    {"180401",
     "Strandvik renseanlegg",
     "Strandvik kommune",
     "Havnevegen 7",
     "8006",
     "Ola Nordbø",
     "Strandvikfjorden",
     "Mekanisk-kjemisk",
     {"TOT-P", "TOT-N", "SS", "KOF"},
     {},
     {"Innløp", "Utløp"}},
    {"340701",
     "Lindeberg renseanlegg",
     "Lindeberg kommune",
     "Lindebergvegen 102",
     "2815",
     "Kari Løvås",
     "Lindebergsjøen",
     "Biologisk-kjemisk",
     {"TOT-P", "PO4-P", "SS", "BOF5"},
     {},
     {"Innløp", "Utløp"}},
    {"300501",
     "Fossheim renseanlegg",
     "Fossheim Vann og Avløp IKS",
     "Fossheimvegen 80",
     "3015",
     "Per Østby",
     "Drammensfjorden",
     "Biologisk-kjemisk",
     {"TOT-P", "PO4-P", "TOT-N", "NH4-N", "SS", "BOF5", "KOF"},
     {"Cd", "Pb", "Hg", "Cu", "Zn", "Ni", "Cr"},
     {"Innløp", "Utløp"}},
};

// The laboratory's requisitioners, the plant each delivers samples for, and whether it also
// sends sludge (from place 09).
struct Supplier {
  const char* code;
  const char* plant;
  bool sludge;
};
const Supplier kSuppliers[] = {
    {"1010", "340301", false}, {"1020", "180401", false}, {"1030", "340701", false}, {"2040", "300501", true}};

struct Param {
  const char* code;
  const char* type;
  const char* text;
  const char* unit;
};
const Param kParameters[] = {
    {"TOT-P", "N", "Totalfosfor", "mg/l"},
    {"PO4-P", "N", "Fosfat-fosfor", "mg/l"},
    {"TOT-N", "N", "Totalnitrogen", "mg/l"},
    {"NH4-N", "N", "Ammonium-nitrogen", "mg/l"},
    {"SS", "P", "Suspendert stoff", "mg/l"},
    {"BOF5", "O", "Biokjemisk oksygenforbruk", "mg/l"},
    {"KOF", "O", "Kjemisk oksygenforbruk", "mg/l"},
    {"Cd", "M", "Kadmium", "µg/l"},
    {"Pb", "M", "Bly", "µg/l"},
    {"Hg", "M", "Kvikksølv", "µg/l"},
    {"Cu", "M", "Kobber", "µg/l"},
    {"Zn", "M", "Sink", "µg/l"},
    {"Ni", "M", "Nikkel", "µg/l"},
    {"Cr", "M", "Krom", "µg/l"},
};

struct Mapping {
  const char* type;
  const char* code;
  const char* target;
  double factor;
};
const Mapping kMappings[] = {
    // Discharge: the laboratory reports phosphate in µg/l and mercury in ng/l.
    {"U", "TP", "TOT-P", 1},
    {"U", "PO4", "PO4-P", 0.001},
    {"U", "TN", "TOT-N", 1},
    {"U", "NH4", "NH4-N", 1},
    {"U", "SS", "SS", 1},
    {"U", "BOF", "BOF5", 1},
    {"U", "KOF", "KOF", 1},
    {"U", "CD", "Cd", 1},
    {"U", "PB", "Pb", 1},
    {"U", "HG", "Hg", 0.001},
    {"U", "CU", "Cu", 1},
    {"U", "ZN", "Zn", 1},
    {"U", "NI", "Ni", 1},
    {"U", "CR", "Cr", 1},
    {"U", "DGN", "Ant. Døgn", 1},
    {"U", "VM", "Vannmengde", 1},
    {"U", "OVL", "Overløp", 1},
    // Sludge.
    {"S", "TS", "TS-tungmetall", 1},
    {"S", "PH", "pH tungmetall", 1},
    {"S", "SCD", "Kadmium", 1},
    {"S", "SHG", "Kvikksølv", 1},
    {"S", "SPB", "Bly", 1},
    {"S", "SNI", "Nikkel", 1},
    {"S", "SCR", "Krom", 1},
    {"S", "SZN", "Sink", 1},
    {"S", "SCU", "Kobber", 1},
    {"S", "TSN", "TS-næringsstoff", 1},
    {"S", "GR", "Org-Mat", 1},
    {"S", "KJN", "Kjeldahl-N", 1},
    {"S", "STP", "Tot-P", 1},
    {"S", "TKB", "Termokoli", 1},
};

const char* const kPrTypes[] = {"Rutinekontroll", "Ekstrakontroll", "Tilsynskontroll",
                                "Egenkontroll",   "Blandprøve",     "Stikkprøve"};
const char* const kSludgePlaces[] = {"Avvannet slam", "Råslam", "Stabilisert slam", "Slamlager", "Ferdig slam"};
const std::pair<const char*, const char*> kPostal[] = {
    {"0150", "OSLO"},      {"1366", "LYSAKER"},        {"1601", "FREDRIKSTAD"}, {"2000", "LILLESTRØM"},
    {"2317", "HAMAR"},     {"2815", "GJØVIK"},         {"3015", "DRAMMEN"},     {"3111", "TØNSBERG"},
    {"4006", "STAVANGER"}, {"4610", "KRISTIANSAND S"}, {"5003", "BERGEN"},      {"6002", "ÅLESUND"},
    {"7010", "TRONDHEIM"}, {"8006", "BODØ"},           {"9008", "TROMSØ"},
};

// Creates `file` at `path`, lets `fill` add its records and closes it.
template <class F, class Fill>
bool writeFile(const fs::path& path, Fill fill, std::string& error) {
  F f;
  f.setName(path.string());
  if (f.create() != 0 || f.open() != 0) {
    error = path.string() + ": " + f.errorText();
    return false;
  }
  auto add = [&]() {
    if (f.add() == 0) return true;
    error = path.string() + ": " + f.errorText();
    return false;
  };
  // One commit per file, not one per record.
  store::Transaction tx;
  bool ok = tx.begin({&f}, 2) == 0 && fill(f, add);
  if (ok && tx.commit() != 0) ok = false;
  if (!ok && error.empty()) error = path.string() + ": " + f.errorText();
  f.close();
  return ok;
}

template <std::size_t N>
void copyList(std::initializer_list<const char*> from, std::uint8_t& count, text::Str<N>* to) {
  count = std::uint8_t(from.size());
  std::size_t i = 0;
  for (const char* s : from) to[i++] = s;
}

// The registry's own files the demo's plants, parameters, sample types and places live in.
bool writeRegistryFiles(const fs::path& dataDir, std::string& error) {
  return writeFile<data::Anlegg>(
             dataDir / "Anlegg.tps",
             [](auto& f, auto add) {
               for (const Plant& p : kPlants) {
                 f.clear();
                 f.rec.ANLEGGSNR.setWhole(text::Str<6>(p.nr));
                 f.rec.ANLEGGSNAVN = p.name;
                 f.rec.EIERFORM = "Kommunal";
                 f.rec.ANLEGGSEIER = p.owner;
                 f.rec.ADRESSE = p.address;
                 f.rec.POSTNUMMER = p.postnr;
                 f.rec.KONTAKTPERSON = p.contact;
                 f.rec.RESIPIENT = p.recipient;
                 f.rec.TYPEVIRKSOMHET = "Avløpsrenseanlegg";
                 f.rec.RENSEMETODE = p.method;
                 f.rec.UTSLIPPSKONTROLL = 1;
                 f.rec.PRTYPE = kPrType;
                 copyList(p.parameters, f.rec.ANTALLPARAMETRE, f.rec.PARAMETER);
                 copyList(p.metals, f.rec.TUNGMETALLANTALLPARAMETRE, f.rec.TUNGMETALLPARAMETER);
                 copyList(p.places, f.rec.ANTALLPRSTEDER, f.rec.PRSTED);
                 if (!add()) return false;
               }
               return true;
             },
             error) &&
         writeFile<data::Parameter>(
             dataDir / "Parameter.tps",
             [](auto& f, auto add) {
               for (const Param& p : kParameters) {
                 f.clear();
                 f.rec.PARAMETER = p.code;
                 f.rec.TYPE = p.type;
                 f.rec.BETEGNELSE = p.text;
                 f.rec.ENHET = p.unit;
                 if (!add()) return false;
               }
               return true;
             },
             error) &&
         writeFile<data::PrType>(
             dataDir / "PrType.tps",
             [](auto& f, auto add) {
               for (const char* t : kPrTypes) {
                 f.clear();
                 f.rec.PRTYPE = t;
                 if (!add()) return false;
               }
               return true;
             },
             error) &&
         writeFile<data::PrTakingsSted>(
             dataDir / "PrTakingsSted.tps",
             [](auto& f, auto add) {
               for (const char* s : kSludgePlaces) {
                 f.clear();
                 f.rec.PR_TAKINGSTED = s;
                 if (!add()) return false;
               }
               return true;
             },
             error) &&
         writeFile<data::Postadresser>(
             dataDir / "Postadresser.tps",
             [](auto& f, auto add) {
               for (auto [nr, sted] : kPostal) {
                 f.clear();
                 f.rec.POSTNUMMER = nr;
                 f.rec.POSTSTED = sted;
                 if (!add()) return false;
               }
               return true;
             },
             error);
}

// The demo laboratory and its supplier, parameter and place mappings.
bool writeMappingFiles(const fs::path& dataDir, const std::string& labDirText, const std::string& importFile,
                       std::string& error) {
  return writeFile<data::MapLab>(
             dataDir / "MapFile.tps",
             [&](auto& f, auto add) {
               f.clear();
               f.rec.LAB = kLab;
               f.rec.LABNAVN = "Fjordlab Miljøanalyse AS";
               f.rec.STEDKILDE = "Sted";
               f.rec.DATOVALG = "Tattdato";
               f.rec.DATADIRLAB = labDirText;
               f.rec.IMPORTFILE = importFile;
               return add();
             },
             error) &&
         writeFile<data::MapLever>(
             dataDir / "MapLever.tps",
             [](auto& f, auto add) {
               for (const Supplier& s : kSuppliers) {
                 f.clear();
                 f.rec.LAB = kLab;
                 f.rec.LEVERAND = s.code;
                 f.rec.ANLEGGSNR = s.plant;
                 if (!add()) return false;
               }
               return true;
             },
             error) &&
         writeFile<data::MapParam>(
             dataDir / "MapParam.tps",
             [](auto& f, auto add) {
               for (const Mapping& m : kMappings) {
                 f.clear();
                 f.rec.LAB = kLab;
                 f.rec.PRTYPE = m.type;
                 f.rec.PARAMLAB = m.code;
                 f.rec.PARAMSIV = m.target;
                 f.rec.FAKTOR = m.factor;
                 if (!add()) return false;
               }
               return true;
             },
             error) &&
         writeFile<data::MapSted>(
             dataDir / "MapSted.tps",
             [](auto& f, auto add) {
               for (const Supplier& s : kSuppliers) {
                 // A place mapped to "Slamkontroll" only yields sludge values.
                 for (auto [lab, siv] : {std::pair{"01", "Innløp"}, {"02", "Utløp"}, {"09", "Slamkontroll"}}) {
                   if (!s.sludge && std::string_view(lab) == "09") continue;
                   f.clear();
                   f.rec.LAB = kLab;
                   f.rec.LEVERAND = s.code;
                   f.rec.STEDLAB = lab;
                   f.rec.STEDSIV = siv;
                   if (!add()) return false;
                 }
               }
               return true;
             },
             error);
}

}  // namespace

bool writeRegistry(const fs::path& dataDir, const fs::path& labDir, std::string& error) {
  const std::string labDirText = labDir.string();
  const std::string importFile = (labDir / kImportFile).string();
  // The laboratory record holds both paths in 200 characters; a cut path would name nothing.
  if (importFile.size() > 200) {
    error =
        "the laboratory directory's path is longer than the 200 characters a laboratory "
        "record holds: " +
        importFile;
    return false;
  }
  return writeRegistryFiles(dataDir, error) && writeMappingFiles(dataDir, labDirText, importFile, error);
}

}  // namespace demo
