#pragma once
// A scratch root for running the program as it is installed: "work" (the current directory),
// "system" (LAB2SIV_SYSTEM_DIR) and "data", with the file names and global settings reset; and
// what a program that has run before leaves there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "data/file_names.h"
#include "data/program_files.h"
#include "shell/global_settings.h"

namespace shelltest {

class InstallationDirTest : public ::testing::Test {
 protected:
  explicit InstallationDirTest(const char* name) : name_(name) {}

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
    std::filesystem::current_path(oldCwd_);
    ::unsetenv("LAB2SIV_SYSTEM_DIR");
    std::filesystem::remove_all(root_);
  }

  // The dataset list with "Demo" on the data directory, a first settings record, and
  // Siv2000.ini holding `ini`.
  void install(const std::string& ini) {
    data::Datasett list;
    list.setName((root_ / "work" / "Datasett.tps").string());
    ASSERT_EQ(list.create(), 0);
    ASSERT_EQ(list.open(), 0);
    list.clear();
    list.rec.DATASETT_NAVN = "Demo";
    list.rec.DATAKATALOG = (root_ / "data").string();
    ASSERT_EQ(list.add(), 0);
    list.close();
    data::Lab2Siv settings;
    settings.setName((root_ / "work" / "Lab2Siv.Tps").string());
    ASSERT_EQ(settings.create(), 0);
    ASSERT_EQ(settings.open(), 0);
    settings.clear();
    ASSERT_EQ(settings.add(), 0);
    settings.close();
    std::ofstream(root_ / "system" / "Siv2000.ini") << ini;
  }

  std::filesystem::path root_, oldCwd_;

 private:
  const char* name_;
};

}  // namespace shelltest
