#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "fixture.h"
#include "platform/dbase/table.h"

namespace {

using dbase_test::labFixture;
using dbase_test::ScratchDir;

TEST(TableOpen, SecondOpenInTheProcessIsRefusedAndLeavesTheFirstAlone) {
  ScratchDir dir("open");
  std::filesystem::copy_file(labFixture("RNX60.dbf"), dir.file("RNX60.dbf"));
  dbase::Table first, second, third;
  first.setName(dir.file("RNX60.dbf"));
  ASSERT_TRUE(first.open().ok());
  ASSERT_TRUE(first.next().ok());
  // Another spelling of the same file: other letter case, a detour through "..".
  second.setName(dir.file("rnx60.DBF"));
  third.setName(dir.file("../" + dir.path.filename().string() + "/RNX60.dbf"));
  for (dbase::Table* t : {&second, &third}) {
    const dbase::Error e = t->open();
    EXPECT_EQ(e.code, dbase::Code::AlreadyOpen);
    EXPECT_FALSE(e.text.empty());
  }
  EXPECT_EQ(first.open().code, dbase::Code::AlreadyOpen);
  EXPECT_TRUE(first.isOpen());
  EXPECT_EQ(first.text(first.fieldIndex("TEKST")), "Utløp");
  ASSERT_TRUE(first.next().ok());
  first.close();
  EXPECT_TRUE(second.open().ok());
}

// Another process holding the table: its lock gives 32 here.
TEST(TableOpen, LockHeldByAnotherProcessGives32) {
  ScratchDir dir("lock");
  std::filesystem::copy_file(labFixture("RNX60.dbf"), dir.file("RNX60.dbf"));
  dbase::Table mine;
  mine.setName(dir.file("RNX60.dbf"));
  ASSERT_TRUE(mine.open().ok());
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    // The child inherits the registry; it checks the OS lock with a fresh one of its own.
    dbase::Table other;
    other.setName(dir.file("RNX60.dbf"));
    mine.close();  // closing the inherited descriptor does not drop the parent's lock
    _exit(other.open().code == dbase::Code::Locked ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(TableOpen, MissingFileAndClosedTable) {
  dbase::Table t;
  t.setName(labFixture("NOSUCH.dbf"));
  EXPECT_EQ(t.open().code, dbase::Code::FileMissing);
  EXPECT_EQ(t.next().code, dbase::Code::NotOpen);
  EXPECT_EQ(t.set(0, {}).code, dbase::Code::NotOpen);
  EXPECT_EQ(t.text(0), "");
}

}  // namespace
