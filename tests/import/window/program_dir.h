#pragma once
// A scratch working directory for running the program from its frame: a dataset "Demo" whose
// data directory holds the import scenario, the settings file and a first-run settings record.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>

#include "data/file_names.h"
#include "data/program_files.h"
#include "data/use_counters.h"
#include "import/window/register.h"
#include "import_scenario.h"
#include "maintenance/register.h"
#include "shell/global_settings.h"

namespace l2stest {

class ProgramDirTest : public ::testing::Test {
 protected:
  explicit ProgramDirTest(const char* name) : name_(name) {}

  void SetUp() override {
    namespace fs = std::filesystem;
    root_ = fs::temp_directory_path() / (std::string(name_) + "-" + std::to_string(::getpid()));
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
    std::filesystem::current_path(oldCwd_);
    ::unsetenv("LAB2SIV_SYSTEM_DIR");
    std::filesystem::remove_all(root_);
  }

  // The dataset list, the settings record and file, the scenario in the data directory, and the
  // lists and the import window registered for the frame.
  void prepareDataset() {
    const std::filesystem::path dataDir = root_ / "data";
    {
      data::Datasett list;
      list.setName((root_ / "work" / "Datasett.tps").string());
      ASSERT_EQ(list.create(), 0);
      ASSERT_EQ(list.open(), 0);
      list.clear();
      list.rec.DATASETT_NAVN = "Demo";
      list.rec.DATAKATALOG = dataDir.string();
      ASSERT_EQ(list.add(), 0);
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
    seedImportScenario(dataDir / "lab");
    data::resetFileNames();
    maintenance::registerProcedures();
    import::registerImportWindow();
  }

  std::filesystem::path dataDir() const { return root_ / "data"; }

  std::filesystem::path root_, oldCwd_;

 private:
  const char* name_;
};

}  // namespace l2stest
