#pragma once
// An in-memory list file and list window for driving the list machinery without a store or a
// window layer. The file is a set of unique codes ordered without regard to case; a position
// is the code itself.
#include <algorithm>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "maintenance/lists/browse_list.h"
#include "platform/text/codepage.h"

namespace maintenance::testing {

struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const { return text::upper1252(a) < text::upper1252(b); }
};

class FakeSource : public BrowseSource {
 public:
  std::set<std::string, NoCaseLess> records;
  std::string buffer;
  std::function<int(int, FakeSource&)> form = [](int, FakeSource&) { return 2; };
  int failOnRead = 0;  // the n-th read from now fails with 90
  int reads = 0;
  std::vector<std::string> rereads;

  int start() override {
    state_ = State::Fresh;
    return 0;
  }
  int startAtValue() override {
    state_ = State::Anchor;
    key_ = buffer;
    return 0;
  }
  int startAtKeyPosition() override { return startAtValue(); }
  void close() override {}
  int next() override { return read(true); }
  int previous() override { return read(false); }
  std::string position() const override { return last_; }
  void resetTo(std::string_view p) override {
    state_ = State::Anchor;
    key_ = std::string(p);
  }
  int reread(std::string_view p) override {
    rereads.emplace_back(p);
    if (!records.count(std::string(p))) return store::Err::RecordNotFound;
    buffer = std::string(p);
    return 0;
  }
  void clearBuffer() override { buffer.clear(); }
  std::vector<std::string> makeRow() override { return {buffer}; }
  void copyBack(const std::vector<std::string>& row) override { buffer = row.at(0); }
  char locatorChar() const override { return buffer.empty() ? ' ' : buffer[0]; }
  void setLocator(char c) override { buffer = std::string(1, c); }
  int callForm(int request) override { return form(request, *this); }
  std::string label() const override { return "Fake"; }

 private:
  enum class State { Fresh, Anchor, Read };
  int read(bool forward) {
    ++reads;
    if (failOnRead > 0 && --failOnRead == 0) return 90;
    NoCaseLess less;
    const std::string* found = nullptr;
    if (forward) {
      for (const auto& r : records) {
        const bool ok = state_ == State::Fresh || (state_ == State::Anchor ? !less(r, key_) : less(key_, r));
        if (ok) {
          found = &r;
          break;
        }
      }
    } else {
      for (auto it = records.rbegin(); it != records.rend(); ++it) {
        const bool ok = state_ == State::Fresh || (state_ == State::Anchor ? !less(key_, *it) : less(*it, key_));
        if (ok) {
          found = &*it;
          break;
        }
      }
    }
    if (!found) return store::Err::NoRecord;
    buffer = last_ = key_ = *found;
    state_ = State::Read;
    return 0;
  }
  State state_ = State::Fresh;
  std::string key_;
  std::string last_;
};

// A list window: posted events wait in a queue that pump() hands to the list.
class FakeHost : public BrowseHost {
 public:
  enum class Ev { NewSelection, Accepted, ScrollTop, ScrollBottom, Close };
  struct Posted {
    Ev ev;
    ListButton button = ListButton::Close;
  };

  int rowsShown = 5;
  int sel = 0;
  std::vector<std::string> page;
  bool scrollBar = false;
  int thumb = -1;
  int mouse = 0;
  bool recordButtons = true;
  bool closed = false;
  int key = 0;
  std::vector<std::string> menus;
  int menuAnswer = 0;
  std::vector<int> warnings;
  std::deque<Posted> posted;

  int items() const override { return rowsShown; }
  int selected() const override { return sel; }
  void showPage(const std::deque<BrowseRow>& rows, int current) override {
    page.clear();
    for (const auto& r : rows) page.push_back(r.columns.at(0));
    sel = current;
  }
  void setVScroll(bool on) override { scrollBar = on; }
  bool vscroll() const override { return scrollBar; }
  void setThumb(int p) override { thumb = p; }
  int mouseRow() const override { return mouse; }
  void setRecordButtons(bool e) override { recordButtons = e; }
  void postAccepted(ListButton b) override { posted.push_back({Ev::Accepted, b}); }
  void postNewSelection() override { posted.push_back({Ev::NewSelection}); }
  void postScrollTop() override { posted.push_back({Ev::ScrollTop}); }
  void postScrollBottom() override { posted.push_back({Ev::ScrollBottom}); }
  void postClose() override { posted.push_back({Ev::Close}); }
  void focusList() override {}
  void redisplay() override {}
  bool inAcceptAll() const override { return false; }
  int popup(std::string_view items) override {
    menus.emplace_back(items);
    return menuAnswer;
  }
  void waitCursor(bool) override {}
  int lastKey() const override { return key; }
  void clearLastKey() override { key = 0; }
  void warn(int kind, std::string_view) override { warnings.push_back(kind); }

  // Hands every posted event to the list, as its window's event loop would.
  void pump(BrowseList& list) {
    while (!posted.empty() && !closed) {
      const Posted p = posted.front();
      posted.pop_front();
      switch (p.ev) {
        case Ev::NewSelection: list.onNewSelection(); break;
        case Ev::Accepted: list.onButton(p.button); break;
        case Ev::ScrollTop: list.onScroll(Scroll::Top); break;
        case Ev::ScrollBottom: list.onScroll(Scroll::Bottom); break;
        case Ev::Close: closed = true; break;
      }
    }
  }
};

}  // namespace maintenance::testing
