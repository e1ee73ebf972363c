#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

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

namespace {

void putLe(std::string& b, std::size_t at, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A header whose lengths disagree with the file would have every row read misaligned, or none
// at all, without a word: the open says the table is damaged instead.
TEST(Malformed, HeaderLengthsThatDisagreeWithTheFileAreDamage) {
  const dbase_test::ScratchDir dir("lengths");
  const std::string good = fileBytes(labFixture("RNX20.dbf"));
  const std::uint32_t headerLength = static_cast<unsigned char>(good[8]) | static_cast<unsigned char>(good[9]) << 8;
  const struct {
    const char* name;
    std::size_t at;
    std::uint32_t value;
    int bytes;
    const char* words;
  } cases[] = {
      {"header_one_short", 8, headerLength - 1, 2, "does not end where the first record begins"},
      {"no_records_but_rows", 4, 0, 4, "header and file disagree"},
      {"fewer_records_than_rows", 4, 2, 4, "header and file disagree"},
  };
  for (const auto& c : cases) {
    std::string bytes = good;
    putLe(bytes, c.at, c.value, c.bytes);
    std::ofstream(dir.file(std::string(c.name) + ".dbf"), std::ios::binary) << bytes;
    dbase::Table t;
    t.setName(dir.file(std::string(c.name) + ".dbf"));
    const dbase::Error e = t.open(dbase::kReadWriteDenyNone);
    EXPECT_EQ(e.code, dbase::Code::InvalidFile) << c.name << ": " << e.text;
    EXPECT_NE(e.text.find(c.words), std::string::npos) << c.name << ": " << e.text;
    EXPECT_NE(e.text.find(c.name), std::string::npos) << "names the file: " << e.text;
    EXPECT_FALSE(t.isOpen());
  }
  // An end-of-file mark after the rows is no damage.
  std::ofstream(dir.file("eof_mark.dbf"), std::ios::binary) << good + "\x1A";
  dbase::Table t;
  t.setName(dir.file("eof_mark.dbf"));
  EXPECT_TRUE(t.open(dbase::kReadWriteDenyNone).ok()) << t.lastError().text;
}

// A named pipe where a table or its memo file should be: refused at once, never waited on.
TEST(Malformed, ANamedPipeIsNoTable) {
  const dbase_test::ScratchDir dir("fifo");
  ASSERT_EQ(::mkfifo(dir.file("RNX20.dbf").c_str(), 0644), 0);
  dbase::Table table;
  table.setName(dir.file("RNX20.dbf"));
  dbase::Error e = table.open(dbase::kReadWriteDenyAll);
  EXPECT_EQ(e.code, dbase::Code::InvalidFile);
  EXPECT_NE(e.text.find("is not a regular file"), std::string::npos) << e.text;

  std::filesystem::copy_file(labFixture("RNX51.dbf"), dir.file("RNX51.dbf"));
  ASSERT_EQ(::mkfifo(dir.file("RNX51.fpt").c_str(), 0644), 0);
  dbase::Table withMemo;
  withMemo.setName(dir.file("RNX51.dbf"));
  ASSERT_TRUE(withMemo.open(dbase::kReadWriteDenyAll).ok()) << withMemo.lastError().text;
  const int merknad = withMemo.fieldIndex("MERKNAD");
  bool read = false;
  while (!read && withMemo.next().ok()) {
    if (withMemo.memoBlock(merknad) == 0) continue;
    std::string memo = "x";
    e = withMemo.memo(merknad, memo);
    EXPECT_EQ(e.code, dbase::Code::InvalidFile);
    EXPECT_NE(e.text.find("is not a regular file"), std::string::npos) << e.text;
    read = true;
  }
  EXPECT_TRUE(read) << "the fixture has a row with a memo";
}

// Tables that live in static storage close at program end, after the register of open tables
// would have been destroyed: the child must end cleanly (AddressSanitizer reports otherwise).
TEST(MalformedDeathTest, AStaticTableClosesCleanlyAtProgramEnd) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        static dbase::Table held;
        held.setName(labFixture("RNX60.dbf"));
        if (!held.open(dbase::kReadWriteDenyAll).ok()) std::_Exit(3);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
