#pragma once
// A file instance: one thread's view of a keyed file, with its own record buffer, current
// record, key-order sequence and open state. Every operation returns its error code (0 ok):
//   if (f.get(K) == 0) ...;   f.set(K); while (f.next() == 0) { ... }
// Instances are not shared between threads (the process-wide Datasett is guarded by its owner).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/store/error.h"
#include "platform/store/file_def.h"

namespace store {

// A key of the file by its number in FileDef::keys; Physical is record (rowid) order.
struct KeyId {
  int index = -1;
  constexpr bool physical() const { return index < 0; }
  constexpr bool operator==(const KeyId&) const = default;
};
inline constexpr KeyId Physical{-1};

// Access modes in the DOS open-mode encoding. Only ReadWriteDenyNone is served.
namespace Mode {
inline constexpr std::uint8_t ReadWriteDenyNone = 0x42;
inline constexpr std::uint8_t ReadWriteDenyAll = 0x12;
inline constexpr std::uint8_t ReadWriteDenyWrite = 0x22;
}  // namespace Mode

class Transaction;
struct FileState;  // internal: connection, statements, sequence

class FileBase {
 public:
  FileBase(const FileDef& def, void* buffer);
  virtual ~FileBase();
  FileBase(const FileBase&) = delete;
  FileBase& operator=(const FileBase&) = delete;

  const FileDef& def() const { return def_; }
  const std::string& label() const { return def_.label; }

  // The disk name: either fixed by setName() or read from the name source at each open, so a
  // renamed file takes its new name at its next open. "\" separators are accepted.
  void setName(std::string name);
  void setNameSource(std::function<std::string()> source);
  std::string name() const;               // the name the next open would use
  const std::string& openedPath() const;  // resolved path of the open file ("" when closed)

  int open(std::uint8_t mode = Mode::ReadWriteDenyNone);
  int create();  // a new empty file; an existing file of this layout is left as it is
  int close();
  bool isOpen() const;
  // "Recover=10" (the next open waits up to 10 s for locks), "QUICKSCAN=on", "QUICKSCAN=off".
  int sendOption(std::string_view option);
  int buildKeys();  // drops and recreates every key index; open or closed

  void clear();        // texts blank, numbers 0, memos empty
  void forget();       // no current record: put/remove give 33 until one is read
  int get(KeyId key);  // first record equal to the buffer's key fields (35)
  // As get(), but only makes that record the current one (for put/remove) without reading
  // its fields; with `memos` its memos are read into the buffer. 35 when there is none.
  int find(KeyId key, bool memos = false);
  int set(KeyId key = Physical);                    // sequence from the start of the key
  int setFrom(KeyId key);                           // sequence from the buffer's key value
  int next();                                       // 33 at the end
  int previous();                                   // 33 at the start
  int reset(KeyId key, std::string_view position);  // next/previous return that record first

  // Text (<= 512 characters) for the current record's place in a key: its key values, rowid.
  std::string position(KeyId key) const;
  // Re-reads the record at a position (by its rowid; 35 when it is gone). `watch` arms change
  // detection as watch() does.
  int reget(KeyId key, std::string_view position, bool watchIt = false);
  // Arms change detection: the next read remembers the record's version, and the rewrite
  // that follows fails with 89 when another instance rewrote it meanwhile.
  void watch();

  int add();            // the buffer as a new record; it becomes the current record
  int put();            // rewrites the current record from the buffer
  int remove();         // deletes the current record
  long long records();  // -1 on error

  // The current record's rowid (0 when none).
  long long currentRow() const;

  // The numeric columns of the record last read whose stored value spells no number (another
  // tool wrote a text such as "n/a" or "" there; "0,5" and "0.5" read as 0.5): the buffer holds
  // 0 for each, and a rewrite that leaves the field alone writes the stored value back. Empty
  // when every number was read. The read itself succeeds, so a walk goes on; a caller that
  // must not use a 0 it did not read tests this after the read (column names as on disk,
  // "VERDI_1_2").
  std::vector<std::string> unreadableNumbers() const;

  const Error& error() const { return error_; }
  int errorCode() const { return error_.code; }
  const std::string& errorText() const { return error_.text; }

  // Read-ahead hint: how many records sequence reads are about to take (may be ignored).
  void setReadAhead(int records);

  // Compares the whole buffer with another buffer of this definition (0 equal).
  int compare(const void* otherBuffer) const;
  void* buffer() { return buffer_; }
  const void* buffer() const { return buffer_; }

 protected:
  int fail(int code, std::string_view detail = {});
  int ok();

 private:
  friend class Transaction;
  friend class ViewBase;
  friend struct FileOps;
  const FileDef& def_;
  void* buffer_;
  Error error_;
  std::string name_;
  std::function<std::string()> nameSource_;
  std::unique_ptr<FileState> st_;
};

// A file instance with a typed record buffer `rec`.
template <class Rec>
class File : public FileBase {
 public:
  explicit File(const FileDef& def) : FileBase(def, &rec) {}
  Rec rec{};
};

}  // namespace store
