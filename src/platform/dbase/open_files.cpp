#include "platform/dbase/open_files.h"

#include <mutex>
#include <set>
#include <utility>

namespace dbase {

namespace {
std::mutex mutex;
std::set<std::pair<std::uint64_t, std::uint64_t>>& files() {
  static std::set<std::pair<std::uint64_t, std::uint64_t>> open;
  return open;
}
}  // namespace

bool registerOpenFile(std::uint64_t device, std::uint64_t inode) {
  std::lock_guard lock(mutex);
  return files().insert({device, inode}).second;
}

void unregisterOpenFile(std::uint64_t device, std::uint64_t inode) {
  std::lock_guard lock(mutex);
  files().erase({device, inode});
}

}  // namespace dbase
