#pragma once
// A working directory that has run before, for the program under the Qt backend: dataset
// "Demo" in Datasett.tps and Siv2000.ini, a settings record in Lab2Siv.Tps, the current
// directory and LAB2SIV_SYSTEM_DIR pointing into a fresh temp folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "data/file_names.h"
#include "data/program_files.h"
#include "shell/global_settings.h"

namespace shelltest {

namespace fs = std::filesystem;

inline constexpr const char* kDemoFrameTitle = "Brakel-Sivra Provex (Rnx-versjon) [Demo]";

class QtInstallationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("l2s-qt-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "work");
    fs::create_directories(root_ / "system");
    fs::create_directories(root_ / "data");
    oldCwd_ = fs::current_path();
    fs::current_path(root_ / "work");
    ::setenv("LAB2SIV_SYSTEM_DIR", (root_ / "system").c_str(), 1);
    data::resetFileNames();
    shell::setGlobals(shell::GlobalSettings{});

    data::Datasett list;
    list.setName((root_ / "work" / "Datasett.tps").string());
    ASSERT_EQ(list.create(), 0);
    ASSERT_EQ(list.open(), 0);
    list.rec.DATASETT_NAVN = "Demo";
    list.rec.DATAKATALOG = (root_ / "data").string();
    ASSERT_EQ(list.add(), 0);
    list.close();
    data::Lab2Siv settings;
    settings.setName((root_ / "work" / "Lab2Siv.Tps").string());
    ASSERT_EQ(settings.create(), 0);
    ASSERT_EQ(settings.open(), 0);
    ASSERT_EQ(settings.add(), 0);
    settings.close();
    std::ofstream(root_ / "system" / "Siv2000.ini") << "[Datasett]\nDatasett_navn=Demo\n";
  }
  void TearDown() override {
    fs::current_path(oldCwd_);
    ::unsetenv("LAB2SIV_SYSTEM_DIR");
    fs::remove_all(root_);
  }
  fs::path root_, oldCwd_;
};

}  // namespace shelltest
