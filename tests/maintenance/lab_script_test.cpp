// The real program on the demo data, driven by a script: a laboratory added from the list, its
// code changed and the laboratory deleted again.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "sqlite_peek.h"

namespace fs = std::filesystem;

namespace {

TEST(LabScriptTest, ALaboratoryIsAddedReKeyedAndDeletedFromTheList) {
  const fs::path dir = fs::temp_directory_path() / ("l2s-labscript-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string bin = LAB2SIV_BINARY_DIR "/app/";
  auto run = [&](const std::string& command) {
    const std::string line = "cd '" + dir.string() + "' && LAB2SIV_SYSTEM_DIR='" + (dir / "system").string() + "' " + command;
    const int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  ASSERT_EQ(run("'" + bin + "lab2siv-demo' ."), 0);
  std::ofstream(dir / "script.txt") << R"(window "Innstillinger"
press ?OK
window P1$APPFRAME
menu "&Laboratorier"
window "Tabell laboratorier"
press ?INSERT
window "Skjema laboratorium"
type ?MAP:LAB "KL9"
type ?MAP:LABNAVN "Skriptlab"
press ?OK
wait-closed "Skjema laboratorium"
window "Tabell laboratorier"
press ?CHANGE
window "Skjema laboratorium"
type ?MAP:LAB "KL8"
press ?OK
wait-closed "Skjema laboratorium"
window "Tabell laboratorier"
dump ?LIST
press ?DELETE
window "Skjema laboratorium"
dump ?MAP:LAB
press ?OK
wait-closed "Skjema laboratorium"
window "Tabell laboratorier"
dump ?LIST
press ?CLOSE
window P1$APPFRAME
menu "Avslutt"
)";
  const int code = run("'" + bin + "lab2siv' --headless --script script.txt --transcript out.txt");
  std::stringstream transcript;
  transcript << std::ifstream(dir / "out.txt").rdbuf();
  const std::string t = transcript.str();
  EXPECT_EQ(code, 0) << t;
  // After the change the list shows the new code highlighted; after the delete it is gone.
  const std::size_t changed = t.find("dump ?LIST");
  ASSERT_NE(changed, std::string::npos) << t;
  const std::size_t deleted = t.find("dump ?LIST", changed + 1);
  ASSERT_NE(deleted, std::string::npos) << t;
  EXPECT_NE(t.substr(changed, deleted - changed).find("\"KL8\""), std::string::npos) << t;
  EXPECT_EQ(t.find("\"KL9\"", changed), std::string::npos) << t;
  EXPECT_NE(t.find("dump ?MAP:LAB \"KL8\""), std::string::npos) << t;
  EXPECT_EQ(t.substr(deleted).find("\"KL8\""), std::string::npos) << t;
  EXPECT_EQ(testing_util::peek((dir / "data" / "MapFile.tps").string(),
                               "SELECT COUNT(*) FROM MapLab WHERE LAB IN ('KL8', 'KL9')"),
            testing_util::Rows{{"0"}});
  fs::remove_all(dir);
}

}  // namespace
