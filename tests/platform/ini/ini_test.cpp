#include "platform/ini/ini.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A scratch settings directory, named by LAB2SIV_SYSTEM_DIR for the test's length.
class IniFile : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("lab2siv-ini-" + std::to_string(getpid()) + "-" +
                                        testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    setenv("LAB2SIV_SYSTEM_DIR", dir_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("LAB2SIV_SYSTEM_DIR");
    fs::remove_all(dir_);
  }
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::string read(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  fs::path dir_;
};

const char* const kSample =
    "; shared with the registry\r\n"
    "[PROVEX]\r\n"
    "Lab=NIVA\r\n"
    "  Leverand1 =  100  \r\n"
    "this line is garbage\r\n"
    "=no key\r\n"
    "Importfile=C:\\data\\a=b.dbf\r\n"
    "\r\n"
    "[Datasett]\r\n"
    "Datasett_navn=Hovedsett\r\n"
    "Lab=other section\r\n"
    "[provex]\r\n"
    "Lab=second copy\r\n";

TEST_F(IniFile, ReadsBySectionAndKeyIgnoringLetterCase) {
  write("Siv2000.ini", kSample);
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"PROVEX", "Lab", "NIVA"},
      {"provex", "LAB", "NIVA"},  // the first copy of a section wins
      {"PROVEX", "leverand1", "100"},
      {"PROVEX", "Importfile", "C:\\data\\a=b.dbf"},
      {"Datasett", "Datasett_navn", "Hovedsett"},
      {"Datasett", "Lab", "other section"},
      {"PROVEX", "Datasett_navn", "(default)"},
      {"PROVEX", "this line is garbage", "(default)"},
      {"Missing", "Lab", "(default)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ini::getValue("Siv2000.ini", c.section, c.key, "(default)"), c.value) << c.section << "/" << c.key;
  EXPECT_EQ(ini::getValue("NoSuchFile.ini", "PROVEX", "Lab", "dflt"), "dflt");
}

TEST_F(IniFile, CutsOverLongValuesAndReadsWindows1252Files) {
  write("long.ini", "[S]\nk=" + std::string(1500, 'x') + "\n");
  EXPECT_EQ(ini::getValue("long.ini", "S", "k", ""), std::string(ini::kMaxValueLength, 'x'));

  write("old.ini", "[S\xC6]\nNavn=Bj\xF8rn \xC5s\n");  // Windows-1252 bytes
  EXPECT_EQ(ini::getValue("old.ini", "Sæ", "navn", ""), "Bjørn Ås");
  ASSERT_TRUE(ini::putValue("old.ini", "SÆ", "Ny", "ø"));
  EXPECT_EQ(read("old.ini"), "[SÆ]\nNavn=Bjørn Ås\nNy=ø\n");  // rewritten as UTF-8
}

TEST_F(IniFile, WritingKeepsEveryOtherLine) {
  write("Siv2000.ini", kSample);
  ASSERT_TRUE(ini::putValue("Siv2000.ini", "provex", "LEVERAND1", "200"));
  ASSERT_TRUE(ini::putValue("Siv2000.ini", "PROVEX", "Logslett", "0"));
  ASSERT_TRUE(ini::putValue("Siv2000.ini", "Ny", "Key", "v"));
  EXPECT_EQ(read("Siv2000.ini"),
            "; shared with the registry\r\n"
            "[PROVEX]\r\n"
            "Lab=NIVA\r\n"
            "  Leverand1 =  200\r\n"
            "this line is garbage\r\n"
            "=no key\r\n"
            "Importfile=C:\\data\\a=b.dbf\r\n"
            "Logslett=0\r\n"
            "\r\n"
            "[Datasett]\r\n"
            "Datasett_navn=Hovedsett\r\n"
            "Lab=other section\r\n"
            "[provex]\r\n"
            "Lab=second copy\r\n"
            "\r\n"
            "[Ny]\r\n"
            "Key=v\r\n");
  EXPECT_EQ(ini::getValue("Siv2000.ini", "PROVEX", "Leverand1", ""), "200");
}

TEST_F(IniFile, SeveralKeysAreWrittenTogetherOrNotAtAll) {
  write("Siv2000.ini", kSample);
  ASSERT_TRUE(ini::putValues("Siv2000.ini", {{"PROVEX", "Lab", "ALS"},
                                             {"PROVEX", "Ny", "1"},
                                             {"Datasett", "Datasett_navn", "Annet"},
                                             {"PROVEX", "LAB", "KL"}}));
  EXPECT_EQ(ini::getValue("Siv2000.ini", "PROVEX", "Lab", ""), "KL");  // the later one wins
  EXPECT_EQ(ini::getValue("Siv2000.ini", "PROVEX", "Ny", ""), "1");
  EXPECT_EQ(ini::getValue("Siv2000.ini", "Datasett", "Lab", ""), "other section");
  EXPECT_EQ(ini::getValue("Siv2000.ini", "Datasett", "Datasett_navn", ""), "Annet");
  const std::string before = read("Siv2000.ini");
  EXPECT_FALSE(ini::putValues("Siv2000.ini", {{"PROVEX", "Lab", "X"}, {"PROVEX", "bad=key", "1"}}));
  EXPECT_EQ(read("Siv2000.ini"), before);
}

TEST_F(IniFile, WritingCreatesFileAndDirectory) {
  const std::string path = (dir_ / "sub" / "dir" / "new.ini").string();
  ASSERT_TRUE(ini::putValue(path, "PROVEX", "Lab", "NIVA"));
  ASSERT_TRUE(ini::putValue(path, "PROVEX", "Lab", "ALS"));
  ASSERT_TRUE(ini::putValue(path, "Datasett", "Datasett_navn", "Første"));
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  EXPECT_EQ(ss.str(), "[PROVEX]\nLab=ALS\n\n[Datasett]\nDatasett_navn=Første\n");
  // No temporary file and no lock file is left beside it.
  std::vector<std::string> files;
  for (const auto& e : fs::directory_iterator(dir_ / "sub" / "dir")) files.push_back(e.path().filename());
  EXPECT_EQ(files, std::vector<std::string>{"new.ini"});
}

TEST_F(IniFile, AFileThatCannotBeWrittenIsReportedAndKept) {
  write("plain", "not a directory");
  EXPECT_FALSE(ini::putValue((dir_ / "plain" / "a.ini").string(), "S", "k", "v"));
  write("ro.ini", "[S]\nk=old\n");
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  const bool canStillWrite = access(dir_.c_str(), W_OK) == 0;  // running as root
  const bool written = ini::putValue("ro.ini", "S", "k", "new");
  fs::permissions(dir_, fs::perms::owner_all);
  if (!canStillWrite) {
    EXPECT_FALSE(written);
    EXPECT_EQ(read("ro.ini"), "[S]\nk=old\n");
  }
}

// Only a missing file reads as empty: writing one that could not be read would replace a shared
// file with only this program's keys.
TEST_F(IniFile, AFileThatCannotBeReadIsSaidAndNeverWritten) {
  EXPECT_EQ(ini::readProblem("missing.ini"), "");
  write("shared.ini", "[Andre]\nverdi=1\n[S]\nk=old\n");
  fs::permissions(dir_ / "shared.ini", fs::perms::none);
  const bool root = access((dir_ / "shared.ini").c_str(), R_OK) == 0;
  if (!root) {
    EXPECT_EQ(ini::readProblem("shared.ini"), "Permission denied");
    EXPECT_EQ(ini::getValue("shared.ini", "S", "k", "def"), "def");
    EXPECT_FALSE(ini::putValue("shared.ini", "S", "k", "new"));
  }
  fs::permissions(dir_ / "shared.ini", fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(read("shared.ini"), "[Andre]\nverdi=1\n[S]\nk=old\n");

  // What even an administrator cannot read as a settings file.
  fs::create_directory(dir_ / "dir.ini");
  ASSERT_EQ(mkfifo((dir_ / "pipe.ini").c_str(), 0644), 0);
  for (const char* name : {"dir.ini", "pipe.ini"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ini::readProblem(name), "Not a regular file");
    EXPECT_EQ(ini::getValue(name, "S", "k", "def"), "def");
    EXPECT_FALSE(ini::putValue(name, "S", "k", "new"));
  }
  EXPECT_TRUE(fs::is_directory(dir_ / "dir.ini"));
  EXPECT_TRUE(fs::is_fifo(dir_ / "pipe.ini"));
}

TEST_F(IniFile, AValueCannotAddLinesOrSections) {
  ASSERT_TRUE(ini::putValue("a.ini", "S", "k", "x\n[Evil]\r\nadmin=1"));
  EXPECT_EQ(ini::getValue("a.ini", "Evil", "admin", "none"), "none");
  EXPECT_EQ(ini::getValue("a.ini", "S", "k", ""), "x [Evil]  admin=1");
  for (const char* badName : {"", "a]b", "line\nbreak", " padded"}) {
    EXPECT_FALSE(ini::putValue("a.ini", badName, "k", "v")) << badName;
    EXPECT_FALSE(ini::putValue("a.ini", "S", badName, "v")) << badName;
  }
  EXPECT_FALSE(ini::putValue("a.ini", "S", "k=1", "v"));
}

TEST_F(IniFile, ConcurrentWritersLoseNoKey) {
  constexpr int kKeys = 40;
  auto writer = [](const std::string& prefix) {
    for (int i = 0; i < kKeys; ++i) ini::putValue("shared.ini", "S", prefix + std::to_string(i), "v");
  };
  // Another process and two threads of this one, all at once.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    writer("proc");
    _exit(0);
  }
  std::thread a(writer, "a");
  std::thread b(writer, "b");
  a.join();
  b.join();
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  for (const char* prefix : {"a", "b", "proc"})
    for (int i = 0; i < kKeys; ++i)
      EXPECT_EQ(ini::getValue("shared.ini", "S", prefix + std::to_string(i), "lost"), "v") << prefix << i;
  // Each writer removes the lock file as it lets go, also while others wait on it.
  EXPECT_FALSE(fs::exists(dir_ / "shared.ini.lock"));
}

TEST(IniResolve, BareNamesLieInTheSystemSettingsDirectory) {
  unsetenv("LAB2SIV_SYSTEM_DIR");
  setenv("XDG_CONFIG_HOME", "/xdg", 1);
  EXPECT_EQ(ini::resolve("Siv2000.ini"), fs::path("/xdg/Siv2000.ini"));
  unsetenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  const std::string savedHome = home ? home : "";
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(ini::resolve("Siv2000.ini"), fs::path("/home/u/.config/Siv2000.ini"));
  if (home) setenv("HOME", savedHome.c_str(), 1);
  setenv("LAB2SIV_SYSTEM_DIR", "/sys-dir", 1);
  EXPECT_EQ(ini::resolve("Siv2000.ini"), fs::path("/sys-dir/Siv2000.ini"));
  EXPECT_EQ(ini::resolve("conf/a.ini"), fs::path("conf/a.ini"));
  EXPECT_EQ(ini::resolve("/etc/a.ini"), fs::path("/etc/a.ini"));
  unsetenv("LAB2SIV_SYSTEM_DIR");
}

}  // namespace
