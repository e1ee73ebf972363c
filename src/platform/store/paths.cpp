#include "platform/store/paths.h"

#include <atomic>
#include <cstdlib>
#include <mutex>

namespace store {

namespace {
std::mutex g_rootLock;
std::string g_root;
bool g_rootSet = false;
std::atomic<int> g_waitMs{1000};
std::atomic<int> g_recoverWaitMs{10000};
}  // namespace

std::string driveRoot() {
  std::lock_guard lk(g_rootLock);
  if (g_rootSet) return g_root;
  const char* env = std::getenv("LAB2SIV_DRIVE_ROOT");
  return env && *env ? std::string(env) : std::string("/");
}

void setDriveRoot(std::string root) {
  std::lock_guard lk(g_rootLock);
  g_root = std::move(root);
  g_rootSet = true;
}

std::string resolvePath(std::string_view name) {
  std::string p(name);
  const bool fromRoot = !p.empty() && p[0] == '\\';
  for (char& c : p)
    if (c == '\\') c = '/';
  if (fromRoot) {
    std::string root = driveRoot();
    while (!root.empty() && root.back() == '/') root.pop_back();
    return root + p;
  }
  return p;
}

void setDefaultWaitMs(int ms) { g_waitMs = ms < 0 ? 0 : ms; }
int defaultWaitMs() { return g_waitMs; }

void setRecoverWaitMs(int ms) { g_recoverWaitMs = ms < 0 ? 0 : ms; }
int recoverWaitMs() { return g_recoverWaitMs; }

}  // namespace store
