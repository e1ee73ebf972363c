#include <gtest/gtest.h>

#include "fixture.h"
#include "platform/dbase/table.h"

namespace {

using dbase_test::labFixture;

// Broken variants of a good table: each must fail its open with a code and a text that
// says what is wrong, and leave the table closed.
TEST(Malformed, BrokenHeadersFailTheOpen) {
  const struct {
    const char* file;
    int code;
    const char* words;
  } cases[] = {
      {"empty", dbase::Code::InvalidFile, "shorter than a table header"},
      {"truncated_header", dbase::Code::InvalidFile, "shorter than a table header"},
      {"truncated_rows", dbase::Code::InvalidFile, "truncated"},
      {"count_lies", dbase::Code::InvalidFile, "truncated"},
      {"header_length_lies", dbase::Code::InvalidFile, "header length"},
      {"record_length_too_small", dbase::Code::InvalidFile, "does not fit"},
      {"no_terminator", dbase::Code::InvalidFile, "length 0"},
      {"zero_length_field", dbase::Code::InvalidFile, "length 0"},
      {"bad_version", dbase::Code::InvalidFile, "not a dBase table"},
  };
  for (const auto& c : cases) {
    dbase::Table t;
    t.setName(labFixture(std::string("broken/") + c.file + ".dbf"));
    t.declareIndex("I=C[REKV]", false);
    const dbase::Error e = t.open(dbase::kReadWriteDenyNone);
    EXPECT_EQ(e.code, c.code) << c.file << ": " << e.text;
    EXPECT_NE(e.text.find(c.words), std::string::npos) << c.file << ": " << e.text;
    EXPECT_NE(e.text.find(c.file), std::string::npos) << "names the file: " << e.text;
    EXPECT_FALSE(t.isOpen());
  }
}

TEST(Malformed, MemoPointerOutsideTheMemoFileFailsOnlyThatRead) {
  dbase::Table t;
  t.setName(labFixture("broken/bad_memo_pointer.dbf"));
  ASSERT_TRUE(t.open(dbase::kReadWriteDenyNone).ok()) << t.lastError().text;
  const int merknad = t.fieldIndex("MERKNAD");
  ASSERT_TRUE(t.next().ok());
  ASSERT_TRUE(t.next().ok());
  std::string memo = "x";
  const dbase::Error e = t.memo(merknad, memo);
  EXPECT_EQ(e.code, dbase::Code::InvalidFile);
  EXPECT_NE(e.text.find("outside the memo file"), std::string::npos) << e.text;
  EXPECT_EQ(memo, "");
  EXPECT_EQ(t.text(t.fieldIndex("NAVN")), "Østre Ålesund renseanlegg");
}

}  // namespace
