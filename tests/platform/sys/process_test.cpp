#include "platform/sys/process.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/sys/cwd.h"
#include "wait_limit.h"

namespace {

namespace fs = std::filesystem;

class Process : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("lab2siv-proc-" + std::to_string(getpid()) + "-" +
                                        testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const char* name) const { return (dir_ / name).string(); }
  static std::string read(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  static bool waitForFile(const std::string& p) {
    return l2stest::pollUntil([&] { return fs::exists(p); });
  }
  // True once this process has no child left: every one has ended and was reaped.
  static bool noChildLeft() {
    siginfo_t info{};
    return waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == -1 && errno == ECHILD;
  }
  fs::path dir_;
};

TEST_F(Process, WaitedCommandHasEndedOnReturn) {
  const std::string out = path("out");
  EXPECT_TRUE(sys::runCommand("sh -c 'sleep 0.1; echo done > " + out + "'", false, true));
  EXPECT_EQ(read(out), "done\n");
  // It ran, so a failing exit code is no failure to start.
  EXPECT_TRUE(sys::runCommand("false", false, true));
}

TEST_F(Process, CommandNotWaitedForLeavesNoZombie) {
  const std::string out = path("out");
  const std::string go = path("go");
  // The command writes only once the test lets it: had runCommand waited for it, it would have
  // returned after the command gave up waiting, with the file written.
  ASSERT_TRUE(sys::runCommand("sh -c 'i=0; while [ ! -e " + go +
                                  " ] && [ $i -lt 6000 ]; do sleep 0.01; i=$((i+1)); done; "
                                  "echo late > " +
                                  out + "'",
                              false, false));
  EXPECT_FALSE(fs::exists(out)) << "runCommand waited for the command";
  std::ofstream(go).put('\n');
  ASSERT_TRUE(waitForFile(out));
  EXPECT_TRUE(l2stest::pollUntil(noChildLeft)) << "the ended command was not reaped";
}

TEST_F(Process, InterpreterFlagRunsTheLineThroughTheShell) {
  const std::string out = path("out");
  EXPECT_TRUE(sys::runCommand("echo a > " + out + " && echo b >> " + out, true, true));
  EXPECT_EQ(read(out), "a\nb\n");
  // Without the flag the same characters are plain arguments: nothing is redirected.
  const std::string other = path("other");
  EXPECT_TRUE(sys::runCommand("true > " + other, false, true));
  EXPECT_FALSE(fs::exists(other));
}

TEST_F(Process, QuotedArgumentsReachTheProgramWhole) {
  const std::string out = path("args");
  const std::string line = "sh -c 'printf \"%s|\" \"$@\" > " + out + "' sh \"two words\" 'it\"s' back\\ slash '' $HOME";
  ASSERT_TRUE(sys::runCommand(line, false, true));
  EXPECT_EQ(read(out), "two words|it\"s|back slash||$HOME|");
}

TEST_F(Process, ProgramArgumentsAreNeverInterpreted) {
  const std::string out = path("args");
  ASSERT_TRUE(sys::runProgram("sh", {"-c", "printf '%s|' \"$@\" > " + out, "sh", "a; rm -rf x", "*", "$(id)"}, true));
  EXPECT_EQ(read(out), "a; rm -rf x|*|$(id)|");
  EXPECT_EQ(sys::runProgramExitCode("sh", {"-c", "exit 7"}), 7);
}

TEST_F(Process, ProgramThatCannotStartGivesFalse) {
  for (bool wait : {true, false}) {
    EXPECT_FALSE(sys::runCommand("lab2siv-no-such-program --x", false, wait));
    EXPECT_FALSE(sys::runProgram("lab2siv-no-such-program", {}, wait));
    EXPECT_FALSE(sys::runCommand("", false, wait));
    EXPECT_FALSE(sys::runCommand("   ", true, wait));
  }
  // The shell starts, but it reports the command as not found.
  EXPECT_FALSE(sys::runCommand("lab2siv-no-such-program 2>/dev/null", true, true));
  EXPECT_EQ(sys::runProgramExitCode("lab2siv-no-such-program", {}), -1);
}

TEST(CommandLine, SplitsIntoWords) {
  using V = std::vector<std::string>;
  const struct {
    const char* line;
    V words;
  } cases[] = {
      {"prog a  b", V{"prog", "a", "b"}},
      {"  prog\ta ", V{"prog", "a"}},
      {"\"/opt/my tools/fetch\" --lab \"NIVA 2\"", V{"/opt/my tools/fetch", "--lab", "NIVA 2"}},
      {"a'b c'd", V{"ab cd"}},
      {"'' x", V{"", "x"}},
      {"a\\ b \"q\\\"q\"", V{"a b", "q\"q"}},
      {"'no \\ escape'", V{"no \\ escape"}},
      {"\"unclosed quote", V{"unclosed quote"}},
      {"", V{}},
  };
  for (const auto& c : cases) EXPECT_EQ(sys::splitCommandLine(c.line), c.words) << c.line;
}

TEST(CurrentDirectory, IsTheProcesssWorkingDirectory) { EXPECT_EQ(sys::currentDirectory(), fs::current_path()); }

}  // namespace
