#pragma once
// Writes the run's control records inside one store transaction that lives for the whole run
// (one connection, its attached files and statements), committed about once a second and at
// the end. A record is logged and counted only once it is committed; a record whose write
// fails is logged with the error, not counted, and marks the run as having a problem. A write
// that loses the transaction or the disk, or a transaction that cannot begin, stops the run.
#include <chrono>
#include <string>
#include <vector>

#include "import/import_run_state.h"
#include "import/log_file.h"
#include "platform/store/transaction.h"
#include "platform/text/date.h"
#include "platform/text/str.h"

namespace store {
class FileBase;
}

namespace import {

class ControlWriter {
 public:
  enum class Kind { Utslippskontroll, Slamkontroll };

  // The record a write concerns, as its log lines name it.
  struct Record {
    Kind kind;
    bool added;  // false: an existing record rewritten
    text::Date dato1;
    text::Date dato2;
    std::int32_t days;
    text::Str<6> anleggsnr;
    text::Str<20> journal;
  };

  ControlWriter(LogFile& log, ImportRunState& state, std::vector<store::FileBase*> files)
      : log_(log), state_(state), files_(std::move(files)) {}
  ~ControlWriter() { finish(); }

  // Begins the run's transaction when none is active (reads then see the run's own writes).
  // False when the run is stopped or the files stay held past the wait (the run then stops).
  bool ensureTransaction();
  // Records the outcome of one add or rewrite (`error` code 0: written). Commits when the
  // interval has passed.
  void written(const Record& rec, const store::Error& error);
  // A log line that must follow the records written before it.
  void logLine(std::string line);
  // Commits what is pending and writes its log lines; the transaction ends.
  void finish();

  // Stops the run: what is not committed is rolled back and logged as not stored (call
  // finish() first to keep it).
  void stop(std::string cause);
  bool stopped() const { return !stopCause_.empty(); }
  const std::string& stopCause() const { return stopCause_; }

  // Tests and benchmarks move the commit interval (1 s by default) and the wait for files
  // another process holds before the run stops (5 s by default).
  static void setTimes(std::chrono::milliseconds commitInterval, int lockWaitSeconds);
  // Commits made by every writer of the process (benchmarks print it).
  static long commits();

 private:
  struct Pending {
    Record rec;
    bool isLine = false;  // a plain log line in `text`
    std::string text;     // the line, or the error of a failed write
    bool failed = false;
  };

  void commit();
  // Writes the pending lines; `lostError` non-empty: the records were not committed.
  void writePending(const std::string& lostError);

  LogFile& log_;
  ImportRunState& state_;
  std::vector<store::FileBase*> files_;
  store::Transaction tx_;
  std::vector<Pending> pending_;
  std::chrono::steady_clock::time_point lastCommit_{};
  std::string stopCause_;
};

}  // namespace import
