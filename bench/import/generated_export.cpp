#include "generated_export.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "data/thread_state.h"
#include "dbf_writer.h"

namespace benchexport {
namespace {

namespace fs = std::filesystem;

std::string two(int n) {
  char b[8];
  std::snprintf(b, sizeof b, "%02d", n);
  return b;
}
std::string codeOf(int i) { return (i < kDischargeCodes ? "U" : "S") + two(i % 100); }

// Four characters, digits then upper-case letters: unique for 36^4 journals, where four digits
// would wrap at 10,000 and give one journal another's samples.
std::string journalNumber(int n) {
  static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string s(4, '0');
  for (int i = 3; i >= 0; --i, n /= 36) s[std::size_t(i)] = digits[n % 36];
  return s;
}

}  // namespace

std::string rekvOf(int s) { return std::to_string(100 + s); }

void generateLab(const fs::path& dir, int journalsPerSupplier) {
  using bench::DbfColumn;
  {
    bench::DbfWriter t((dir / "RNX51.dbf").string(), {{"REKV", 'C', 6}, {"NAVN", 'C', 30}});
    for (int s = 0; s < kSuppliers; ++s) t.row({rekvOf(s), "Kommune " + std::to_string(s)});
  }
  {
    bench::DbfWriter t((dir / "RNX60.dbf").string(),
                       {{"REKV", 'C', 6}, {"STED", 'C', 2}, {"TEKST", 'C', 20}, {"MATERIALE", 'C', 6}});
    for (int s = 0; s < kSuppliers; ++s)
      for (int p = 1; p <= 2; ++p) t.row({rekvOf(s), two(p), "Sted", "AVL"});
  }
  {
    bench::DbfWriter t((dir / "RNX50.dbf").string(), {{"T", 'C', 1}, {"KODE", 'C', 6}, {"TEKST", 'C', 30}});
    for (int i = 0; i < kDischargeCodes + kSludgeCodes; ++i) t.row({"A", codeOf(i), "Analyse"});
  }
  {
    bench::DbfWriter t((dir / "RNXJR.dbf").string(),
                       {{"PAAR", 'C', 2}, {"JRNLNR", 'C', 4}, {"REKV", 'C', 6}, {"STARTDATO", 'D', 8}});
    // Rows in an order unlike the index order, as an export would hold them.
    for (int j = 0; j < journalsPerSupplier; ++j)
      for (int s = 0; s < kSuppliers; ++s) {
        t.row({"08", journalNumber(s * journalsPerSupplier + j), rekvOf(s), "20080101"});
      }
  }
  std::vector<DbfColumn> cols = {{"PAAR", 'C', 2}, {"JRNLNR", 'C', 4},   {"MATERIALE", 'C', 6}, {"REKV", 'C', 6},
                                 {"STED", 'C', 2}, {"REGKODE", 'C', 13}, {"IDENT", 'C', 12},    {"TATTDATO", 'D', 8}};
  for (int n = 11; n <= 25; ++n) {
    cols.push_back({"AN" + std::to_string(n), 'C', 4});
    cols.push_back({"SV" + std::to_string(n), 'C', 5});
  }
  bench::DbfWriter t((dir / "RNX20.dbf").string(), cols);
  for (int k = kSamplesPerJournal - 1; k >= 0; --k)
    for (int s = 0; s < kSuppliers; ++s)
      for (int j = 0; j < journalsPerSupplier; ++j) {
        char day[16];
        std::snprintf(day, sizeof day, "2008%02d%02d", 1 + j % 12, 1 + k + j % 20);
        std::vector<std::string> v = {
            "08", journalNumber(s * journalsPerSupplier + j), "AVL", rekvOf(s), two(1 + k % 2), "00350", "", day};
        for (int a = 0; a < 15; ++a) {
          v.push_back(codeOf((a * 3 + k + j) % (kDischargeCodes + kSludgeCodes)));
          v.push_back(std::to_string(1 + (a + j) % 97) + "," + std::to_string(k));
        }
        t.row(v);
      }
}

void setUpRegistry(const fs::path& labDir) {
  auto& t = data::thr();
  t.LAB = "BL";
  auto& lab = t.MapLab;
  lab.clear();
  lab.rec.LAB = "BL";
  lab.rec.STEDKILDE = "Sted";
  lab.rec.DATOVALG = "Tattdato";
  lab.rec.DATADIRLAB = labDir.string();
  lab.rec.IMPORTFILE = (labDir / "RNX20.dbf").string();
  lab.add();
  static const char* sludge[] = {"TS-tungmetall", "Kadmium",   "Bly",   "Sink",   "Kobber",
                                 "SS-middel",     "Termokoli", "Tot-P", "pH-min", "PCB"};
  for (int s = 0; s < kSuppliers; ++s) {
    const std::string nr = "01" + two(s) + "01";
    auto& a = t.Anlegg;
    a.clear();
    a.rec.ANLEGGSNR.setWhole(text::Str<6>(nr));
    a.rec.ANLEGGSNAVN = "Renseanlegg " + std::to_string(s);
    a.rec.ANTALLPARAMETRE = 20;
    for (int p = 0; p < 20; ++p) a.rec.PARAMETER[p] = "PAR" + two(p);
    a.rec.TUNGMETALLANTALLPARAMETRE = 10;
    for (int p = 0; p < 10; ++p) a.rec.TUNGMETALLPARAMETER[p] = "TM" + two(p);
    a.rec.ANTALLPRSTEDER = 10;
    for (int p = 0; p < 10; ++p) a.rec.PRSTED[p] = "Sted " + two(p);
    a.add();
    auto& l = t.MapLever;
    l.clear();
    l.rec.LAB = "BL";
    l.rec.LEVERAND = rekvOf(s);
    l.rec.ANLEGGSNR = nr;
    l.add();
    for (auto [lab2, siv] : {std::pair{"01", "Sted 00"}, {"02", "Sted 01"}, {"02", "Slamkontroll"}}) {
      auto& m = t.MapSted;
      m.clear();
      m.rec.LAB = "BL";
      m.rec.LEVERAND = rekvOf(s);
      m.rec.STEDLAB = lab2;
      m.rec.STEDSIV = siv;
      m.add();
    }
  }
  for (int i = 0; i < kDischargeCodes + kSludgeCodes; ++i) {
    auto& p = t.MapParam;
    p.clear();
    p.rec.LAB = "BL";
    p.rec.PRTYPE = i < kDischargeCodes ? "U" : "S";
    p.rec.PARAMLAB = codeOf(i);
    p.rec.PARAMSIV = i < kDischargeCodes ? (i == 0   ? std::string("Ant. Døgn")
                                            : i < 30 ? "PAR" + two(i % 20)
                                                     : "TM" + two(i % 10))
                                         : std::string(sludge[i - kDischargeCodes]);
    p.rec.FAKTOR = 1.5;
    p.add();
  }
}

}  // namespace benchexport
