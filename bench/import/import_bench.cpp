// Times an import of a generated laboratory export (20,000 sample rows with 15 analyses each,
// 50 mappings, 20 suppliers) against reading the same tables in the same index orders and
// inserting the same records with plain SQLite, and prints the ratio and the rows per second.
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "data/file_names.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "dbf_writer.h"
#include "import/run_import.h"
#include "platform/dbase/table.h"
#include "platform/store/file_def.h"
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

constexpr int kSuppliers = 20;
constexpr int kJournalsPerSupplier = 250;
constexpr int kSamplesPerJournal = 4;  // 20 x 250 x 4 = 20,000 rows
constexpr int kDischargeCodes = 40;
constexpr int kSludgeCodes = 10;  // 50 mappings

std::string two(int n) {
  char b[8];
  std::snprintf(b, sizeof b, "%02d", n);
  return b;
}
std::string rekvOf(int s) { return std::to_string(100 + s); }
std::string codeOf(int i) { return (i < kDischargeCodes ? "U" : "S") + two(i % 100); }

void generateLab(const fs::path& dir) {
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
    bench::DbfWriter t((dir / "RNXJR.dbf").string(), {{"PAAR", 'C', 2},
                                                      {"JRNLNR", 'C', 4},
                                                      {"REKV", 'C', 6},
                                                      {"STARTDATO", 'D', 8}});
    // Rows in an order unlike the index order, as an export would hold them.
    for (int j = 0; j < kJournalsPerSupplier; ++j)
      for (int s = 0; s < kSuppliers; ++s) {
        char nr[8];
        std::snprintf(nr, sizeof nr, "%04d", (s * kJournalsPerSupplier + j) % 10000);
        t.row({"08", nr, rekvOf(s), "20080101"});
      }
  }
  std::vector<DbfColumn> cols = {{"PAAR", 'C', 2},   {"JRNLNR", 'C', 4}, {"MATERIALE", 'C', 6},
                                 {"REKV", 'C', 6},   {"STED", 'C', 2},   {"REGKODE", 'C', 13},
                                 {"IDENT", 'C', 12}, {"TATTDATO", 'D', 8}};
  for (int n = 11; n <= 25; ++n) {
    cols.push_back({"AN" + std::to_string(n), 'C', 4});
    cols.push_back({"SV" + std::to_string(n), 'C', 5});
  }
  bench::DbfWriter t((dir / "RNX20.dbf").string(), cols);
  for (int k = kSamplesPerJournal - 1; k >= 0; --k)
    for (int s = 0; s < kSuppliers; ++s)
      for (int j = 0; j < kJournalsPerSupplier; ++j) {
        char nr[8], day[16];
        std::snprintf(nr, sizeof nr, "%04d", (s * kJournalsPerSupplier + j) % 10000);
        std::snprintf(day, sizeof day, "2008%02d%02d", 1 + j % 12, 1 + k + j % 20);
        std::vector<std::string> v = {"08", nr, "AVL", rekvOf(s), two(1 + k % 2), "00350", "", day};
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
  static const char* sludge[] = {"TS-tungmetall", "Kadmium", "Bly", "Sink", "Kobber",
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
    p.rec.PARAMSIV = i < kDischargeCodes
                         ? (i == 0 ? std::string("Ant. Døgn") : i < 30 ? "PAR" + two(i % 20) : "TM" + two(i % 10))
                         : std::string(sludge[i - kDischargeCodes]);
    p.rec.FAKTOR = 1.5;
    p.add();
  }
}

class NullProgress : public import::ImportProgress {
 public:
  long calls = 0;
  void showLine(int, std::string_view) override { ++calls; }
  void redraw() override { ++calls; }
};

// Every stored record of a file, as raw buffers.
template <class File>
std::vector<decltype(File::rec)> storedRecords(File& f) {
  std::vector<decltype(File::rec)> out;
  f.set();
  while (f.next() == 0) out.push_back(f.rec);
  return out;
}

// The same table and key indexes (NOCASE for the store's own collation) in a fresh database.
void createLike(sqlite3* db, const store::FileDef& def) {
  std::string sql = "CREATE TABLE " + def.label + "(";
  for (std::size_t i = 0; i < def.columns.size(); ++i) {
    const auto& f = def.fields[std::size_t(def.columns[i].field)];
    const char* type = f.type == store::FieldType::Real ? "REAL"
                       : (f.type == store::FieldType::String || f.type == store::FieldType::Memo) ? "TEXT"
                                                                                                   : "INTEGER";
    sql += (i ? "," : "") + def.columns[i].name + " " + type;
  }
  sql += ")";
  sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  for (std::size_t k = 0; k < def.keys.size(); ++k) {
    std::string idx = std::string(def.keys[k].unique ? "CREATE UNIQUE INDEX" : "CREATE INDEX") +
                      " k" + std::to_string(k) + " ON " + def.label + "(";
    for (std::size_t c = 0; c < def.keyColumns[k].size(); ++c)
      idx += (c ? "," : "") + def.columns[std::size_t(def.keyColumns[k][c])].name + " COLLATE NOCASE";
    sqlite3_exec(db, (idx + ")").c_str(), nullptr, nullptr, nullptr);
  }
}

template <class Rec>
void insertAll(sqlite3* db, const store::FileDef& def, const std::vector<Rec>& recs) {
  std::string sql = "INSERT INTO " + def.label + " VALUES(";
  for (std::size_t i = 0; i < def.columns.size(); ++i) sql += i ? ",?" : "?";
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, (sql + ")").c_str(), -1, &st, nullptr);
  for (const auto& r : recs) {
    const char* base = reinterpret_cast<const char*>(&r);
    for (std::size_t i = 0; i < def.columns.size(); ++i) {
      const auto& col = def.columns[i];
      const auto& f = def.fields[std::size_t(col.field)];
      const char* at = base + col.offset;
      const int n = int(i + 1);
      switch (f.type) {
        case store::FieldType::String: {
          const std::string t = text::fromCp1252(text::trimRight(std::string_view(at, f.size)));
          sqlite3_bind_text(st, n, t.data(), int(t.size()), SQLITE_TRANSIENT);
          break;
        }
        case store::FieldType::Memo: {
          const auto& m = *reinterpret_cast<const std::string*>(at);
          sqlite3_bind_text(st, n, m.data(), int(m.size()), SQLITE_TRANSIENT);
          break;
        }
        case store::FieldType::Real: {
          double d;
          std::memcpy(&d, at, sizeof d);
          sqlite3_bind_double(st, n, d);
          break;
        }
        case store::FieldType::Byte:
          sqlite3_bind_int(st, n, *reinterpret_cast<const std::uint8_t*>(at));
          break;
        case store::FieldType::Short: {
          std::int16_t v;
          std::memcpy(&v, at, sizeof v);
          sqlite3_bind_int(st, n, v);
          break;
        }
        case store::FieldType::Long: {
          std::int32_t v;
          std::memcpy(&v, at, sizeof v);
          sqlite3_bind_int(st, n, v);
          break;
        }
      }
    }
    sqlite3_step(st);
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
}

// Reads RNX51, RNXJR and RNX20 as the run does: requisitioner by key, the journals of each
// requisitioner, the samples of each journal, every analysis pair of each sample.
long readInIndexOrders(const fs::path& labDir) {
  dbase::Table r51, jr, r20;
  r51.setName((labDir / "RNX51.dbf").string());
  jr.setName((labDir / "RNXJR.dbf").string());
  r20.setName((labDir / "RNX20.dbf").string());
  const int k51 = r51.declareIndex("RNX51|RNX51.CDX=C[REKV]", false);
  const int kjr = jr.declareIndex("I_RNXJR=C[REKV]", true);
  const int k20 = r20.declareIndex("I_RNX20=C[JRNLNR+STED]", true);
  jr.buildIndex(kjr);
  r20.buildIndex(k20);
  r51.open();
  jr.open();
  r20.open();
  const int fRekv = jr.fieldIndex("REKV"), fJnr = jr.fieldIndex("JRNLNR"),
            sJnr = r20.fieldIndex("JRNLNR");
  long touched = 0;
  for (int s = 0; s < kSuppliers; ++s) {
    const std::string rekv = rekvOf(s);
    if (!r51.get(k51, {rekv}).ok()) continue;
    jr.set(kjr, {rekv});
    while (jr.next().ok() && jr.text(fRekv) == rekv) {
      const std::string jnr = jr.cp1252(fJnr);
      r20.set(k20, {jnr, "  "});
      while (r20.next().ok() && r20.cp1252(sJnr) == jnr) {
        for (int n = 11; n <= 25; ++n) touched += long(r20.cp1252(r20.fieldIndex("SV" + std::to_string(n))).size());
        touched += r20.date(r20.fieldIndex("TATTDATO")) != 0;
      }
    }
  }
  return touched;
}

double seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

}  // namespace

int main() {
  const fs::path root = fs::temp_directory_path() / ("l2s_import_bench_" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "data");
  fs::create_directories(root / "lab");
  fs::create_directories(root / "plain");
  generateLab(root / "lab");

  data::setDataDirectory((root / "data").string());
  data::SetFileNames();
  const FileId files[] = {FileId::MapLab, FileId::MapLever, FileId::MapParam, FileId::MapSted,
                          FileId::Anlegg, FileId::Utslippskontroll, FileId::Slamkontroll};
  for (FileId id : files) data::useFile(id);
  setUpRegistry(root / "lab");

  import::ImportChoices ch;
  ch.IMPORTFILE = (root / "lab" / "RNX20.dbf").string();
  ch.UTSLKTR = ch.SLAMKTR = ch.LOGSLETT = true;
  import::ImportRunState state;
  NullProgress progress;
  auto& t = data::thr();
  t.MapLab.rec.LAB = "BL";
  t.MapLab.get(data::MapLab::MAPLABKEY);

  const auto t0 = Clock::now();
  import::RunImport(ch, state, progress);
  const auto t1 = Clock::now();

  const auto uk = storedRecords(t.Utslippskontroll);
  const auto sk = storedRecords(t.Slamkontroll);

  const auto t2 = Clock::now();
  const long touched = readInIndexOrders(root / "lab");
  sqlite3* db = nullptr;
  sqlite3_open((root / "plain" / "plain.db").c_str(), &db);
  createLike(db, data::Utslippskontroll::definition());
  createLike(db, data::Slamkontroll::definition());
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  insertAll(db, data::Utslippskontroll::definition(), uk);
  insertAll(db, data::Slamkontroll::definition(), sk);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  const auto t3 = Clock::now();

  const int rows = kSuppliers * kJournalsPerSupplier * kSamplesPerJournal;
  const double importS = seconds(t0, t1), plainS = seconds(t2, t3);
  std::printf("import: %d sample rows x 15 analyses, %d mappings, %d suppliers\n", rows,
              kDischargeCodes + kSludgeCodes, kSuppliers);
  std::printf("  stored %d discharge and %d sludge records (%zu / %zu read back)\n",
              state.UtslippskontrollCount, state.SlamkontrollCount, uk.size(), sk.size());
  std::printf("  import run          %8.3f s  %10.0f rows/s  (%ld progress calls)\n", importS,
              rows / importS, progress.calls);
  std::printf("  plain read + SQLite %8.3f s  %10.0f rows/s  (%ld bytes read)\n", plainS,
              rows / plainS, touched);
  std::printf("  ratio import / plain: %.2f\n", importS / plainS);

  for (FileId id : files) data::dropFile(id);
  fs::remove_all(root);
  return 0;
}
