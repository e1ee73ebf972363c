// Two stations (two instances, each with its own connection) and other tools on one file: a
// record's identity is never given to another record, and what another tool did to the file
// since it was opened is caught when a transaction begins.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "open_test_file.h"
#include "other_tool.h"
#include "platform/store/error.h"
#include "platform/store/paths.h"
#include "platform/store/transaction.h"
#include "scratch_dir.h"
#include "sqlite_peek.h"
#include "test_record.h"

using namespace testing_util;

namespace {

class StationsTest : public OpenTestFile<> {
 protected:
  TestFile other{path};  // the other station
  void SetUp() override {
    OpenTestFile::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(other.open(), 0);
  }
  long long add(TestFile& at, const char* code, int n = 0) {
    at.clear();
    at.rec.CODE = code;
    at.rec.N = n;
    EXPECT_EQ(at.add(), 0);
    return at.currentRow();
  }
};

// Station A holds the highest record (as a form does: its position, watched); station B
// deletes it, by itself or in a transaction, and adds a new one with the same code.
TEST_F(StationsTest, ANewRecordNeverTakesADeletedOnesIdentity) {
  for (const bool inTransaction : {false, true}) {
    SCOPED_TRACE(inTransaction ? "in a transaction" : "on its own");
    const char* code = inTransaction ? "K2" : "K1";
    add(f, inTransaction ? "A2" : "A1");
    const long long old = add(f, code);
    const std::string held = f.position(CODEKEY);

    other.clear();
    other.rec.CODE = code;
    ASSERT_EQ(other.get(CODEKEY), 0);
    {
      store::Transaction tx;
      if (inTransaction) {
        ASSERT_EQ(tx.begin({&f, &other}, 1), 0);
      }
      ASSERT_EQ(other.remove(), 0);
      EXPECT_GT(add(other, code, 7), old);
      if (inTransaction) {
        ASSERT_EQ(tx.commit(), 0);
      }
    }
    // Also after the other station closed and opened the file again.
    other.close();
    ASSERT_EQ(other.open(), 0);
    other.clear();
    other.rec.CODE = code;
    ASSERT_EQ(other.get(CODEKEY), 0);
    ASSERT_EQ(other.remove(), 0);
    EXPECT_GT(add(other, code, 8), old + 1);

    EXPECT_EQ(f.reget(CODEKEY, held, true), store::Err::RecordNotFound);
    EXPECT_EQ(peek(path, std::string("SELECT N FROM Test WHERE CODE = '") + code + "'"), (Rows{{"8"}}));
  }
}

TEST_F(StationsTest, ChangeOrDeleteOfARecordAnotherStationDeletedIsNotFound) {
  add(f, "K1");
  add(f, "K2");
  struct Case {
    const char* what;
    bool watched;
    bool remove;
  };
  const Case cases[] = {{"watched change", true, false}, {"change", false, false}, {"delete", false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    add(other, "K9");
    f.clear();
    f.rec.CODE = "K9";
    if (c.watched) f.watch();
    ASSERT_EQ(f.get(CODEKEY), 0);
    ASSERT_EQ(other.remove(), 0);
    add(other, "K9", 3);  // a new record under the same code
    f.rec.N = 5;
    EXPECT_EQ(c.remove ? f.remove() : f.put(), store::Err::RecordNotFound);
    EXPECT_EQ(peek(path, "SELECT N FROM Test WHERE CODE = 'K9'"), (Rows{{"3"}}));
    other.clear();
    other.rec.CODE = "K9";
    ASSERT_EQ(other.get(CODEKEY), 0);
    ASSERT_EQ(other.remove(), 0);
  }
}

TEST_F(StationsTest, ARevisionAnotherToolWroteAsNoNumberNeverBlocksSaving) {
  add(f, "K1");
  OtherTool tool(path);
  for (const char* rev : {"'x'", "'7'", "2.5", "x'41'"}) {
    SCOPED_TRACE(rev);
    ASSERT_EQ(tool.exec(std::string("UPDATE Test SET _REV = ") + rev), "");
    for (int save = 0; save < 2; ++save) {
      f.clear();
      f.rec.CODE = "K1";
      f.watch();
      ASSERT_EQ(f.get(CODEKEY), 0);
      f.rec.N = save + 1;
      ASSERT_EQ(f.put(), 0);
    }
    EXPECT_EQ(peek(path, "SELECT typeof(_REV), N FROM Test"), (Rows{{"integer", "2"}}));
  }
}

// What another tool did to a file after the program opened it is found when a transaction
// over it begins: a switch to WAL (each file would commit on its own) and a dropped trigger.
TEST(StationsTransactionTest, BeginRepairsOrRefusesWhatAnotherToolChangedSinceOpen) {
  ScratchDir dir;
  const std::string p1 = dir.file("F1.tps"), p2 = dir.file("F2.tps");
  TestFile a{p1}, b{p2};
  for (TestFile* t : {&a, &b}) {
    ASSERT_EQ(t->create(), 0);
    ASSERT_EQ(t->open(), 0);
  }
  struct Case {
    const char* what;
    const char* sql;  // run by the other tool on F2 after the open
    bool keepsOpen;   // the other tool still holds F2 at begin
    int begin;
  };
  const Case cases[] = {
      {"switched to WAL", "PRAGMA journal_mode = WAL; UPDATE Test SET N = 1", false, 0},
      {"switched to WAL and still used", "PRAGMA journal_mode = WAL; UPDATE Test SET N = 1", true, store::Err::Locked},
      {"trigger dropped", "DROP TRIGGER Test_REV", false, 0},
  };
  store::setDefaultWaitMs(100);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto tool = std::make_unique<OtherTool>(p2);
    ASSERT_EQ(tool->exec(c.sql), "");
    if (!c.keepsOpen) tool.reset();
    store::Transaction tx;
    ASSERT_EQ(tx.begin({&a, &b}, 0), c.begin);
    if (c.begin != 0) {
      EXPECT_NE(tx.error().text.find(p2), std::string::npos) << tx.error().text;
      EXPECT_NE(tx.error().text.find("WAL"), std::string::npos) << tx.error().text;
      tool.reset();
      ASSERT_EQ(tx.begin({&a, &b}, 0), 0);
    }
    for (TestFile* t : {&a, &b}) {
      t->clear();
      t->rec.CODE = c.what[0] == 't' ? "T" : c.keepsOpen ? "W2" : "W1";
      ASSERT_EQ(t->add(), 0);
    }
    ASSERT_EQ(tx.commit(), 0);
    // Nothing is left beside the files: no journal, no super-journal, no write-ahead log.
    std::vector<std::string> beside;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
      if (e.path().extension() != ".tps") beside.push_back(e.path().filename().string());
    EXPECT_EQ(beside, std::vector<std::string>{});
    EXPECT_EQ(peek(p2, "PRAGMA journal_mode"), (Rows{{"delete"}}));
    EXPECT_EQ(peek(p2, "SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND name = 'Test_REV'"),
              (Rows{{"1"}}));
  }
  store::setDefaultWaitMs(1000);
  // The trigger put back raises the revision of another tool's rewrite.
  OtherTool(p2).exec("UPDATE Test SET NAME = 'x' WHERE CODE = 'T'");
  EXPECT_EQ(peek(p2, "SELECT _REV FROM Test WHERE CODE = 'T'"), (Rows{{"1"}}));
}

// Two processes that never saw each other's records: the mark of a delete is in the file.
TEST(StationsProcessTest, AnotherProcessesAddGoesBeyondARecordDeletedByAThird) {
  ScratchDir dir;
  const std::string path = dir.file("Test.tps");
  // This process does not read the file through the store: the children inherit nothing of it.
  ASSERT_EQ(TestFile{path}.create(), 0);
  ASSERT_EQ(OtherTool(path).exec("INSERT INTO Test (CODE) VALUES ('A1'), ('K1')"), "");
  const std::string highest = peek(path, "SELECT max(rowid) FROM Test")[0][0];
  // Each child opens the file itself; its exit code says how far it came.
  auto inChild = [&](const char* code, bool remove) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      TestFile f{path};
      if (f.open() != 0) ::_exit(2);
      f.clear();
      f.rec.CODE = code;
      if (remove) ::_exit(f.get(CODEKEY) == 0 && f.remove() == 0 ? 0 : 3);
      ::_exit(f.add() == 0 ? 0 : 4);
    }
    int status = -1;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  ASSERT_EQ(inChild("K1", true), 0);
  ASSERT_EQ(inChild("K2", false), 0);
  const Rows added = peek(path, "SELECT rowid > " + highest + " FROM Test WHERE CODE = 'K2'");
  EXPECT_EQ(added, (Rows{{"1"}}));
}

}  // namespace
