#pragma once
// Writes the run's control records in batches inside transactions, and logs and counts a
// record only once it is committed. A record whose write or commit fails is logged with the
// error, not counted, and marks the run as having a problem.
#include <string>
#include <vector>

#include "import/import_run_state.h"
#include "import/log_file.h"
#include "platform/store/transaction.h"

namespace store {
class FileBase;
}

namespace import {

class ControlWriter {
 public:
  enum class Kind { Utslippskontroll, Slamkontroll };
  static constexpr std::size_t kBatch = 256;

  ControlWriter(LogFile& log, ImportRunState& state, std::vector<store::FileBase*> files)
      : log_(log), state_(state), files_(std::move(files)) {}
  ~ControlWriter() { flush(); }

  // Begins a transaction when none is active (reads then see the batch's own writes).
  void ensureTransaction();
  // Records the outcome of one add or rewrite: `code` 0 ok, else the write failed with `error`.
  void written(Kind kind, int code, const std::string& error, std::string storedLine,
               std::string failedLinePrefix);
  // Commits the batch and writes its log lines.
  void flush();

 private:
  struct Pending {
    Kind kind;
    std::string storedLine;   // empty for a write that already failed
    std::string failedLine;   // prefix naming the record, without the error
    std::string error;
  };

  LogFile& log_;
  ImportRunState& state_;
  std::vector<store::FileBase*> files_;
  store::Transaction tx_;
  bool tried_ = false;
  std::vector<Pending> pending_;
};

}  // namespace import
