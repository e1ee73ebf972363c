#include "platform/store/internal.h"

namespace store {

Error makeError(int code, std::string_view detail) {
  Error e;
  e.code = code;
  e.text = std::string(errorText(code));
  if (!detail.empty()) e.text += ": " + std::string(detail);
  return e;
}

Error driverError(sqlite3* db, int rc) {
  const int primary = rc & 0xFF;
  if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) return makeError(Err::Locked);
  if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY) return makeError(Err::DuplicateKey);
  Error e = makeError(Err::Driver);
  e.driverCode = rc;
  e.driverText = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  if (e.driverText.empty()) e.driverText = sqlite3_errstr(rc);
  return e;
}

Connection::~Connection() {
  finalizeAll();
  if (db_) sqlite3_close_v2(db_);
}

int Connection::open(const std::string& path, int waitMs, std::unique_ptr<Connection>& out, Error& err) {
  auto c = std::make_unique<Connection>();
  const int rc = sqlite3_open_v2(path.c_str(), &c->db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    err = driverError(c->db_, rc);
    return err.code;
  }
  sqlite3_extended_result_codes(c->db_, 1);
  registerUpper1252(c->db_);
  c->setWait(waitMs);
  out = std::move(c);
  return 0;
}

void Connection::setWait(int ms) { sqlite3_busy_timeout(db_, ms); }

sqlite3_stmt* Connection::prepareNew(const std::string& sql, Error& err) {
  sqlite3_stmt* s = nullptr;
  const int rc = sqlite3_prepare_v3(db_, sql.c_str(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &s, nullptr);
  if (rc != SQLITE_OK) {
    err = driverError(db_, rc);
    return nullptr;
  }
  return s;
}

void Connection::finalizeAll() {
  for (auto& [key, s] : keyed_) sqlite3_finalize(s);
  keyed_.clear();
}

int Connection::exec(const std::string& sql, Error& err) {
  char* msg = nullptr;
  const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &msg);
  sqlite3_free(msg);
  if (rc != SQLITE_OK) {
    err = driverError(db_, rc);
    return err.code;
  }
  return 0;
}

}  // namespace store
