// The program as a scripted user drives it: from the main frame through the import window to
// "Ferdig!", with the records written into the chosen dataset.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/file_names.h"
#include "data/program_files.h"
#include "data/use_counters.h"
#include "import/window/register.h"
#include "import_scenario.h"
#include "maintenance/register.h"
#include "platform/store/paths.h"
#include "platform/ui/headless/session.h"
#include "shell/global_settings.h"
#include "shell/main.h"

namespace {

namespace fs = std::filesystem;

class FrameImportScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("l2s-frame-import-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    for (const char* d : {"work", "system", "data"}) fs::create_directories(root_ / d);
    oldCwd_ = fs::current_path();
    fs::current_path(root_ / "work");
    ::setenv("LAB2SIV_SYSTEM_DIR", (root_ / "system").c_str(), 1);
    data::resetFileNames();
    shell::setGlobals(shell::GlobalSettings{});
  }
  void TearDown() override {
    data::resetFileNames();
    {
      auto& ds = data::datasett();
      std::lock_guard lock(ds.lock);
      ds.file.close();
      ds.useCount = 0;
    }
    fs::current_path(oldCwd_);
    ::unsetenv("LAB2SIV_SYSTEM_DIR");
    fs::remove_all(root_);
  }
  fs::path root_, oldCwd_;
};

TEST_F(FrameImportScriptTest, FromTheFrameThroughTheImportWindowToFerdig) {
  const fs::path dataDir = root_ / "data";
  {
    data::Datasett ds;
    ds.setName((root_ / "work" / "Datasett.tps").string());
    ASSERT_EQ(ds.create(), 0);
    ASSERT_EQ(ds.open(), 0);
    ds.clear();
    ds.rec.DATASETT_NAVN = "Demo";
    ds.rec.DATAKATALOG = dataDir.string();
    ASSERT_EQ(ds.add(), 0);
    data::Lab2Siv settings;
    settings.setName((root_ / "work" / "Lab2Siv.Tps").string());
    ASSERT_EQ(settings.create(), 0);
    ASSERT_EQ(settings.open(), 0);
    settings.clear();
    ASSERT_EQ(settings.add(), 0);
  }
  std::ofstream(root_ / "system" / "Siv2000.ini")
      << "[Datasett]\nDatasett_navn=Demo\n[PROVEX]\nLab=KL\nLeverand1=100\nLeverand2=100\n"
         "UtslKtr=1\nSlamKtr=0\n";
  data::setDataDirectory(dataDir.string());
  data::SetFileNames();
  l2stest::seedImportScenario(dataDir / "lab");
  data::resetFileNames();

  maintenance::registerProcedures();
  import::registerImportWindow();
  ui::headless::Session session;
  ASSERT_TRUE(session.start([] { shell::Main(); }));
  std::istringstream script(
      "window P1$APPFRAME\n"
      "menu \"&Import\"\n"
      "window \"Import\"\n"
      "dump ?MAP:LABNAVN\n"
      "press ?OKBUTTON\n"
      "dump ?LOC:MELDING_1\n"
      "press ?CANCELBUTTON\n"
      "window P1$APPFRAME\n"
      "menu \"&Laboratorier\"\n"
      "window \"Tabell laboratorier\"\n"
      "dump ?LIST\n"
      "press ?CLOSE\n"
      "window P1$APPFRAME\n"
      "menu \"Avslutt\"\n");
  EXPECT_EQ(ui::headless::runScript(session, script), 0) << session.text();
  const std::string t = session.text();
  EXPECT_NE(t.find("dump ?MAP:LABNAVN \"Kjemilab\""), std::string::npos) << t;
  EXPECT_NE(t.find("dump ?LOC:MELDING_1 \"Ferdig!\""), std::string::npos) << t;
  EXPECT_NE(t.find("row 1 \"KL\""), std::string::npos) << t;

  data::setDataDirectory(dataDir.string());
  data::SetFileNames();
  EXPECT_GT(l2stest::storedDischargeControls(), 0);
}

}  // namespace
