#pragma once
// A column of a dBase table as its field descriptor declares it.
#include <cstdint>
#include <string>

namespace dbase {

struct Field {
  std::string name;          // upper case as stored, at most 10 characters
  char type = 'C';           // C N F D L M and the Visual FoxPro types (I Y T B G P V Q W 0 ...)
  std::uint32_t offset = 0;  // within the record, after the deleted flag
  std::uint32_t length = 0;
  std::uint8_t decimals = 0;
  std::uint8_t flags = 0;  // Visual FoxPro: 0x01 system column
};

}  // namespace dbase
