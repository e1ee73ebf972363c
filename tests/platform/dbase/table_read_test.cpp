#include <gtest/gtest.h>

#include "fixture.h"
#include "platform/dbase/table.h"

namespace {

using dbase_test::labFixture;

struct Row {
  std::string rekv, navn, postnr;
  double antsvar;
  std::int32_t statusdato, godkjtil;
  std::string merknad;
};

// A FoxPro table in code page 865 with a deleted row and a memo file.
TEST(TableRead, FoxProRowsInFileOrderWithTextsDatesNumbersAndMemos) {
  dbase::Table t;
  t.setName(labFixture("RNX51.dbf"));
  ASSERT_TRUE(t.open(dbase::kReadWriteDenyNone).ok()) << t.lastError().text;
  EXPECT_EQ(t.codePage(), 865);
  EXPECT_EQ(t.liveRecords(), 3u);
  const int rekv = t.fieldIndex("rekv"), navn = t.fieldIndex("NAVN"), postnr = t.fieldIndex("POSTNR"),
            antsvar = t.fieldIndex("ANTSVAR"), statusdato = t.fieldIndex("STATUSDATO"),
            godkjtil = t.fieldIndex("GODKJTIL"), merknad = t.fieldIndex("MERKNAD");
  ASSERT_GE(merknad, 0);
  EXPECT_EQ(t.fieldIndex("NOSUCH"), -1);

  // 31.12.1999 and 1.1.2030 as day numbers from 28.12.1800.
  const Row expected[] = {
      {"200", "Æsøy kommune", "6090", 2, 72686, 0, ""},
      {"100", "Østre Ålesund renseanlegg", "6002", 1, 0, 83645, "Kontakt: Åse Ødegård"},
      {"ab1", "Små bokstaver", "", 0, 0, 0, ""},
  };
  for (const Row& want : expected) {
    ASSERT_TRUE(t.next().ok()) << want.rekv;
    EXPECT_EQ(t.text(rekv), want.rekv);
    EXPECT_EQ(t.text(navn), want.navn);
    EXPECT_EQ(t.text(postnr), want.postnr);
    EXPECT_EQ(t.number(antsvar), want.antsvar);
    EXPECT_EQ(t.date(statusdato), want.statusdato);
    EXPECT_EQ(t.date(godkjtil), want.godkjtil);
    std::string memo;
    EXPECT_TRUE(t.memo(merknad, memo).ok());
    EXPECT_EQ(memo, want.merknad);
  }
  EXPECT_EQ(t.next().code, dbase::Code::NoMoreRecords);
  // Windows-1252 bytes, blank-padded to the column width, as the row buffers take them.
  EXPECT_EQ(t.cp1252(navn), std::string("Sm\xE5 bokstaver") + std::string(17, ' '));
}

TEST(TableRead, DbaseThreeWithDbtMemoInCodePage850) {
  dbase::Table t;
  t.setName(labFixture("db3memo.dbf"));
  ASSERT_TRUE(t.open(dbase::kReadWriteDenyNone).ok()) << t.lastError().text;
  EXPECT_EQ(t.codePage(), 850);
  ASSERT_TRUE(t.next().ok());
  EXPECT_EQ(t.text(0), "Første");
  EXPECT_DOUBLE_EQ(t.number(1), 12.5);
  EXPECT_EQ(t.date(2), 81512);  // 29.2.2024
  EXPECT_TRUE(t.logical(3));
  std::string memo;
  ASSERT_TRUE(t.memo(4, memo).ok()) << t.lastError().text;
  EXPECT_EQ(memo, "Blåbær");
  ASSERT_TRUE(t.next().ok());
  EXPECT_DOUBLE_EQ(t.number(1), -3);
  EXPECT_EQ(t.date(2), 0);
  EXPECT_FALSE(t.logical(3));
  EXPECT_TRUE(t.memo(4, memo).ok());
  EXPECT_EQ(memo, "");
}

TEST(TableRead, VisualFoxProBinaryColumnsAreRead) {
  dbase::Table t;
  t.setName(labFixture("vfp.dbf"));
  ASSERT_TRUE(t.open(dbase::kReadWriteDenyNone).ok()) << t.lastError().text;
  EXPECT_EQ(t.codePage(), 1252);
  ASSERT_TRUE(t.next().ok());
  EXPECT_EQ(t.text(t.fieldIndex("NAVN")), "Kåre");
  EXPECT_EQ(t.number(t.fieldIndex("ANTALL")), 42);
  EXPECT_DOUBLE_EQ(t.number(t.fieldIndex("PRIS")), 12.75);
  EXPECT_DOUBLE_EQ(t.number(t.fieldIndex("VERDI")), 2.5);
  EXPECT_EQ(t.date(t.fieldIndex("TID")), 82243);  // 1.3.2026
  std::string memo;
  ASSERT_TRUE(t.memo(t.fieldIndex("NOTAT"), memo).ok());
  EXPECT_EQ(memo, "Visual");
}

}  // namespace
