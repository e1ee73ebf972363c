#pragma once
// A scratch working directory for running the program from its frame: a dataset "Demo" whose
// data directory holds the import scenario, the settings file and a first-run settings record.
#include <filesystem>
#include <mutex>

#include "../../shell/installation_dir.h"
#include "data/file_names.h"
#include "data/use_counters.h"
#include "import/window/register.h"
#include "import_scenario.h"
#include "maintenance/register.h"

namespace l2stest {

class ProgramDirTest : public shelltest::InstallationDirTest {
 protected:
  explicit ProgramDirTest(const char* name) : InstallationDirTest(name) {}

  void TearDown() override {
    data::resetFileNames();
    {
      auto& ds = data::datasett();
      std::lock_guard lock(ds.lock);
      ds.file.close();
      ds.useCount = 0;
    }
    InstallationDirTest::TearDown();
  }

  // The dataset list, the settings record and file, the scenario in the data directory, and the
  // lists and the import window registered for the frame.
  void prepareDataset() {
    const std::filesystem::path dataDir = root_ / "data";
    install(
        "[Datasett]\nDatasett_navn=Demo\n[PROVEX]\nLab=KL\nLeverand1=100\nLeverand2=100\n"
        "UtslKtr=1\nSlamKtr=0\n");
    if (HasFatalFailure()) return;
    data::setDataDirectory(dataDir.string());
    data::SetFileNames();
    seedImportScenario(dataDir / "lab");
    data::resetFileNames();
    maintenance::registerProcedures();
    import::registerImportWindow();
  }

  std::filesystem::path dataDir() const { return root_ / "data"; }
};

}  // namespace l2stest
