#pragma once
#include <unistd.h>

#include <filesystem>
#include <string>

namespace dbase_test {

inline std::string labFixture(const std::string& name) { return std::string(LAB2SIV_FIXTURES) + "/lab/" + name; }

// A scratch folder removed with the object.
struct ScratchDir {
  std::filesystem::path path;
  explicit ScratchDir(const std::string& tag) {
    path = std::filesystem::temp_directory_path() / ("l2s_dbase_" + tag + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~ScratchDir() { std::filesystem::remove_all(path); }
  std::string file(const std::string& name) const { return (path / name).string(); }
};

}  // namespace dbase_test
