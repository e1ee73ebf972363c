#pragma once
// A crash at every step of a commit, for tests that fork a child and look at the files after;
// also a disk that fills up (every write, or every write that needs room, refused with
// SQLITE_FULL once armed).
#include <signal.h>
#include <sqlite3.h>
#include <unistd.h>

#include <atomic>

namespace crash_shim {

// A VFS in front of the default one that kills the process at the n-th write, sync or delete
// once armed: every step of the commit gets its turn to be the last one.
inline std::atomic<int> g_countdown{0};
inline std::atomic<bool> g_full{false};
inline std::atomic<bool> g_noRoom{false};
inline std::atomic<long long> g_room{0};  // bytes files may still grow by while g_noRoom
inline void (*g_onRefused)() = nullptr;   // called once, at the first write noRoom refuses
inline sqlite3_vfs* g_real = nullptr;
inline sqlite3_vfs g_shim;
inline sqlite3_io_methods g_methods;

struct ShimFile {
  sqlite3_file base;
  sqlite3_file* real;
};

inline void tick() {
  if (g_countdown > 0 && --g_countdown == 0) ::kill(::getpid(), SIGKILL);
}
inline sqlite3_file* real(sqlite3_file* f) { return reinterpret_cast<ShimFile*>(f)->real; }

inline int shimOpen(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags) {
  auto* s = reinterpret_cast<ShimFile*>(f);
  s->real = reinterpret_cast<sqlite3_file*>(s + 1);
  const int rc = g_real->xOpen(g_real, name, s->real, flags, outFlags);
  s->base.pMethods = s->real->pMethods ? &g_methods : nullptr;
  if (s->real->pMethods && g_methods.iVersion == 0) {
    g_methods = *s->real->pMethods;
    g_methods.iVersion = 1;  // no shared memory or memory mapping: rollback journal only
    g_methods.xClose = [](sqlite3_file* x) { return real(x)->pMethods->xClose(real(x)); };
    g_methods.xRead = [](sqlite3_file* x, void* b, int n, sqlite3_int64 o) {
      return real(x)->pMethods->xRead(real(x), b, n, o);
    };
    g_methods.xWrite = [](sqlite3_file* x, const void* b, int n, sqlite3_int64 o) {
      tick();
      if (g_full) return SQLITE_FULL;
      if (g_noRoom) {
        sqlite3_int64 size = 0;
        if (real(x)->pMethods->xFileSize(real(x), &size) != SQLITE_OK ||
            (o + n > size && (g_room -= o + n - size) < 0)) {
          g_room = 0;
          if (auto* hook = g_onRefused) {
            g_onRefused = nullptr;
            hook();
          }
          return SQLITE_FULL;
        }
      }
      return real(x)->pMethods->xWrite(real(x), b, n, o);
    };
    g_methods.xTruncate = [](sqlite3_file* x, sqlite3_int64 n) {
      tick();
      return real(x)->pMethods->xTruncate(real(x), n);
    };
    g_methods.xSync = [](sqlite3_file* x, int fl) {
      tick();
      return real(x)->pMethods->xSync(real(x), fl);
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

// Makes the shim SQLite's default VFS (in a child process: it is never taken out again).
inline void install() {
  g_real = sqlite3_vfs_find(nullptr);
  g_shim = *g_real;
  g_shim.zName = "crashshim";
  g_shim.szOsFile = int(sizeof(ShimFile)) + g_real->szOsFile;
  g_shim.xOpen = shimOpen;
  g_shim.xDelete = [](sqlite3_vfs*, const char* n, int sync) {
    tick();
    return g_real->xDelete(g_real, n, sync);
  };
  sqlite3_vfs_register(&g_shim, 1);
}

// The process kills itself at the n-th write, truncate, sync or delete from now on.
inline void killAfter(int n) { g_countdown = n; }

// From now on (until false) every write fails as on a full disk.
inline void diskFull(bool full) { g_full = full; }

// From now on (until false) a write that would make a file longer fails as on a full disk;
// writes inside a file's present length still succeed, as they do there.
// `onRefused` runs at the first write refused so; `bytesLeft` is the room there still is.
inline void noRoom(bool full, void (*onRefused)() = nullptr, long long bytesLeft = 0) {
  g_onRefused = onRefused;
  g_room = bytesLeft;
  g_noRoom = full;
}

// Gives the default back to SQLite's own VFS (connections opened meanwhile must be closed).
inline void uninstall() {
  g_full = false;
  g_noRoom = false;
  sqlite3_vfs_register(g_real, 1);
  sqlite3_vfs_unregister(&g_shim);
}

}  // namespace crash_shim
