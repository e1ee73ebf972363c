#pragma once
// Another program writing a keyed file: plain SQLite with the shipped collation extension
// loaded, no code of the store.
#include <sqlite3.h>

#include <string>

namespace testing_util {

class OtherTool {
 public:
  explicit OtherTool(const std::string& path) {
    sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_enable_load_extension(db_, 1);
    char* msg = nullptr;
    if (sqlite3_load_extension(db_, LAB2SIV_SQLITE_EXTENSION, nullptr, &msg) != SQLITE_OK) error_ = msg ? msg : "load";
    sqlite3_free(msg);
  }
  ~OtherTool() { sqlite3_close(db_); }
  OtherTool(const OtherTool&) = delete;
  OtherTool& operator=(const OtherTool&) = delete;

  // Runs statements; "" on success, else SQLite's message.
  std::string exec(const std::string& sql) {
    if (!error_.empty()) return error_;
    char* msg = nullptr;
    const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &msg);
    std::string out = rc == SQLITE_OK ? "" : (msg ? msg : sqlite3_errstr(rc));
    sqlite3_free(msg);
    return out;
  }
  sqlite3* db() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
  std::string error_;
};

}  // namespace testing_util
