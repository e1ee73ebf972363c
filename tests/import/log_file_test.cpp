#include "import/log_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class LogFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("l2s_logfile_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = (dir_ / "Import.Txt").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string contents() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(LogFileTest, OpenFailsOnMissingFileAndCreateMakesIt) {
  import::LogFile log;
  EXPECT_FALSE(log.open(path_));
  EXPECT_FALSE(log.append("lost"));
  ASSERT_TRUE(log.create(path_));
  EXPECT_TRUE(log.append("første"));
  log.close();
  EXPECT_EQ(contents(), "første\n");
}

TEST_F(LogFileTest, OpenAppendsAndCreateEmpties) {
  import::LogFile log;
  ASSERT_TRUE(log.create(path_));
  log.append("run 1");
  log.close();
  ASSERT_TRUE(log.open(path_));
  log.append("run 2");
  log.close();
  EXPECT_EQ(contents(), "run 1\nrun 2\n");
  ASSERT_TRUE(log.create(path_));
  log.append("run 3");
  log.close();
  EXPECT_EQ(contents(), "run 3\n");
}

TEST_F(LogFileTest, LinesAreCutTo150CharactersAndLoseTrailingBlanks) {
  import::LogFile log;
  ASSERT_TRUE(log.create(path_));
  log.append(std::string(149, 'x') + "øæå");  // 150 characters, more bytes in UTF-8
  log.append("tail   ");
  log.append("");
  log.close();
  EXPECT_EQ(contents(), std::string(149, 'x') + "ø\ntail\n\n");
}

TEST_F(LogFileTest, ALineBreakInTheTextStaysInsideItsLine) {
  import::LogFile log;
  ASSERT_TRUE(log.create(path_));
  log.append("Anlegg: 010101 Nordby\r\nRA");
  log.append("Feil: disk I/O error\n");
  log.close();
  EXPECT_EQ(contents(), "Anlegg: 010101 Nordby  RA\nFeil: disk I/O error\n");
}

TEST_F(LogFileTest, HeldLogRefusesASecondWriterAndIsNotEmptied) {
  import::LogFile first;
  ASSERT_TRUE(first.create(path_));
  first.append("kept");
  import::LogFile second;
  EXPECT_FALSE(second.open(path_));
  EXPECT_FALSE(second.create(path_));
  EXPECT_FALSE(second.error().empty());
  first.close();
  EXPECT_EQ(contents(), "kept\n");
  EXPECT_TRUE(second.open(path_));
}

TEST_F(LogFileTest, AnotherProcessSeesTheLock) {
  import::LogFile log;
  ASSERT_TRUE(log.create(path_));
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    const int fd = ::open(path_.c_str(), O_RDONLY);
    const bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
    ::_exit(locked ? 0 : 1);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
