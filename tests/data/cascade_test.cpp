// The mapping tree kept whole: deleting and re-keying a laboratory or a supplier mapping over
// real files, with failures in the middle of a walk, another station's change, another
// station holding a file, and the process killed at every write step.
#include "data/cascade.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "crash_shim.h"
#include "data/use_counters.h"
#include "mapping_fixture.h"

namespace {

using l2stest::MappingHarness;
using Lines = std::vector<std::string>;
using data::FileId;

class CascadeTest : public MappingHarness {
 protected:
  void SetUp() override {
    MappingHarness::SetUp();
    addTree();
    before = snapshot();
  }

  // On the calling thread: the file open and the record read as a list reads it before a form
  // (change detection armed); then `op`; then the file given back.
  static int withLab(const std::string& code, const std::function<int(data::ThreadState&)>& op) {
    auto& t = data::thr();
    data::useFile(FileId::MapLab);
    t.MapLab.rec.LAB = code;
    t.MapLab.get(data::MapLab::MAPLABKEY);
    t.MapLab.reget(data::MapLab::MAPLABKEY, t.MapLab.position(data::MapLab::MAPLABKEY), true);
    data::SaveMapLabLinks();
    const int r = op(t);
    data::dropFile(FileId::MapLab);
    return r;
  }
  static int withSupplier(const std::string& lab, const std::string& supplier,
                          const std::function<int(data::ThreadState&)>& op) {
    auto& t = data::thr();
    data::useFile(FileId::MapLever);
    t.MapLever.rec.LAB = lab;
    t.MapLever.rec.LEVERAND = supplier;
    t.MapLever.get(data::MapLever::MAPLEVERKEY);
    t.MapLever.reget(data::MapLever::MAPLEVERKEY, t.MapLever.position(data::MapLever::MAPLEVERKEY), true);
    data::SaveMapLeverLinks();
    const int r = op(t);
    data::dropFile(FileId::MapLever);
    return r;
  }
  static int deleteLab(const std::string& code) {
    return withLab(code, [](data::ThreadState&) { return data::DeleteMapLab(); });
  }
  static int renameLab(const std::string& from, const std::string& to) {
    return withLab(from, [&](data::ThreadState& t) {
      t.MapLab.rec.LAB = to;
      return data::UpdateMapLab();
    });
  }
  // `before` with the laboratory FJL (either case) under `code`.
  Lines rekeyed(const std::string& code) const {
    Lines out;
    for (std::string l : before) {
      const std::size_t at = l.find(": ") + 2;
      const std::string lab = l.substr(at, l.find(' ', at) - at);
      if (lab == "FJL" || lab == "fjl") l.replace(at, lab.size(), code);
      out.push_back(l);
    }
    std::sort(out.begin(), out.end());
    return out;
  }
  void inject(const std::string& label, const std::string& event, const std::string& when) {
    const auto rows = testing_util::peek(path(label == "MapSted" ? FileId::MapSted : FileId::MapLever),
                                         "CREATE TRIGGER inject BEFORE " + event + " ON " + label + " WHEN " + when +
                                             " BEGIN SELECT RAISE(ABORT, 'injected'); END");
    ASSERT_TRUE(rows.empty()) << rows[0][1];
  }

  Lines before;
};

TEST_F(CascadeTest, DeletingALaboratoryTakesEverythingItOwnsInEitherLetterCaseAndNothingElse) {
  start([] { return deleteLab("FJL"); });
  EXPECT_EQ(finish(), 0);
  EXPECT_EQ(snapshot(), without(before, {" FJL", " fjl"}));
}

TEST_F(CascadeTest, ANewLaboratoryCodeCarriesOverToEveryMappingWhereverItSorts) {
  for (const std::string code : {"B", "X", "fjl"}) {
    SCOPED_TRACE(code);
    start([code] { return renameLab("FJL", code); });
    ASSERT_EQ(finish(), 0);
    EXPECT_EQ(snapshot(), rekeyed(code));
    start([code] { return renameLab(code, "FJL"); });
    ASSERT_EQ(finish(), 0);
    before = rekeyed("FJL");
  }
}

TEST_F(CascadeTest, ChangingOnlyTheNameRewritesTheLaboratoryAlone) {
  start([] {
    return withLab("FJL", [](data::ThreadState& t) {
      t.MapLab.rec.LABNAVN = "Nytt navn";
      return data::UpdateMapLab();
    });
  });
  EXPECT_EQ(finish(), 0);
  EXPECT_EQ(testing_util::peek(path(FileId::MapLab), "SELECT LABNAVN FROM MapLab WHERE LAB = 'FJL'"),
            testing_util::Rows{{"Nytt navn"}});
  for (const char* label : {"MapLever", "MapParam", "MapSted"}) {
    const FileId id = std::string(label) == "MapLever"   ? FileId::MapLever
                      : std::string(label) == "MapParam" ? FileId::MapParam
                                                         : FileId::MapSted;
    EXPECT_EQ(testing_util::peek(path(id), std::string("SELECT MAX(_REV) FROM ") + label), testing_util::Rows{{"0"}})
        << label;
  }
}

TEST_F(CascadeTest, ASupplierMappingTakesItsOwnPlaceMappingsOnly) {
  start([] { return withSupplier("FJL", "100", [](data::ThreadState&) { return data::DeleteMapLever(); }); });
  EXPECT_EQ(finish(), 0);
  // The same supplier under the other laboratories, and FJL's other suppliers, stay.
  EXPECT_EQ(snapshot(), without(before, {"FJL 100"}));

  start([] {
    return withSupplier("fjl", "150", [](data::ThreadState& t) {
      t.MapLever.rec.LEVERAND = "160";
      return data::UpdateMapLever();
    });
  });
  EXPECT_EQ(finish(), 0);
  const Lines now = snapshot();
  for (const char* gone : {"MapLever: fjl 150 000003", "MapSted: fjl 150 S1"})
    EXPECT_EQ(std::count(now.begin(), now.end(), gone), 0) << gone;
  for (const char* moved : {"MapLever: fjl 160 000003", "MapSted: fjl 160 S1"})
    EXPECT_EQ(std::count(now.begin(), now.end(), moved), 1) << moved;
}

// The place mapping of the third supplier refuses to go or to move.
TEST_F(CascadeTest, AFailureInTheMiddleOfAWalkLeavesEverythingAndARetrySucceeds) {
  struct Case {
    const char* event;
    const char* caption;
    std::function<int()> op;
    Lines after;
  };
  const Case cases[] = {
      {"DELETE", "Delete Operation Error", [] { return data::DeleteMapLab(); }, without(before, {" FJL", " fjl"})},
      {"UPDATE", "Update Operation Error",
       [] {
         data::thr().MapLab.rec.LAB = "B";
         return data::UpdateMapLab();
       },
       rekeyed("B")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.event);
    inject("MapSted", c.event, "old.LEVERAND = '200'");
    std::atomic<int> first{-1};
    Lines between;
    start([&] {
      return withLab("FJL", [&](data::ThreadState&) {
        first = c.op();
        between = snapshot();
        testing_util::peek(path(FileId::MapSted), "DROP TRIGGER inject");
        return c.op();  // the user's "try again": the same saved links, the same changes
      });
    });
    ASSERT_TRUE(robot.answer(c.caption, "Ok")) << transcript.text();
    EXPECT_EQ(finish(), 0);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(between, before);
    EXPECT_EQ(snapshot(), c.after);
    before = snapshot();
    if (std::string(c.event) == "DELETE") {  // put the tree back for the next case
      resetTree();
      before = snapshot();
    }
  }
}

TEST_F(CascadeTest, AnotherStationsChangeIsShownAndASecondAttemptStoresTheUsersRecord) {
  std::string shown;
  start([&] {
    return withLab("FJL", [&](data::ThreadState& t) {
      testing_util::peek(path(FileId::MapLab),
                         "UPDATE MapLab SET LABNAVN = 'Annen', _REV = _REV + 1 WHERE LAB = 'FJL'");
      t.MapLab.rec.LABNAVN = "Min";
      const int first = data::UpdateMapLab();
      shown = t.MapLab.rec.LABNAVN.str();
      t.MapLab.rec.LABNAVN = "Min";
      return first * 10 + data::UpdateMapLab();
    });
  });
  ASSERT_TRUE(robot.answer("Record Was Not Updated", "Ok"));
  EXPECT_EQ(finish(), 20);
  EXPECT_EQ(shown, "Annen");
  EXPECT_EQ(testing_util::peek(path(FileId::MapLab), "SELECT LABNAVN FROM MapLab WHERE LAB = 'FJL'"),
            testing_util::Rows{{"Min"}});
}

// Another station deleted the laboratory after this one read it (its mappings left behind, so
// a walk from the buffer would find them): nothing is written, the box says not found, and a
// retry says it again rather than "changed by another station".
// What this station does to a laboratory another station has deleted meanwhile.
struct GoneCase {
  const char* what;
  const char* caption;
  std::function<int(data::ThreadState&)> op;
};
const GoneCase kDeleteGone{"delete", "Delete Operation Error", [](data::ThreadState&) { return data::DeleteMapLab(); }};
const GoneCase kRenameGone{"new name", "Update Operation Error", [](data::ThreadState& t) {
                             t.MapLab.rec.LABNAVN = "Min";
                             return data::UpdateMapLab();
                           }};
const GoneCase kRecodeGone{"new code", "Update Operation Error", [](data::ThreadState& t) {
                             t.MapLab.rec.LAB = "B";
                             return data::UpdateMapLab();
                           }};

TEST_F(CascadeTest, ARecordGoneSinceItWasReadIsNotFoundAndTouchesNothing) {
  const GoneCase cases[] = {kDeleteGone, kRenameGone, kRecodeGone};
  const Lines gone = without(before, {"MapLab: FJL "});
  for (const GoneCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::string kept;
    start([&] {
      return withLab("FJL", [&](data::ThreadState& t) {
        testing_util::peek(path(FileId::MapLab), "DELETE FROM MapLab WHERE LAB = 'FJL'");
        const int first = c.op(t);
        kept = t.MapLab.rec.LAB.str() + "/" + t.MapLab.rec.LABNAVN.str();
        return first * 10 + c.op(t);
      });
    });
    for (int attempt = 0; attempt < 2; ++attempt)
      ASSERT_TRUE(robot.answer(c.caption, "Ok")) << attempt << transcript.text();
    EXPECT_EQ(finish(), 11);
    EXPECT_FALSE(transcriptHas("changed by another station")) << transcript.text();
    EXPECT_EQ(snapshot(), gone);
    if (c.caption[0] == 'U') {
      EXPECT_TRUE(transcriptHas("Record Not Found")) << transcript.text();
      EXPECT_EQ(kept, c.what[4] == 'c' ? "B/Fjell lab" : "FJL/Min") << "the user's changes stay for a retry";
    }
    resetTree();
  }
}

// As above, but the other station then added a laboratory that took the last row's place in
// the file: this station's delete or change must not reach it or its mappings.
TEST_F(CascadeTest, ARecordGoneAndReplacedIsNotFoundAndTheNewRecordKeepsItsMappings) {
  const auto rowid = [&](const std::string& lab) {
    const auto r = testing_util::peek(path(FileId::MapLab), "SELECT rowid FROM MapLab WHERE LAB = '" + lab + "'");
    return r.empty() ? std::string("-") : r[0][0];
  };
  // Another station's instance of the file, as the program deletes.
  const auto deleteElsewhere = [](const std::string& lab) {
    data::MapLab other;
    other.setName(data::fileName(FileId::MapLab));
    ASSERT_EQ(other.open(), 0);
    other.rec.LAB = lab;
    ASSERT_EQ(other.get(data::MapLab::MAPLABKEY), 0);
    ASSERT_EQ(other.remove(), 0);
    other.close();
  };
  const std::string last = rowid("ZZ");
  deleteElsewhere("ZZ");
  addLabs({{"NY", "Ny lab"}});
  const bool reused = rowid("NY") == last;
  resetTree();
  ASSERT_FALSE(reused) << "the new record took the deleted record's row id";

  const GoneCase cases[] = {kDeleteGone, kRecodeGone};
  for (const GoneCase& c : cases) {
    SCOPED_TRACE(c.what);
    Lines replaced;
    start([&] {
      return withLab("ZZ", [&](data::ThreadState& t) {
        deleteElsewhere("ZZ");
        addLabs({{"NY", "Ny lab"}});
        testing_util::peek(path(FileId::MapLever), "UPDATE MapLever SET LAB = 'NY' WHERE LAB = 'ZZ'");
        replaced = snapshot();
        return c.op(t);
      });
    });
    ASSERT_TRUE(robot.answer(c.caption, "Ok")) << transcript.text();
    EXPECT_EQ(finish(), 1);
    EXPECT_EQ(snapshot(), replaced);
    resetTree();
  }
}

// Another station moved the laboratory FJL to FJB (or supplier 100 to 110) with its mappings;
// this station's change meets kind 38, the user recalls his own code and saves it: the
// mappings follow from where they are stored now.
TEST_F(CascadeTest, AfterAnotherStationsChangeTheRecalledCodeTakesTheMappingsFromTheStoredCode) {
  struct Case {
    const char* what;
    std::function<void()> otherStation;
    std::function<int(const std::function<void()>& otherStation)> thisStation;
    Lines after;
  };
  Lines supplierMoved = without(before, {"FJL 100 "});
  for (const char* l : {"MapLever: FJL 120 000002", "MapSted: FJL 120 S1", "MapSted: FJL 120 S2"})
    supplierMoved.push_back(l);
  std::sort(supplierMoved.begin(), supplierMoved.end());
  const Case cases[] = {
      {"laboratory",
       [this] {
         testing_util::peek(path(FileId::MapLab), "UPDATE MapLab SET LAB = 'FJB', _REV = _REV + 1 WHERE LAB = 'FJL'");
         for (auto [id, label] : {std::pair{FileId::MapLever, "MapLever"}, std::pair{FileId::MapParam, "MapParam"},
                                  std::pair{FileId::MapSted, "MapSted"}})
           testing_util::peek(path(id),
                              std::string("UPDATE ") + label + " SET LAB = 'FJB' WHERE LAB IN ('FJL', 'fjl')");
       },
       [](const std::function<void()>& other) {
         return withLab("FJL", [&](data::ThreadState& t) {
           other();
           t.MapLab.rec.LAB = "FJA";
           const int first = data::UpdateMapLab();
           if (t.MapLab.rec.LAB.str() != "FJB") return -1;
           t.MapLab.rec.LAB = "FJA";  // Ctrl+'
           return first * 10 + data::UpdateMapLab();
         });
       },
       rekeyed("FJA")},
      {"supplier",
       [this] {
         testing_util::peek(
             path(FileId::MapLever),
             "UPDATE MapLever SET LEVERAND = '110', _REV = _REV + 1 WHERE LAB = 'FJL' AND LEVERAND = '100'");
         testing_util::peek(path(FileId::MapSted),
                            "UPDATE MapSted SET LEVERAND = '110' WHERE LAB = 'FJL' AND LEVERAND = '100'");
       },
       [](const std::function<void()>& other) {
         return withSupplier("FJL", "100", [&](data::ThreadState& t) {
           other();
           t.MapLever.rec.LEVERAND = "120";
           const int first = data::UpdateMapLever();
           if (t.MapLever.rec.LEVERAND.str() != "110") return -1;
           t.MapLever.rec.LEVERAND = "120";
           return first * 10 + data::UpdateMapLever();
         });
       },
       supplierMoved},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    start([&] { return c.thisStation(c.otherStation); });
    ASSERT_TRUE(robot.answer("Record Was Not Updated", "Ok")) << transcript.text();
    EXPECT_EQ(finish(), 20);
    EXPECT_EQ(snapshot(), c.after);
    resetTree();
  }
}

// The box names the file that is held, not the file the operation began with.
TEST_F(CascadeTest, AnotherStationHoldingAFileMakesTheBeginFailAfterTwoSeconds) {
  struct Case {
    const char* what;
    const char* held;
    std::function<int()> op;
  };
  const Case cases[] = {{"delete", "MapSted", [] { return deleteLab("FJL"); }},
                        {"update", "MapLever", [] { return renameLab("FJL", "B"); }}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path(std::string(c.held) == "MapSted" ? FileId::MapSted : FileId::MapLever).c_str(), &other),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::array<int, 3> counters{-1, -1, -1};
    const auto t0 = std::chrono::steady_clock::now();
    start([&] {
      const int r = c.op();
      auto& t = data::thr();
      counters = {t.useCount[std::size_t(FileId::MapLever)], t.useCount[std::size_t(FileId::MapParam)],
                  t.useCount[std::size_t(FileId::MapSted)]};
      return r;
    });
    ASSERT_TRUE(robot.answer("Transaction Framing Error", "Ok")) << transcript.text();
    EXPECT_EQ(finish(), 1);
    EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(1900));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(transcriptHas(std::string("attempting to frame the ") + c.what + " transaction on " + c.held + ".  " +
                              (c.what[0] == 'd' ? "Delete" : "Update") + " transaction cancelled."))
        << transcript.text();
    EXPECT_EQ(counters, (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(snapshot(), before);
  }
}

// A child process runs the cascade and is killed at its n-th write, sync or delete, for every n
// until it gets through: the four files are always all as before or all as after.
TEST_F(CascadeTest, AProcessKilledAtAnyWriteStepLeavesAllFourFilesBeforeOrAfter) {
  struct Case {
    const char* name;
    std::function<int()> op;
    Lines after;
  };
  const Case cases[] = {{"delete", [] { return deleteLab("FJL"); }, without(before, {" FJL", " fjl"})},
                        {"update", [] { return renameLab("FJL", "B"); }, rekeyed("B")}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool sawBefore = false, completed = false;
    for (int n = 1; n < 500 && !completed; ++n) {
      const pid_t pid = ::fork();
      ASSERT_GE(pid, 0);
      if (pid == 0) {
        ::alarm(20);
        crash_shim::install();
        auto& t = data::thr();
        data::useFile(FileId::MapLab);
        t.MapLab.rec.LAB = "FJL";
        if (t.MapLab.get(data::MapLab::MAPLABKEY) != 0) ::_exit(3);
        data::SaveMapLabLinks();
        crash_shim::killAfter(n);
        // The operation opens the owned files itself; those opens write nothing.
        t.MapLab.rec.LAB = "FJL";
        ::_exit(c.op() == 0 ? 0 : 4);
      }
      int status = 0;
      ASSERT_EQ(::waitpid(pid, &status, 0), pid);
      if (WIFEXITED(status)) {
        ASSERT_EQ(WEXITSTATUS(status), 0);
        completed = true;
      } else {
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;
      }
      const Lines now = snapshot();  // reading rolls a hot journal back first
      ASSERT_TRUE(now == before || now == c.after) << "killed at write step " << n;
      sawBefore |= now == before;
      if (now == c.after && !completed) break;  // committed; the kill came after the commit point
    }
    EXPECT_TRUE(sawBefore);
    EXPECT_EQ(snapshot(), c.after);
    resetTree();  // for the next case
  }
}

}  // namespace

// Another tool wrote one key or linking column as a blob. Renaming and deleting the laboratory
// end; a row whose laboratory is the text FJL goes with it whatever blob sits beside it in the
// key (its value kept, never rewritten as ''), and a row whose laboratory itself is a blob is not
// among FJL's rows and stays as stored. The laboratory record itself is reached as a list reaches
// it: by walking the key, where a blob reads as its text.
TEST_F(CascadeTest, ABlobInAKeyOrLinkingColumnIsCarriedAsItsTextOrPassedOver) {
  struct Case {
    FileId file;
    const char* table;
    const char* column;
    const char* row;  // the row's key values
    bool passedOver;
  };
  const Case cases[] = {
      {FileId::MapLab, "MapLab", "LAB", "LAB = 'FJL'", false},
      {FileId::MapLever, "MapLever", "LAB", "LAB = 'FJL' AND LEVERAND = '200'", true},
      {FileId::MapLever, "MapLever", "LEVERAND", "LAB = 'FJL' AND LEVERAND = '200'", false},
      {FileId::MapParam, "MapParam", "LAB", "LAB = 'FJL' AND PARAMLAB = 'P1'", true},
      {FileId::MapParam, "MapParam", "PRTYPE", "LAB = 'FJL' AND PARAMLAB = 'P1'", false},
      {FileId::MapParam, "MapParam", "PARAMLAB", "LAB = 'fjl' AND PARAMLAB = 'P2'", false},
      {FileId::MapSted, "MapSted", "LAB", "LAB = 'FJL' AND LEVERAND = '200'", true},
      {FileId::MapSted, "MapSted", "LEVERAND", "LAB = 'FJL' AND LEVERAND = '200'", false},
      {FileId::MapSted, "MapSted", "STEDLAB", "LAB = 'FJL' AND LEVERAND = '100' AND STEDLAB = 'S2'", false},
  };
  // The laboratory's record found by walking its key from the start, as a list does.
  const auto walkToLab = [](const std::string& code, const std::function<int(data::ThreadState&)>& op) {
    auto& t = data::thr();
    data::useFile(FileId::MapLab);
    t.MapLab.clear();
    int r = t.MapLab.set(data::MapLab::MAPLABKEY);
    for (int steps = 0; r == 0 && steps < 100; ++steps) {
      if ((r = t.MapLab.next()) == 0 && t.MapLab.rec.LAB.str() == code) break;
    }
    if (r == 0) {
      t.MapLab.reget(data::MapLab::MAPLABKEY, t.MapLab.position(data::MapLab::MAPLABKEY), true);
      data::SaveMapLabLinks();
      r = op(t);
    } else {
      r = -100 - r;
    }
    data::dropFile(FileId::MapLab);
    return r;
  };
  const auto rekeyLine = [](std::string l, const std::string& code) {
    const std::size_t at = l.find(": ") + 2;
    const std::string lab = l.substr(at, l.find(' ', at) - at);
    if (lab == "FJL" || lab == "fjl") l.replace(at, lab.size(), code);
    return l;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.table) + "." + c.column);
    for (const bool rename : {true, false}) {
      SCOPED_TRACE(rename ? "rename" : "delete");
      resetTree();
      const auto ids =
          testing_util::peek(path(c.file), std::string("SELECT rowid FROM ") + c.table + " WHERE " + c.row);
      ASSERT_EQ(ids.size(), 1u);
      const std::string rowid = "rowid = " + ids[0][0];
      const std::string blobbed =
          std::string("UPDATE ") + c.table + " SET " + c.column + " = CAST(" + c.column + " AS BLOB) WHERE " + rowid;
      ASSERT_TRUE(testing_util::poke(path(c.file), blobbed));
      ASSERT_EQ(testing_util::peek(path(c.file), std::string("SELECT COUNT(*) FROM ") + c.table + " WHERE typeof(" +
                                                     c.column + ") = 'blob'"),
                testing_util::Rows{{"1"}});
      before = snapshot();
      start([&] {
        return walkToLab("FJL", [&](data::ThreadState& t) {
          if (!rename) return data::DeleteMapLab();
          t.MapLab.rec.LAB = "B";
          return data::UpdateMapLab();
        });
      });
      ASSERT_EQ(finish(), 0) << transcript.text();
      Lines expected = rename ? rekeyed("B") : without(before, {" FJL", " fjl"});
      if (c.passedOver) {
        const std::string cols = c.file == FileId::MapLever   ? "LAB, LEVERAND, ANLEGGSNR"
                                 : c.file == FileId::MapParam ? "LAB, PRTYPE, PARAMLAB"
                                                              : "LAB, LEVERAND, STEDLAB";
        const auto r = testing_util::peek(path(c.file), "SELECT " + cols + " FROM " + c.table + " WHERE " + rowid);
        ASSERT_EQ(r.size(), 1u) << "the passed-over row stays as stored";
        std::string line = std::string(c.table) + ":";
        for (const auto& v : r[0]) line += " " + v;
        if (rename) std::erase(expected, rekeyLine(line, "B"));
        expected.push_back(line);
        std::sort(expected.begin(), expected.end());
      }
      EXPECT_EQ(snapshot(), expected);
    }
  }
}
