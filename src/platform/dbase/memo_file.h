#pragma once
// Memo texts of a .dbt (dBase III and IV) or .fpt (FoxPro) file.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/dbase/error.h"

namespace dbase {

class MemoFile {
 public:
  enum class Kind { None, Dbt3, Dbt4, Fpt };

  // Reads the memo header; `kind` says how the table's version names the format.
  static Error parse(std::string bytes, Kind kind, MemoFile& out);

  bool present() const { return kind_ != Kind::None; }
  // The bytes of memo block `block` (code page of the table). 36 for a pointer outside the
  // file or a length that runs past its end.
  Error read(std::uint32_t block, std::string& out) const;

 private:
  std::string bytes_;
  Kind kind_ = Kind::None;
  std::uint32_t blockSize_ = 512;
};

}  // namespace dbase
