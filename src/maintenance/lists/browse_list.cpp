#include "maintenance/lists/browse_list.h"

#include <algorithm>

#include "data/warnings.h"
#include "platform/text/codepage.h"
#include "platform/ui/api/event.h"

namespace maintenance {

BrowseList::BrowseList(BrowseSource& source, BrowseHost& host, int request)
    : src_(source), host_(host), localRequest_(request), firstRequest_(request) {}

void BrowseList::restart() {
  src_.close();
  if (src_.start() != 0) host_.warn(data::kViewOpenError, {});
}

void BrowseList::fill(Direction dir) {
  const bool forward = dir == Direction::Forward;
  std::string startPos;
  if (!queue_.empty()) {
    startPos = forward ? queue_.back().position : queue_.front().position;
    src_.resetTo(startPos);
    skipFirst_ = true;
  } else {
    skipFirst_ = false;
  }
  viewEnded_ = false;
  while (rowsToFill_ != 0) {
    if (src_.readAhead() == 0) src_.setReadAhead(rowsToFill_);
    const int err = forward ? src_.next() : src_.previous();
    if (err == store::Err::NoRecord) {
      viewEnded_ = true;
      break;
    }
    if (err != 0) {
      host_.warn(data::kRecordRetrievalError, src_.label());
      host_.postClose();
      break;
    }
    if (skipFirst_) {
      skipFirst_ = false;
      // The starting row is not read twice; when its record has gone the first one read counts.
      if (src_.position() == startPos) continue;
    }
    if (!src_.recordTest()) continue;
    if (addRows_) {
      if (static_cast<int>(queue_.size()) >= host_.items()) {
        if (forward)
          queue_.pop_front();
        else
          queue_.pop_back();
      }
      BrowseRow row{src_.makeRow(), 0, src_.position()};
      if (forward)
        queue_.push_back(std::move(row));
      else
        queue_.push_front(std::move(row));
    }
    --rowsToFill_;
  }
  if (viewEnded_) saveReset();
}

void BrowseList::saveReset() {
  savedReset_ = src_.resetValues();
  src_.resetSaved(savedReset_);
}

void BrowseList::refreshPage(Mode mode) {
  host_.waitCursor(true);
  std::string highlighted;
  if (mode == Mode::AtViewPosition) {
    highlighted = src_.position();
    src_.resetTo(highlighted);
  } else if (!queue_.empty()) {
    const int at =
        current_ >= 1 && current_ <= static_cast<int>(queue_.size()) ? current_ : static_cast<int>(queue_.size());
    highlighted = queue_[at - 1].position;
    src_.resetTo(queue_.front().position);
  } else {
    restart();
  }
  queue_.clear();
  rowsToFill_ = host_.items();
  const Direction dir = mode == Mode::FromEnd ? Direction::Backward : Direction::Forward;
  fill(dir);
  if (!highlighted.empty() && rowsToFill_ != 0) {
    // The view ended before the page was full: complete it from the other side.
    if (queue_.empty()) restart();
    fill(dir == Direction::Forward ? Direction::Backward : Direction::Forward);
  }
  if (!queue_.empty()) {
    const int n = static_cast<int>(queue_.size());
    current_ = 0;
    if (!highlighted.empty()) {
      for (int i = 0; i < n; ++i)
        if (queue_[i].position == highlighted) {
          current_ = i + 1;
          break;
        }
      if (current_ == 0) current_ = n;
    } else {
      current_ = mode == Mode::FromEnd ? n : 1;
    }
    copyBackCurrent();
    host_.setRecordButtons(true);
  } else {
    src_.clearBuffer();
    current_ = 0;
    host_.setRecordButtons(false);
  }
  show();
  host_.waitCursor(false);
}

void BrowseList::locate(bool onKeyPosition) {
  src_.close();
  const int err = onKeyPosition ? src_.startAtKeyPosition() : (src_.putResetValues(), src_.startAtValue());
  if (err != 0) host_.warn(data::kViewOpenError, {});
  queue_.clear();
  current_ = 0;
  addRows_ = false;
  rowsToFill_ = 1;
  fill(Direction::Forward);
  addRows_ = true;
  refreshPage(rowsToFill_ == 0 ? Mode::AtViewPosition : Mode::FromEnd);
  postNewSelection();
}

void BrowseList::refreshWindow() {
  if (host_.inAcceptAll()) return;
  if (windowRefresh_) {
    windowRefresh_();
    return;
  }
  refreshCheck();
  showThumb();
  show();
  host_.redisplay();
  *pending_ = false;
}

void BrowseList::refreshCheck() {
  const bool first = !loaded_;
  const bool resetChanged = !first && src_.resetValues() != savedReset_;
  if (first || resetChanged || *pending_) {
    saveReset();
    if (!queue_.empty()) {
      const int sel = host_.selected();
      if (sel >= 1 && sel <= static_cast<int>(queue_.size())) current_ = sel;
      rereadCurrent();
    }
    restart();
    if (first) {
      loaded_ = true;
      if (selectMode()) {
        locate(false);
      } else {
        queue_.clear();
        refreshPage(Mode::FromStart);
        postNewSelection();
      }
    } else if (resetChanged) {
      queue_.clear();
      refreshPage(Mode::FromStart);
      postNewSelection();
    } else if (!queue_.empty()) {
      // A forced refresh re-reads the page where it stands, so coming back from a form (or
      // any window) shows others' changes without moving the page or its highlight.
      refreshPage(Mode::CurrentPage);
      postNewSelection();
    } else {
      locate(false);
    }
    if (!queue_.empty()) copyBackCurrent();
  } else if (!queue_.empty()) {
    copyBackCurrent();
  }
}

void BrowseList::onOpen() {
  if (!initialised_) {
    initialised_ = true;
    refreshWindow();
  }
  host_.focusList();
}

void BrowseList::onGainFocus() {
  *pending_ = true;
  if (!initialised_) {
    onOpen();
    return;
  }
  refreshWindow();
}

void BrowseList::onPrivateRefresh() {
  *pending_ = true;
  refreshWindow();
}

void BrowseList::postNewSelection() {
  if (newSelectionPosted_) return;
  newSelectionPosted_ = true;
  host_.postNewSelection();
}

void BrowseList::onNewSelection() {
  newSelectionPosted_ = false;
  const int key = host_.lastKey();
  if (key == ui::Key::MouseRight || key == ui::Key::Apps) {
    host_.clearLastKey();
    const bool rows = !queue_.empty();
    std::string menu = insertAllowed_ ? "&Ny|" : "~&Ny|";
    menu += rows ? "&Endre|" + deleteText_ : "~&Endre|~" + deleteText_;
    if (hasSelect_) menu += (rows && selectMode()) ? "|-|&Velg" : "|-|~&Velg";
    switch (host_.popup(menu)) {
      case 1: host_.postAccepted(ListButton::Insert); break;
      case 2: host_.postAccepted(ListButton::Change); break;
      case 3: host_.postAccepted(ListButton::Delete); break;
      case 4: host_.postAccepted(ListButton::Select); break;
      default: break;
    }
    return;
  }
  if (queue_.empty()) return;
  const int sel = host_.selected();
  if (sel >= 1 && sel <= static_cast<int>(queue_.size())) current_ = sel;
  copyBackCurrent();
  const bool full = static_cast<int>(queue_.size()) == host_.items();
  if (full != host_.vscroll()) host_.setVScroll(full);
  refreshWindow();
}

void BrowseList::scroll(Scroll s) {
  const int n0 = static_cast<int>(queue_.size());
  switch (s) {
    case Scroll::Up:
      if (current_ > 1) {
        --current_;
        rowsToFill_ = 0;
      } else {
        rowsToFill_ = 1;
        fill(Direction::Backward);
      }
      break;
    case Scroll::Down:
      if (current_ < n0) {
        ++current_;
        rowsToFill_ = 0;
      } else {
        rowsToFill_ = 1;
        fill(Direction::Forward);
        // A page that was not full grows at the bottom instead of sliding: follow the new row.
        if (rowsToFill_ == 0 && static_cast<int>(queue_.size()) > n0) current_ = static_cast<int>(queue_.size());
      }
      break;
    case Scroll::PageUp:
      rowsToFill_ = host_.items();
      fill(Direction::Backward);
      if (rowsToFill_ != 0) current_ = std::max(1, current_ - rowsToFill_);
      break;
    case Scroll::PageDown:
      rowsToFill_ = host_.items();
      fill(Direction::Forward);
      if (rowsToFill_ != 0) current_ = std::min(static_cast<int>(queue_.size()), current_ + rowsToFill_);
      break;
    case Scroll::Top:
    case Scroll::Bottom:
      queue_.clear();
      restart();
      rowsToFill_ = host_.items();
      fill(s == Scroll::Top ? Direction::Forward : Direction::Backward);
      current_ = s == Scroll::Top ? (queue_.empty() ? 0 : 1) : static_cast<int>(queue_.size());
      break;
  }
  show();
  postNewSelection();
  const int n = static_cast<int>(queue_.size());
  scrollIndicator_ = 50;
  if (n == host_.items() && rowsToFill_ != 0) scrollIndicator_ = (s == Scroll::Up || s == Scroll::PageUp) ? 0 : 100;
  if (n < host_.items()) scrollIndicator_ = 0;
}

void BrowseList::onScroll(Scroll s) {
  if (queue_.empty()) return;
  scroll(s);
}

void BrowseList::onDrag(int thumb) {
  if (thumb <= 1)
    host_.postScrollTop();
  else if (thumb == 100)
    host_.postScrollBottom();
}

void BrowseList::locator(char c) {
  const auto up = [](char ch) { return static_cast<char>(text::upper1252(static_cast<unsigned char>(ch))); };
  c = up(c);
  if (up(src_.locatorChar()) == c) {
    scroll(Scroll::Down);
    copyBackCurrent();
  }
  if (up(src_.locatorChar()) == c) {
    show();
  } else {
    src_.setLocator(c);
    locate(false);
  }
}

void BrowseList::onAlertKey(int key, char ch) {
  if (!queue_.empty()) {
    switch (key) {
      case ui::Key::MouseRight:
      case ui::Key::Apps: {
        const int row = host_.mouseRow();
        if (row >= 1 && row <= static_cast<int>(queue_.size())) {
          current_ = row;
          show();
        }
        onNewSelection();
        break;
      }
      case ui::Key::MouseLeft2:
        if (selectMode()) {
          host_.postAccepted(ListButton::Select);
        } else {
          host_.postAccepted(ListButton::Change);
          copyBackCurrent();
        }
        break;
      case ui::Key::Insert: host_.postAccepted(ListButton::Insert); break;
      case ui::Key::Delete: host_.postAccepted(ListButton::Delete); break;
      case ui::Key::CtrlEnter: host_.postAccepted(ListButton::Change); break;
      default:
        if (ch != '\0' && ch != ' ') locator(ch);
        break;
    }
  } else if (key == ui::Key::MouseRight || key == ui::Key::Apps) {
    onNewSelection();
  } else if (key == ui::Key::Insert) {
    host_.postAccepted(ListButton::Insert);
  }
  postNewSelection();
}

void BrowseList::rereadCurrent() {
  if (current_ < 1 || current_ > static_cast<int>(queue_.size())) return;
  const BrowseRow& row = queue_[current_ - 1];
  // Gone since the page was read: the buffer shows the row as listed, with no current record,
  // so a change or delete confirmed on it ends as not found.
  if (src_.reread(row.position) != 0) {
    src_.clearBuffer();
    src_.copyBack(row.columns);
  }
}

void BrowseList::copyBackCurrent() {
  if (current_ >= 1 && current_ <= static_cast<int>(queue_.size())) src_.copyBack(queue_[current_ - 1].columns);
}

void BrowseList::show() { host_.showPage(queue_, current_); }

void BrowseList::onButton(ListButton b) {
  if (!queue_.empty()) rereadCurrent();
  switch (b) {
    case ListButton::Select:
      response_ = data::Response::Completed;
      host_.postClose();
      break;
    case ListButton::Close:
      response_ = selectMode() ? data::Response::Cancelled : data::Response::Completed;
      host_.postClose();
      break;
    case ListButton::Insert:
      if (!insertAllowed_) break;
      src_.clearBuffer();
      src_.primeInsert(savedReset_);
      callForm(data::Request::Insert);
      break;
    case ListButton::Change:
      // A form for a record needs one; the button is disabled then, a posted event is not.
      if (!queue_.empty()) callForm(data::Request::Change);
      break;
    case ListButton::Delete:
      if (!queue_.empty()) callForm(data::Request::Delete);
      break;
  }
}

void BrowseList::callForm(int request) {
  src_.close();
  localRequest_ = request;
  response_ = src_.callForm(request);
  restart();
  if (response_ == data::Response::Completed) {
    if (request == data::Request::Insert || request == data::Request::Change) {
      locate(true);
    } else {
      if (current_ >= 1 && current_ <= static_cast<int>(queue_.size())) queue_.erase(queue_.begin() + (current_ - 1));
      refreshPage(Mode::CurrentPage);
    }
  } else {
    refreshPage(Mode::CurrentPage);
  }
  postNewSelection();
  host_.focusList();
  localRequest_ = firstRequest_;
  response_ = data::Response::Cancelled;
  refreshWindow();
}

}  // namespace maintenance
