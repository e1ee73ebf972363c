#include "platform/store/internal.h"
#include "platform/store/upper1252.h"

namespace store {

int registerUpper1252(sqlite3* db) {
  return sqlite3_create_collation_v2(db, kUpper1252, SQLITE_UTF8, nullptr, collateUpper1252, nullptr);
}

}  // namespace store
