// The table and indexes of a keyed file, exactly as other tools expect to find them.
#include <strings.h>

#include "platform/store/internal.h"

namespace store {

std::string quoteId(std::string_view id) {
  std::string out = "\"";
  for (char c : id) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

namespace {

const char* sqlType(FieldType t) {
  switch (t) {
    case FieldType::String:
    case FieldType::Memo: return "TEXT";
    case FieldType::Real: return "REAL";
    default: return "INTEGER";
  }
}

bool isText(FieldType t) { return t == FieldType::String || t == FieldType::Memo; }

std::string qualified(const std::string& schema, const std::string& name) {
  return quoteId(schema) + "." + quoteId(name);
}

}  // namespace

std::string tableSql(const FileDef& def, const std::string& schema) {
  std::string sql = "CREATE TABLE " + qualified(schema, def.label) + " (";
  for (const auto& c : def.columns) {
    const FieldType t = def.fields[std::size_t(c.field)].type;
    sql += quoteId(c.name) + " " + sqlType(t) + " NOT NULL DEFAULT " + (isText(t) ? "''" : "0") + ", ";
  }
  return sql + "\"_REV\" INTEGER NOT NULL DEFAULT 0)";
}

std::string optionalWhere(const FileDef& def, std::size_t key) {
  if (!def.keys[key].optional) return {};
  std::string w = "(";
  bool first = true;
  for (int col : def.keyColumns[key]) {
    const auto& c = def.columns[std::size_t(col)];
    if (!first) w += " OR ";
    first = false;
    w += quoteId(c.name) + (isText(def.fields[std::size_t(c.field)].type) ? " <> ''" : " <> 0");
  }
  return w + ")";
}

std::string indexSql(const FileDef& def, std::size_t key, const std::string& schema) {
  const KeyDef& k = def.keys[key];
  std::string sql = std::string("CREATE ") + (k.unique ? "UNIQUE " : "") + "INDEX " + qualified(schema, k.name) +
                    " ON " + quoteId(def.label) + " (";
  bool first = true;
  for (int col : def.keyColumns[key]) {
    const auto& c = def.columns[std::size_t(col)];
    if (!first) sql += ", ";
    first = false;
    sql += quoteId(c.name);
    if (isText(def.fields[std::size_t(c.field)].type)) sql += k.noCase ? " COLLATE UPPER1252" : " COLLATE BINARY";
  }
  sql += ")";
  const std::string w = optionalWhere(def, key);
  if (!w.empty()) sql += " WHERE " + w;
  return sql;
}

std::string revTriggerName(const FileDef& def) { return def.label + "_REV"; }

std::string revTriggerSql(const FileDef& def) {
  const std::string t = quoteId(def.label);
  return "CREATE TRIGGER " + quoteId(revTriggerName(def)) + " AFTER UPDATE ON " + t +
         " FOR EACH ROW WHEN NEW.\"_REV\" <= OLD.\"_REV\" BEGIN UPDATE " + t +
         " SET \"_REV\" = OLD.\"_REV\" + 1 WHERE rowid = NEW.rowid; END";
}

namespace {

bool identChar(char ch) {
  return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '_' ||
         static_cast<unsigned char>(ch) >= 0x80;
}

// The condition after an index's top-level WHERE, or "" when it has none; quoted names and
// texts are passed over, so a WHERE inside them does not count.
std::string_view whereClause(std::string_view sql) {
  for (std::size_t i = 0; i < sql.size(); ++i) {
    const char ch = sql[i];
    if (ch == '"' || ch == '\'' || ch == '`' || ch == '[') {
      const char close = ch == '[' ? ']' : ch;
      const auto end = sql.find(close, i + 1);
      if (end == std::string_view::npos) return {};
      i = end;
      continue;
    }
    if (i + 5 <= sql.size() && strncasecmp(sql.data() + i, "WHERE", 5) == 0 && (i == 0 || !identChar(sql[i - 1])) &&
        (i + 5 == sql.size() || !identChar(sql[i + 5])))
      return sql.substr(i + 5);
  }
  return {};
}

// A condition without blanks, quotes and parentheses, in upper case, "!=" as "<>": another
// tool may write the contract's condition in its own way.
std::string normalisedCondition(std::string_view cond) {
  std::string out;
  for (std::size_t i = 0; i < cond.size(); ++i) {
    const char ch = cond[i];
    if (ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '"' || ch == '\'' || ch == '`' || ch == '[' ||
        ch == ']' || ch == '(' || ch == ')')
      continue;
    if (ch == '!' && i + 1 < cond.size() && cond[i + 1] == '=') {
      out += "<>";
      ++i;
      continue;
    }
    out += (ch >= 'a' && ch <= 'z') ? char(ch - 32) : ch;
  }
  return out;
}

// Runs `sql` once, binding with bind(stmt) and handing each row to row(stmt); err set on failure.
template <class Bind, class Row>
int queryRows(sqlite3* db, const std::string& sql, Bind&& bind, Row&& row, Error& err) {
  sqlite3_stmt* s = nullptr;
  int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr);
  if (rc != SQLITE_OK) {
    err = driverError(db, rc);
    sqlite3_finalize(s);
    return err.code;
  }
  bind(s);
  while ((rc = sqlite3_step(s)) == SQLITE_ROW) row(s);
  sqlite3_finalize(s);
  if (rc != SQLITE_DONE) {
    err = driverError(db, rc);
    return err.code;
  }
  return 0;
}

std::string columnText(sqlite3_stmt* s, int i) {
  const auto* p = sqlite3_column_text(s, i);
  return p ? std::string(reinterpret_cast<const char*>(p)) : std::string();
}

void bindText(sqlite3_stmt* s, int i, const std::string& v) {
  sqlite3_bind_text(s, i, v.c_str(), int(v.size()), SQLITE_TRANSIENT);
}

}  // namespace

int journalIsWal(Connection& c, const std::string& schema, bool& wal, Error& err) {
  wal = false;
  return queryRows(
      c.db(), "PRAGMA " + quoteId(schema) + ".journal_mode", [](sqlite3_stmt*) {},
      [&](sqlite3_stmt* s) { wal = strcasecmp(columnText(s, 0).c_str(), "wal") == 0; }, err);
}

int useRollbackJournal(Connection& c, Error& err, const std::string& schema, std::string_view file) {
  bool wal = false;
  if (int rc = journalIsWal(c, schema, wal, err)) return rc;
  if (!wal) return 0;
  // A write-ahead log would commit each file of a transaction on its own.
  if (c.exec("PRAGMA " + quoteId(schema) + ".journal_mode = DELETE", err) != 0) {
    if (err.code == Err::Locked) err = walInUseError(file.empty() ? std::string_view("the file") : file);
    return err.code;
  }
  return 0;
}

Error walInUseError(std::string_view file) {
  return makeError(Err::Locked,
                   "another program uses " + std::string(file) + " in WAL mode; it must be closed there first");
}

int ensureRevTrigger(Connection& c, const FileDef& def, Error& err, const std::string& schema, bool inTransaction) {
  const std::string want = revTriggerSql(def);
  bool same = false;
  if (int rc = queryRows(
          c.db(), "SELECT sql FROM " + quoteId(schema) + ".sqlite_master WHERE type = 'trigger' AND name = ?1",
          [&](sqlite3_stmt* s) { bindText(s, 1, revTriggerName(def)); },
          [&](sqlite3_stmt* s) { same = columnText(s, 0) == want; }, err))
    return rc;
  if (same) return 0;
  // The stored text names the trigger without its schema, so it compares with `want` above.
  const std::string create =
      "CREATE TRIGGER " + quoteId(schema) + "." + want.substr(std::string("CREATE TRIGGER ").size());
  const std::string body =
      "DROP TRIGGER IF EXISTS " + quoteId(schema) + "." + quoteId(revTriggerName(def)) + "; " + create + ";";
  if (inTransaction) return c.exec(body, err);
  if (c.exec("BEGIN IMMEDIATE; " + body + " COMMIT;", err) != 0) {
    Error ignored;
    c.exec("ROLLBACK", ignored);
    return err.code;
  }
  return 0;
}

int verifySchema(Connection& c, const std::string& schema, const FileDef& def, Error& err) {
  sqlite3* db = c.db();
  auto query = [&](const std::string& sql, auto&& bind, auto&& row) { return queryRows(db, sql, bind, row, err); };

  std::vector<std::pair<std::string, std::string>> cols;
  if (int rc = query(
          "SELECT name, type FROM pragma_table_info(?1, ?2) ORDER BY cid",
          [&](sqlite3_stmt* s) {
            bindText(s, 1, def.label);
            bindText(s, 2, schema);
          },
          [&](sqlite3_stmt* s) { cols.emplace_back(columnText(s, 0), columnText(s, 1)); }))
    return rc;
  if (cols.empty()) {
    err = makeError(Err::LayoutMismatch, "table " + def.label + " missing");
    return err.code;
  }
  bool same = cols.size() == def.columns.size() + 1 && cols.back().first == "_REV";
  for (std::size_t i = 0; same && i < def.columns.size(); ++i)
    same = cols[i].first == def.columns[i].name &&
           strcasecmp(cols[i].second.c_str(), sqlType(def.fields[std::size_t(def.columns[i].field)].type)) == 0;
  if (!same) {
    err = makeError(Err::LayoutMismatch, "columns of " + def.label + " differ");
    return err.code;
  }

  for (std::size_t k = 0; k < def.keys.size(); ++k) {
    const KeyDef& key = def.keys[k];
    int found = 0, unique = 0, partial = 0;
    if (int rc = query(
            "SELECT \"unique\", partial FROM pragma_index_list(?1, ?2) WHERE name = ?3",
            [&](sqlite3_stmt* s) {
              bindText(s, 1, def.label);
              bindText(s, 2, schema);
              bindText(s, 3, key.name);
            },
            [&](sqlite3_stmt* s) {
              found = 1;
              unique = sqlite3_column_int(s, 0);
              partial = sqlite3_column_int(s, 1);
            }))
      return rc;
    bool ok = found && (unique != 0) == key.unique && (partial != 0) == key.optional;
    struct Part {
      std::string name, coll;
      int desc;
    };
    std::vector<Part> parts;
    if (ok) {
      if (int rc = query(
              "SELECT name, coll, desc FROM pragma_index_xinfo(?1, ?2) WHERE key = 1 ORDER BY seqno",
              [&](sqlite3_stmt* s) {
                bindText(s, 1, key.name);
                bindText(s, 2, schema);
              },
              [&](sqlite3_stmt* s) {
                parts.push_back({columnText(s, 0), columnText(s, 1), sqlite3_column_int(s, 2)});
              }))
        return rc;
      const auto& want = def.keyColumns[k];
      ok = parts.size() == want.size();
      for (std::size_t i = 0; ok && i < want.size(); ++i) {
        const auto& col = def.columns[std::size_t(want[i])];
        const bool txt = isText(def.fields[std::size_t(col.field)].type);
        const char* coll = txt && key.noCase ? "UPPER1252" : "BINARY";
        ok = parts[i].name == col.name && strcasecmp(parts[i].coll.c_str(), coll) == 0 && parts[i].desc == 0;
      }
    }
    if (ok && key.optional) {
      // The partial condition must leave out exactly the records the key leaves out.
      std::string sql;
      if (int rc = query(
              "SELECT sql FROM " + quoteId(schema) + ".sqlite_master WHERE type = 'index' AND name = ?1",
              [&](sqlite3_stmt* s) { bindText(s, 1, key.name); }, [&](sqlite3_stmt* s) { sql = columnText(s, 0); }))
        return rc;
      ok = normalisedCondition(whereClause(sql)) == normalisedCondition(optionalWhere(def, k));
    }
    if (!ok) {
      err = makeError(Err::KeysMustBeRebuilt, key.name);
      return err.code;
    }
  }
  return 0;
}

int createDatabase(const std::string& path, const FileDef& def, Error& err) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    err = driverError(db, rc);
    sqlite3_close_v2(db);
    return err.code;
  }
  registerUpper1252(db);
  std::string sql = "PRAGMA journal_mode=DELETE; BEGIN; " + tableSql(def, "main") + ";";
  for (std::size_t k = 0; k < def.keys.size(); ++k) sql += indexSql(def, k, "main") + ";";
  sql += revTriggerSql(def) + "; COMMIT;";
  char* msg = nullptr;
  rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &msg);
  sqlite3_free(msg);
  if (rc != SQLITE_OK) err = driverError(db, rc);
  sqlite3_close_v2(db);
  return rc == SQLITE_OK ? 0 : err.code;
}

}  // namespace store
