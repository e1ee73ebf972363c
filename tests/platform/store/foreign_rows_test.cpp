// Rows written by another program: values the record buffer cannot hold exactly (a trailing
// blank, a text longer than its field or outside Windows-1252, a number beyond its field) are
// walked once each in key order and survive the program's rewrites.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "open_test_file.h"
#include "other_tool.h"
#include "platform/store/error.h"
#include "platform/store/view.h"
#include "platform/text/str.h"
#include "scratch_dir.h"
#include "sqlite_peek.h"
#include "test_record.h"

using namespace testing_util;

namespace {

using Rowids = std::vector<long long>;

Rowids rowids(sqlite3* db, const std::string& sql) {
  Rowids out;
  sqlite3_stmt* s = nullptr;
  EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  while (sqlite3_step(s) == SQLITE_ROW) out.push_back(sqlite3_column_int64(s, 0));
  sqlite3_finalize(s);
  return out;
}

class ForeignRowsTest : public OpenTestFile<::testing::TestWithParam<bool>> {
 protected:
  void SetUp() override {
    OpenTestFile::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(f.sendOption(GetParam() ? "QUICKSCAN=on" : "QUICKSCAN=off"), 0);
  }
  void add(const char* code, const char* name, int n) {
    f.clear();
    f.rec.CODE = code;
    f.rec.NAME = name;
    f.rec.N = n;
    ASSERT_EQ(f.add(), 0);
  }
  // Reads until the end, or a little past the rows there are (a walk that repeats).
  Rowids walk(bool forward, std::size_t rows) {
    Rowids out;
    while (out.size() <= rows + 2 && (forward ? f.next() : f.previous()) == 0) out.push_back(f.currentRow());
    return out;
  }
};

TEST_P(ForeignRowsTest, EveryKeyWalksEveryRowOnceFromEveryPosition) {
  add("A1", "Berg", 1);
  add("ZZ", "Zeta", 2);
  OtherTool tool(path);
  ASSERT_EQ(tool.exec("INSERT INTO Test (CODE, NAME, N) VALUES "
                      "('ZZ9 ', 'Zeta ', 2),"                       // trailing blanks
                      "('LONGCODE', 'A name longer than ten', 4),"  // longer than the fields
                      "('Č1', 'Čáhcesuolu lab', 5),"                // outside Windows-1252
                      "('', 'BERG', 6),"                            // only the letter case differs; not in CODEKEY
                      "('b2', 'berg', 5000000000),"                 // beyond a LONG
                      "('', 'Berg  ', 1),"
                      "('zz8', 'zeta', 2),"
                      "(x'4B33', 'Blob', 3),"  // values of another type in keys:
                      "(x'C3FF', x'', 7),"     // blobs (not all UTF-8),
                      "('Q1', x'42657267', 1),"
                      "('Q2', 'Berg', 'abc'),"  // a text in a number
                      "('Q3', 'Berg', 2.5)"),   // a real in an integer
            "");
  struct Case {
    store::KeyId key;
    const char* order;  // the key's order in plain SQL
  };
  const Case cases[] = {
      {CODEKEY, "WHERE CODE <> '' ORDER BY CODE COLLATE UPPER1252, rowid"},
      {NAMEKEY, "ORDER BY NAME COLLATE UPPER1252, rowid"},
      {NAMENKEY, "ORDER BY NAME COLLATE BINARY, N, rowid"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.order);
    const Rowids want = rowids(tool.db(), std::string("SELECT rowid FROM Test ") + c.order);
    ASSERT_GT(want.size(), 5u);
    Rowids back(want.rbegin(), want.rend());

    f.set(c.key);
    EXPECT_EQ(walk(true, want.size()), want);
    f.set(c.key);
    EXPECT_EQ(walk(false, want.size()), back);
    store::View<TestRecord> view(f, c.key);
    view.start();
    Rowids viewed;
    while (viewed.size() <= want.size() && view.next() == 0) viewed.push_back(f.currentRow());
    EXPECT_EQ(viewed, want);

    // Positions pass through a fixed-width holder, as the program keeps them.
    std::vector<std::string> positions;
    f.set(c.key);
    while (positions.size() < want.size() && f.next() == 0)
      positions.push_back(text::Str<512>(f.position(c.key)).str());
    ASSERT_EQ(positions.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
      SCOPED_TRACE("from " + positions[i]);
      ASSERT_EQ(f.reset(c.key, positions[i]), 0);
      EXPECT_EQ(walk(true, want.size()), Rowids(want.begin() + long(i), want.end()));
      ASSERT_EQ(f.reset(c.key, positions[i]), 0);
      EXPECT_EQ(walk(false, want.size()), Rowids(back.begin() + long(want.size() - 1 - i), back.end()));
    }
  }
}

TEST_P(ForeignRowsTest, RewriteKeepsWhatTheProgramDidNotChange) {
  OtherTool tool(path);
  ASSERT_EQ(tool.exec("INSERT INTO Test (CODE, NAME, N, X, TAG_1, FLAG, NOTE) VALUES "
                      "('K1', 'Čáhcesuolu lab', 5000000000, 'n/a', 'ab ', 300, 'a note well over twenty characters')"),
            "");
  const std::string columns = "SELECT NAME, N, typeof(X), X, TAG_1, FLAG, NOTE, TAG_2 FROM Test";
  const Rows before = peek(path, columns);

  f.clear();
  f.rec.CODE = "K1";
  ASSERT_EQ(f.get(CODEKEY), 0);
  EXPECT_EQ(f.rec.NAME.str(), "?áhcesuolu");  // what the buffer can hold
  f.rec.TAG[1] = "Z";
  ASSERT_EQ(f.put(), 0);
  Rows want = before;
  want[0][7] = "Z";
  EXPECT_EQ(peek(path, columns), want);

  // A value the program changes is stored as the program has it, also when it changes back.
  f.rec.NAME = "Ny";
  f.rec.N = 7;
  ASSERT_EQ(f.put(), 0);
  want[0][0] = "Ny";
  want[0][1] = "7";
  EXPECT_EQ(peek(path, columns), want);

  // The walk goes on from the stored values of the rewritten record.
  f.set(NAMEKEY);
  ASSERT_EQ(f.next(), 0);
  EXPECT_EQ(f.rec.NAME.str(), "Ny");
  EXPECT_EQ(f.next(), store::Err::NoRecord);
}

TEST_P(ForeignRowsTest, ABlobInAKeyReadsAsItsTextAndSurvivesARewrite) {
  OtherTool tool(path);
  ASSERT_EQ(tool.exec("INSERT INTO Test (CODE, NAME, N) VALUES (x'4B33', x'42657267', 1), (x'C3FF', 'Z', 2)"), "");
  const Rows before = peek(path, "SELECT quote(CODE), quote(NAME) FROM Test ORDER BY rowid");
  f.set(CODEKEY);
  ASSERT_EQ(f.next(), 0);
  EXPECT_EQ(f.rec.CODE.str(), "K3");
  EXPECT_EQ(f.rec.NAME.str(), "Berg");
  f.rec.N = 5;
  ASSERT_EQ(f.put(), 0);
  ASSERT_EQ(f.next(), 0);
  f.rec.N = 6;
  ASSERT_EQ(f.put(), 0);
  EXPECT_EQ(f.next(), store::Err::NoRecord);
  EXPECT_EQ(peek(path, "SELECT quote(CODE), quote(NAME) FROM Test ORDER BY rowid"), before);
  EXPECT_EQ(peek(path, "SELECT N FROM Test ORDER BY rowid"), (Rows{{"5"}, {"6"}}));
}

TEST_P(ForeignRowsTest, ANumberWrittenAsTextReadsAsTheNumberItSpellsOrIsReported) {
  struct Case {
    const char* x;  // stored into the REAL column X
    const char* n;  // and into the LONG column N
    double wantX;
    std::int32_t wantN;
    std::vector<std::string> unreadable;
  };
  const Case cases[] = {
      {"'0,5'", "'12,0'", 0.5, 12, {}},      {"' -1,25 '", "'-3,0'", -1.25, -3, {}},
      {"x'302C35'", "x'3132'", 0.5, 12, {}},  // blobs that spell numbers
      {"'n/a'", "'1,5'", 0, 0, {"N", "X"}},   // no number; no whole number
      {"''", "'abc'", 0, 0, {"N", "X"}},
  };
  OtherTool tool(path);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.x) + " " + c.n);
    ASSERT_EQ(tool.exec(std::string("DELETE FROM Test; INSERT INTO Test (CODE, X, N) VALUES ('K1', ") + c.x + ", " +
                        c.n + "), ('K2', 2, 3)"),
              "");
    const Rows stored = peek(path, "SELECT quote(X), quote(N) FROM Test WHERE CODE = 'K1'");
    ASSERT_EQ(
        peek(path, "SELECT typeof(X) IN ('text', 'blob'), typeof(N) IN ('text', 'blob') FROM Test WHERE CODE = 'K1'"),
        (Rows{{"1", "1"}}));
    f.set(CODEKEY);
    ASSERT_EQ(f.next(), 0);
    EXPECT_EQ(f.rec.X, c.wantX);
    EXPECT_EQ(f.rec.N, c.wantN);
    std::vector<std::string> bad = f.unreadableNumbers();
    std::sort(bad.begin(), bad.end());
    EXPECT_EQ(bad, c.unreadable);
    // A rewrite for another field leaves both as they were written, never 0.
    f.rec.NAME = "Ny";
    ASSERT_EQ(f.put(), 0);
    EXPECT_EQ(peek(path, "SELECT quote(X), quote(N) FROM Test WHERE CODE = 'K1'"), stored);
    ASSERT_EQ(f.next(), 0);
    EXPECT_TRUE(f.unreadableNumbers().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(ReadAhead, ForeignRowsTest, ::testing::Bool());

TEST(ForeignKeyValueTest, TrailingBlanksDoNotMakeAnotherKeyValue) {
  ScratchDir dir;
  TestFile f{dir.file("Test.tps")};
  ASSERT_EQ(f.create(), 0);
  ASSERT_EQ(f.open(), 0);
  f.clear();
  f.rec.CODE = "FJL";
  ASSERT_EQ(f.add(), 0);
  OtherTool tool(dir.file("Test.tps"));
  EXPECT_NE(tool.exec("INSERT INTO Test (CODE) VALUES ('fjl ')").find("UNIQUE"), std::string::npos);
  EXPECT_EQ(tool.exec("INSERT INTO Test (CODE) VALUES ('fjl!')"), "");
}

}  // namespace
