#include "platform/store/file.h"

#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/store/internal.h"
#include "platform/store/paths.h"

namespace store {

namespace {

bool isText(FieldType t) { return t == FieldType::String || t == FieldType::Memo; }

std::string table(const FileDef& def, const std::string& schema) { return quoteId(schema) + "." + quoteId(def.label); }

std::string selectList(const FileDef& def) {
  std::string s = "rowid, \"_REV\"";
  for (const auto& c : def.columns) s += ", " + quoteId(c.name);
  return s;
}

std::string keyExpr(const FileDef& def, int key, std::size_t i) {
  const Column& c = def.columns[std::size_t(def.keyColumns[std::size_t(key)][i])];
  std::string e = quoteId(c.name);
  if (isText(def.fields[std::size_t(c.field)].type))
    e += def.keys[std::size_t(key)].noCase ? " COLLATE UPPER1252" : " COLLATE BINARY";
  return e;
}

std::string orderBy(const FileDef& def, KeyId key, bool forward) {
  const char* dir = forward ? "" : " DESC";
  std::string s = " ORDER BY ";
  if (!key.physical())
    for (std::size_t i = 0; i < def.keyColumns[std::size_t(key.index)].size(); ++i)
      s += keyExpr(def, key.index, i) + dir + ", ";
  return s + "rowid" + dir;
}

std::string whereStart(const FileDef& def, KeyId key) {
  if (key.physical()) return " WHERE 1";
  const std::string w = optionalWhere(def, std::size_t(key.index));
  return w.empty() ? " WHERE 1" : " WHERE " + w;
}

// Rows of the key strictly after (or before) the point (?1..?k, ?k+1 rowid), as a union of
// tiers each served by one index seek: equal on the first j components, beyond on the next.
std::string seekSql(const FileDef& def, const std::string& schema, KeyId key, bool forward, bool inclusive, int limit) {
  const std::size_t k = key.physical() ? 0 : def.keyColumns[std::size_t(key.index)].size();
  const std::string head = "SELECT " + selectList(def) + " FROM " + table(def, schema) + whereStart(def, key);
  const std::string ob = orderBy(def, key, forward);
  const std::string lim = " LIMIT " + std::to_string(limit);
  std::string sql;
  for (std::size_t j = k + 1; j-- > 0;) {
    std::string cond;
    for (std::size_t e = 0; e < j && e < k; ++e)
      cond += " AND " + keyExpr(def, key.index, e) + " = ?" + std::to_string(e + 1);
    if (j == k)
      cond +=
          std::string(" AND rowid ") + (forward ? ">" : "<") + (inclusive ? "=" : "") + " ?" + std::to_string(k + 1);
    else
      cond += " AND " + keyExpr(def, key.index, j) + (forward ? " > ?" : " < ?") + std::to_string(j + 1);
    if (!sql.empty()) sql += " UNION ALL ";
    sql += "SELECT * FROM (" + head + cond + ob + lim + ")";
  }
  return sql + lim;
}

// The operations with a cached statement; a statement key packs one with its variant.
enum Op : std::uint64_t {
  OpGet = 1,
  OpSeek,
  OpScan,
  OpReget,
  OpInsert,
  OpUpdate,
  OpDelete,
  OpCount,
  OpFind,
  OpMark,
  OpTop,
  OpExists
};

StmtKey stmtKey(const FileDef& def, Op op, int schemaNo, KeyId key = Physical, bool forward = false,
                bool inclusive = false, int limit = 0) {
  std::uint64_t code = op;
  code |= std::uint64_t(schemaNo & 0xFF) << 8;
  code |= std::uint64_t((key.index + 1) & 0xFFFF) << 16;
  code |= std::uint64_t(forward) << 32 | std::uint64_t(inclusive) << 33;
  code |= std::uint64_t(std::uint32_t(limit) & 0x3FFFFFFF) << 34;
  return StmtKey{&def, code};
}

std::mutex g_seenLock;
std::atomic<std::uint64_t> g_writeGeneration{0};

}  // namespace

std::atomic<long long>& highestSeen(const std::string& path) {
  static auto* seen = new std::map<std::string, std::atomic<long long>>();  // never freed: instances outlive statics
  std::lock_guard lock(g_seenLock);
  return (*seen)[path];
}

std::uint64_t writeGeneration() { return g_writeGeneration.load(std::memory_order_acquire); }
void bumpWriteGeneration() { g_writeGeneration.fetch_add(1, std::memory_order_acq_rel); }

FileBase::FileBase(const FileDef& def, void* buffer) : def_(def), buffer_(buffer), st_(std::make_unique<FileState>()) {}

FileBase::~FileBase() {
  // Quietly: at thread end the thread's last-error slot may already be gone.
  FileOps::detachTx(*this);
  st_->conn.reset();
}

void FileBase::setName(std::string name) {
  name_ = std::move(name);
  nameSource_ = nullptr;
}
void FileBase::setNameSource(std::function<std::string()> source) { nameSource_ = std::move(source); }
std::string FileBase::name() const { return nameSource_ ? nameSource_() : name_; }
const std::string& FileBase::openedPath() const { return st_->path; }
bool FileBase::isOpen() const { return st_->conn != nullptr; }
long long FileBase::currentRow() const { return st_->curRow; }
std::vector<std::string> FileBase::unreadableNumbers() const {
  std::vector<std::string> out;
  for (int c : st_->unreadable) out.push_back(def_.columns[std::size_t(c)].name);
  return out;
}
void FileBase::setReadAhead(int records) { st_->readAhead = records < 1 ? 1 : records; }
void FileBase::watch() { st_->watchArmed = true; }

int FileBase::ok() {
  error_.clear();
  setLastError(error_);
  return 0;
}

int FileBase::fail(int code, std::string_view detail) { return FileOps::fail(*this, makeError(code, detail)); }

int FileOps::fail(FileBase& f, const Error& e) {
  f.error_ = e;
  setLastError(e);
  return e.code;
}

Connection& FileOps::route(FileBase& f, std::string& schema, int& schemaNo) {
  FileState& st = *f.st_;
  if (st.tx && st.tx->active) {
    schema = st.txSchema;
    schemaNo = st.txSchemaNo;
    return *st.tx->conn;
  }
  schema = "main";
  schemaNo = 0;
  return *st.conn;
}

void FileOps::detachTx(FileBase& f) {
  FileState& st = *f.st_;
  if (!st.tx) return;
  auto& v = st.tx->files;
  for (auto it = v.begin(); it != v.end(); ++it)
    if (*it == &f) {
      v.erase(it);
      break;
    }
  st.tx = nullptr;
  st.txSchema.clear();
  st.txSchemaNo = 0;
}

void FileBase::clear() {
  char* base = static_cast<char*>(buffer_);
  for (const auto& f : def_.fields) {
    const std::size_t n = f.elementCount();
    if (f.type == FieldType::Memo)
      reinterpret_cast<std::string*>(base + f.offset)->clear();
    else
      std::memset(base + f.offset, f.type == FieldType::String ? ' ' : 0, f.size * n);
  }
}

void FileBase::forget() {
  st_->curRow = 0;
  st_->watched = st_->watchArmed = false;
}

int FileBase::compare(const void* other) const {
  for (std::size_t i = 0; i < def_.columns.size(); ++i) {
    const Value a = columnValue(def_, buffer_, int(i));
    const Value b = columnValue(def_, other, int(i));
    int r = 0;
    if (a.kind == Value::Text)
      r = a.s.compare(b.s);
    else if (a.kind == Value::Real)
      r = a.d < b.d ? -1 : a.d > b.d ? 1 : 0;
    else
      r = a.i < b.i ? -1 : a.i > b.i ? 1 : 0;
    if (r != 0) return r < 0 ? -1 : 1;
  }
  return 0;
}

// " FROM ... WHERE" the key's components equal ?1..?k, first in key order.
static std::string firstEqualSql(const FileDef& def, const std::string& schema, KeyId key) {
  std::string sql = " FROM " + table(def, schema) + whereStart(def, key);
  for (std::size_t i = 0; i < def.keyColumns[std::size_t(key.index)].size(); ++i)
    sql += " AND " + keyExpr(def, key.index, i) + " = ?" + std::to_string(i + 1);
  return sql + orderBy(def, key, true) + " LIMIT 1";
}

static bool validKey(const FileDef& def, KeyId key) {
  return key.physical() || std::size_t(key.index) < def.keys.size();
}

int FileBase::get(KeyId key) {
  if (!isOpen()) return fail(Err::NotOpen);
  if (key.physical() || !validKey(def_, key)) return fail(Err::RecordNotFound);
  std::string schema;
  int schemaNo = 0;
  Connection& c = FileOps::route(*this, schema, schemaNo);
  const auto& cols = def_.keyColumns[std::size_t(key.index)];
  Error err;
  sqlite3_stmt* s = c.cached(
      stmtKey(def_, OpGet, schemaNo, key),
      [&] { return "SELECT " + selectList(def_) + firstEqualSql(def_, schema, key); }, err);
  if (!s) return FileOps::fail(*this, err);
  StmtReset g{s};
  for (std::size_t i = 0; i < cols.size(); ++i) bindColumn(s, int(i) + 1, def_, buffer_, cols[i]);
  const int rc = sqlite3_step(s);
  if (rc == SQLITE_ROW) {
    loadRow(*this, *st_, s);
    return ok();
  }
  if (rc == SQLITE_DONE) return fail(Err::RecordNotFound);
  return FileOps::fail(*this, driverError(c.db(), rc));
}

int FileBase::find(KeyId key, bool memos) {
  if (!isOpen()) return fail(Err::NotOpen);
  if (key.physical() || !validKey(def_, key)) return fail(Err::RecordNotFound);
  std::string schema;
  int schemaNo = 0;
  Connection& c = FileOps::route(*this, schema, schemaNo);
  const auto& cols = def_.keyColumns[std::size_t(key.index)];
  std::vector<std::size_t> memoCols;
  if (memos)
    for (std::size_t i = 0; i < def_.columns.size(); ++i)
      if (def_.fields[std::size_t(def_.columns[i].field)].type == FieldType::Memo) memoCols.push_back(i);
  Error err;
  sqlite3_stmt* s = c.cached(
      stmtKey(def_, OpFind, schemaNo, key, false, memos),
      [&] {
        std::string sql = "SELECT rowid, \"_REV\"";
        for (std::size_t i : memoCols) sql += ", " + quoteId(def_.columns[i].name);
        return sql + firstEqualSql(def_, schema, key);
      },
      err);
  if (!s) return FileOps::fail(*this, err);
  StmtReset g{s};
  for (std::size_t i = 0; i < cols.size(); ++i) bindColumn(s, int(i) + 1, def_, buffer_, cols[i]);
  const int rc = sqlite3_step(s);
  if (rc == SQLITE_ROW) {
    st_->curRow = sqlite3_column_int64(s, 0);
    st_->curRev = sqlite3_column_int64(s, 1);
    st_->kept.clear();
    for (std::size_t m = 0; m < memoCols.size(); ++m) {
      const int col = int(m) + 2;
      const Column& mc = def_.columns[memoCols[m]];
      const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, col));
      auto* memo = reinterpret_cast<std::string*>(static_cast<char*>(buffer_) + mc.offset);
      if (p)
        memo->assign(p, std::size_t(sqlite3_column_bytes(s, col)));
      else
        memo->clear();
      // A memo that may be longer than its field is rewritten as stored unless changed.
      if (memo->size() > def_.fields[std::size_t(mc.field)].size) {
        KeptColumn k;
        k.column = int(memoCols[m]);
        k.stored.kind = Value::Text;
        k.stored.s = *memo;
        k.loaded = columnValue(def_, buffer_, k.column);
        st_->kept.push_back(std::move(k));
      }
    }
    st_->watched = st_->watchArmed;
    st_->watchArmed = false;
    // The key values as the buffer holds them (they equal the stored ones, as the key compares).
    rememberWritten(*this, *st_, true);
    return ok();
  }
  if (rc == SQLITE_DONE) return fail(Err::RecordNotFound);
  return FileOps::fail(*this, driverError(c.db(), rc));
}

Cursor FileOps::cursorAtBuffer(FileBase& f, KeyId key, bool forward) {
  Cursor cur;
  cur.mode = Cursor::At;
  cur.inclusive = true;
  cur.rowid = forward ? LLONG_MIN : LLONG_MAX;
  if (!key.physical())
    for (int c : f.def().keyColumns[std::size_t(key.index)]) cur.vals.push_back(columnValue(f.def(), f.buffer(), c));
  return cur;
}

int FileOps::decodeInto(FileBase& f, KeyId key, std::string_view pos, Cursor& cur) {
  Cursor c;
  if (!validKey(f.def(), key) || !decodePosition(f.def(), key, pos, c.vals, c.rowid))
    return f.fail(Err::RecordNotFound, "invalid position");
  c.mode = Cursor::At;
  c.inclusive = true;
  cur = std::move(c);
  return 0;
}

int FileOps::step(FileBase& f, KeyId key, Cursor& cur, bool forward) {
  if (!f.isOpen()) return f.fail(Err::NotOpen);
  if (!validKey(f.def(), key)) return f.fail(Err::NoRecord);
  FileState& st = *f.st_;
  const FileDef& def = f.def();
  const int ahead = st.quickScan ? std::max(64, st.readAhead) : st.readAhead;
  const bool at = cur.mode == Cursor::At;
  Batch& b = st.batch;
  // The record just loaded becomes the sequence's point.
  auto advance = [&]() {
    cur.mode = Cursor::At;
    keyValuesInto(def, key, st.curKey, cur.vals);
    cur.rowid = st.curRow;
    cur.inclusive = false;
    b.lastRowid = st.curRow;
    return f.ok();
  };
  auto serve = [&]() {
    loadValues(f, st, b.rows[b.next++]);
    return advance();
  };
  // Go on from the rows read ahead when this read follows the last one served.
  if (ahead > 1 && at && !cur.inclusive && b.key == key.index && b.forward == forward && b.lastRowid == cur.rowid &&
      b.generation == writeGeneration() && b.next < b.rows.size() && !(st.tx && st.tx->active))
    return serve();
  b.rows.clear();
  b.next = 0;

  std::string schema;
  int schemaNo = 0;
  Connection& c = route(f, schema, schemaNo);
  const int limit = ahead > 1 && !(st.tx && st.tx->active) ? ahead : 1;
  Error err;
  const StmtKey sk = stmtKey(def, at ? OpSeek : OpScan, schemaNo, key, forward, at && cur.inclusive, limit);
  sqlite3_stmt* s = c.cached(
      sk,
      [&] {
        if (at) return seekSql(def, schema, key, forward, cur.inclusive, limit);
        return "SELECT " + selectList(def) + " FROM " + table(def, schema) + whereStart(def, key) +
               orderBy(def, key, forward) + " LIMIT " + std::to_string(limit);
      },
      err);
  if (!s) return fail(f, err);
  b.generation = writeGeneration();
  if (at) {
    for (std::size_t i = 0; i < cur.vals.size(); ++i) bindValue(s, int(i) + 1, cur.vals[i]);
    sqlite3_bind_int64(s, int(cur.vals.size()) + 1, cur.rowid);
  }
  if (limit == 1) {
    // One row: straight into the buffer, with no batch to keep.
    b.key = -2;
    StmtReset g{s};
    const int rc = sqlite3_step(s);
    if (rc == SQLITE_DONE) return f.fail(Err::NoRecord);
    if (rc != SQLITE_ROW) return fail(f, driverError(c.db(), rc));
    loadRow(f, st, s);
    return advance();
  }
  {
    StmtReset g{s};
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) b.rows.push_back(rowValues(def, s));
    if (rc != SQLITE_DONE) {
      b.rows.clear();
      return fail(f, driverError(c.db(), rc));
    }
  }
  if (b.rows.empty()) return f.fail(Err::NoRecord);
  b.key = key.index;
  b.forward = forward;
  return serve();
}

int FileBase::set(KeyId key) {
  st_->seqKey = key;
  st_->seq = Cursor{};
  st_->seq.mode = Cursor::Ends;
  st_->seqFromBuffer = false;
  return isOpen() ? ok() : fail(Err::NotOpen);
}

int FileBase::setFrom(KeyId key) {
  if (key.physical()) return set(key);
  st_->seqKey = key;
  st_->seq = Cursor{};
  st_->seqFromBuffer = true;
  st_->seqBufferFwd = FileOps::cursorAtBuffer(*this, key, true);
  st_->seqBufferBack = FileOps::cursorAtBuffer(*this, key, false);
  return isOpen() ? ok() : fail(Err::NotOpen);
}

int FileBase::next() {
  if (st_->seqFromBuffer) {
    st_->seq = st_->seqBufferFwd;
    st_->seqFromBuffer = false;
  }
  if (st_->seq.mode == Cursor::Unset) st_->seq.mode = Cursor::Ends;
  return FileOps::step(*this, st_->seqKey, st_->seq, true);
}

int FileBase::previous() {
  if (st_->seqFromBuffer) {
    st_->seq = st_->seqBufferBack;
    st_->seqFromBuffer = false;
  }
  if (st_->seq.mode == Cursor::Unset) st_->seq.mode = Cursor::Ends;
  return FileOps::step(*this, st_->seqKey, st_->seq, false);
}

int FileBase::reset(KeyId key, std::string_view position) {
  if (!isOpen()) return fail(Err::NotOpen);
  if (FileOps::decodeInto(*this, key, position, st_->seq) != 0) return errorCode();
  st_->seqKey = key;
  st_->seqFromBuffer = false;
  return ok();
}

std::string FileBase::position(KeyId key) const {
  if (st_->curRow == 0 || !validKey(def_, key)) return {};
  std::vector<Value> vals;
  keyValuesInto(def_, key, st_->curKey, vals);
  return encodePosition(def_, key, vals, st_->curRow);
}

int FileBase::reget(KeyId key, std::string_view position, bool watchIt) {
  if (!isOpen()) return fail(Err::NotOpen);
  Cursor cur;
  if (FileOps::decodeInto(*this, key, position, cur) != 0) return errorCode();
  if (watchIt) st_->watchArmed = true;
  std::string schema;
  int schemaNo = 0;
  Connection& c = FileOps::route(*this, schema, schemaNo);
  Error err;
  sqlite3_stmt* s = c.cached(
      stmtKey(def_, OpReget, schemaNo),
      [&] { return "SELECT " + selectList(def_) + " FROM " + table(def_, schema) + " WHERE rowid = ?1"; }, err);
  if (!s) return FileOps::fail(*this, err);
  StmtReset g{s};
  sqlite3_bind_int64(s, 1, cur.rowid);
  const int rc = sqlite3_step(s);
  if (rc == SQLITE_ROW) {
    loadRow(*this, *st_, s);
    return ok();
  }
  st_->watchArmed = false;
  if (rc == SQLITE_DONE) return fail(Err::RecordNotFound);
  return FileOps::fail(*this, driverError(c.db(), rc));
}

namespace {

// The highest rowid a delete has taken from the file (its database's user_version): a new
// record's rowid goes beyond it and beyond every row, so no record ever takes the identity of
// one that is gone, whichever station deleted it. -1 with err set on failure.
long long deletedMark(Connection& c, const FileDef& def, const std::string& schema, int schemaNo, Error& err) {
  sqlite3_stmt* s = c.cached(
      stmtKey(def, OpMark, schemaNo), [&] { return "PRAGMA " + quoteId(schema) + ".user_version"; }, err);
  if (!s) return -1;
  StmtReset g{s};
  const int rc = sqlite3_step(s);
  if (rc != SQLITE_ROW) {
    err = driverError(c.db(), rc);
    return -1;
  }
  return sqlite3_column_int64(s, 0);
}

// Runs `body` in a write transaction: the file's transaction when it has one, else one begun
// here on its own connection, so the mark and the row it guards change together.
template <class Body>
int inWriteTransaction(Connection& c, bool own, Body&& body, Error& err) {
  if (!own) return body();
  if (c.exec("BEGIN IMMEDIATE", err) != 0) return err.code;
  const int rc = body();
  Error ignored;
  if (rc != 0) {
    c.exec("ROLLBACK", ignored);
    return rc;
  }
  if (c.exec("COMMIT", err) != 0) {
    c.exec("ROLLBACK", ignored);
    return err.code;
  }
  return 0;
}

// Whether a row is still there: a watched rewrite that changed nothing failed either because
// another station rewrote the record (89) or because the record is gone (35).
bool rowExists(Connection& c, const FileDef& def, const std::string& schema, int schemaNo, long long row) {
  Error err;
  sqlite3_stmt* s = c.cached(
      stmtKey(def, OpExists, schemaNo), [&] { return "SELECT 1 FROM " + table(def, schema) + " WHERE rowid = ?1"; },
      err);
  if (!s) return true;
  StmtReset g{s};
  sqlite3_bind_int64(s, 1, row);
  return sqlite3_step(s) != SQLITE_DONE;
}

}  // namespace

int FileBase::add() {
  if (!isOpen()) return fail(Err::NotOpen);
  std::string schema;
  int schemaNo = 0;
  Connection& c = FileOps::route(*this, schema, schemaNo);
  const bool own = &c == st_->conn.get();
  Error err;
  WriteWait w(*st_, c);
  long long row = 0;
  const int rc = inWriteTransaction(
      c, own,
      [&]() -> int {
        long long mark = deletedMark(c, def_, schema, schemaNo, err);
        if (mark < 0) return err.code;
        if (st_->seen) mark = std::max(mark, st_->seen->load(std::memory_order_relaxed));
        sqlite3_stmt* s = c.cached(
            stmtKey(def_, OpInsert, schemaNo),
            [&] {
              const std::string n = std::to_string(def_.columns.size() + 1);
              std::string cols = "rowid", marks = "max(coalesce((SELECT max(rowid) FROM " + table(def_, schema) +
                                                  "), 0), ?" + n + ") + 1";
              for (std::size_t i = 0; i < def_.columns.size(); ++i) {
                cols += ", " + quoteId(def_.columns[i].name);
                marks += ", ?" + std::to_string(i + 1);
              }
              return "INSERT INTO " + table(def_, schema) + " (" + cols + ") VALUES (" + marks + ")";
            },
            err);
        if (!s) return err.code;
        StmtReset g{s};
        bindRecord(*this, nullptr, s);
        sqlite3_bind_int64(s, int(def_.columns.size()) + 1, mark);
        if (sqlite3_step(s) != SQLITE_DONE) {
          err = driverError(c.db(), sqlite3_extended_errcode(c.db()));
          return err.code;
        }
        row = sqlite3_last_insert_rowid(c.db());
        noteSeen(st_->seen, row);
        return 0;
      },
      err);
  if (rc != 0) return FileOps::fail(*this, err);
  bumpWriteGeneration();
  st_->curRow = row;
  st_->curRev = 0;
  st_->watched = false;
  rememberWritten(*this, *st_, false);
  return ok();
}

int FileBase::put() {
  if (!isOpen()) return fail(Err::NotOpen);
  if (st_->curRow == 0) return fail(Err::NoRecord);
  std::string schema;
  int schemaNo = 0;
  Connection& c = FileOps::route(*this, schema, schemaNo);
  const std::size_t n = def_.columns.size();
  const bool watched = st_->watched;
  Error err;
  sqlite3_stmt* s = c.cached(
      stmtKey(def_, OpUpdate, schemaNo, Physical, false, watched),
      [&] {
        std::string sql = "UPDATE " + table(def_, schema) + " SET ";
        for (std::size_t i = 0; i < n; ++i)
          sql += quoteId(def_.columns[i].name) + " = ?" + std::to_string(i + 1) + ", ";
        // A revision another tool wrote as text counts as the number it reads as, and is
        // written back as a number: it never blocks saving.
        sql += "\"_REV\" = CAST(\"_REV\" AS INTEGER) + 1 WHERE rowid = ?" + std::to_string(n + 1);
        if (watched) sql += " AND CAST(\"_REV\" AS INTEGER) = ?" + std::to_string(n + 2);
        return sql;
      },
      err);
  if (!s) return FileOps::fail(*this, err);
  WriteWait w(*st_, c);
  StmtReset g{s};
  bindRecord(*this, st_.get(), s);
  sqlite3_bind_int64(s, int(n) + 1, st_->curRow);
  if (st_->watched) sqlite3_bind_int64(s, int(n) + 2, st_->curRev);
  const int rc = sqlite3_step(s);
  if (rc != SQLITE_DONE) return FileOps::fail(*this, driverError(c.db(), sqlite3_extended_errcode(c.db())));
  bumpWriteGeneration();
  if (sqlite3_changes(c.db()) == 0)
    return fail(st_->watched && rowExists(c, def_, schema, schemaNo, st_->curRow) ? Err::ChangedByOther
                                                                                  : Err::RecordNotFound);
  ++st_->curRev;
  rememberWritten(*this, *st_, true);
  return ok();
}

int FileBase::remove() {
  if (!isOpen()) return fail(Err::NotOpen);
  if (st_->curRow == 0) return fail(Err::NoRecord);
  std::string schema;
  int schemaNo = 0;
  Connection& c = FileOps::route(*this, schema, schemaNo);
  const bool own = &c == st_->conn.get();
  const long long row = st_->curRow;
  Error err;
  WriteWait w(*st_, c);
  bool gone = false;
  const int rc = inWriteTransaction(
      c, own,
      [&]() -> int {
        sqlite3_stmt* s = c.cached(
            stmtKey(def_, OpDelete, schemaNo),
            [&] { return "DELETE FROM " + table(def_, schema) + " WHERE rowid = ?1"; }, err);
        if (!s) return err.code;
        {
          StmtReset g{s};
          sqlite3_bind_int64(s, 1, row);
          const int step = sqlite3_step(s);
          if (step != SQLITE_DONE) {
            err = driverError(c.db(), step);
            return err.code;
          }
        }
        if (sqlite3_changes(c.db()) == 0) {
          gone = true;
          return 0;
        }
        // Only the highest row's rowid would be given again; the mark keeps it taken.
        const long long mark = deletedMark(c, def_, schema, schemaNo, err);
        if (mark < 0) return err.code;
        if (row <= mark || row > INT_MAX) return 0;
        sqlite3_stmt* top = c.cached(
            stmtKey(def_, OpTop, schemaNo),
            [&] { return "SELECT coalesce(max(rowid), 0) FROM " + table(def_, schema); }, err);
        if (!top) return err.code;
        long long highest = 0;
        {
          StmtReset g{top};
          const int step = sqlite3_step(top);
          if (step != SQLITE_ROW) {
            err = driverError(c.db(), step);
            return err.code;
          }
          highest = sqlite3_column_int64(top, 0);
        }
        if (row < highest) return 0;
        return c.exec("PRAGMA " + quoteId(schema) + ".user_version = " + std::to_string(row), err);
      },
      err);
  if (rc != 0) return FileOps::fail(*this, err);
  bumpWriteGeneration();
  if (gone) return fail(Err::RecordNotFound);
  st_->curRow = 0;
  st_->watched = false;
  st_->kept.clear();
  return ok();
}

long long FileBase::records() {
  if (!isOpen()) {
    fail(Err::NotOpen);
    return -1;
  }
  std::string schema;
  int schemaNo = 0;
  Connection& c = FileOps::route(*this, schema, schemaNo);
  Error err;
  sqlite3_stmt* s = c.cached(
      stmtKey(def_, OpCount, schemaNo), [&] { return "SELECT count(*) FROM " + table(def_, schema); }, err);
  if (!s) {
    FileOps::fail(*this, err);
    return -1;
  }
  StmtReset g{s};
  const int rc = sqlite3_step(s);
  if (rc != SQLITE_ROW) {
    FileOps::fail(*this, driverError(c.db(), rc));
    return -1;
  }
  ok();
  return sqlite3_column_int64(s, 0);
}

}  // namespace store
