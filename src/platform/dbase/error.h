#pragma once
// Result of a table operation: a code the program may test and a text it may show.
#include <string>

namespace dbase {

// Codes as the program tests them.
namespace Code {
inline constexpr int Ok = 0;
inline constexpr int FileMissing = 2;
inline constexpr int AccessDenied = 5;
inline constexpr int Locked = 32;
inline constexpr int NoMoreRecords = 33;
inline constexpr int NotFound = 35;
inline constexpr int InvalidFile = 36;  // malformed table or memo file
inline constexpr int NotOpen = 37;
inline constexpr int KeysMustBeRebuilt = 46;
inline constexpr int BadKey = 47;  // key expression does not match the table's fields
inline constexpr int AlreadyOpen = 52;
inline constexpr int SystemError = 90;
}  // namespace Code

struct Error {
  int code = Code::Ok;
  std::string text;

  bool ok() const { return code == Code::Ok; }
  static Error none() { return {}; }
};

// The standard text of a code ("File Not Found", ...).
std::string codeText(int code);
// An error with the standard text, and `detail` after it when given.
Error makeError(int code, const std::string& detail = {});

}  // namespace dbase
