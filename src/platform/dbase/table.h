#pragma once
// A dBase III/IV, FoxPro 2 or Visual FoxPro table, read whole into memory when opened.
// Indexes are declared by their external key expression and built in memory at every open;
// no index file is read or written. The table is never written.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dbase/error.h"
#include "platform/dbase/field.h"

namespace dbase {

class TableImage;

// DOS open-mode byte: low nibble access, high nibble sharing (0x10 deny all, 0x20 deny
// write, 0x30 deny read, 0x40 deny none).
inline constexpr std::uint8_t kReadWriteDenyAll = 0x12;
inline constexpr std::uint8_t kReadWriteDenyNone = 0x42;

class Table {
 public:
  Table();
  virtual ~Table();
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  // The disk name used by the next open; a path whose last part differs only in letter case
  // from an existing file finds that file.
  void setName(std::string path);
  const std::string& name() const { return name_; }

  // Declares an index from its external name, e.g. "I_RNX20=C[JRNLNR+STED]" or
  // "RNX50|RNX50.CDX=C[T+KODE]": the components after '[' joined by '+', each a field name,
  // optionally UPPER(name). `noCase` compares letters by their upper-case form. The result
  // (>= 0) names the index in set/get; -1 when the expression cannot be read (`lastError`).
  int declareIndex(std::string_view externalName, bool noCase);
  // Builds a declared index while the table is closed: reads the file's header and checks
  // that every component is a field. The entries are (re)built at the next open.
  virtual Error buildIndex(int index);
  // Rebuilds stored keys. Keys live in memory and are rebuilt at every open, so this only
  // checks that the file can be read.
  virtual Error rebuildKeys();

  // Opens exclusively inside the process (52 when this file is open already) and, as the mode
  // asks, towards other processes through an OS lock (32 when another holds it).
  virtual Error open(std::uint8_t mode = kReadWriteDenyAll);
  virtual void close();
  bool isOpen() const { return image_ != nullptr; }

  // After open: the table's columns and its live (not deleted) row count.
  const std::vector<Field>& fields() const;
  int fieldIndex(std::string_view name) const;  // letter case ignored; -1 when missing
  std::uint32_t liveRecords() const;
  int codePage() const;

  // Key values, one text per component in Windows-1252 (as the record buffers hold them).
  // set: the next `next()` reads the first entry equal to or after the key, the next
  // `previous()` the last entry equal to or before it.
  virtual Error set(int index, const std::vector<std::string>& keyCp1252);
  // set at the start of the index (or, with index -1, of the file's row order).
  virtual Error setStart(int index);
  // Reads the first entry whose key equals the values (35 when none); positions there.
  virtual Error get(int index, const std::vector<std::string>& keyCp1252);
  virtual Error next();      // 33 past the end
  virtual Error previous();  // 33 before the start

  // The current row (after a successful read).
  std::uint32_t recordNumber() const;     // 1-based physical number
  std::string_view raw(int field) const;  // bytes as stored
  std::string cp1252(int field) const;    // text in Windows-1252, blank-padded to the width
  std::string text(int field) const;      // UTF-8, trailing blanks removed
  double number(int field) const;         // N F I B Y O +; 0 when blank or not a number
  std::int32_t date(int field) const;     // D and T: standard day number, 0 when empty,
                                          // kNotADate when the field holds no real date
  bool logical(int field) const;
  std::uint32_t memoBlock(int field) const;  // 0 when the row has no memo
  // The memo text of the current row (UTF-8); empty without memo file or block.
  Error memo(int field, std::string& utf8) const;

  const Error& lastError() const { return lastError_; }

 private:
  struct IndexDef;
  struct Cursor;
  Error fail(Error e) const;

  std::string name_;
  std::vector<IndexDef> indexes_;
  std::unique_ptr<TableImage> image_;
  std::unique_ptr<Cursor> cursor_;
  Error buildEntries(IndexDef& def) const;
  Error readEntry(std::int64_t pos);

  int lockFd_ = -1;
  std::uint64_t fileId_[2] = {0, 0};
  std::vector<std::uint32_t> liveRows_;
  Error memoError_;
  mutable Error lastError_;
};

}  // namespace dbase
