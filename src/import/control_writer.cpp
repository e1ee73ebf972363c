#include "import/control_writer.h"

#include <sqlite3.h>

#include <atomic>

#include "data/warnings.h"
#include "import/log_lines.h"
#include "platform/store/file.h"

namespace import {
namespace {

std::atomic<long long> g_intervalMs{1000};
std::atomic<int> g_lockWaitSeconds{5};
std::atomic<long> g_commits{0};

std::string errorText(const store::Error& e) {
  return data::warningErrorText({e.code, e.text, e.driverCode, e.driverText});
}

bool diskFull(const store::Error& e) { return e.code == store::Err::Driver && (e.driverCode & 0xFF) == SQLITE_FULL; }

// Failures that concern the one record (a key or a rule of the file refuses it, or it is
// gone or changed meanwhile); any other failure is one of the file, and the run stops.
bool recordFailure(const store::Error& e) {
  switch (e.code) {
    case store::Err::DuplicateKey:
    case store::Err::RecordNotFound:
    case store::Err::ChangedByOther: return true;
    case store::Err::Driver: return (e.driverCode & 0xFF) == SQLITE_CONSTRAINT;
    default: return false;
  }
}

std::string storedLine(const ControlWriter::Record& r) {
  return r.kind == ControlWriter::Kind::Utslippskontroll ? storedDischargeLine(r.dato1, r.dato2, r.days, r.added)
                                                         : storedSludgeLine(r.dato1, r.dato2, r.days, r.added);
}

std::string failedLine(const ControlWriter::Record& r, const std::string& error) {
  return failedStorePrefix(r.kind == ControlWriter::Kind::Utslippskontroll ? "Utslippskontroll" : "Slamkontroll",
                           r.anleggsnr.str(), r.dato1, r.dato2, r.journal.str()) +
         " Feil: " + error;
}

}  // namespace

long ControlWriter::commits() { return g_commits.load(); }

void ControlWriter::setTimes(std::chrono::milliseconds commitInterval, int lockWaitSeconds) {
  g_intervalMs = commitInterval.count();
  g_lockWaitSeconds = lockWaitSeconds;
}

bool ControlWriter::ensureTransaction() {
  if (stopped()) return false;
  if (tx_.active()) return true;
  // Never record by record: without the transaction the run stops.
  if (tx_.begin(files_, g_lockWaitSeconds.load()) != 0) {
    stop((tx_.error().code == store::Err::Locked ? "Registeret er låst av en annen bruker: "
                                                 : "Registeret kan ikke skrives: ") +
         errorText(tx_.error()));
    return false;
  }
  lastCommit_ = std::chrono::steady_clock::now();
  return true;
}

void ControlWriter::written(const Record& rec, const store::Error& e) {
  if (e.code == 0) {
    pending_.push_back({rec, false, {}, false});
  } else {
    pending_.push_back({rec, false, errorText(e), true});
    if (diskFull(e)) {
      stop("Disken er full: " + errorText(e));
      return;
    }
    if (!tx_.stands()) {
      stop("Lagringen er avbrutt: " + errorText(e));
      return;
    }
    if (!recordFailure(e)) {
      stop("Feil ved lagring: " + errorText(e));
      return;
    }
  }
  const auto now = std::chrono::steady_clock::now();
  if (now - lastCommit_ >= std::chrono::milliseconds(g_intervalMs.load())) commit();
}

void ControlWriter::logLine(std::string line) {
  if (pending_.empty()) {
    log_.append(line);
    return;
  }
  Pending p{};
  p.isLine = true;
  p.text = std::move(line);
  pending_.push_back(std::move(p));
}

void ControlWriter::commit() {
  if (!tx_.active()) {
    writePending("");
    return;
  }
  bool committed = false;
  if (tx_.checkpoint(&committed) != 0) {
    if (committed) ++g_commits;
    const store::Error e = tx_.error();
    writePending(committed ? "" : errorText(e));
    stop((e.code == store::Err::Locked ? "Registeret er låst av en annen bruker: "
          : diskFull(e)                ? "Disken er full: "
                                       : "Lagringen er avbrutt: ") +
         errorText(e));
    return;
  }
  ++g_commits;
  lastCommit_ = std::chrono::steady_clock::now();
  writePending("");
}

void ControlWriter::finish() {
  if (stopped()) return;
  if (!tx_.active()) {
    writePending("");
    return;
  }
  const int rc = tx_.commit();
  if (rc == 0) ++g_commits;
  const store::Error e = tx_.error();
  writePending(rc == 0 ? "" : errorText(e));
  if (rc != 0) stop((diskFull(e) ? "Disken er full: " : "Lagringen er avbrutt: ") + errorText(e));
}

void ControlWriter::stop(std::string cause) {
  if (stopped()) return;
  stopCause_ = std::move(cause);
  state_.ProblemLogged = 1;
  const bool lost = tx_.active();
  tx_.rollback();
  writePending(lost ? "importen er stoppet" : "");
}

void ControlWriter::writePending(const std::string& lostError) {
  for (auto& p : pending_) {
    if (p.isLine) {
      log_.append(p.text);
      continue;
    }
    if (p.failed || !lostError.empty()) {
      log_.append(failedLine(p.rec, p.failed ? p.text : lostError));
      state_.ProblemLogged = 1;
      continue;
    }
    log_.append(storedLine(p.rec));
    if (p.rec.kind == Kind::Utslippskontroll)
      ++state_.UtslippskontrollCount;
    else
      ++state_.SlamkontrollCount;
  }
  pending_.clear();
}

}  // namespace import
