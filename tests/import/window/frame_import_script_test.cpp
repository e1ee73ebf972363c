// The program as a scripted user drives it: from the main frame through the import window to
// "Ferdig!", with the records written into the chosen dataset.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "backend_session.h"
#include "data/file_names.h"
#include "data/program_files.h"
#include "data/use_counters.h"
#include "import/window/register.h"
#include "import_scenario.h"
#include "maintenance/register.h"
#include "platform/store/paths.h"
#include "platform/ui/headless/session.h"
#include "program_dir.h"
#include "shell/global_settings.h"
#include "shell/main.h"

namespace {

namespace fs = std::filesystem;

class FrameImportScriptTest : public l2stest::ProgramDirTest,
                              public ::testing::WithParamInterface<l2stest::ScriptBackend> {
 protected:
  FrameImportScriptTest() : ProgramDirTest("l2s-frame-import") {}
};

TEST_P(FrameImportScriptTest, FromTheFrameThroughTheImportWindowToFerdig) {
  const fs::path dataDir = this->dataDir();
  prepareDataset();
  if (HasFatalFailure()) return;
  l2stest::BackendSession session(GetParam());
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
  EXPECT_EQ(session.run(script), 0) << session.text();
  const std::string t = session.text();
  EXPECT_NE(t.find("dump ?MAP:LABNAVN \"Kjemilab\""), std::string::npos) << t;
  EXPECT_NE(t.find("dump ?LOC:MELDING_1 \"Ferdig!\""), std::string::npos) << t;
  EXPECT_NE(t.find("row 1 \"KL\""), std::string::npos) << t;

  data::setDataDirectory(dataDir.string());
  data::SetFileNames();
  EXPECT_GT(l2stest::storedDischargeControls(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, FrameImportScriptTest, ::testing::ValuesIn(l2stest::windowBackends()),
                         l2stest::backendName);

}  // namespace
