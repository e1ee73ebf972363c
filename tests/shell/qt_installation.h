#pragma once
// A working directory that has run before, for the program under the Qt backend: dataset
// "Demo" in Datasett.tps and Siv2000.ini, a settings record in Lab2Siv.Tps, the current
// directory and LAB2SIV_SYSTEM_DIR pointing into a fresh temp folder.
#include "installation_dir.h"

namespace shelltest {

namespace fs = std::filesystem;

inline constexpr const char* kDemoFrameTitle = "Brakel-Sivra Provex (Rnx-versjon) [Demo]";

class QtInstallationTest : public InstallationDirTest {
 protected:
  QtInstallationTest() : InstallationDirTest("l2s-qt") {}
  void SetUp() override {
    InstallationDirTest::SetUp();
    install("[Datasett]\nDatasett_navn=Demo\n");
  }
};

}  // namespace shelltest
