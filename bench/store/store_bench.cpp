// Measures, side by side in one run:
//  1. one page of 20 records read from a key position, in a 2,000- and a 200,000-record file;
//  2. a full key-order walk through the store against a plain SQLite SELECT over the same table.
// Prints the ratios. Usage: store_bench [scratch-dir]
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "data/program_files.h"
#include "data/registry_files.h"
#include "platform/store/internal.h"
#include "platform/store/transaction.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Built step by step: g++ 12 warns falsely about "literal" + std::to_string at -O2.
std::string prefixed(const char* p, unsigned long long n) {
  std::string s(p);
  s += std::to_string(n);
  return s;
}

std::string fill(const std::string& path, int records) {
  std::filesystem::remove(path);
  data::MapSted f;
  f.setName(path);
  if (f.create() != 0 || f.open() != 0) {
    std::fprintf(stderr, "cannot create %s: %s\n", path.c_str(), f.errorText().c_str());
    std::exit(1);
  }
  store::Transaction tx;
  tx.begin({&f}, 5);
  std::mt19937 rng(42);
  for (int i = 0; i < records; ++i) {
    f.clear();
    f.rec.LAB = prefixed("L", rng() % 50);
    f.rec.LEVERAND = std::to_string(rng() % 1000);
    f.rec.STEDLAB = prefixed("S", i);
    f.rec.STEDSIV = prefixed("Sted ", rng() % 10);
    if (f.add() != 0) --i;  // a rare duplicate: draw again
  }
  tx.commit();
  return path;
}

// Average time of one page of 20 from a position taken at random in the file.
double pageRead(const std::string& path, int pages) {
  data::MapSted f;
  f.setName(path);
  f.open();
  const long long n = f.records();
  std::vector<std::string> positions;
  std::mt19937 rng(7);
  f.set(data::MapSted::MAPSTEDKEY);
  // Positions spread over the file, taken by stepping from random starting values.
  for (int i = 0; i < pages; ++i) {
    f.clear();
    f.rec.LAB = prefixed("L", rng() % 50);
    f.rec.LEVERAND = std::to_string(rng() % 1000);
    f.setFrom(data::MapSted::MAPSTEDKEY);
    if (f.next() != 0) {
      f.set(data::MapSted::MAPSTEDKEY);
      f.next();
    }
    positions.push_back(f.position(data::MapSted::MAPSTEDKEY));
  }
  int rows = 0;
  const auto t0 = Clock::now();
  for (const auto& p : positions) {
    f.reset(data::MapSted::MAPSTEDKEY, p);
    for (int r = 0; r < 20 && f.next() == 0; ++r) ++rows;
  }
  const double per = seconds(Clock::now() - t0) / pages;
  std::printf("  %8lld records: %.1f us per page (%d rows read)\n", n, per * 1e6, rows);
  return per;
}

double storeWalk(const std::string& path, long long& rows, bool quickScan) {
  data::MapSted f;
  f.setName(path);
  f.open();
  if (quickScan) f.sendOption("QUICKSCAN=on");
  rows = 0;
  const auto t0 = Clock::now();
  f.set(data::MapSted::MAPSTEDKEY);
  while (f.next() == 0) ++rows;
  return seconds(Clock::now() - t0);
}

double plainWalk(const std::string& path, long long& rows) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  store::registerUpper1252(db);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT rowid, * FROM MapSted WHERE (LAB <> '' OR LEVERAND <> '' OR STEDLAB <> '' OR "
                     "STEDSIV <> '') ORDER BY LAB COLLATE UPPER1252, LEVERAND COLLATE UPPER1252, "
                     "STEDLAB COLLATE UPPER1252, STEDSIV COLLATE UPPER1252, rowid",
                     -1, &s, nullptr);
  rows = 0;
  const auto t0 = Clock::now();
  while (sqlite3_step(s) == SQLITE_ROW) {
    // Read every column, as the store does into its buffer.
    for (int i = 0; i < sqlite3_column_count(s); ++i) sqlite3_column_text(s, i);
    ++rows;
  }
  const double t = seconds(Clock::now() - t0);
  sqlite3_finalize(s);
  sqlite3_close(db);
  return t;
}

// Adds of 414-column discharge-control rows inside one transaction, and the commit.
void addInOneTransaction(const std::string& path, int records) {
  std::filesystem::remove(path);
  data::Utslippskontroll f;
  f.setName(path);
  f.create();
  f.open();
  store::Transaction tx;
  tx.begin({&f}, 5);
  const auto t0 = Clock::now();
  for (int i = 0; i < records; ++i) {
    f.clear();
    f.rec.ANLEGGSNR = "010203";
    f.rec.UTSL_DATO2 = 80000 + i;
    f.rec.PRTYPE = "Rutinekontroll";
    for (auto& row : f.rec.VERDI)
      for (double& v : row) v = i * 0.5;
    f.add();
  }
  const auto t1 = Clock::now();
  tx.commit();
  const auto t2 = Clock::now();
  std::printf("  %d adds: %.3f ms per add, commit %.2f ms\n", records, seconds(t1 - t0) * 1e3 / records,
              seconds(t2 - t1) * 1e3);
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path dir =
      argc > 1 ? std::filesystem::path(argv[1])
               : std::filesystem::temp_directory_path() / ("l2s-store-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::printf("filling...\n");
  const auto small = fill((dir / "small.tps").string(), 2000);
  const auto large = fill((dir / "large.tps").string(), 200000);

  std::printf("page of 20 from a key position:\n");
  pageRead(small, 50);  // warm-up
  const double ps = pageRead(small, 500);
  const double pl = pageRead(large, 500);
  std::printf("  ratio 200,000 / 2,000 records: %.2f\n", pl / ps);

  std::printf("full key-order walk of 200,000 records:\n");
  long long rs = 0, rp = 0;
  const double tp = plainWalk(large, rp);
  const double ts = storeWalk(large, rs, false);
  long long rq = 0;
  const double tq = storeWalk(large, rq, true);
  std::printf("  plain SELECT: %.3f s (%lld rows)\n", tp, rp);
  std::printf("  store next(), every read fresh: %.3f s (%lld rows)\n", ts, rs);
  std::printf("  store next(), QUICKSCAN=on:     %.3f s (%lld rows)\n", tq, rq);
  std::printf("  ratio store / plain SELECT: %.2f (fresh), %.2f (QUICKSCAN=on)\n", ts / tp, tq / tp);
  std::printf("discharge-control rows added in one transaction:\n");
  addInOneTransaction((dir / "uk.tps").string(), 5000);
  if (argc <= 1) std::filesystem::remove_all(dir);
  return 0;
}
