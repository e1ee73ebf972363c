#pragma once
// A transaction over several files: begun with a wait in seconds, committed whole or rolled
// back whole, also across a crash. The files run through one connection for its length
// (the first file's database with the others attached, rollback journal).
// Rolls back in its destructor unless committed. One per thread at a time.
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/store/error.h"

namespace store {

class FileBase;
struct TxState;
struct Attached;

class Transaction {
 public:
  Transaction();
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  // Every file must be open; at most 10. 32 when a file stays held past the wait.
  int begin(std::vector<FileBase*> files, int waitSeconds);
  int commit();
  // Commits what is written so far and begins again on the same connection, so the attached
  // files and their kept statements serve on. 0 when both succeed. When the commit succeeds
  // and the new begin does not (32 after the wait), `*committed` is still set true and the
  // transaction is over, as after commit().
  int checkpoint(bool* committed = nullptr);
  int rollback();  // no-op (0) when not active
  bool active() const;
  // False when SQLite has ended the transaction by itself (a full disk, an I/O error): the
  // writes since the last commit are gone, and further writes would each commit on their own.
  bool stands() const;
  const Error& error() const { return error_; }
  // After a begin (or checkpoint) that gave 32 because another connection held a file: that
  // file, so the message can name it (the error text stays "File Is Locked"). nullptr when the
  // file was free again by the time it was looked for.
  FileBase* heldFile() const { return held_; }

  // The calling thread's active transaction, or nullptr.
  static Transaction* current();

 private:
  friend struct FileOps;
  void nameHeld(const std::vector<Attached>& attached, const std::vector<FileBase*>& files, Error& err);
  Error error_;
  FileBase* held_ = nullptr;
  std::unique_ptr<TxState> st_;
};

// Rolls back the calling thread's transaction, if any; errors are ignored.
void rollbackCurrentTransaction();

}  // namespace store
