#pragma once
// A table file's bytes with its parsed header and field descriptors; every access is checked
// against the bytes held, so a lying header cannot lead a read outside the file.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dbase/error.h"
#include "platform/dbase/field.h"
#include "platform/dbase/memo_file.h"
#include "platform/dbase/oem_codepage.h"

namespace dbase {

class TableImage {
 public:
  // Parses a whole table file. Fails with 36 and a text saying what is wrong.
  // With `headerOnly` the rows need not be present (a header read before the table opens).
  static Error parse(std::string bytes, TableImage& out, bool headerOnly = false);

  void attachMemo(MemoFile memo) { memo_ = std::move(memo); }
  bool hasMemoFields() const;

  std::uint8_t version() const { return version_; }
  const std::vector<Field>& fields() const { return fields_; }
  std::uint32_t recordCount() const { return recordCount_; }
  std::uint32_t recordLength() const { return recordLength_; }
  const CodePageTable& codePage() const { return *codePage_; }
  int fieldIndex(std::string_view name) const;

  // Row r (0-based) with its deleted flag byte first.
  std::string_view row(std::uint32_t r) const;
  bool deleted(std::uint32_t r) const { return row(r)[0] == '*'; }
  std::string_view raw(std::uint32_t r, int field) const;

  std::string cp1252(std::uint32_t r, int field) const;
  std::string text(std::uint32_t r, int field) const;
  double number(std::uint32_t r, int field) const;
  std::int32_t date(std::uint32_t r, int field) const;
  bool logical(std::uint32_t r, int field) const;
  std::uint32_t memoBlock(std::uint32_t r, int field) const;
  Error memo(std::uint32_t r, int field, std::string& utf8) const;

 private:
  std::string bytes_;
  std::uint8_t version_ = 0;
  std::uint32_t recordCount_ = 0;
  std::uint32_t headerLength_ = 0;
  std::uint32_t recordLength_ = 0;
  std::vector<Field> fields_;
  const CodePageTable* codePage_ = nullptr;
  MemoFile memo_;
};

// The memo file beside a table ("x.dbf" -> "x.fpt" or "x.dbt", any letter case); empty when none.
std::string findMemoFile(const std::string& tablePath);

}  // namespace dbase
