// The loadable SQLite extension that gives other tools the collation of the store's
// case-insensitive keys, so they can write, vacuum and check the files:
//   sqlite3 -cmd '.load /path/liblab2siv_sqlite' File.tps
#include <sqlite3ext.h>

#include "platform/store/upper1252.h"

SQLITE_EXTENSION_INIT1

namespace {
int init(sqlite3* db, const sqlite3_api_routines* api) {
  SQLITE_EXTENSION_INIT2(api);
  return sqlite3_create_collation_v2(db, store::kUpper1252, SQLITE_UTF8, nullptr, store::collateUpper1252, nullptr);
}
}  // namespace

// SQLite looks for the entry point named after the file (letters only), then the generic one.
extern "C" __attribute__((visibility("default"))) int sqlite3_labsivsqlite_init(sqlite3* db, char**,
                                                                                const sqlite3_api_routines* api) {
  return init(db, api);
}
extern "C" __attribute__((visibility("default"))) int sqlite3_extension_init(sqlite3* db, char**,
                                                                             const sqlite3_api_routines* api) {
  return init(db, api);
}
