// Statements are kept between calls: no read lock may outlive a call, and a key rebuild or a
// transaction in between must not leave a call on a stale statement.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "open_test_file.h"
#include "platform/store/error.h"
#include "platform/store/transaction.h"
#include "scratch_dir.h"
#include "sqlite_peek.h"
#include "test_record.h"

using namespace testing_util;

namespace {

class StatementReuseTest : public OpenTestFile<::testing::Test> {
 protected:
  void SetUp() override {
    OpenTestFile::SetUp();
    if (HasFatalFailure()) return;
    for (const char* code : {"A", "B", "C", "D"}) {
      f.clear();
      f.rec.CODE = code;
      f.rec.NAME = std::string("n") + code;
      ASSERT_EQ(f.add(), 0);
    }
  }
  // Another connection can take the file's exclusive lock only when no read is left open.
  bool othersCanWriteExclusively() { return poke(path, "BEGIN EXCLUSIVE; COMMIT;"); }
};

TEST_F(StatementReuseTest, NoReadLockOutlivesACall) {
  struct Case {
    const char* what;
    std::function<int(TestFile&)> call;
  };
  const std::vector<Case> cases = {
      {"get",
       [](TestFile& t) {
         t.rec.CODE = "B";
         return t.get(CODEKEY);
       }},
      {"get not found",
       [](TestFile& t) {
         t.rec.CODE = "Z";
         return t.get(CODEKEY) == store::Err::RecordNotFound ? 0 : 1;
       }},
      {"next from the start",
       [](TestFile& t) {
         t.set(CODEKEY);
         return t.next();
       }},
      {"next from a value",
       [](TestFile& t) {
         t.rec.CODE = "B";
         t.setFrom(CODEKEY);
         return t.next();
       }},
      {"previous in record order",
       [](TestFile& t) {
         t.set();
         return t.previous();
       }},
      {"read ahead, batch partly served",
       [](TestFile& t) {
         t.sendOption("QUICKSCAN=on");
         t.set(NAMEKEY);
         const int rc = t.next();
         t.sendOption("QUICKSCAN=off");
         return rc;
       }},
      {"reget",
       [](TestFile& t) {
         t.rec.CODE = "C";
         if (t.get(CODEKEY) != 0) return 1;
         return t.reget(CODEKEY, t.position(CODEKEY));
       }},
      {"records", [](TestFile& t) { return t.records() == 4 ? 0 : 1; }},
      {"put",
       [](TestFile& t) {
         t.rec.CODE = "A";
         if (t.get(CODEKEY) != 0) return 1;
         t.rec.N = 7;
         return t.put();
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // Twice: the second call runs on the kept statement.
    for (int round = 0; round < 2; ++round) {
      ASSERT_EQ(c.call(f), 0);
      EXPECT_TRUE(othersCanWriteExclusively());
    }
  }
}

TEST_F(StatementReuseTest, ReadsGoOnAfterTheKeysAreRebuiltUnderAnOpenInstance) {
  f.rec.CODE = "C";
  ASSERT_EQ(f.get(CODEKEY), 0);
  f.set(NAMEKEY);
  ASSERT_EQ(f.next(), 0);
  ASSERT_EQ(f.buildKeys(), 0);
  f.rec.CODE = "c";
  ASSERT_EQ(f.get(CODEKEY), 0);
  EXPECT_EQ(f.rec.NAME.str(), "nC");
  std::vector<std::string> names;
  f.set(NAMEKEY);
  while (f.next() == 0) names.push_back(f.rec.NAME.str());
  EXPECT_EQ(names, (std::vector<std::string>{"nA", "nB", "nC", "nD"}));
}

TEST_F(StatementReuseTest, AnInstanceReadsItsOwnFileBeforeDuringAndAfterATransaction) {
  // A second file of the same definition: a statement kept for one must not serve the other.
  TestFile g{dir.file("Other.tps")};
  ASSERT_EQ(g.create(), 0);
  ASSERT_EQ(g.open(), 0);
  g.rec.CODE = "B";
  g.rec.NAME = "other";
  ASSERT_EQ(g.add(), 0);
  f.rec.CODE = "B";
  ASSERT_EQ(f.get(CODEKEY), 0);
  {
    store::Transaction tx;
    ASSERT_EQ(tx.begin({&g, &f}, 1), 0);
    f.rec.CODE = "B";
    ASSERT_EQ(f.get(CODEKEY), 0);
    EXPECT_EQ(f.rec.NAME.str(), "nB");
    g.rec.CODE = "B";
    ASSERT_EQ(g.get(CODEKEY), 0);
    EXPECT_EQ(g.rec.NAME.str(), "other");
    f.rec.NAME = "inside";
    ASSERT_EQ(f.put(), 0);
    ASSERT_EQ(tx.commit(), 0);
  }
  f.rec.CODE = "B";
  ASSERT_EQ(f.get(CODEKEY), 0);
  EXPECT_EQ(f.rec.NAME.str(), "inside");
  g.rec.CODE = "B";
  ASSERT_EQ(g.get(CODEKEY), 0);
  EXPECT_EQ(g.rec.NAME.str(), "other");
  EXPECT_TRUE(othersCanWriteExclusively());
}

}  // namespace
