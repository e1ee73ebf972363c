#include <gtest/gtest.h>

#include <vector>

#include "fixture.h"
#include "platform/dbase/key_expression.h"
#include "platform/dbase/table.h"

namespace {

using dbase_test::labFixture;

std::vector<std::string> readAll(dbase::Table& t, int field, bool backwards = false) {
  std::vector<std::string> out;
  while ((backwards ? t.previous() : t.next()).ok()) out.push_back(t.text(field));
  return out;
}

TEST(KeyExpression, ExternalNames) {
  dbase::KeyExpression k;
  ASSERT_TRUE(dbase::parseKeyExpression("RNX50|RNX50.CDX=C[T+KODE]", k).ok());
  EXPECT_EQ(k.tag, "RNX50");
  ASSERT_EQ(k.components.size(), 2u);
  EXPECT_EQ(k.components[0].field, "T");
  EXPECT_EQ(k.components[1].field, "KODE");
  ASSERT_TRUE(dbase::parseKeyExpression("I_X=C[rekv + UPPER(Sted)]", k).ok());
  EXPECT_EQ(k.components[0].field, "REKV");
  EXPECT_FALSE(k.components[0].upper);
  EXPECT_EQ(k.components[1].field, "STED");
  EXPECT_TRUE(k.components[1].upper);
  for (const char* bad : {"I=C[]", "I=C[A+]", "I=C[A", ""})
    EXPECT_EQ(dbase::parseKeyExpression(bad, k).code, dbase::Code::BadKey) << bad;
}

class TableIndex : public ::testing::Test {
 protected:
  void SetUp() override {
    t.setName(labFixture("RNX20.dbf"));
    byJournal = t.declareIndex("I_RNX20=C[JRNLNR+STED]", true);
    byCode = t.declareIndex("I_C=C[AN11]", false);
    byCodeNoCase = t.declareIndex("I_CN=C[AN11]", true);
    ASSERT_TRUE(t.buildIndex(byJournal).ok()) << t.lastError().text;
    ASSERT_TRUE(t.open(dbase::kReadWriteDenyNone).ok()) << t.lastError().text;
    sted = t.fieldIndex("STED");
    jr = t.fieldIndex("JRNLNR");
    an11 = t.fieldIndex("AN11");
  }
  dbase::Table t;
  int byJournal = -1, byCode = -1, byCodeNoCase = -1, sted = -1, jr = -1, an11 = -1;
};

TEST_F(TableIndex, SetAtKeyThenNextAndPrevious) {
  // Journal 0001 has places 02, 01 and a deleted 03 in the file; the index gives 01, 02.
  ASSERT_TRUE(t.set(byJournal, {"0001", ""}).ok());
  EXPECT_EQ(readAll(t, sted), (std::vector<std::string>{"01", "02", "01", "01"}));
  ASSERT_TRUE(t.set(byJournal, {"0002", ""}).ok());
  ASSERT_TRUE(t.next().ok());
  EXPECT_EQ(t.text(jr), "0002");
  // Previous from a key value: the last entry at or before it.
  ASSERT_TRUE(t.set(byJournal, {"0001", "99"}).ok());
  EXPECT_EQ(readAll(t, sted, true), (std::vector<std::string>{"02", "01"}));
  // After a read, next and previous step from that entry.
  ASSERT_TRUE(t.set(byJournal, {"0001", "02"}).ok());
  ASSERT_TRUE(t.next().ok());
  ASSERT_TRUE(t.previous().ok());
  EXPECT_EQ(t.text(sted), "01");
  // From the start, next reads the first entry and previous the last.
  ASSERT_TRUE(t.setStart(byJournal).ok());
  ASSERT_TRUE(t.previous().ok());
  EXPECT_EQ(t.text(jr), "0003");
  ASSERT_TRUE(t.previous().ok());
  EXPECT_EQ(t.text(jr), "0002");
  ASSERT_TRUE(t.setStart(byJournal).ok());
  ASSERT_TRUE(t.next().ok());
  EXPECT_EQ(t.text(jr), "0001");
  EXPECT_EQ(t.previous().code, dbase::Code::NoMoreRecords);
}

TEST_F(TableIndex, LetterCaseFollowsTheKey) {
  // AN11 holds "TOTP", "totp", "KOF", "TOTP" in live rows (file order 1, 2, 3, 5).
  ASSERT_TRUE(t.setStart(byCode).ok());
  std::vector<std::uint32_t> rows;
  while (t.next().ok()) rows.push_back(t.recordNumber());
  EXPECT_EQ(rows, (std::vector<std::uint32_t>{3, 1, 5, 2}));  // KOF TOTP TOTP totp
  ASSERT_TRUE(t.get(byCode, {"totp"}).ok());
  EXPECT_EQ(t.recordNumber(), 2u);
  // Without case: the three TOTP rows are equal and keep the file's order.
  ASSERT_TRUE(t.get(byCodeNoCase, {"totp"}).ok());
  EXPECT_EQ(t.recordNumber(), 1u);
  ASSERT_TRUE(t.next().ok());
  EXPECT_EQ(t.recordNumber(), 2u);
  EXPECT_EQ(t.get(byCode, {"Totp"}).code, dbase::Code::NotFound);
  EXPECT_EQ(t.get(byCode, {"TOT"}).code, dbase::Code::NotFound);
}

TEST_F(TableIndex, FileOrderSkipsDeletedRows) {
  ASSERT_TRUE(t.setStart(-1).ok());
  std::vector<std::uint32_t> rows;
  while (t.next().ok()) rows.push_back(t.recordNumber());
  EXPECT_EQ(rows, (std::vector<std::uint32_t>{1, 2, 3, 5}));
}

TEST(TableIndexBuild, UnknownFieldOrMissingFileFails) {
  dbase::Table t;
  t.setName(labFixture("RNX20.dbf"));
  const int bad = t.declareIndex("I=C[JRNLNR+NOSUCH]", true);
  const dbase::Error e = t.buildIndex(bad);
  EXPECT_EQ(e.code, dbase::Code::BadKey);
  EXPECT_NE(e.text.find("NOSUCH"), std::string::npos) << e.text;
  // The open builds it too, and fails the same way.
  EXPECT_EQ(t.open(dbase::kReadWriteDenyNone).code, dbase::Code::BadKey);
  EXPECT_FALSE(t.isOpen());
  dbase::Table missing;
  missing.setName(labFixture("NOSUCH.dbf"));
  EXPECT_EQ(missing.buildIndex(missing.declareIndex("I=C[A]", false)).code, dbase::Code::FileMissing);
}

}  // namespace
