// Opening, closing, creating and re-indexing a file of the store, and the options a program
// sends it.
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/store/file.h"
#include "platform/store/internal.h"
#include "platform/store/paths.h"

namespace store {

namespace {
std::atomic<unsigned> g_tempCounter{0};
}  // namespace

namespace {

bool fileExists(const std::string& path, int& err) {
  struct stat sb;
  if (::stat(path.c_str(), &sb) == 0) return true;
  err = errno;
  return false;
}

std::string dirOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

int FileBase::open(std::uint8_t mode) {
  if (isOpen()) return fail(Err::AlreadyOpen);
  if (mode != Mode::ReadWriteDenyNone) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "access mode %02Xh is not supported", unsigned(mode));
    return fail(Err::AccessDenied, buf);
  }
  const std::string path = resolvePath(name());
  int e = 0;
  if (!fileExists(path, e)) return fail(e == ENOENT || e == ENOTDIR ? Err::FileNotFound : Err::AccessDenied, path);
  if (::access(path.c_str(), R_OK | W_OK) != 0) return fail(Err::AccessDenied, path);
  const int wait = st_->nextOpenWaitMs >= 0 ? st_->nextOpenWaitMs : defaultWaitMs();
  st_->nextOpenWaitMs = -1;
  Error err;
  std::unique_ptr<Connection> c;
  if (Connection::open(path, wait, c, err) != 0) return FileOps::fail(*this, err);
  if (useRollbackJournal(*c, err) != 0 || verifySchema(*c, "main", def_, err) != 0 ||
      ensureRevTrigger(*c, def_, err) != 0)
    return FileOps::fail(*this, err);
  c->setWait(readWaitMs(*st_));
  st_->conn = std::move(c);
  st_->path = path;
  st_->seen = &highestSeen(path);
  st_->curRow = 0;
  st_->watched = st_->watchArmed = false;
  st_->seq = Cursor{};
  st_->seqKey = Physical;
  return ok();
}

int FileOps::reconnect(FileBase& f, Error& err) {
  FileState& st = *f.st_;
  if (!st.conn) return 0;
  std::unique_ptr<Connection> c;
  if (Connection::open(st.path, readWaitMs(st), c, err) != 0) return err.code;
  st.conn = std::move(c);
  return 0;
}

int FileBase::close() {
  FileOps::detachTx(*this);
  if (!isOpen()) return fail(Err::NotOpen);
  st_->conn.reset();
  st_->path.clear();
  st_->curRow = 0;
  return ok();
}

int FileBase::create() {
  const std::string path = resolvePath(name());
  Error err;
  auto verifyExisting = [&]() -> int {
    std::unique_ptr<Connection> c;
    if (Connection::open(path, defaultWaitMs(), c, err) != 0) return FileOps::fail(*this, err);
    if (verifySchema(*c, "main", def_, err) != 0) return FileOps::fail(*this, err);
    return ok();
  };
  int e = 0;
  if (fileExists(path, e)) return verifyExisting();
  const std::string dir = dirOf(path);
  if (::access(dir.c_str(), W_OK) != 0) return fail(errno == ENOENT ? Err::FileNotFound : Err::AccessDenied, dir);
  // Built aside and linked into place, so nobody sees a half-made file and a racing creator
  // finds the other's complete one.
  const std::string temp = path + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(++g_tempCounter);
  ::unlink(temp.c_str());
  if (createDatabase(temp, def_, err) != 0) {
    ::unlink(temp.c_str());
    return FileOps::fail(*this, err);
  }
  const int rc = ::link(temp.c_str(), path.c_str());
  const int linkErr = errno;
  ::unlink(temp.c_str());
  if (rc != 0) {
    if (linkErr == EEXIST) return verifyExisting();
    return fail(Err::AccessDenied, std::strerror(linkErr));
  }
  return ok();
}

int FileBase::sendOption(std::string_view option) {
  std::string o(option);
  const auto eq = o.find('=');
  const std::string key = o.substr(0, eq);
  const std::string val = eq == std::string::npos ? "" : o.substr(eq + 1);
  if (strcasecmp(key.c_str(), "Recover") == 0) {
    st_->nextOpenWaitMs = st_->recoverWaitMs = std::atoi(val.c_str()) * 1000;
  } else if (strcasecmp(key.c_str(), "QUICKSCAN") == 0) {
    st_->quickScan = strcasecmp(val.c_str(), "on") == 0;  // sequences read ahead
  }
  return ok();
}

int FileBase::buildKeys() {
  const std::string path = isOpen() ? st_->path : resolvePath(name());
  int e = 0;
  if (!fileExists(path, e)) return fail(Err::FileNotFound, path);
  // The instance's statements name the old indexes; let them go before the rebuild.
  if (st_->conn) st_->conn->finalizeAll();
  if (st_->tx && st_->tx->conn) st_->tx->conn->finalizeAll();
  Error err;
  std::unique_ptr<Connection> c;
  if (Connection::open(path, defaultWaitMs(), c, err) != 0) return FileOps::fail(*this, err);
  std::string sql = "BEGIN IMMEDIATE;";
  for (const auto& k : def_.keys) sql += "DROP INDEX IF EXISTS main." + quoteId(k.name) + ";";
  for (std::size_t k = 0; k < def_.keys.size(); ++k) sql += indexSql(def_, k, "main") + ";";
  sql += "COMMIT;";
  if (c->exec(sql, err) != 0) {
    Error ignored;
    c->exec("ROLLBACK", ignored);
    return FileOps::fail(*this, err);
  }
  bumpWriteGeneration();
  return ok();
}

}  // namespace store
