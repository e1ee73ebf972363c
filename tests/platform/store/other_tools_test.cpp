// Files as other SQLite tools leave them: written through the sqlite3 shell with the shipped
// extension, switched to WAL, rewritten without raising "_REV", locked while a list reads.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "open_test_file.h"
#include "other_tool.h"
#include "platform/store/error.h"
#include "platform/store/paths.h"
#include "platform/store/transaction.h"
#include "scratch_dir.h"
#include "sqlite_peek.h"
#include "test_record.h"
#include "wait_limit.h"

using namespace testing_util;

namespace {

class OtherToolsTest : public OpenTestFile<::testing::Test> {
 protected:
  void SetUp() override {
    OpenTestFile::SetUp();
    if (HasFatalFailure()) return;
    for (const char* code : {"A1", "B2", "C3"}) {
      f.clear();
      f.rec.CODE = code;
      f.rec.NAME = std::string("Navn ") + code;
      ASSERT_EQ(f.add(), 0);
    }
  }
  std::vector<std::string> codes() {
    std::vector<std::string> out;
    f.set(CODEKEY);
    while (f.next() == 0) out.push_back(f.rec.CODE.str());
    return out;
  }
};

// Runs the sqlite3 shell with the extension; its output.
std::string shell(const std::string& file, const std::string& sql) {
  const std::string cmd =
      std::string("sqlite3 -bail -cmd '.load ") + LAB2SIV_SQLITE_EXTENSION + "' '" + file + "' \"" + sql + "\" 2>&1";
  std::string out;
  if (FILE* p = ::popen(cmd.c_str(), "r")) {
    char buf[256];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    ::pclose(p);
  }
  return out;
}

TEST_F(OtherToolsTest, ShellWithTheExtensionWritesAndChecksTheFile) {
  EXPECT_EQ(shell(path,
                  "PRAGMA integrity_check; UPDATE Test SET CODE = 'x9' WHERE CODE = 'A1';"
                  "INSERT INTO Test (CODE, NAME) VALUES ('æ1', 'Ny');"
                  "DELETE FROM Test WHERE CODE = 'B2'; VACUUM; PRAGMA integrity_check;"),
            "ok\nok\n");
  EXPECT_EQ(codes(), (std::vector<std::string>{"C3", "x9", "æ1"}));
  f.clear();
  f.rec.CODE = "X9";
  ASSERT_EQ(f.get(CODEKEY), 0);
  EXPECT_EQ(f.rec.CODE.str(), "x9");
  EXPECT_EQ(f.rec.NAME.str(), "Navn A1");
  // The shell's update raised the revision through the file's trigger.
  EXPECT_EQ(peek(path, "SELECT _REV FROM Test WHERE CODE = 'x9'"), (Rows{{"1"}}));
}

// The shell writes beside the open instance: a code as a blob, a factor as "0,5", the file
// switched to WAL, the trigger dropped, the highest record deleted; the program's own instance
// reads the file in WAL mode before its transaction begins.
TEST_F(OtherToolsTest, ShellWritingBesideTheOpenFileLeavesEveryWalkAndSaveRight) {
  f.clear();
  f.rec.CODE = "C3";
  ASSERT_EQ(f.get(CODEKEY), 0);
  const std::string c3 = f.position(CODEKEY);
  ASSERT_EQ(shell(path,
                  "UPDATE Test SET CODE = CAST(CODE AS BLOB), X = '0,5' WHERE CODE = 'B2';"
                  "DELETE FROM Test WHERE CODE = 'C3'; DROP TRIGGER Test_REV; PRAGMA journal_mode = WAL;"),
            "wal\n");
  EXPECT_EQ(codes(), (std::vector<std::string>{"A1", "B2"}));  // the blob after every text
  EXPECT_EQ(f.reget(CODEKEY, c3), store::Err::RecordNotFound);
  store::Transaction tx;
  ASSERT_EQ(tx.begin({&f}, 1), 0);
  f.set(CODEKEY);
  ASSERT_EQ(f.next(), 0);
  ASSERT_EQ(f.next(), 0);
  EXPECT_EQ(f.rec.X, 0.5);
  f.rec.N = 4;
  ASSERT_EQ(f.put(), 0);
  f.clear();
  f.rec.CODE = "C3";
  ASSERT_EQ(f.add(), 0);  // beyond the record the program held, which the shell deleted
  EXPECT_NE(f.position(CODEKEY), c3);
  ASSERT_EQ(tx.commit(), 0);
  EXPECT_EQ(shell(path,
                  "PRAGMA journal_mode; SELECT quote(CODE), X, N FROM Test WHERE N = 4;"
                  "SELECT count(*) FROM sqlite_master WHERE name = 'Test_REV'; PRAGMA integrity_check;"),
            "delete\nX'4232'|0,5|4\n1\nok\n");
}

TEST_F(OtherToolsTest, RewriteFailsAfterAnotherToolsUpdateThatLeftTheRevision) {
  struct Case {
    const char* what;
    const char* before;  // done to the file before it is opened
  };
  const Case cases[] = {
      {"file as the program made it", ""},
      {"file another tool made without the trigger", "DROP TRIGGER Test_REV"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    f.close();
    OtherTool tool(path);
    ASSERT_EQ(tool.exec(c.before), "");
    ASSERT_EQ(f.open(), 0);  // the trigger is added without a question
    EXPECT_EQ(peek(path, "SELECT count(*) FROM sqlite_master WHERE type = 'trigger'"), (Rows{{"1"}}));

    f.clear();
    f.rec.CODE = "A1";
    f.watch();
    ASSERT_EQ(f.get(CODEKEY), 0);
    ASSERT_EQ(tool.exec("UPDATE Test SET NAME = 'Other' WHERE CODE = 'A1'"), "");
    f.rec.N = 5;
    EXPECT_EQ(f.put(), store::Err::ChangedByOther);
    EXPECT_EQ(peek(path, "SELECT NAME, N FROM Test WHERE CODE = 'A1'"), (Rows{{"Other", "0"}}));
  }
}

TEST_F(OtherToolsTest, WalFileIsSwitchedBackToTheRollbackJournal) {
  f.close();
  {
    OtherTool tool(path);
    ASSERT_EQ(tool.exec("PRAGMA journal_mode = WAL; UPDATE Test SET N = 1"), "");
    // While another connection uses the file in WAL mode, the switch cannot happen.
    store::setDefaultWaitMs(100);
    EXPECT_EQ(f.open(), store::Err::Locked);
    store::setDefaultWaitMs(1000);
    EXPECT_NE(f.errorText().find("WAL"), std::string::npos);
  }
  ASSERT_EQ(f.open(), 0);
  EXPECT_EQ(peek(path, "PRAGMA journal_mode"), (Rows{{"delete"}}));
  EXPECT_EQ(codes(), (std::vector<std::string>{"A1", "B2", "C3"}));
  store::Transaction tx;
  ASSERT_EQ(tx.begin({&f}, 1), 0);
  f.clear();
  f.rec.CODE = "D4";
  ASSERT_EQ(f.add(), 0);
  ASSERT_EQ(tx.commit(), 0);
  EXPECT_EQ(peek(path, "SELECT count(*) FROM Test"), (Rows{{"4"}}));
}

TEST_F(OtherToolsTest, ReadsWaitAsLongAsARecoverOpenWritesDoNot) {
  store::setDefaultWaitMs(100);
  store::setRecoverWaitMs(l2stest::kWaitLimitMs);
  f.set(CODEKEY);
  ASSERT_EQ(f.next(), 0);
  sqlite3* holder = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &holder), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(f.put(), store::Err::Locked);  // a write keeps the ordinary wait
  std::thread release([holder] {
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
  });
  EXPECT_EQ(f.next(), 0);
  EXPECT_EQ(f.rec.CODE.str(), "B2");
  release.join();
  sqlite3_close(holder);
  store::setRecoverWaitMs(10000);
  store::setDefaultWaitMs(1000);
}

}  // namespace
