#include "platform/store/view.h"

#include <climits>

#include "platform/store/internal.h"

namespace store {

// The view keeps its place as a position text plus a mode, so it needs nothing of the file's
// own sequence and survives changes to the records it passed.
int ViewBase::start() {
  mode_ = 1;
  place_.clear();
  return file_.isOpen() ? 0 : Err::NotOpen;
}

int ViewBase::startAt() {
  mode_ = 2;
  // Remember the buffer's key value now: the buffer changes as soon as a record is read.
  const Cursor c = FileOps::cursorAtBuffer(file_, key_, true);
  place_ = encodePosition(file_.def(), key_, c.vals, 0);
  return file_.isOpen() ? 0 : Err::NotOpen;
}

int ViewBase::startAtPosition(std::string_view pos) {
  Cursor c;
  if (FileOps::decodeInto(file_, key_, pos, c) != 0) return file_.errorCode();
  mode_ = 3;
  inclusive_ = true;
  place_ = std::string(pos);
  return 0;
}

int ViewBase::next() { return step(true); }
int ViewBase::previous() { return step(false); }

int ViewBase::step(bool forward) {
  Cursor cur;
  switch (mode_) {
    case 0:
    case 1: cur.mode = Cursor::Ends; break;
    case 2: {
      long long ignored = 0;
      decodePosition(file_.def(), key_, place_, cur.vals, ignored);
      cur.mode = Cursor::At;
      cur.inclusive = true;
      cur.rowid = forward ? LLONG_MIN : LLONG_MAX;
      break;
    }
    default:
      if (FileOps::decodeInto(file_, key_, place_, cur) != 0) return file_.errorCode();
      cur.inclusive = inclusive_;
      break;
  }
  for (;;) {
    const int rc = FileOps::step(file_, key_, cur, forward);
    if (rc != 0) return rc;
    place_ = file_.position(key_);
    mode_ = 3;
    inclusive_ = false;
    if (passes()) return 0;
  }
}

}  // namespace store
