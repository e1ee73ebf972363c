#include "import/control_writer.h"

#include "platform/store/file.h"

namespace import {

void ControlWriter::ensureTransaction() {
  if (tx_.active() || tried_) return;
  // Without a transaction (files held past the wait) every write commits on its own.
  if (tx_.begin(files_, 2) != 0) tried_ = true;
}

void ControlWriter::written(Kind kind, int code, const std::string& error, std::string storedLine,
                            std::string failedLinePrefix) {
  Pending p{kind, code == 0 ? std::move(storedLine) : std::string(), std::move(failedLinePrefix),
            code == 0 ? std::string() : error};
  pending_.push_back(std::move(p));
  if (pending_.size() >= kBatch) flush();
}

void ControlWriter::flush() {
  std::string commitError;
  if (tx_.active() && tx_.commit() != 0) {
    commitError = tx_.error().text;
    tx_.rollback();
  }
  tried_ = false;
  for (auto& p : pending_) {
    const std::string& error = !p.error.empty() ? p.error : commitError;
    if (p.storedLine.empty() || !commitError.empty()) {
      log_.append(p.failedLine + " Feil: " + error);
      state_.ProblemLogged = 1;
      continue;
    }
    log_.append(p.storedLine);
    if (p.kind == Kind::Utslippskontroll)
      ++state_.UtslippskontrollCount;
    else
      ++state_.SlamkontrollCount;
  }
  pending_.clear();
}

}  // namespace import
