// The real program, run as users run it, in a scratch working directory: a scripted run
// through the headless backend from start to "Avslutt".
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& p) {
  std::ifstream in(p);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("l2s-program-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs `command` in the demo directory; returns its exit code.
  int run(const std::string& command) {
    const std::string line = "cd '" + dir_.string() + "' && LAB2SIV_SYSTEM_DIR='" +
                             (dir_ / "system").string() + "' " + command;
    const int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  fs::path dir_;
};

TEST_F(ProgramTest, ADemoDirectoryStartsTheFrameAndAvsluttStoresTheSettings) {
  const std::string bin = LAB2SIV_BINARY_DIR "/app/";
  ASSERT_EQ(run("'" + bin + "lab2siv-demo' ."), 0);
  EXPECT_TRUE(fs::exists(dir_ / "Datasett.tps"));
  EXPECT_TRUE(fs::is_directory(dir_ / "data"));
  // A second run keeps what is there.
  ASSERT_EQ(run("'" + bin + "lab2siv-demo' ."), 0);

  std::ofstream(dir_ / "script.txt") << "window \"Innstillinger\"\n"
                                        "press ?OK\n"
                                        "window \"Brakel-Sivra Provex (Rnx-versjon) [Demo]\"\n"
                                        "menu \"Avslutt\"\n"
                                        "wait-closed \"Brakel-Sivra Provex (Rnx-versjon) [Demo]\"\n";
  const int code = run("'" + bin + "lab2siv' --headless --script script.txt --transcript out.txt");
  const std::string transcript = readFile(dir_ / "out.txt");
  EXPECT_EQ(code, 0) << transcript;
  EXPECT_NE(transcript.find("open \"Innstillinger\""), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("end 0"), std::string::npos) << transcript;
  const std::string ini = readFile(dir_ / "system" / "Siv2000.ini");
  EXPECT_NE(ini.find("Datasett=Demo"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Datasett_navn=Demo"), std::string::npos) << ini;
  EXPECT_TRUE(fs::exists(dir_ / "Lab2Siv.Tps"));
  EXPECT_TRUE(fs::exists(dir_ / "data" / "MapFile.tps"));
}

}  // namespace
