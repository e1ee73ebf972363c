#pragma once
// Internals shared by the store's sources; not part of its interface.
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/store/error.h"
#include "platform/store/file.h"
#include "platform/store/paths.h"
#include "platform/store/upper1252.h"

namespace store {

void setLastError(const Error& e);
Error makeError(int code, std::string_view detail = {});
Error driverError(sqlite3* db, int rc);

// Registers UPPER1252 (upper1252.h) on a connection.
int registerUpper1252(sqlite3* db);

// Names a cached statement without building its SQL: the definition it reads (one connection
// of a transaction serves several) and a code packing the operation and its variant.
struct StmtKey {
  const void* owner = nullptr;
  std::uint64_t code = 0;
  bool operator==(const StmtKey&) const = default;
};
struct StmtKeyHash {
  std::size_t operator()(const StmtKey& k) const {
    return std::hash<const void*>()(k.owner) ^ (std::hash<std::uint64_t>()(k.code) * 0x9E3779B97F4A7C15ull);
  }
};

// One SQLite connection with its prepared statements.
class Connection {
 public:
  ~Connection();
  // Opens an existing database read-write; the collation is registered, the wait set.
  static int open(const std::string& path, int waitMs, std::unique_ptr<Connection>& out, Error& err);
  sqlite3* db() const { return db_; }
  void setWait(int ms);
  // The statement cached under `key`; its SQL is built (by `build()`) and prepared only the
  // first time. The caller resets it when done (StmtReset). nullptr with err set on failure.
  template <class Build>
  sqlite3_stmt* cached(const StmtKey& key, Build&& build, Error& err) {
    auto it = keyed_.find(key);
    if (it != keyed_.end()) return it->second;
    sqlite3_stmt* s = prepareNew(build(), err);
    if (s) keyed_.emplace(key, s);
    return s;
  }
  // Finalizes every cached statement: before ATTACH/DETACH, schema changes, close.
  void finalizeAll();
  int exec(const std::string& sql, Error& err);

 private:
  sqlite3_stmt* prepareNew(const std::string& sql, Error& err);
  sqlite3* db_ = nullptr;
  std::unordered_map<StmtKey, sqlite3_stmt*, StmtKeyHash> keyed_;
};

// Resets a cached statement when leaving scope (its read lock ends there). The bindings stay:
// every use binds all parameters again, and keeping them lets SQLite reuse their buffers.
struct StmtReset {
  sqlite3_stmt* s;
  ~StmtReset() {
    if (s) sqlite3_reset(s);
  }
};

std::string quoteId(std::string_view id);
std::string tableSql(const FileDef& def, const std::string& schema);
std::string indexSql(const FileDef& def, std::size_t key, const std::string& schema);
// The optional key's condition ("c1" <> '' OR "c2" <> 0), empty when the key is not optional.
std::string optionalWhere(const FileDef& def, std::size_t key);
// The trigger that raises "_REV" on every update that does not raise it itself, so change
// detection also sees other tools' rewrites.
std::string revTriggerName(const FileDef& def);
std::string revTriggerSql(const FileDef& def);
// Adds (or replaces) the trigger in `schema` where it is not as defined; `inTransaction`: the
// caller's write transaction holds the file, else one is begun for it.
int ensureRevTrigger(Connection& c, const FileDef& def, Error& err, const std::string& schema = "main",
                     bool inTransaction = false);
// Switches a database that another tool left in WAL mode back to the rollback journal, on
// which commits over several files are atomic; 32 when another connection prevents it (the
// message names `file` when given).
int useRollbackJournal(Connection& c, Error& err, const std::string& schema = "main", std::string_view file = {});
// The refusal when another program keeps `file` in WAL mode.
Error walInUseError(std::string_view file);
// Whether `schema` is in WAL mode now (as this connection sees it).
int journalIsWal(Connection& c, const std::string& schema, bool& wal, Error& err);
// 0 when table and indexes are as defined, 47 for the table, 46 for an index, else 32/90.
int verifySchema(Connection& c, const std::string& schema, const FileDef& def, Error& err);
// Creates the table and indexes in an empty database at `path` (which must not exist yet).
int createDatabase(const std::string& path, const FileDef& def, Error& err);

// A column value as stored (Blob only where another tool stored one).
struct Value {
  enum Kind { Int, Real, Text, Blob } kind = Int;
  long long i = 0;
  double d = 0;
  std::string s;
};
Value columnValue(const FileDef& def, const void* buffer, int column);
// The same into an existing value, reusing its text's storage.
void columnValueInto(const FileDef& def, const void* buffer, int column, Value& out);
void bindValue(sqlite3_stmt* s, int index, const Value& v);
// Binds one column straight from the record buffer (texts converted only when not ASCII).
void bindColumn(sqlite3_stmt* s, int index, const FileDef& def, const void* buffer, int column);
bool isAscii(std::string_view s);

struct FileState;
// Rows between statements and the record buffer (row_io.cpp). Loading sets the current
// record, its key values as stored and the columns kept as stored.
void loadRow(FileBase& f, FileState& st, sqlite3_stmt* s);
std::vector<Value> rowValues(const FileDef& def, sqlite3_stmt* s);  // rowid, revision, columns
void loadValues(FileBase& f, FileState& st, const std::vector<Value>& row);
// Binds every column from the buffer; for a rewrite (`rewriteOf` the current record's state),
// a kept column whose buffer value is unchanged is bound as stored.
void bindRecord(FileBase& f, const FileState* rewriteOf, sqlite3_stmt* s);
// After an add (rewrite false) or a rewrite: the record's key values as now stored.
void rememberWritten(FileBase& f, FileState& st, bool rewrite);
void keyValuesInto(const FileDef& def, KeyId key, const std::vector<Value>& all, std::vector<Value>& out);

std::string encodePosition(const FileDef& def, KeyId key, const std::vector<Value>& vals, long long rowid);
bool decodePosition(const FileDef& def, KeyId key, std::string_view pos, std::vector<Value>& vals, long long& rowid);

// Where a sequence stands in a key.
struct Cursor {
  enum Mode { Unset, Ends, At } mode = Unset;
  std::vector<Value> vals;  // the key values of the point (At)
  long long rowid = 0;
  bool inclusive = false;  // the point itself may be returned
};

struct TxState;

// Rows read ahead for a sequence; valid while nothing in the process wrote to a file.
struct Batch {
  std::vector<std::vector<Value>> rows;  // rowid, revision, then every column
  std::size_t next = 0;
  int key = -2;
  bool forward = true;
  long long lastRowid = 0;
  std::uint64_t generation = 0;
};
std::uint64_t writeGeneration();
void bumpWriteGeneration();

// A column whose stored value the buffer cannot hold exactly: as stored, and as the buffer
// showed it when read.
struct KeptColumn {
  int column = 0;
  Value stored;
  Value loaded;
};

// The highest rowid any instance of the process has read or given in the file at `path`
// (resolved): an add goes beyond it, so a record another tool deleted while the program held it
// does not have its rowid given again by the program. Lives as long as the process.
std::atomic<long long>& highestSeen(const std::string& path);
inline void noteSeen(std::atomic<long long>* seen, long long row) {
  if (!seen) return;
  long long was = seen->load(std::memory_order_relaxed);
  while (row > was && !seen->compare_exchange_weak(was, row, std::memory_order_relaxed)) {
  }
}

struct FileState {
  std::unique_ptr<Connection> conn;
  std::string path;
  std::atomic<long long>* seen = nullptr;  // highestSeen(path) while open
  int nextOpenWaitMs = -1;
  int recoverWaitMs = -1;  // the last "Recover=n": the wait of reads (-1: the process's)
  bool quickScan = false;
  int readAhead = 1;
  Batch batch;

  long long curRow = 0;
  long long curRev = 0;
  std::vector<Value> curKey;  // every key column's value of the current record, as stored
  std::vector<KeptColumn> kept;
  std::vector<int> unreadable;  // numeric columns of the current record that spell no number
  bool watchArmed = false;
  bool watched = false;

  KeyId seqKey = Physical;
  Cursor seq;
  // A sequence set at the buffer's value starts on the side the first read goes to.
  bool seqFromBuffer = false;
  Cursor seqBufferFwd, seqBufferBack;

  TxState* tx = nullptr;
  std::string txSchema;
  int txSchemaNo = 0;
};

// The own connection waits for reads as long as a "Recover" open; writes outside a
// transaction keep the ordinary wait (WriteWait).
inline int readWaitMs(const FileState& st) {
  return std::max(st.recoverWaitMs >= 0 ? st.recoverWaitMs : recoverWaitMs(), defaultWaitMs());
}

struct WriteWait {
  Connection* own;
  int readWait;
  WriteWait(FileState& st, Connection& c) : own(&c == st.conn.get() ? &c : nullptr), readWait(readWaitMs(st)) {
    if (own) own->setWait(defaultWaitMs());
  }
  ~WriteWait() {
    if (own) own->setWait(readWait);
  }
};

// A disk file of a transaction as attached: its schema, its path and its definition.
struct Attached {
  std::string alias, path;
  const FileDef* def;
};
struct TxState {
  std::unique_ptr<Connection> conn;
  std::vector<Attached> attached;  // the disk files, one per schema
  std::vector<FileBase*> files;
  bool active = false;
};

// The operations that need the private parts of a file.
struct FileOps {
  // The connection and schema the file's statements go to, with the schema's number (0 main,
  // n for "fn") for statement keys.
  static Connection& route(FileBase& f, std::string& schema, int& schemaNo);
  static int step(FileBase& f, KeyId key, Cursor& cur, bool forward);
  static Cursor cursorAtBuffer(FileBase& f, KeyId key, bool forward);
  static int decodeInto(FileBase& f, KeyId key, std::string_view pos, Cursor& cur);
  static void detachTx(FileBase& f);
  // Opens the file's own connection afresh (its statements go with the old one).
  static int reconnect(FileBase& f, Error& err);
  static FileState& state(FileBase& f) { return *f.st_; }
  static int fail(FileBase& f, const Error& e);
};

}  // namespace store
