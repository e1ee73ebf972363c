#pragma once
// Reads a database with SQLite directly, as another tool would, bypassing the store.
#include <sqlite3.h>

#include <string>
#include <vector>

#include "platform/store/internal.h"  // the collation every connection needs

namespace testing_util {

using Rows = std::vector<std::vector<std::string>>;

// Runs one statement; every value as text ("NULL" for NULL). Throws nothing: a failure
// comes back as one row {"ERROR", message}.
inline Rows peek(const std::string& path, const std::string& sql) {
  Rows out;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    out.push_back({"ERROR", sqlite3_errmsg(db)});
    sqlite3_close(db);
    return out;
  }
  store::registerUpper1252(db);
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) {
    out.push_back({"ERROR", sqlite3_errmsg(db)});
  } else {
    while (sqlite3_step(s) == SQLITE_ROW) {
      std::vector<std::string> row;
      for (int i = 0; i < sqlite3_column_count(s); ++i) {
        const auto* t = sqlite3_column_text(s, i);
        row.push_back(t ? reinterpret_cast<const char*>(t) : "NULL");
      }
      out.push_back(std::move(row));
    }
  }
  sqlite3_finalize(s);
  sqlite3_close(db);
  return out;
}

// Runs statements that return nothing; true on success.
inline bool poke(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  bool ok = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
            store::registerUpper1252(db) == SQLITE_OK &&
            sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

}  // namespace testing_util
