#include "platform/store/transaction.h"

#include <cstdlib>
#include <map>

#include "platform/store/file.h"
#include "platform/store/internal.h"

namespace store {

namespace {
thread_local Transaction* t_current = nullptr;

std::string sqlLiteral(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'') out += '\'';
    out += c;
  }
  return out + "'";
}
}  // namespace

Transaction::Transaction() : st_(std::make_unique<TxState>()) {}

Transaction::~Transaction() {
  if (active()) rollback();
}

bool Transaction::active() const { return st_->active; }

Transaction* Transaction::current() { return t_current; }

void rollbackCurrentTransaction() {
  if (t_current) t_current->rollback();
}

namespace {
int txFail(Error& mine, const Error& e) {
  mine = e;
  setLastError(e);
  return e.code;
}

// Another tool may have switched a file to WAL since it was opened (its commit would then not
// be part of the others') or dropped its _REV trigger. Runs right after BEGIN IMMEDIATE, while
// the transaction holds every file: a file found in WAL mode gives 32 naming it; a missing
// trigger is put back inside the transaction.
int checkHeldFiles(Connection& c, const std::vector<Attached>& files, Error& err) {
  for (const auto& a : files) {
    bool wal = false;
    if (journalIsWal(c, a.alias, wal, err) != 0) return err.code;
    if (wal) {
      err = walInUseError(a.path);
      return err.code;
    }
    if (ensureRevTrigger(c, *a.def, err, a.alias, true) != 0) return err.code;
  }
  return 0;
}

// Switches every file back to the rollback journal. The program's own connections that read
// a file after another tool switched it use its log as well and so prevent the switch: they
// are opened again (they keep no state a fresh one lacks) and the switch is tried once more.
int switchBack(Connection& c, const std::vector<Attached>& attached, const std::vector<FileBase*>& files, Error& err) {
  for (int attempt = 0;; ++attempt) {
    int rc = 0;
    for (const auto& a : attached)
      if ((rc = useRollbackJournal(c, err, a.alias, a.path)) != 0) break;
    if (rc == 0) return 0;
    if (rc != Err::Locked || attempt > 0) return rc;
    for (FileBase* f : files)
      if (FileOps::reconnect(*f, err) != 0) return err.code;
  }
}

// BEGIN IMMEDIATE with the check above; a file switched to WAL is switched back once.
int beginChecked(Connection& c, const std::vector<Attached>& attached, const std::vector<FileBase*>& files,
                 Error& err) {
  for (int attempt = 0;; ++attempt) {
    if (c.exec("BEGIN IMMEDIATE", err) != 0) return err.code;
    if (checkHeldFiles(c, attached, err) == 0) return 0;
    Error ignored;
    c.exec("ROLLBACK", ignored);
    if (attempt > 0 || err.code != Err::Locked) return err.code;
    if (switchBack(c, attached, files, err) != 0) return err.code;
  }
}

// After a begin that gave 32: the first file another connection holds now (found by taking
// and dropping its write lock without a wait), or "" when none is held any more.
std::string heldPath(const std::vector<Attached>& attached) {
  for (const auto& a : attached) {
    Error err;
    std::unique_ptr<Connection> probe;
    if (Connection::open(a.path, 0, probe, err) != 0) continue;
    if (probe->exec("BEGIN IMMEDIATE", err) != 0) {
      if (err.code == Err::Locked) return a.path;
      continue;
    }
    probe->exec("ROLLBACK", err);
  }
  return {};
}

void finish(TxState& st) {
  bumpWriteGeneration();
  while (!st.files.empty()) FileOps::detachTx(*st.files.back());
  st.conn.reset();
  st.active = false;
}
}  // namespace

int Transaction::begin(std::vector<FileBase*> files, int waitSeconds) {
  if (t_current || active()) return txFail(error_, makeError(Err::TransactionActive));
  if (files.empty() || files.size() > 10)
    return txFail(error_, makeError(Err::AccessDenied, "1 to 10 files per transaction"));
  for (FileBase* f : files)
    if (!f || !f->isOpen()) return txFail(error_, makeError(Err::NotOpen, f ? f->label() : ""));

  // One schema per disk file: two instances of one file share it.
  std::map<std::string, std::string> aliases;
  std::vector<std::string> attachOrder;
  std::vector<Attached> attached;
  for (FileBase* f : files) {
    const std::string& p = f->openedPath();
    if (aliases.count(p)) continue;
    std::string alias = "main";
    if (!aliases.empty()) {
      alias = "f";
      alias += std::to_string(aliases.size());
    }
    aliases[p] = alias;
    attachOrder.push_back(p);
    attached.push_back({alias, p, &f->def()});
  }
  Error err;
  std::unique_ptr<Connection> c;
  const int waitMs = waitSeconds < 0 ? 0 : waitSeconds * 1000;
  if (Connection::open(attachOrder[0], waitMs, c, err) != 0) return txFail(error_, err);
  std::string sql;
  for (std::size_t i = 1; i < attachOrder.size(); ++i)
    sql += "ATTACH DATABASE " + sqlLiteral(attachOrder[i]) + " AS " + quoteId(aliases[attachOrder[i]]) + ";";
  // Full syncs and a rollback journal on every file: the super-journal then makes the
  // commit atomic over all of them, also when the process dies in the middle.
  for (const auto& p : attachOrder) sql += "PRAGMA " + quoteId(aliases[p]) + ".synchronous = FULL;";
  if (c->exec(sql, err) != 0) return txFail(error_, err);
  held_ = nullptr;
  if (beginChecked(*c, attached, files, err) != 0) {
    nameHeld(attached, files, err);
    return txFail(error_, err);
  }
  st_->conn = std::move(c);
  st_->attached = std::move(attached);
  st_->active = true;
  for (FileBase* f : files) {
    FileState& fs = FileOps::state(*f);
    if (fs.tx == st_.get()) continue;
    fs.tx = st_.get();
    fs.txSchema = aliases[f->openedPath()];
    fs.txSchemaNo = fs.txSchema == "main" ? 0 : std::atoi(fs.txSchema.c_str() + 1);
    st_->files.push_back(f);
  }
  t_current = this;
  error_.clear();
  setLastError(error_);
  return 0;
}

void Transaction::nameHeld(const std::vector<Attached>& attached, const std::vector<FileBase*>& files, Error& err) {
  held_ = nullptr;
  if (err.code != Err::Locked || err.text != errorText(Err::Locked)) return;  // a WAL refusal names its file
  const std::string path = heldPath(attached);
  if (path.empty()) return;
  for (FileBase* f : files)
    if (f->openedPath() == path) {
      held_ = f;
      break;
    }
}

int Transaction::commit() {
  if (!active()) return 0;
  Error err;
  int rc = st_->conn->exec("COMMIT", err);
  if (rc != 0) {
    Error ignored;
    st_->conn->exec("ROLLBACK", ignored);
  }
  finish(*st_);
  if (t_current == this) t_current = nullptr;
  if (rc != 0) return txFail(error_, err);
  error_.clear();
  return 0;
}

int Transaction::checkpoint(bool* committed) {
  if (committed) *committed = false;
  if (!active()) return 0;
  Error err;
  if (st_->conn->exec("COMMIT", err) != 0) {
    rollback();
    return txFail(error_, err);
  }
  bumpWriteGeneration();
  if (committed) *committed = true;
  if (beginChecked(*st_->conn, st_->attached, st_->files, err) != 0) {
    nameHeld(st_->attached, st_->files, err);
    finish(*st_);
    if (t_current == this) t_current = nullptr;
    return txFail(error_, err);
  }
  error_.clear();
  return 0;
}

bool Transaction::stands() const { return active() && sqlite3_get_autocommit(st_->conn->db()) == 0; }

int Transaction::rollback() {
  if (!active()) return 0;
  Error err;
  const int rc = st_->conn->exec("ROLLBACK", err);
  finish(*st_);
  if (t_current == this) t_current = nullptr;
  if (rc != 0) return txFail(error_, err);
  return 0;
}

}  // namespace store
