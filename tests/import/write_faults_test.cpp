// The import under store faults: a write refused for one record, a full disk, files another
// connection holds, a registry file SQLite reports as malformed. The run must say what
// happened, and its counts and log must agree with what the files hold.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>
#include <utility>

#include "../platform/store/crash_shim.h"
#include "file_size_limit.h"
#include "import/control_writer.h"
#include "import/run_import.h"
#include "platform/store/internal.h"
#include "platform/store/paths.h"
#include "scenario.h"
#include "ui_message_double.h"
#include "wait_limit.h"

namespace testing_import {
namespace {

using import::ControlWriter;
using namespace std::chrono_literals;

std::vector<std::string> logLines(const std::string& s) {
  std::vector<std::string> out;
  std::istringstream in(s);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

long countStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
  return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

std::string integrity(const std::string& path) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  store::registerUpper1252(db);
  std::string out;
  sqlite3_exec(
      db, "PRAGMA integrity_check",
      [](void* o, int, char** v, char**) {
        *static_cast<std::string*>(o) += v[0] ? v[0] : "";
        return 0;
      },
      &out, nullptr);
  sqlite3_close(db);
  return out;
}

void execOn(const std::string& path, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  store::registerUpper1252(db);  // the key indexes of the mapping files collate with it
  ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

// Fills the disk when the run starts storing its n-th record.
class FillingDisk : public RecordingProgress {
 public:
  explicit FillingDisk(int n) : left_(n) {}
  void showLine(int n, std::string_view t) override {
    RecordingProgress::showLine(n, t);
    if (t.rfind("Lagrer ny", 0) == 0 && --left_ == 0) crash_shim::diskFull(true);
  }

 private:
  int left_;
};

class WriteFaultsTest : public ScenarioFixture {
 protected:
  void SetUp() override {
    ScenarioFixture::SetUp();
    // A commit after every record, so a fault meets records already committed.
    ControlWriter::setTimes(0ms, 1);
  }
  void TearDown() override {
    ControlWriter::setTimes(1000ms, 5);
    ScenarioFixture::TearDown();
  }
  std::string path(store::FileBase& f) { return f.openedPath(); }

  // Stored-record lines of the log against the records the files hold.
  void expectLogMatchesFiles() {
    const auto lines = logLines(logText());
    EXPECT_EQ(countStartingWith(lines, "Lagret Utslippskontroll"), long(dumpUtslippskontroll().size()));
    EXPECT_EQ(countStartingWith(lines, "Lagret Slamkontroll"), long(dumpSlamkontroll().size()));
    EXPECT_EQ(state.UtslippskontrollCount, long(dumpUtslippskontroll().size()));
    EXPECT_EQ(state.SlamkontrollCount, long(dumpSlamkontroll().size()));
  }
};

TEST_F(WriteFaultsTest, ARecordTheFileRefusesIsLoggedWithItsErrorAndTheRunGoesOn) {
  // A rule of the file refuses one journal's discharge record; the transaction stands.
  execOn(path(data::thr().Utslippskontroll),
         "CREATE TRIGGER refuse BEFORE INSERT ON Utslippskontroll WHEN NEW.LAB_JOURNALNR = '08/0123' "
         "BEGIN SELECT RAISE(ABORT, 'refused'); END");
  ControlWriter::setTimes(1000ms, 1);
  run(allOn());
  EXPECT_EQ(state.UtslippskontrollCount, 5);
  EXPECT_EQ(state.SlamkontrollCount, 1);
  EXPECT_EQ(state.ProblemLogged, 1);
  const auto lines = logLines(logText());
  EXPECT_EQ(countStartingWith(lines,
                              "IKKE lagret Utslippskontroll - Anlegg: 010101 Periode:  1.01.08 -  "
                              "8.01.08 Journal: 08/0123 Feil: refused"),
            1);
  EXPECT_EQ(countStartingWith(lines, "IKKE lagret"), 1);
  EXPECT_EQ(lines.back(), "Antall Slam.kontr.prøver lagret:     1");
  expectLogMatchesFiles();
  EXPECT_TRUE(testing_ui::boxes().empty());
}

// The box and the log's last line of a stopped run, and its end lines.
void expectStopped(const RecordingProgress& p, const std::string& log, const std::string& cause) {
  ASSERT_FALSE(testing_ui::boxes().empty());
  const auto& box = testing_ui::boxes().back();
  EXPECT_EQ(box.text.rfind("Importen er stoppet!|" + cause, 0), 0u) << box.text;
  EXPECT_EQ(box.caption, "Advarsel");
  const auto lines = logLines(log);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().rfind("Importen er stoppet: " + cause, 0), 0u) << lines.back();
  EXPECT_EQ(p.lines[1], "Importen er stoppet!");
  EXPECT_EQ(p.logViews, 1);
}

TEST_F(WriteFaultsTest, AFullDiskStopsTheRunWithCountsOfWhatWasCommitted) {
  crash_shim::install();
  FillingDisk filling(3);
  import::RunImport(allOn(), state, filling, fake);
  crash_shim::uninstall();

  EXPECT_EQ(state.UtslippskontrollCount + state.SlamkontrollCount, 2);
  expectLogMatchesFiles();
  expectStopped(filling, logText(), "Disken er full: database or disk is full (13)");
  // The record being written when the disk filled is named; nothing after it was tried.
  const auto lines = logLines(logText());
  EXPECT_EQ(countStartingWith(lines, "IKKE lagret"), 1);
  EXPECT_EQ(std::count(filling.shown.begin(), filling.shown.end(), "4:Lagrer ny utslippskontroll!") +
                std::count(filling.shown.begin(), filling.shown.end(), "4:Lagrer ny slamkontroll!"),
            3);
  EXPECT_EQ(integrity(path(data::thr().Utslippskontroll)), "ok");
  EXPECT_EQ(integrity(path(data::thr().Slamkontroll)), "ok");
}

// A full disk as it is met: from the run's first record the registry's files may grow by only
// so many bytes more (a write inside a file still succeeds), and once they cannot, the log has
// room for only part of a line.
std::optional<FileSizeLimit> g_logLimit;
std::string g_logPath;

class FillingDiskAndLog : public RecordingProgress {
 public:
  explicit FillingDiskAndLog(long long room) : room_(room) {}
  void showLine(int n, std::string_view t) override {
    RecordingProgress::showLine(n, t);
    if (t.rfind("Lagrer ny", 0) == 0 && !armed_) {
      armed_ = true;
      crash_shim::noRoom(
          true, [] { g_logLimit.emplace(std::filesystem::file_size(g_logPath) + 20); }, room_);
    }
  }

 private:
  long long room_;
  bool armed_ = false;
};

class FullDiskTest : public WriteFaultsTest, public ::testing::WithParamInterface<long long> {};

TEST_P(FullDiskTest, NamesItselfLeavesWholeLogLinesAndNoJournal) {
  // Full pages in every key of the control files: the run's records soon need new ones.
  auto& t = data::thr();
  {
    store::Transaction fill;
    ASSERT_EQ(fill.begin({&t.Utslippskontroll, &t.Slamkontroll}, 1), 0);
    for (int k = 0; k < 400; ++k) {
      t.Utslippskontroll.clear();
      t.Utslippskontroll.rec.ANLEGGSNR = "999999";
      t.Utslippskontroll.rec.UTSL_DATO1 = t.Utslippskontroll.rec.UTSL_DATO2 = k;
      ASSERT_EQ(t.Utslippskontroll.add(), 0);
      t.Slamkontroll.clear();
      t.Slamkontroll.rec.ANLEGGSNR = "999999";
      t.Slamkontroll.rec.DATO1 = t.Slamkontroll.rec.DATO2 = k;
      ASSERT_EQ(t.Slamkontroll.add(), 0);
    }
    ASSERT_EQ(fill.commit(), 0);
  }
  // The log is large, so the limit that fills it leaves the registry files room.
  constexpr std::uintmax_t kPadding = 8 << 20;
  { std::ofstream(logPath()) << std::string(kPadding - 1, '-') << '\n'; }
  auto ch = allOn();
  ch.LOGSLETT = false;
  crash_shim::install();
  g_logPath = logPath();
  FillingDiskAndLog filling(GetParam());
  import::RunImport(ch, state, filling, fake);
  ASSERT_TRUE(g_logLimit.has_value()) << "the registry never ran out of room";
  g_logLimit.reset();
  // Before anything reads the files again (a reader would roll a journal back).
  std::vector<std::string> left;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    const std::string name = e.path().filename();
    if (name.find("-journal") != std::string::npos || name.find("-mj") != std::string::npos) left.push_back(name);
  }
  crash_shim::uninstall();

  EXPECT_TRUE(left.empty()) << left.front();
  ASSERT_EQ(testing_ui::boxes().size(), 1u);
  EXPECT_EQ(testing_ui::boxes()[0].text,
            "Importen er stoppet!|Disken er full: database or disk is full (13)"
            "|Kan ikke skrive til logg-fila: " +
                logPath() + "|File too large");
  const std::string log = logText().substr(kPadding);
  EXPECT_TRUE(log.empty() || log.back() == '\n') << log;
  EXPECT_EQ(countStartingWith(logLines(log), "Lagret "), state.UtslippskontrollCount + state.SlamkontrollCount);
  EXPECT_EQ(dumpUtslippskontroll().size() + dumpSlamkontroll().size(),
            800u + state.UtslippskontrollCount + state.SlamkontrollCount);
  EXPECT_EQ(integrity(path(t.Utslippskontroll)), "ok");
  EXPECT_EQ(integrity(path(t.Slamkontroll)), "ok");
}

// Bytes of room when the run begins: none, part of a journal's header, one page, a page and
// part of the next, several pages.
INSTANTIATE_TEST_SUITE_P(Room, FullDiskTest, ::testing::Values(0, 300, 4096, 6000, 20000, 60000));

TEST_F(WriteFaultsTest, FilesHeldByAnotherConnectionStopTheRunAfterABoundedWait) {
  sqlite3* holder = nullptr;
  ASSERT_EQ(sqlite3_open(path(data::thr().Slamkontroll).c_str(), &holder), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  const auto t0 = std::chrono::steady_clock::now();
  run(allOn());
  const auto waited = std::chrono::steady_clock::now() - t0;
  sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(holder);

  EXPECT_LT(waited, 4s);                        // one wait of 1 s, not one per record
  EXPECT_TRUE(dumpUtslippskontroll().empty());  // no record written on its own
  EXPECT_EQ(state.UtslippskontrollCount + state.SlamkontrollCount, 0);
  expectStopped(progress, logText(), "Registeret er låst av en annen bruker: File Is Locked (32)");
  EXPECT_EQ(countStartingWith(logLines(logText()), "IKKE lagret"), 0);
}

// Another station acts when the run shows its first plant: it holds the supplier mappings
// past the read wait, or renames the laboratory (its mappings moving along); or the sample
// table fails at the next read. Either way the run has not seen everything it was to import:
// it stops and says why, never "Ferdig!".
TEST_F(WriteFaultsTest, AnotherStationCuttingAWalkShortStopsTheRun) {
  struct Case {
    const char* what;
    std::function<void(sqlite3*& holder)> act;
    const char* cause;
  };
  auto& t = data::thr();
  const Case cases[] = {
      {"supplier mappings held",
       [&](sqlite3*& holder) {
         ASSERT_EQ(sqlite3_open(path(t.MapLever).c_str(), &holder), SQLITE_OK);
         ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
       },
       "Feil på fil MapLever: File Is Locked (32)"},
      {"sample table unreadable", [&](sqlite3*&) { fake.nextSampleReadFails = true; },
       "Feil på fil RNX20.DBF: Invalid File (36)"},
      // Last: the laboratory keeps its new code.
      {"laboratory renamed",
       [&](sqlite3*&) {
         execOn(path(t.MapLab), "UPDATE MapLab SET LAB = 'KM', _REV = _REV + 1 WHERE LAB = 'KL'");
         for (store::FileBase* f :
              {static_cast<store::FileBase*>(&t.MapLever), static_cast<store::FileBase*>(&t.MapParam),
               static_cast<store::FileBase*>(&t.MapSted)})
           execOn(path(*f), ("UPDATE " + f->label() + " SET LAB = 'KM' WHERE LAB = 'KL'").c_str());
       },
       "Laboratoriet KL er endret eller slettet av en annen stasjon under importen"},
  };
  // Opened as the program opens it, the file's reads wait 10 s for a holder: open it afresh
  // with the ordinary wait, made short.
  store::setDefaultWaitMs(100);
  ASSERT_EQ(t.MapLever.close(), 0);
  ASSERT_EQ(t.MapLever.sendOption("Recover=0"), 0);
  ASSERT_EQ(t.MapLever.open(), 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sqlite3* holder = nullptr;
    struct OtherStation : RecordingProgress {
      std::function<void()> act;
      void showLine(int n, std::string_view text) override {
        RecordingProgress::showLine(n, text);
        if (n == 1 && text.rfind("Anlegg:", 0) == 0 && act) std::exchange(act, {})();
      }
    } other;
    other.act = [&] { c.act(holder); };
    testing_ui::boxes().clear();
    execOn(path(t.Utslippskontroll), "DELETE FROM Utslippskontroll");
    execOn(path(t.Slamkontroll), "DELETE FROM Slamkontroll");
    import::RunImport(allOn(), state, other, fake);
    if (holder) {
      sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
      sqlite3_close(holder);
    }
    expectStopped(other, logText(), c.cause);
    EXPECT_EQ(std::count(other.shown.begin(), other.shown.end(), "1:Ferdig!"), 0);
    EXPECT_EQ(std::count_if(other.shown.begin(), other.shown.end(),
                            [](const std::string& l) { return l.rfind("1:Anlegg:", 0) == 0; }),
              1)
        << "no supplier after the first";
    expectLogMatchesFiles();
  }
  store::setDefaultWaitMs(1000);
}

// Another tool wrote the factors as text: "0,5" is the number it spells, "fem" spells none and
// its mapping is named in the log and passed over ("ingen" on a mapping that takes no factor
// changes nothing). The run stores what it would with the
// factor 0.5 and without that mapping, never a value multiplied by 0; and an overwriting run
// leaves the stored controls as they were rather than rewrite them without that value.
TEST_F(WriteFaultsTest, AFactorWrittenAsTextIsItsNumberOrItsMappingIsPassedOverAndNamed) {
  auto& t = data::thr();
  const auto factor = [&](const char* code) {
    t.MapParam.clear();
    t.MapParam.rec.LAB = "KL";
    t.MapParam.rec.PRTYPE = "U";
    t.MapParam.rec.PARAMLAB = code;
    return t.MapParam.get(data::MapParam::MAPPARAMKEY) == 0 ? t.MapParam.rec.FAKTOR : -1.0;
  };
  const std::string mapParam = path(t.MapParam);
  execOn(mapParam, "UPDATE MapParam SET FAKTOR = 0.5 WHERE LAB = 'KL' AND PARAMLAB = 'TP'");
  execOn(mapParam, "UPDATE MapParam SET LAB = 'XY' WHERE LAB = 'KL' AND PARAMLAB = 'SS'");
  run(allOn());
  const auto expectedU = dumpUtslippskontroll();
  const auto expectedS = dumpSlamkontroll();
  ASSERT_FALSE(expectedU.empty());

  execOn(path(t.Utslippskontroll), "DELETE FROM Utslippskontroll");
  execOn(path(t.Slamkontroll), "DELETE FROM Slamkontroll");
  execOn(mapParam, "UPDATE MapParam SET LAB = 'KL', FAKTOR = 'fem' WHERE LAB = 'XY' AND PARAMLAB = 'SS'");
  execOn(mapParam, "UPDATE MapParam SET FAKTOR = '0,5' WHERE LAB = 'KL' AND PARAMLAB = 'TP'");
  // The water quantity takes no factor: its mapping stays in use whatever the factor holds.
  execOn(mapParam, "UPDATE MapParam SET FAKTOR = 'ingen' WHERE LAB = 'KL' AND PARAMLAB = 'VM'");
  ASSERT_EQ(factor("TP"), 0.5) << "the factor '0,5' is the number it spells";
  run(allOn());
  EXPECT_EQ(dumpUtslippskontroll(), expectedU);
  EXPECT_EQ(dumpSlamkontroll(), expectedS);
  const std::string log = logText();
  EXPECT_NE(log.find("Ugyldig faktor i MapParam - Prøvetype: U Analyse: SS "), std::string::npos) << log;
  EXPECT_EQ(log.find("Analyse: VM "), std::string::npos) << log;

  execOn(path(t.Utslippskontroll), "DELETE FROM Utslippskontroll");
  execOn(mapParam, "UPDATE MapParam SET FAKTOR = 2 WHERE LAB = 'KL' AND PARAMLAB = 'SS'");
  run(allOn());
  const auto good = dumpUtslippskontroll();
  execOn(mapParam, "UPDATE MapParam SET FAKTOR = 'fem' WHERE LAB = 'KL' AND PARAMLAB = 'SS'");
  import::ImportChoices overwrite = allOn();
  overwrite.OVERSKRIVES = true;
  run(overwrite);
  EXPECT_EQ(dumpUtslippskontroll(), good);
  EXPECT_EQ(logText().find("Lagret Utslippskontroll"), std::string::npos) << logText();
}

// Another tool wrote one key or linking column of a mapping as a blob. The run ends, and the
// mapping is read as its text (the run stores what it stores without the blob) or passed over
// (what it stores without the mapping), by where the blob sorts: after every text of its column
// within the same leading values. A watchdog ends the test program if a run never returns.
TEST_F(WriteFaultsTest, ABlobInAMappingsKeyIsReadAsItsTextOrTheMappingIsPassedOver) {
  auto& t = data::thr();
  struct Case {
    store::FileBase& file;
    const char* table;
    const char* column;
    const char* row;
    bool passedOver;
  };
  const Case cases[] = {
      {t.MapLever, "MapLever", "LAB", "LAB = 'KL' AND LEVERAND = '200'", true},
      {t.MapLever, "MapLever", "LEVERAND", "LAB = 'KL' AND LEVERAND = '200'", false},
      {t.MapLever, "MapLever", "LEVERAND", "LAB = 'KL' AND LEVERAND = '100'", false},
      // No other laboratory's parameters sort after KL's: the walk meets it while KL/U holds.
      {t.MapParam, "MapParam", "LAB", "LAB = 'KL' AND PARAMLAB = 'TP'", false},
      {t.MapParam, "MapParam", "PRTYPE", "LAB = 'KL' AND PARAMLAB = 'TP'", false},
      // After KL's U rows: the sludge walk has stopped at the first of them.
      {t.MapParam, "MapParam", "PRTYPE", "LAB = 'KL' AND PARAMLAB = 'STS'", true},
      {t.MapParam, "MapParam", "PARAMLAB", "LAB = 'KL' AND PARAMLAB = 'TP'", false},
      {t.MapSted, "MapSted", "LAB", "LAB = 'KL' AND LEVERAND = '200'", true},
      {t.MapSted, "MapSted", "LEVERAND", "LAB = 'KL' AND LEVERAND = '200'", true},
      {t.MapSted, "MapSted", "STEDLAB", "LAB = 'KL' AND LEVERAND = '100' AND STEDLAB = '01'", true},
      {t.MapSted, "MapSted", "STEDLAB", "LAB = 'KL' AND LEVERAND = '100' AND STEDLAB = '03'", false},
  };
  const auto runBounded = [&] {
    execOn(path(t.Utslippskontroll), "DELETE FROM Utslippskontroll");
    execOn(path(t.Slamkontroll), "DELETE FROM Slamkontroll");
    std::mutex m;
    std::condition_variable cv;
    bool done = false;
    std::thread dog([&] {
      std::unique_lock lock(m);
      if (!cv.wait_for(lock, l2stest::kWaitLimit, [&] { return done; })) {
        std::fprintf(stderr, "an import over a blob in a mapping's key did not end\n");
        std::_Exit(1);
      }
    });
    run(allOn());
    {
      std::lock_guard lock(m);
      done = true;
    }
    cv.notify_one();
    dog.join();
    EXPECT_EQ(progress.lines[1], "Ferdig!") << logText();
    return std::pair{dumpUtslippskontroll(), dumpSlamkontroll()};
  };
  const auto whole = runBounded();
  ASSERT_FALSE(whole.first.empty());
  ASSERT_FALSE(whole.second.empty());
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.table) + "." + c.column + " where " + c.row);
    const std::string file = path(c.file);
    const std::string table = c.table;
    // The run without the mapping: the row under another laboratory for a while.
    execOn(file, ("UPDATE " + table + " SET LAB = 'QQ' WHERE " + c.row).c_str());
    const auto without = runBounded();
    execOn(file, ("UPDATE " + table + " SET LAB = 'KL' WHERE LAB = 'QQ'").c_str());
    ASSERT_NE(without, whole) << "the row must matter to the run";

    execOn(file, ("UPDATE " + table + " SET " + c.column + " = CAST(" + c.column + " AS BLOB) WHERE " + c.row).c_str());
    const auto withBlob = runBounded();
    EXPECT_EQ(withBlob, c.passedOver ? without : whole);
    execOn(file, ("UPDATE " + table + " SET " + c.column + " = CAST(" + c.column + " AS TEXT) WHERE typeof(" +
                  c.column + ") = 'blob'")
                     .c_str());
  }
}

TEST_F(WriteFaultsTest, AMalformedRegistryFileIsAFileErrorNotAMissingPlant) {
  // Damage the plant file's pages behind its header, and let readers see the change.
  const std::string anlegg = path(data::thr().Anlegg);
  {
    std::fstream f(anlegg, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(4096);
    const std::string junk(4096 * 2, '\x5a');
    f.write(junk.data(), std::streamsize(junk.size()));
    f.seekp(24);
    f.write("\x7f\x7f\x7f\x7f", 4);  // change counter
  }
  run(allOn());
  ASSERT_EQ(testing_ui::boxes().size(), 2u);
  EXPECT_EQ(testing_ui::boxes()[0].caption, "Record Retrieval Error");
  EXPECT_NE(testing_ui::boxes()[0].text.find("malformed"), std::string::npos) << testing_ui::boxes()[0].text;
  const std::string log = logText();
  EXPECT_EQ(log.find("er ikke registrert Sivra 2000!"), std::string::npos);
  EXPECT_EQ(log.find("Anlegg: 010102"), std::string::npos);  // no supplier after the first
  expectStopped(progress, log, "Feil på fil Anlegg: database disk image is malformed (11)");
}

// Killed at any moment, the run leaves the log's stored-record lines and the stored records in
// agreement (a commit comes before its lines, so at most the records of the last commit lack
// theirs), and every file intact.
TEST_F(WriteFaultsTest, AKilledRunLogsNoRecordItDidNotStoreAndLeavesTheFilesIntact) {
  fake.journals.clear();
  fake.samples.clear();
  for (int k = 0; k < 300; ++k) {
    char nr[8];
    std::snprintf(nr, sizeof nr, "%04d", k);
    import::JournalRow j;
    j.PAAR = "08";
    j.JRNLNR = nr;
    j.REKV = "100";
    j.STARTDATO = text::dateFromYmd(2008, 1, 1);
    fake.journals.push_back(j);
    testing_lab::Sample smp;
    smp.row.PAAR = "08";
    smp.row.JRNLNR = nr;
    smp.row.STED = "03";
    smp.row.TATTDATO = text::dateFromYmd(2008, 1, 1) + k;
    smp.results = {{"TP", "1"}, {"STS", "2"}};
    fake.samples.push_back(smp);
  }
  auto ch = allOn();
  ch.LEVERAND1 = ch.LEVERAND2 = "100";
  auto& t = data::thr();
  store::FileBase* files[] = {&t.MapLab, &t.MapLever,         &t.MapParam,    &t.MapSted,
                              &t.Anlegg, &t.Utslippskontroll, &t.Slamkontroll};
  bool sawPartial = false;
  // Fixed delays kill at assorted moments; the last kill (-1) waits for the first stored-record
  // line, so one kill surely lands in the middle of the writing however slow the machine is.
  for (int delayMs : {15, 40, 70, 100, 150, 200, 300, 450, -1}) {
    SCOPED_TRACE(delayMs);
    const long before = t.Utslippskontroll.records() + t.Slamkontroll.records();
    // A child killed before its run opens the log must not leave the previous run's lines to
    // be counted against this run's records.
    std::remove(logPath().c_str());
    for (auto* f : files) f->close();  // no connection crosses the fork
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      for (auto* f : files)
        if (f->open() != 0) ::_exit(2);
      t.MapLab.rec.LAB = "KL";
      if (t.MapLab.get(data::MapLab::MAPLABKEY) != 0) ::_exit(3);
      import::RunImport(ch, state, progress, fake);
      ::_exit(0);
    }
    int status = 0;
    bool exited = false;
    if (delayMs >= 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    } else {
      while (countStartingWith(logLines(logText()), "Lagret ") == 0) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        ASSERT_GE(done, 0);
        if (done == pid) {
          exited = true;
          break;
        }
        std::this_thread::sleep_for(1ms);
      }
    }
    if (!exited) {
      ::kill(pid, SIGKILL);
      ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    }
    ASSERT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0));
    for (auto* f : files) ASSERT_EQ(f->open(), 0);

    EXPECT_EQ(integrity(path(t.Utslippskontroll)), "ok");
    EXPECT_EQ(integrity(path(t.Slamkontroll)), "ok");
    const std::string log = logText();
    EXPECT_TRUE(log.empty() || log.back() == '\n');  // no half-written line
    const auto lines = logLines(log);
    const long logged = countStartingWith(lines, "Lagret ");
    const long stored = t.Utslippskontroll.records() + t.Slamkontroll.records() - before;
    EXPECT_GE(stored, logged);
    EXPECT_LE(stored - logged, 1) << "stored " << stored << ", logged " << logged;
    sawPartial |= WIFSIGNALED(status) && stored > 0;
  }
  EXPECT_TRUE(sawPartial);  // some kill came in the middle of the writing
}

}  // namespace
}  // namespace testing_import
