// Loading and storing the process-wide settings through the shared settings file.
#include "shell/global_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class GlobalSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("l2s-glo-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    ::setenv("LAB2SIV_SYSTEM_DIR", dir_.c_str(), 1);
    shell::setGlobals(shell::GlobalSettings{});
  }
  void TearDown() override {
    ::unsetenv("LAB2SIV_SYSTEM_DIR");
    fs::remove_all(dir_);
  }
  void writeIni(const std::string& body) { std::ofstream(dir_ / "Siv2000.ini") << body; }
  std::vector<std::string> iniLines() {
    std::ifstream in(dir_ / "Siv2000.ini");
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
  }
  fs::path dir_;
};

TEST_F(GlobalSettingsTest, NoSettingsFileGivesEveryDefault) {
  shell::editGlobals([](shell::GlobalSettings& g) {
    g.UTSLKTR = 0;
    g.LAB = "X";
  });
  shell::loadGlobalSettings();
  const shell::GlobalSettings g = shell::globals();
  EXPECT_EQ(g.IMPORTFILE, "Velg importfile");
  EXPECT_TRUE(g.LAB.blank());
  EXPECT_TRUE(g.LEVERAND1.blank());
  EXPECT_TRUE(g.LEVERAND2.blank());
  for (auto sw : {g.UTSLKTR, g.TUNGMETIUTSL, g.SLAMKTR, g.OVERSKRIVES, g.LOGSLETT}) EXPECT_EQ(sw, 1);
  EXPECT_EQ(g.PRTYPE, "Rutinekontroll");
  EXPECT_EQ(g.PR_METODE, "Mengdeprop.blandprøve");
  EXPECT_EQ(g.PR_TYPE_TUNGMETALL, "Blandprøve");
  EXPECT_EQ(g.PR_TYPE_NAERINGSSTOFF, "Blandprøve");
  EXPECT_TRUE(g.PR_TAKINGSTED.blank());
}

TEST_F(GlobalSettingsTest, SwitchesReadAsNumbersInOneByte) {
  struct {
    const char* text;
    int want;
  } const cases[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"", 0}, {"abc", 0}, {"300", 44}, {"7x", 7}};
  for (const auto& c : cases) {
    writeIni(std::string("[PROVEX]\nUtslKtr=") + c.text + "\n");
    shell::loadGlobalSettings();
    EXPECT_EQ(shell::globals().UTSLKTR, c.want) << "value '" << c.text << "'";
  }
}

TEST_F(GlobalSettingsTest, TextsAreCutToTheirWidthAndTheDatasetNameIsNotRead) {
  writeIni("[provex]\nlab=ABCDEFGHIJ\nPrType=Døgnblandprøve\nDatasett=Fra fila\n");
  shell::editGlobals([](shell::GlobalSettings& g) { g.DATASETT_NAVN = "Valgt"; });
  shell::loadGlobalSettings();
  const shell::GlobalSettings g = shell::globals();
  EXPECT_EQ(g.LAB, "ABCDEF");
  EXPECT_EQ(g.PRTYPE, "Døgnblandprøve");
  EXPECT_EQ(g.DATASETT_NAVN, "Valgt");
}

TEST_F(GlobalSettingsTest, StoreWritesEveryKeyInTheFramesOrder) {
  writeIni("[Annet]\nbehold=ja\n");
  shell::editGlobals([](shell::GlobalSettings& g) {
    g.LAB = "K1";
    g.LEVERAND1 = "100";
    g.LEVERAND2 = "200";
    g.SLAMKTR = 0;
    g.DATASETT_NAVN = "Demo";
    g.PR_TAKINGSTED = "Innløp";
  });
  shell::storeGlobalSettings();
  const std::vector<std::string> want = {"[Annet]",
                                         "behold=ja",
                                         "[PROVEX]",
                                         "Lab=K1",
                                         "Leverand1=100",
                                         "Leverand2=200",
                                         "UtslKtr=1",
                                         "TungmetiUtsl=1",
                                         "SlamKtr=0",
                                         "Overskrives=1",
                                         "Logslett=1",
                                         "Importfile=Velg importfile",
                                         "Datasett=Demo",
                                         "PrType=Rutinekontroll",
                                         "Pr_metode=Mengdeprop.blandprøve",
                                         "Pr_type_tungmetall=Blandprøve",
                                         "Pr_type_naeringsstoff=Blandprøve",
                                         "Pr_takingsted=Innløp"};
  std::vector<std::string> got;
  for (const std::string& l : iniLines()) {
    if (!l.empty()) got.push_back(l);
  }
  EXPECT_EQ(got, want);

  // What was stored is read back as it was.
  shell::setGlobals(shell::GlobalSettings{});
  shell::loadGlobalSettings();
  EXPECT_EQ(shell::globals().LEVERAND2, "200");
  EXPECT_EQ(shell::globals().SLAMKTR, 0);
  EXPECT_EQ(shell::globals().PR_TAKINGSTED, "Innløp");
}

}  // namespace
