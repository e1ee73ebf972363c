// Opening, creating and repairing files: each error code produced and recognised.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "platform/store/error.h"
#include "platform/store/paths.h"
#include "scratch_dir.h"
#include "sqlite_peek.h"
#include "test_record.h"

using namespace testing_util;

namespace {

class OpenTest : public ::testing::Test {
 protected:
  ScratchDir dir;
  std::string path = dir.file("Test.tps");
  TestFile f{path};
  void SetUp() override { store::setDefaultWaitMs(100); }
  void TearDown() override { store::setDefaultWaitMs(1000); }
};

TEST_F(OpenTest, MissingFileIsCreatedEmptyAndOpenedOnce) {
  EXPECT_EQ(f.open(), store::Err::FileNotFound);
  EXPECT_EQ(f.errorText().rfind("File Not Found", 0), 0u);
  ASSERT_EQ(f.create(), 0);
  ASSERT_EQ(f.open(), 0);
  EXPECT_EQ(f.openedPath(), path);
  EXPECT_EQ(f.open(), store::Err::AlreadyOpen);
  EXPECT_TRUE(f.isOpen());
  EXPECT_EQ(f.records(), 0);
}

TEST_F(OpenTest, CreateKeepsAnExistingFileOfTheSameLayout) {
  ASSERT_EQ(f.create(), 0);
  ASSERT_EQ(f.open(), 0);
  f.rec.CODE = "K";
  ASSERT_EQ(f.add(), 0);
  TestFile again{path};
  EXPECT_EQ(again.create(), 0);
  EXPECT_EQ(f.records(), 1);

  TestFile nowhere{dir.file("no/such/dir/T.tps")};
  EXPECT_EQ(nowhere.create(), store::Err::FileNotFound);
}

TEST_F(OpenTest, OnlyTheSharedReadWriteModeIsServed) {
  ASSERT_EQ(f.create(), 0);
  EXPECT_EQ(f.open(store::Mode::ReadWriteDenyAll), store::Err::AccessDenied);
  EXPECT_NE(f.errorText().find("12h"), std::string::npos);
  EXPECT_FALSE(f.isOpen());
  EXPECT_EQ(f.open(store::Mode::ReadWriteDenyNone), 0);
}

TEST_F(OpenTest, DamagedLayoutsAreReportedAndKeysRebuilt) {
  struct Case {
    const char* what;
    const char* sql;
    int code;
  };
  const Case cases[] = {
      {"extra column", "ALTER TABLE Test ADD COLUMN EXTRA TEXT NOT NULL DEFAULT ''", store::Err::LayoutMismatch},
      {"table renamed", "ALTER TABLE Test RENAME TO Other", store::Err::LayoutMismatch},
      {"index missing", "DROP INDEX \"TST:NAMEKEY\"", store::Err::KeysMustBeRebuilt},
      {"index without collation",
       "DROP INDEX \"TST:CODEKEY\"; CREATE UNIQUE INDEX \"TST:CODEKEY\" ON Test (CODE) WHERE CODE <> ''",
       store::Err::KeysMustBeRebuilt},
      {"index not unique",
       "DROP INDEX \"TST:CODEKEY\"; CREATE INDEX \"TST:CODEKEY\" ON Test (CODE COLLATE UPPER1252) WHERE CODE <> ''",
       store::Err::KeysMustBeRebuilt},
      {"optional index lost its condition",
       "DROP INDEX \"TST:CODEKEY\"; CREATE UNIQUE INDEX \"TST:CODEKEY\" ON Test (CODE COLLATE UPPER1252)",
       store::Err::KeysMustBeRebuilt},
      {"optional index with another condition",
       "DROP INDEX \"TST:CODEKEY\"; CREATE UNIQUE INDEX \"TST:CODEKEY\" ON Test (CODE COLLATE UPPER1252) "
       "WHERE CODE <> 'X'",
       store::Err::KeysMustBeRebuilt},
      {"index in descending order",
       "DROP INDEX \"TST:NAMEKEY\"; CREATE INDEX \"TST:NAMEKEY\" ON Test (NAME COLLATE UPPER1252 DESC)",
       store::Err::KeysMustBeRebuilt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir d;
    TestFile g{d.file("T.tps")};
    ASSERT_EQ(g.create(), 0);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(d.file("T.tps").c_str(), &db), SQLITE_OK);
    store::registerUpper1252(db);
    ASSERT_EQ(sqlite3_exec(db, c.sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
    EXPECT_EQ(g.open(), c.code);
    EXPECT_FALSE(g.isOpen());
    if (c.code == store::Err::KeysMustBeRebuilt) {
      EXPECT_EQ(g.errorText().rfind("Key File Must Be Rebuilt", 0), 0u);
      ASSERT_EQ(g.buildKeys(), 0);
      EXPECT_EQ(g.open(), 0);
    } else {
      EXPECT_EQ(g.create(), c.code);  // create does not paper over a wrong file
    }
  }
}

TEST_F(OpenTest, IndexAnotherToolWroteToTheContractPasses) {
  const char* conditions[] = {
      "WHERE CODE <> ''",
      "where (code != '')",
      "WHERE ((\"CODE\"<>''))",
      "WHERE [CODE]  <>  ''",
  };
  for (const char* cond : conditions) {
    SCOPED_TRACE(cond);
    ScratchDir d;
    TestFile g{d.file("T.tps")};
    ASSERT_EQ(g.create(), 0);
    ASSERT_TRUE(poke(d.file("T.tps"), std::string("DROP INDEX \"TST:CODEKEY\"; CREATE UNIQUE INDEX \"TST:CODEKEY\" ON "
                                                  "Test (\"CODE\" COLLATE upper1252) ") +
                                          cond));
    EXPECT_EQ(g.open(), 0);
  }
}

TEST_F(OpenTest, RebuildThatMeetsDuplicatesReportsThem) {
  ASSERT_EQ(f.create(), 0);
  ASSERT_TRUE(poke(path, "DROP INDEX \"TST:CODEKEY\"; INSERT INTO Test (CODE) VALUES ('a'), ('A')"));
  EXPECT_EQ(f.open(), store::Err::KeysMustBeRebuilt);
  EXPECT_EQ(f.buildKeys(), store::Err::DuplicateKey);
  EXPECT_EQ(f.open(), store::Err::KeysMustBeRebuilt);
}

TEST_F(OpenTest, NotADatabaseIsADriverError) {
  std::ofstream(path) << "this is not a keyed file, only text long enough to be read as a header......"
                         "................................................................";
  EXPECT_EQ(f.open(), store::Err::Driver);
  EXPECT_EQ(f.error().driverCode & 0xFF, SQLITE_NOTADB);
  EXPECT_FALSE(f.error().driverText.empty());
  EXPECT_EQ(f.errorText(), "File System Error");
}

TEST_F(OpenTest, LockedFileOpensAfterTheRecoverOption) {
  ASSERT_EQ(f.create(), 0);
  sqlite3* holder = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &holder), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(f.open(), store::Err::Locked);
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));
  EXPECT_EQ(f.errorText(), "File Is Locked");

  ASSERT_EQ(f.sendOption("Recover=10"), 0);
  std::thread release([holder] {
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
  });
  EXPECT_EQ(f.open(), 0);  // waited past the ordinary 100 ms
  release.join();
  sqlite3_close(holder);
  EXPECT_EQ(f.sendOption("QUICKSCAN=on"), 0);
  EXPECT_EQ(f.sendOption("QUICKSCAN=off"), 0);
}

TEST(PathTest, BackslashNamesBecomeLinuxPaths) {
  store::setDriveRoot("/mnt/drive");
  EXPECT_EQ(store::resolvePath("\\MapFile.tps"), "/mnt/drive/MapFile.tps");
  EXPECT_EQ(store::resolvePath("/data/siv\\MapFile.tps"), "/data/siv/MapFile.tps");
  EXPECT_EQ(store::resolvePath("Lab2Siv.Tps"), "Lab2Siv.Tps");
  EXPECT_EQ(store::resolvePath("data\\sub\\X.tps"), "data/sub/X.tps");
  store::setDriveRoot("/");
  EXPECT_EQ(store::resolvePath("\\MapFile.tps"), "/MapFile.tps");
}

}  // namespace
