#include "platform/dbase/open_files.h"

#include <mutex>
#include <set>
#include <utility>

namespace dbase {

namespace {
// Never destroyed: tables held in objects with static storage (the laboratory's tables) close
// at program end, after this file's statics would be gone.
std::mutex& mutex() {
  static auto* m = new std::mutex;
  return *m;
}
std::set<std::pair<std::uint64_t, std::uint64_t>>& files() {
  static auto* open = new std::set<std::pair<std::uint64_t, std::uint64_t>>;
  return *open;
}
}  // namespace

bool registerOpenFile(std::uint64_t device, std::uint64_t inode) {
  std::lock_guard lock(mutex());
  return files().insert({device, inode}).second;
}

void unregisterOpenFile(std::uint64_t device, std::uint64_t inode) {
  std::lock_guard lock(mutex());
  files().erase({device, inode});
}

}  // namespace dbase
