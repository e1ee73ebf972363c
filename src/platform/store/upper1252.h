#pragma once
// The collation of case-insensitive keys, shared by the store and the SQLite extension that
// lets other tools write the files. It needs nothing but the standard library, so the
// extension carries it without the program's other code.
#include <string_view>

namespace store {

inline constexpr const char* kUpper1252 = "UPPER1252";

// UTF-8 texts compared by code point after Windows-1252 upper-casing; trailing blanks do not
// count ('FJL' and 'FJL ' are one key value).
int compareUpper1252(std::string_view a, std::string_view b);

// The same with SQLite's collation callback signature.
int collateUpper1252(void*, int na, const void* a, int nb, const void* b);

}  // namespace store
