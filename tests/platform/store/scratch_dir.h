#pragma once
// A scratch directory under the system temp directory, removed with everything in it.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

namespace testing_util {

class ScratchDir {
 public:
  ScratchDir() {
    static std::atomic<int> n{0};
    path_ = std::filesystem::temp_directory_path() /
            ("l2s-store-" + std::to_string(::getpid()) + "-" + std::to_string(++n));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace testing_util
