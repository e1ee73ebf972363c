// Two stations (two instances, each with its own connection) and other tools on one file: a
// record's identity is never given to another record, and what another tool did to the file
// since it was opened is caught when a transaction begins.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "other_tool.h"
#include "platform/store/error.h"
#include "platform/store/paths.h"
#include "platform/store/transaction.h"
#include "open_test_file.h"
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

}  // namespace
