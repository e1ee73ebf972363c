#pragma once
// Error codes of the keyed store, as the program tests them. Every operation returns one of
// these (0 ok) and leaves it, with its text, in the file instance and in the thread's last error.
#include <string>
#include <string_view>

namespace store {

namespace Err {
inline constexpr int None = 0;
inline constexpr int FileNotFound = 2;
inline constexpr int AccessDenied = 5;
inline constexpr int Locked = 32;
inline constexpr int NoRecord = 33;  // no further record in a sequence (also: none current)
inline constexpr int RecordNotFound = 35;
inline constexpr int NotOpen = 37;
inline constexpr int DuplicateKey = 40;
inline constexpr int KeysMustBeRebuilt = 46;
inline constexpr int LayoutMismatch = 47;
inline constexpr int AlreadyOpen = 52;
inline constexpr int TransactionActive = 56;  // begin while the thread already has one
inline constexpr int ChangedByOther = 89;
inline constexpr int Driver = 90;  // SQLite's own failure; see driverCode/driverText
}  // namespace Err

// The standard text of a code ("File Not Found", "Creates Duplicate Key", ...).
std::string_view errorText(int code);

struct Error {
  int code = 0;
  std::string text;        // never empty when code != 0
  int driverCode = 0;      // SQLite's result code for 90 (else 0)
  std::string driverText;  // SQLite's message for 90 (else empty)

  bool ok() const { return code == 0; }
  void clear() { *this = Error{}; }
};

// The last error any store operation left on the calling thread (cleared by a success).
const Error& lastError();

}  // namespace store
