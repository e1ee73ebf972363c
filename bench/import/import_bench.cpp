// Times the import of a generated laboratory export (15 analyses per sample row, 50 mappings,
// 20 suppliers) at 2,000, 20,000 and 200,000 sample rows against
// - a reference that does the same work in plain code over SQLite: the same tables read in the
//   same index orders, every row mapped through the same mappings, each record looked up by
//   its primary key before it is added, the same log lines written, into files of the real
//   schema (UPPER1252, _REV, partial indexes) with as many commits as the import made;
// - the bare-insert floor: the stored rows inserted into the real schema in one transaction.
// Each side runs in a process of its own (peak memory is per process). The reference's rows
// are compared with the import's, so the two sides provably did the same work.
//
//   import_bench            all three sizes
//   import_bench N          one size (sample rows, a multiple of 80)
//   import_bench N import   the import alone (for a profiler)
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "data/file_names.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "generated_export.h"
#include "import/control_writer.h"
#include "import/import_steps.h"
#include "import/log_lines.h"
#include "import/run_import.h"
#include "import/sludge_targets.h"
#include "import/water_quantity.h"
#include "platform/dbase/table.h"
#include "platform/store/file_def.h"
#include "platform/store/internal.h"
#include "platform/text/codepage.h"
#include "platform/text/number.h"
#include "platform/ui/api/message.h"

namespace ui {
int message(std::string_view text, std::string_view, Icon, int, int) {
  std::fprintf(stderr, "message: %.*s\n", int(text.size()), text.data());
  return Button::Ok;
}
}  // namespace ui

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using data::FileId;
using namespace benchexport;

constexpr int kRowsPerJournalSet = kSuppliers * kSamplesPerJournal;  // 80

double seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

long peakKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

const FileId kFiles[] = {FileId::MapLab, FileId::MapLever,         FileId::MapParam,    FileId::MapSted,
                         FileId::Anlegg, FileId::Utslippskontroll, FileId::Slamkontroll};

void useFiles(const fs::path& dataDir) {
  data::setDataDirectory(dataDir.string());
  data::SetFileNames();
  for (FileId id : kFiles) data::useFile(id);
}
void dropFiles() {
  for (FileId id : kFiles) data::dropFile(id);
}

// Shows nothing, but tells the run when a redraw is due as the import window does (every
// 20 ms, the clock read every 64th redraw), so the run builds its busiest lines as often.
class NullProgress : public import::ImportProgress {
 public:
  void showLine(int, std::string_view t) override { shown_.assign(t); }
  void redraw() override {
    if (due_) {
      due_ = false;
      return;
    }
    if (++calls_ < 64) return;
    calls_ = 0;
    const auto now = Clock::now();
    if (now - last_ < std::chrono::milliseconds(20)) return;
    last_ = now;
    due_ = true;
  }
  bool redrawDue() const override { return due_; }

 private:
  std::string shown_;
  bool due_ = false;
  int calls_ = 0;
  Clock::time_point last_{};
};

// ---- the sides, each in its own process --------------------------------------------------

// Writes the export and the registry (controls empty) into root/lab and root/data, and a copy
// of the registry into root/ref for the reference.
void generate(const fs::path& root, int samples) {
  fs::create_directories(root / "lab");
  fs::create_directories(root / "data");
  generateLab(root / "lab", samples / kRowsPerJournalSet);
  useFiles(root / "data");
  setUpRegistry(root / "lab");
  dropFiles();
  fs::copy(root / "data", root / "ref");
}

struct Outcome {
  double seconds = 0;
  long commits = 0;
  long peakKb = 0;
  long records = 0;
  bool same = true;
};

Outcome runImport(const fs::path& root) {
  useFiles(root / "data");
  import::ImportChoices ch;
  ch.IMPORTFILE = (root / "lab" / "RNX20.dbf").string();
  ch.UTSLKTR = ch.SLAMKTR = ch.LOGSLETT = true;
  import::ImportRunState state;
  NullProgress progress;
  auto& t = data::thr();
  t.LAB = "BL";
  t.MapLab.rec.LAB = "BL";
  t.MapLab.get(data::MapLab::MAPLABKEY);
  const auto t0 = Clock::now();
  import::RunImport(ch, state, progress);
  const auto t1 = Clock::now();
  dropFiles();
  return {seconds(t0, t1), import::ControlWriter::commits(), peakKb(),
          long(state.UtslippskontrollCount) + state.SlamkontrollCount, true};
}

// --- the reference: the same work written plainly -------------------------------------------

std::string column(sqlite3_stmt* s, int i) {
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
  return p ? p : "";
}

sqlite3* openDb(const fs::path& p) {
  sqlite3* db = nullptr;
  sqlite3_open(p.c_str(), &db);
  store::registerUpper1252(db);
  return db;
}

template <class F>
void eachRow(sqlite3* db, const std::string& sql, F f) {
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr);
  while (sqlite3_step(s) == SQLITE_ROW) f(s);
  sqlite3_finalize(s);
}

struct Mapping {
  std::string code;  // Windows-1252, blank-padded to 6
  std::string target;
  double factor;
  const import::SludgeTarget* sludge;
  const store::FieldDef* field;
};
struct Plant {
  std::string nr, name;
  std::vector<std::string> params, metals, places;
};

// Binds every column of a record buffer, as an insert of the whole record does.
void bindAll(sqlite3_stmt* st, const store::FileDef& def, const void* rec) {
  for (std::size_t i = 0; i < def.columns.size(); ++i) store::bindColumn(st, int(i) + 1, def, rec, int(i));
}

std::string insertSql(const store::FileDef& def, const std::string& schema) {
  std::string cols, marks;
  for (std::size_t i = 0; i < def.columns.size(); ++i) {
    cols += (i ? "," : "") + store::quoteId(def.columns[i].name);
    marks += i ? ",?" : "?";
  }
  return "INSERT INTO " + schema + "." + store::quoteId(def.label) + "(" + cols + ") VALUES(" + marks + ")";
}

std::string lookupSql(const store::FileDef& def, const std::string& schema) {
  std::string sql =
      "SELECT rowid FROM " + schema + "." + store::quoteId(def.label) + " WHERE (" + store::optionalWhere(def, 0) + ")";
  int n = 0;
  for (int c : def.keyColumns[0]) {
    const auto& col = def.columns[std::size_t(c)];
    const bool txt = def.fields[std::size_t(col.field)].type == store::FieldType::String;
    sql += " AND " + store::quoteId(col.name) + (txt ? " COLLATE UPPER1252" : "") + " = ?" + std::to_string(++n);
  }
  return sql;
}

// The mappings, read once as the import does.
struct RefMappings {
  std::vector<std::pair<std::string, std::string>> suppliers;  // supplier, plant
  std::vector<Mapping> discharge, sludge;
  std::map<std::pair<std::string, std::string>, std::vector<std::string>> places;
};

RefMappings readMappings(const fs::path& dir) {
  RefMappings maps;
  sqlite3* reg = openDb(dir / "MapFile.tps");
  eachRow(reg, "SELECT 1", [](sqlite3_stmt*) {});
  sqlite3_close(reg);
  reg = openDb(dir / "MapLever.tps");
  eachRow(reg, "SELECT LEVERAND, ANLEGGSNR FROM MapLever WHERE LAB = 'BL' ORDER BY LEVERAND COLLATE UPPER1252",
          [&](sqlite3_stmt* s) { maps.suppliers.emplace_back(column(s, 0), column(s, 1)); });
  sqlite3_close(reg);
  const auto& skDef = data::Slamkontroll::definition();
  reg = openDb(dir / "MapParam.tps");
  eachRow(reg,
          "SELECT PRTYPE, PARAMLAB, PARAMSIV, FAKTOR FROM MapParam WHERE LAB = 'BL' "
          "ORDER BY PRTYPE COLLATE UPPER1252, PARAMLAB COLLATE UPPER1252",
          [&](sqlite3_stmt* s) {
            std::string code = text::toCp1252(column(s, 1));
            code.resize(6, ' ');
            Mapping m{code, column(s, 2), sqlite3_column_double(s, 3), nullptr, nullptr};
            m.sludge = import::findSludgeTarget(text::toCp1252(m.target));
            if (m.sludge && !m.sludge->field.empty()) m.field = skDef.field(m.sludge->field);
            (column(s, 0) == "S" ? maps.sludge : maps.discharge).push_back(m);
          });
  sqlite3_close(reg);
  reg = openDb(dir / "MapSted.tps");
  eachRow(reg,
          "SELECT LEVERAND, STEDLAB, STEDSIV FROM MapSted WHERE LAB = 'BL' ORDER BY LEVERAND "
          "COLLATE UPPER1252, STEDLAB COLLATE UPPER1252, STEDSIV COLLATE UPPER1252",
          [&](sqlite3_stmt* s) {
            maps.places[{column(s, 0), column(s, 1)}].push_back(column(s, 2));
          });
  sqlite3_close(reg);
  return maps;
}

// The laboratory's tables in the import's index orders, with the columns the walk reads.
struct LabTables {
  dbase::Table r51, jr, r20;
  int k51, kjr, k20;
  int fPaar, fJnr, fRekv;
  int sJnr, sSted, sDato, sIdent, sReg;
  int an[15], sv[15];

  explicit LabTables(const fs::path& lab) {
    r51.setName((lab / "RNX51.dbf").string());
    jr.setName((lab / "RNXJR.dbf").string());
    r20.setName((lab / "RNX20.dbf").string());
    k51 = r51.declareIndex("RNX51|RNX51.CDX=C[REKV]", false);
    kjr = jr.declareIndex("I_RNXJR=C[REKV]", true);
    k20 = r20.declareIndex("I_RNX20=C[JRNLNR+STED]", true);
    jr.buildIndex(kjr);
    r20.buildIndex(k20);
    r51.open();
    jr.open();
    r20.open();
    fPaar = jr.fieldIndex("PAAR"), fJnr = jr.fieldIndex("JRNLNR"), fRekv = jr.fieldIndex("REKV");
    sJnr = r20.fieldIndex("JRNLNR"), sSted = r20.fieldIndex("STED"), sDato = r20.fieldIndex("TATTDATO"),
    sIdent = r20.fieldIndex("IDENT"), sReg = r20.fieldIndex("REGKODE");
    for (int i = 0; i < 15; ++i) {
      an[i] = r20.fieldIndex("AN" + std::to_string(11 + i));
      sv[i] = r20.fieldIndex("SV" + std::to_string(11 + i));
    }
  }
};

// The control files: one connection, both attached, full syncs, rollback journal; the plant
// registry and the log beside them. Commits as often as the import did.
struct RefStore {
  sqlite3* db = nullptr;
  sqlite3* anl = nullptr;
  sqlite3_stmt *insU = nullptr, *insS = nullptr, *findU = nullptr, *findS = nullptr, *plantSt = nullptr;
  std::FILE* log = nullptr;
  long importCommits, every;
  long written = 0, commits = 0;

  RefStore(const fs::path& dir, long importCommits, long importRecords)
      : importCommits(importCommits), every(std::max(1L, importRecords / std::max(1L, importCommits))) {
    db = openDb(dir / "Utslippskontroll.tps");
    sqlite3_exec(db, ("ATTACH DATABASE '" + (dir / "Slamkontroll.tps").string() + "' AS s").c_str(), nullptr, nullptr,
                 nullptr);
    sqlite3_exec(db, "PRAGMA main.synchronous=FULL; PRAGMA s.synchronous=FULL", nullptr, nullptr, nullptr);
    sqlite3_prepare_v2(db, insertSql(data::Utslippskontroll::definition(), "main").c_str(), -1, &insU, nullptr);
    sqlite3_prepare_v2(db, insertSql(data::Slamkontroll::definition(), "s").c_str(), -1, &insS, nullptr);
    sqlite3_prepare_v2(db, lookupSql(data::Utslippskontroll::definition(), "main").c_str(), -1, &findU, nullptr);
    sqlite3_prepare_v2(db, lookupSql(data::Slamkontroll::definition(), "s").c_str(), -1, &findS, nullptr);
    anl = openDb(dir / "Anlegg.tps");
    std::string sql = "SELECT ANLEGGSNAVN, ANTALLPARAMETRE, TUNGMETALLANTALLPARAMETRE, ANTALLPRSTEDER";
    for (int i = 1; i <= 20; ++i) sql += ", PARAMETER_" + std::to_string(i);
    for (int i = 1; i <= 10; ++i) sql += ", TUNGMETALLPARAMETER_" + std::to_string(i);
    for (int i = 1; i <= 10; ++i) sql += ", PRSTED_" + std::to_string(i);
    sqlite3_prepare_v2(anl,
                       (sql + " FROM Anlegg WHERE FYLKESNR = substr(?1, 1, 2) AND KOMM_NR = substr(?1, 3, 2) AND "
                              "ANLEGG_NR = substr(?1, 5, 2)")
                           .c_str(),
                       -1, &plantSt, nullptr);
    log = std::fopen((dir / "Import.Txt").c_str(), "w");
  }

  void line(const std::string& s) const { std::fprintf(log, "%s\n", s.c_str()); }

  // Adds the record unless its primary key is taken; false when it was.
  bool store(sqlite3_stmt* find, sqlite3_stmt* ins, const store::FileDef& def, const void* rec,
             const std::string& logLine) {
    int n = 0;
    for (int c : def.keyColumns[0]) store::bindColumn(find, ++n, def, rec, c);
    const bool exists = sqlite3_step(find) == SQLITE_ROW;
    sqlite3_reset(find);
    if (exists) return false;
    bindAll(ins, def, rec);
    sqlite3_step(ins);
    sqlite3_reset(ins);
    line(logLine);
    if (++written % every == 0 && commits + 1 < importCommits) {
      sqlite3_exec(db, "COMMIT; BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
      std::fflush(log);
      ++commits;
    }
    return true;
  }

  // The last commit, the totals in the log, and everything closed.
  void finish(long uCount, long sCount) {
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    ++commits;
    line(import::dashLine());
    line(import::dischargeTotalLine(uCount));
    line(import::sludgeTotalLine(sCount));
    std::fclose(log);
    for (auto* st : {insU, insS, findU, findS}) sqlite3_finalize(st);
    sqlite3_finalize(plantSt);
    sqlite3_close(anl);
    sqlite3_close(db);
  }
};

// The plant's name, parameters, heavy metals and sampling places; false when it is not registered.
bool readPlant(sqlite3_stmt* plantSt, const std::string& plantNr, Plant& plant) {
  sqlite3_bind_text(plantSt, 1, plantNr.c_str(), -1, SQLITE_TRANSIENT);
  if (sqlite3_step(plantSt) != SQLITE_ROW) {
    sqlite3_reset(plantSt);
    return false;
  }
  plant.name = column(plantSt, 0);
  const int np = sqlite3_column_int(plantSt, 1), nm = sqlite3_column_int(plantSt, 2),
            nplaces = sqlite3_column_int(plantSt, 3);
  for (int i = 0; i < std::min(np, 20); ++i) plant.params.push_back(column(plantSt, 4 + i));
  for (int i = 0; i < std::min(nm, 10); ++i) plant.metals.push_back(column(plantSt, 24 + i));
  for (int i = 0; i < std::min(nplaces, 10); ++i) plant.places.push_back(column(plantSt, 34 + i));
  sqlite3_reset(plantSt);
  return true;
}

// One journal's records as they fill from its sample rows.
struct Journal {
  data::UtslippskontrollRecord& u;
  data::SlamkontrollRecord& s;
  import::ImportRunState st;
  bool uFilled = false, sFilled = false;
};

// The sample row's 15 analysis codes (padded) and results.
struct Analyses {
  std::string codes[15];
  double values[15];

  double result(const Mapping& m) const {
    for (int i = 0; i < 15; ++i)
      if (codes[i] == m.code) return values[i];
    return 0.0;
  }
};

// A sludge result written into its field of the record by the target's conversion.
void takeSludge(Journal& j, const Mapping& m, double v) {
  auto& s = j.s;
  if (m.sludge->conversion == import::SludgeConversion::DayCount) {
    j.st.DayCount = import::wholeNumber(v);
    j.sFilled = true;
  } else if (m.field && m.sludge->conversion == import::SludgeConversion::TimesFactor) {
    const double x = v * m.factor;
    std::memcpy(reinterpret_cast<char*>(&s) + m.field->offset, &x, 8);
    j.sFilled = true;
  } else if (m.field && m.sludge->conversion == import::SludgeConversion::WholeNumber) {
    const std::int32_t x = import::wholeNumber(v * m.factor);
    std::memcpy(reinterpret_cast<char*>(&s) + m.field->offset, &x, 4);
    j.sFilled = true;
  } else if (m.field && m.sludge->conversion == import::SludgeConversion::Text) {
    std::string x = text::numberToText(v * m.factor).substr(0, m.field->size);
    x.resize(m.field->size, ' ');
    std::memcpy(reinterpret_cast<char*>(&s) + m.field->offset, x.data(), m.field->size);
    j.sFilled = true;
  } else if (m.sludge->conversion != import::SludgeConversion::NoField) {
    j.sFilled = true;
  }
}

// One sample row (the current one of RNX20) mapped into the journal's records.
void mapSampleRow(LabTables& lab, const RefMappings& maps, const Plant& plant, const std::string& rekv, Journal& j) {
  auto& r20 = lab.r20;
  j.st.SampleDate = r20.date(lab.sDato);
  import::takeWaterQuantity(j.st, r20.text(lab.sIdent), r20.text(lab.sReg));
  Analyses a;
  for (int i = 0; i < 15; ++i) {
    a.codes[i] = r20.cp1252(lab.an[i]);
    a.codes[i].resize(6, ' ');
    std::string v = r20.cp1252(lab.sv[i]);
    if (!v.empty() && v[0] == '<') v.erase(0, 1);
    a.values[i] = import::resultNumber(v);
  }
  for (const auto& m : maps.discharge) {
    const double v = a.result(m);
    if (v == 0) continue;
    if (m.target == "Ant. Døgn")
      j.st.DayCount = import::wholeNumber(v), j.uFilled = true;
    else if (m.target == "Vannmengde")
      j.st.WaterQuantity = v, j.uFilled = true;
    else if (m.target == "Overløp")
      j.st.OverflowQuantity = v, j.uFilled = true;
  }
  const auto it = maps.places.find({rekv, r20.text(lab.sSted)});
  if (it == maps.places.end()) return;
  for (const auto& siv : it->second) {
    for (const auto& m : maps.sludge) {
      const double v = a.result(m);
      if (v == 0 || !m.sludge) continue;
      takeSludge(j, m, v);
    }
    const auto place = std::find(plant.places.begin(), plant.places.end(), siv);
    if (place == plant.places.end()) continue;
    const std::size_t pi = std::size_t(place - plant.places.begin());
    for (const auto& m : maps.discharge) {
      const double v = a.result(m);
      if (v == 0) continue;
      const auto p = std::find(plant.params.begin(), plant.params.end(), m.target);
      if (p != plant.params.end()) {
        j.u.VERDI[p - plant.params.begin()][pi] = v * m.factor;
        j.uFilled = true;
        continue;
      }
      const auto t = std::find(plant.metals.begin(), plant.metals.end(), m.target);
      if (t != plant.metals.end()) {
        j.u.VERDITUNGMETALL[t - plant.metals.begin()][1] = v * m.factor;
        j.uFilled = true;
      }
    }
  }
}

struct Counts {
  long u = 0, s = 0;
};

// The journal's filled records completed and stored.
void storeJournal(RefStore& out, Journal& j, const std::string& plantNr, const text::Str<20>& journal, text::Date today,
                  Counts& n) {
  auto& u = j.u;
  auto& s = j.s;
  const auto& st = j.st;
  const std::int32_t d1 = st.SampleDate - st.DayCount;
  if (j.uFilled) {
    u.ANLEGGSNR = plantNr;
    u.UTSL_DATO1 = d1;
    u.UTSL_DATO2 = st.SampleDate;
    u.PR_METODE = "Mengdeprop.blandprøve";
    u.PRTYPE = "Rutinekontroll";
    if (st.WaterQuantity != 0 && st.DayCount != 0) u.VANNFOERING = st.WaterQuantity / st.DayCount;
    u.OVERLOEP = st.OverflowQuantity;
    u.LAB_JOURNALNR = journal;
    u.REG_DATO = today;
    if (out.store(out.findU, out.insU, data::Utslippskontroll::definition(), &u,
                  import::storedDischargeLine(d1, st.SampleDate, st.DayCount, true)))
      ++n.u;
  }
  if (j.sFilled) {
    s.ANLEGGSNR = plantNr;
    s.DATO1 = s.DATO1_TUNGMETALL = s.DATO1_NAERINGSSTOFF = d1;
    s.DATO2 = s.DATO2_TUNGMETALL = s.DATO2_NAERINGSSTOFF = st.SampleDate;
    s.STATISTIKKAAR = std::int16_t(text::yearOf(st.SampleDate));
    s.STATISTIKKMND = std::int16_t(text::monthOf(st.SampleDate));
    s.PR_TYPE_TUNGMETALL = "Blandprøve";
    s.PR_TYPE_NAERINGSSTOFF = "Blandprøve";
    s.LAB_JOURNALNR = journal;
    s.REG_DATO = today;
    if (out.store(out.findS, out.insS, data::Slamkontroll::definition(), &s,
                  import::storedSludgeLine(d1, st.SampleDate, st.DayCount, true)))
      ++n.s;
  }
}

// One supplier: its requisitioner and plant checked, the plant's header logged, then each of
// its journals with the journal's sample rows.
void walkSupplier(RefStore& out, LabTables& lab, const RefMappings& maps, const std::string& leverand,
                  const std::string& plantNr, text::Date today, data::UtslippskontrollRecord& u,
                  data::SlamkontrollRecord& s, Counts& n) {
  const std::string rekv = leverand.substr(0, 6);
  if (!lab.r51.get(lab.k51, {rekv}).ok()) {
    out.line(import::missingRequisitionerLine(rekv));
    return;
  }
  Plant plant;
  if (!readPlant(out.plantSt, plantNr, plant)) {
    out.line(import::missingPlantLine(leverand));
    return;
  }
  std::string padded = plant.name;
  padded.resize(50, ' ');
  out.line("");
  out.line(import::plantHeaderLine(plantNr, padded, today, text::clockSeconds()));
  out.line(import::dashLine());

  lab.jr.set(lab.kjr, {rekv});
  while (lab.jr.next().ok() && lab.jr.text(lab.fRekv) == leverand) {
    const std::string jnr = lab.jr.cp1252(lab.fJnr);
    u = {};
    s = {};
    Journal j{u, s, {}};
    j.st.DayCount = 1;
    lab.r20.set(lab.k20, {jnr, "  "});
    while (lab.r20.next().ok() && lab.r20.cp1252(lab.sJnr) == jnr) mapSampleRow(lab, maps, plant, rekv, j);
    text::Str<20> journal;
    journal.assignRaw(std::string(text::trimRight(lab.jr.cp1252(lab.fPaar))) + "/" + jnr);
    storeJournal(out, j, plantNr, journal, today, n);
  }
}

// The reference's rows compared with the import's (rowid aside).
bool sameRows(const fs::path& root, const fs::path& dir) {
  bool same = true;
  sqlite3* cmp = openDb(dir / "Utslippskontroll.tps");
  sqlite3_exec(cmp,
               ("ATTACH '" + (root / "data" / "Utslippskontroll.tps").string() + "' AS iu; ATTACH '" +
                (dir / "Slamkontroll.tps").string() + "' AS rs; ATTACH '" +
                (root / "data" / "Slamkontroll.tps").string() + "' AS is_")
                   .c_str(),
               nullptr, nullptr, nullptr);
  for (const char* sql :
       {"SELECT count(*) FROM (SELECT * FROM main.Utslippskontroll EXCEPT SELECT * FROM iu.Utslippskontroll)",
        "SELECT count(*) FROM (SELECT * FROM iu.Utslippskontroll EXCEPT SELECT * FROM main.Utslippskontroll)",
        "SELECT count(*) FROM (SELECT * FROM rs.Slamkontroll EXCEPT SELECT * FROM is_.Slamkontroll)",
        "SELECT count(*) FROM (SELECT * FROM is_.Slamkontroll EXCEPT SELECT * FROM rs.Slamkontroll)"})
    eachRow(cmp, sql, [&](sqlite3_stmt* q) { same = same && sqlite3_column_int(q, 0) == 0; });
  sqlite3_close(cmp);
  return same;
}

Outcome runReference(const fs::path& root, long importCommits, long importRecords) {
  const auto t0 = Clock::now();
  const fs::path dir = root / "ref";
  const RefMappings maps = readMappings(dir);
  LabTables lab(root / "lab");
  RefStore out(dir, importCommits, importRecords);
  Counts n;
  sqlite3_exec(out.db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  data::UtslippskontrollRecord u{};
  data::SlamkontrollRecord s{};
  const text::Date today = text::today();
  for (const auto& [leverand, plantNr] : maps.suppliers)
    walkSupplier(out, lab, maps, leverand, plantNr, today, u, s, n);
  out.finish(n.u, n.s);
  const auto t1 = Clock::now();

  Outcome res{seconds(t0, t1), out.commits, peakKb(), n.u + n.s, true};
  res.same = sameRows(root, dir);
  return res;
}

// The physical limit: the import's stored rows inserted into the real schema in one go.
Outcome runFloor(const fs::path& root) {
  fs::create_directories(root / "floor");
  Outcome out;
  std::vector<data::UtslippskontrollRecord> uk;
  std::vector<data::SlamkontrollRecord> sk;
  {
    useFiles(root / "data");
    auto& t = data::thr();
    t.Utslippskontroll.set();
    while (t.Utslippskontroll.next() == 0) uk.push_back(t.Utslippskontroll.rec);
    t.Slamkontroll.set();
    while (t.Slamkontroll.next() == 0) sk.push_back(t.Slamkontroll.rec);
    dropFiles();
  }
  store::Error err;
  const auto& ukDef = data::Utslippskontroll::definition();
  const auto& skDef = data::Slamkontroll::definition();
  store::createDatabase((root / "floor" / "u.db").string(), ukDef, err);
  store::createDatabase((root / "floor" / "s.db").string(), skDef, err);
  const auto t0 = Clock::now();
  sqlite3* db = openDb(root / "floor" / "u.db");
  sqlite3_exec(db, ("ATTACH '" + (root / "floor" / "s.db").string() + "' AS s").c_str(), nullptr, nullptr, nullptr);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  const auto insertAll = [&](const store::FileDef& def, const std::string& schema, const auto& recs) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, insertSql(def, schema).c_str(), -1, &st, nullptr);
    for (const auto& r : recs) {
      bindAll(st, def, &r);
      sqlite3_step(st);
      sqlite3_reset(st);
    }
    sqlite3_finalize(st);
  };
  insertAll(ukDef, "main", uk);
  insertAll(skDef, "s", sk);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  out.seconds = seconds(t0, Clock::now());
  out.commits = 1;
  out.peakKb = peakKb();
  out.records = long(uk.size() + sk.size());
  return out;
}

// ---- the driver ------------------------------------------------------------------------------

// Runs `part` in a child process and returns what it reports through a pipe.
template <class F>
Outcome inChild(F part) {
  int fd[2];
  if (::pipe(fd) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fd[0]);
    const Outcome o = part();
    [[maybe_unused]] const auto n = ::write(fd[1], &o, sizeof o);
    ::_exit(0);
  }
  ::close(fd[1]);
  Outcome o;
  [[maybe_unused]] const auto n = ::read(fd[0], &o, sizeof o);
  ::close(fd[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return o;
}

struct SizeResult {
  int samples;
  Outcome imp, ref, floor;
};

SizeResult measure(int samples, bool importOnly) {
  const fs::path root =
      fs::temp_directory_path() / ("l2s_import_bench_" + std::to_string(::getpid()) + "_" + std::to_string(samples));
  fs::remove_all(root);
  inChild([&] {
    generate(root, samples);
    return Outcome{};
  });
  // Freshly written files: drop what the generator left in the page cache where we may.
  ::sync();
  SizeResult r{samples, {}, {}, {}};
  r.imp = inChild([&] { return runImport(root); });
  if (importOnly) {
    fs::remove_all(root);
    return r;
  }
  r.ref = inChild([&] { return runReference(root, r.imp.commits, r.imp.records); });
  r.floor = inChild([&] { return runFloor(root); });
  fs::remove_all(root);
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes = {2000, 20000, 200000};
  if (argc > 1) sizes = {std::max(kRowsPerJournalSet, std::atoi(argv[1]) / kRowsPerJournalSet * kRowsPerJournalSet)};
  std::printf("import of a generated export: 15 analyses per sample row, %d mappings, %d suppliers\n",
              kDischargeCodes + kSludgeCodes, kSuppliers);
  std::printf("%8s %8s | %9s %8s %7s %7s | %9s %7s %7s | %9s | %9s %9s %s\n", "samples", "records", "import s",
              "us/samp", "commits", "peak MB", "same s", "commits", "peak MB", "floor s", "imp/same", "imp/floor",
              "rows equal");
  std::vector<SizeResult> all;
  for (int n : sizes) {
    const SizeResult r = measure(n, argc > 2 && std::string(argv[2]) == "import");
    all.push_back(r);
    std::printf("%8d %8ld | %9.3f %8.1f %7ld %7.1f | %9.3f %7ld %7.1f | %9.3f | %9.2f %9.2f %s\n", n, r.imp.records,
                r.imp.seconds, 1e6 * r.imp.seconds / n, r.imp.commits, r.imp.peakKb / 1024.0, r.ref.seconds,
                r.ref.commits, r.ref.peakKb / 1024.0, r.floor.seconds, r.imp.seconds / r.ref.seconds,
                r.imp.seconds / r.floor.seconds, r.ref.same ? "yes" : "NO");
    std::fflush(stdout);
  }
  std::printf("  imp/same: the same work (mapping, lookup before add, log, real schema, as many commits)\n");
  std::printf("  imp/floor: the bare insert of the stored rows in one transaction (the physical limit)\n");
  if (all.size() == 3) {
    const auto& a = all[1];
    const auto& b = all[2];
    std::printf("200,000 over 20,000: time per sample %.2f, peak memory %.2f (samples x10)\n",
                (b.imp.seconds / b.samples) / (a.imp.seconds / a.samples), double(b.imp.peakKb) / a.imp.peakKb);
  }
  return 0;
}
