// What a created file holds, read with SQLite directly: other tools rely on this layout.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "open_test_file.h"
#include "platform/store/file.h"
#include "scratch_dir.h"
#include "sqlite_peek.h"
#include "test_record.h"

using namespace testing_util;
using ::testing::ElementsAre;

namespace {

class SchemaTest : public OpenTestFile<> {};

TEST_F(SchemaTest, TableHasOneColumnPerLeafThenMemosThenRevision) {
  const Rows cols =
      peek(path, "SELECT name, type, \"notnull\", dflt_value FROM pragma_table_info('Test') ORDER BY cid");
  const Rows want = {{"CODE", "TEXT", "1", "''"},   {"NAME", "TEXT", "1", "''"},  {"N", "INTEGER", "1", "0"},
                     {"X", "REAL", "1", "0"},       {"TAG_1", "TEXT", "1", "''"}, {"TAG_2", "TEXT", "1", "''"},
                     {"FLAG", "INTEGER", "1", "0"}, {"NOTE", "TEXT", "1", "''"},  {"_REV", "INTEGER", "1", "0"}};
  EXPECT_EQ(cols, want);
}

TEST_F(SchemaTest, EachKeyIsAnIndexWithItsAttributes) {
  const Rows idx = peek(path,
                        "SELECT name, \"unique\", partial FROM pragma_index_list('Test') "
                        "WHERE origin = 'c' ORDER BY name");
  EXPECT_EQ(idx, (Rows{{"TST:CODEKEY", "1", "1"}, {"TST:NAMEKEY", "0", "0"}, {"TST:NAMENKEY", "0", "1"}}));
  EXPECT_EQ(peek(path, "SELECT name, coll FROM pragma_index_xinfo('TST:CODEKEY') WHERE key = 1"),
            (Rows{{"CODE", "UPPER1252"}}));
  EXPECT_EQ(peek(path, "SELECT name, coll FROM pragma_index_xinfo('TST:NAMENKEY') WHERE key = 1 ORDER BY seqno"),
            (Rows{{"NAME", "BINARY"}, {"N", "BINARY"}}));
  EXPECT_EQ(peek(path, "PRAGMA journal_mode"), (Rows{{"delete"}}));
}

TEST_F(SchemaTest, ValuesAreStoredTrimmedInUtf8AndRevisionCountsRewrites) {
  f.rec.CODE = "K1";
  f.rec.NAME = "Blåbær";
  f.rec.N = -7;
  f.rec.X = 2.5;
  f.rec.TAG[1] = "ØY";
  f.rec.FLAG = 200;
  ASSERT_EQ(f.add(), 0);
  EXPECT_EQ(peek(path, "SELECT CODE, NAME, N, X, TAG_1, TAG_2, FLAG, NOTE, _REV FROM Test"),
            (Rows{{"K1", "Blåbær", "-7", "2.5", "", "ØY", "200", "", "0"}}));
  f.rec.NOTE = std::string(30, 'n');  // longer than the memo's 20
  ASSERT_EQ(f.put(), 0);
  ASSERT_EQ(f.put(), 0);
  EXPECT_EQ(peek(path, "SELECT length(NOTE), _REV FROM Test"), (Rows{{"20", "2"}}));
  EXPECT_EQ(peek(path, "SELECT count(*) FROM Test WHERE CODE IS NULL OR NOTE IS NULL"), (Rows{{"0"}}));
}

TEST_F(SchemaTest, BufferRoundTripsThroughTheFile) {
  f.clear();
  f.rec.CODE = "ab";
  f.rec.NAME = "Ærlig";
  f.rec.X = 1e-300;
  f.rec.NOTE = "to linjer\nher";
  ASSERT_EQ(f.add(), 0);
  const TestRecord saved = f.rec;
  f.clear();
  f.rec.CODE = "AB";
  ASSERT_EQ(f.get(CODEKEY), 0);
  EXPECT_EQ(f.compare(&saved), 0);
  EXPECT_EQ(f.rec.NOTE, "to linjer\nher");
  EXPECT_EQ(f.records(), 1);
}

}  // namespace
