// A transaction that commits as it goes on one connection, and finding a record by its key
// without reading it.
#include <gtest/gtest.h>

#include "platform/store/transaction.h"
#include "scratch_dir.h"
#include "sqlite_peek.h"
#include "test_record.h"

using namespace testing_util;

namespace {

class CheckpointTest : public ::testing::Test {
 protected:
  ScratchDir dir;
  std::string pa = dir.file("A.tps"), pb = dir.file("B.tps");
  TestFile a{pa}, b{pb};

  void SetUp() override {
    for (TestFile* f : {&a, &b}) {
      ASSERT_EQ(f->create(), 0);
      ASSERT_EQ(f->open(), 0);
    }
  }
  void add(TestFile& f, const char* code) {
    f.clear();
    f.rec.CODE = code;
    ASSERT_EQ(f.add(), 0);
  }
};

TEST_F(CheckpointTest, CheckpointCommitsAndGoesOnHoldingTheFiles) {
  store::Transaction tx;
  ASSERT_EQ(tx.begin({&a, &b}, 1), 0);
  add(a, "A1");
  add(b, "B1");
  bool committed = false;
  ASSERT_EQ(tx.checkpoint(&committed), 0);
  EXPECT_TRUE(committed);
  EXPECT_TRUE(tx.active());
  EXPECT_TRUE(tx.stands());
  // Others see the first part, and cannot write while the transaction goes on.
  EXPECT_EQ(peek(pa, "SELECT CODE FROM Test"), (Rows{{"A1"}}));
  EXPECT_EQ(peek(pb, "SELECT CODE FROM Test"), (Rows{{"B1"}}));
  TestFile other{pa};
  ASSERT_EQ(other.open(), 0);
  other.rec.CODE = "X";
  EXPECT_EQ(other.add(), store::Err::Locked);
  add(a, "A2");
  ASSERT_EQ(tx.rollback(), 0);
  EXPECT_EQ(peek(pa, "SELECT CODE FROM Test ORDER BY rowid"), (Rows{{"A1"}}));
}

TEST_F(CheckpointTest, FindMakesTheRecordCurrentWithoutReadingItsFields) {
  add(a, "K");
  ASSERT_EQ(a.get(CODEKEY), 0);
  a.rec.NAME = "stored";
  a.rec.NOTE = "a user's note";
  ASSERT_EQ(a.put(), 0);

  a.clear();
  a.rec.CODE = "k";  // the key ignores letter case
  a.rec.NAME = "new";
  ASSERT_EQ(a.find(CODEKEY), 0);
  EXPECT_EQ(a.rec.NAME, text::Str<10>("new"));
  EXPECT_EQ(a.rec.NOTE, "");
  ASSERT_EQ(a.find(CODEKEY, true), 0);
  EXPECT_EQ(a.rec.NOTE, "a user's note");
  EXPECT_EQ(a.rec.NAME, text::Str<10>("new"));
  ASSERT_EQ(a.put(), 0);
  EXPECT_EQ(peek(pa, "SELECT CODE, NAME, NOTE, _REV FROM Test"), (Rows{{"k", "new", "a user's note", "2"}}));

  a.rec.CODE = "none";
  EXPECT_EQ(a.find(CODEKEY), store::Err::RecordNotFound);

  // A note longer than the field (another tool wrote it) survives a rewrite after find.
  const std::string longNote(30, 'n');
  ASSERT_TRUE(poke(pa, "UPDATE Test SET NOTE = '" + longNote + "'"));
  a.rec.CODE = "K";
  a.rec.NAME = "again";
  ASSERT_EQ(a.find(CODEKEY, true), 0);
  ASSERT_EQ(a.put(), 0);
  EXPECT_EQ(peek(pa, "SELECT NAME, NOTE FROM Test"), (Rows{{"again", longNote}}));
}

}  // namespace
