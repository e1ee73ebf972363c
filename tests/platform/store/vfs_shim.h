#pragma once
// A VFS in front of SQLite's default one that asks a hook before every write, truncate, sync
// and delete: the hook may kill the process (crash tests) or fail the operation with a code
// such as SQLITE_FULL (a full disk). Rollback journal only: no shared memory, no mapping.
#include <sqlite3.h>

#include <functional>

namespace testing_util {

// SQLITE_OK lets the operation through; any other code is what it fails with.
inline std::function<int()> g_vfsHook;

namespace vfs_detail {
inline sqlite3_vfs* g_real = nullptr;
inline sqlite3_vfs g_shim;
inline sqlite3_io_methods g_methods;
struct ShimFile {
  sqlite3_file base;
  sqlite3_file* real;
};
inline sqlite3_file* real(sqlite3_file* f) { return reinterpret_cast<ShimFile*>(f)->real; }
inline int ask() { return g_vfsHook ? g_vfsHook() : SQLITE_OK; }

inline int shimOpen(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags) {
  auto* s = reinterpret_cast<ShimFile*>(f);
  s->real = reinterpret_cast<sqlite3_file*>(s + 1);
  const int rc = g_real->xOpen(g_real, name, s->real, flags, outFlags);
  s->base.pMethods = s->real->pMethods ? &g_methods : nullptr;
  if (s->real->pMethods && g_methods.iVersion == 0) {
    g_methods = *s->real->pMethods;
    g_methods.iVersion = 1;
    g_methods.xClose = [](sqlite3_file* x) { return real(x)->pMethods->xClose(real(x)); };
    g_methods.xRead = [](sqlite3_file* x, void* b, int n, sqlite3_int64 o) {
      return real(x)->pMethods->xRead(real(x), b, n, o);
    };
    g_methods.xWrite = [](sqlite3_file* x, const void* b, int n, sqlite3_int64 o) {
      const int refused = ask();
      return refused != SQLITE_OK ? refused : real(x)->pMethods->xWrite(real(x), b, n, o);
    };
    g_methods.xTruncate = [](sqlite3_file* x, sqlite3_int64 n) {
      const int refused = ask();
      return refused != SQLITE_OK ? refused : real(x)->pMethods->xTruncate(real(x), n);
    };
    g_methods.xSync = [](sqlite3_file* x, int fl) {
      const int refused = ask();
      return refused != SQLITE_OK ? refused : real(x)->pMethods->xSync(real(x), fl);
    };
    g_methods.xFileSize = [](sqlite3_file* x, sqlite3_int64* n) { return real(x)->pMethods->xFileSize(real(x), n); };
    g_methods.xLock = [](sqlite3_file* x, int l) { return real(x)->pMethods->xLock(real(x), l); };
    g_methods.xUnlock = [](sqlite3_file* x, int l) { return real(x)->pMethods->xUnlock(real(x), l); };
    g_methods.xCheckReservedLock = [](sqlite3_file* x, int* r) {
      return real(x)->pMethods->xCheckReservedLock(real(x), r);
    };
    g_methods.xFileControl = [](sqlite3_file* x, int op, void* a) {
      return real(x)->pMethods->xFileControl(real(x), op, a);
    };
    g_methods.xSectorSize = [](sqlite3_file* x) { return real(x)->pMethods->xSectorSize(real(x)); };
    g_methods.xDeviceCharacteristics = [](sqlite3_file* x) {
      return real(x)->pMethods->xDeviceCharacteristics(real(x));
    };
  }
  return rc;
}
}  // namespace vfs_detail

// Makes the shim the default VFS: connections opened afterwards go through it.
inline void installVfsShim() {
  using namespace vfs_detail;
  g_real = sqlite3_vfs_find(nullptr);
  g_shim = *g_real;
  g_shim.zName = "hookshim";
  g_shim.szOsFile = int(sizeof(ShimFile)) + g_real->szOsFile;
  g_shim.xOpen = shimOpen;
  g_shim.xDelete = [](sqlite3_vfs*, const char* n, int sync) {
    const int refused = ask();
    return refused != SQLITE_OK ? refused : g_real->xDelete(g_real, n, sync);
  };
  sqlite3_vfs_register(&g_shim, 1);
}

// Gives the default back to SQLite's own VFS.
inline void removeVfsShim() {
  using namespace vfs_detail;
  sqlite3_vfs_register(g_real, 1);
  sqlite3_vfs_unregister(&g_shim);
  g_vfsHook = nullptr;
}

}  // namespace testing_util
