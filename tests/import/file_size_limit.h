#pragma once
// Lets files grow only to a given size: the process's file-size limit, with the signal that
// would end the process ignored. A write past it is cut short, the next one fails (EFBIG).
#include <sys/resource.h>

#include <csignal>

namespace testing_import {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    old_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit r = saved_;
    r.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &r);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, old_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*old_)(int) = nullptr;
};

}  // namespace testing_import
