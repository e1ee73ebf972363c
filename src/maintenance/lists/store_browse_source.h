#pragma once
// The view part of a list's source over a keyed file of the store: key order, an optional
// filter predicate, positions and re-reads with change detection. The lists add their columns.
#include <string>
#include <string_view>

#include "maintenance/lists/browse_source.h"
#include "platform/store/view.h"

namespace maintenance {

template <class Rec>
class StoreBrowseSource : public BrowseSource {
 public:
  using Filter = typename store::View<Rec>::Filter;

  StoreBrowseSource(store::File<Rec>& file, store::KeyId key, Filter filter = {})
      : file_(file), key_(key), view_(file, key, std::move(filter)) {}

  int start() override { return started(view_.start()); }
  int startAtValue() override { return started(view_.startAt()); }
  int startAtKeyPosition() override { return started(view_.startAtPosition(file_.position(key_))); }
  void close() override { readAhead_ = 0; }
  int next() override { return view_.next(); }
  int previous() override { return view_.previous(); }
  std::string position() const override { return view_.position(); }
  void resetTo(std::string_view pos) override { view_.reset(pos); }
  // A failed re-read would leave the record read last current, and a form would then rewrite
  // or delete that one in place of the record that is gone.
  int reread(std::string_view pos) override {
    const int err = file_.reget(key_, pos, true);
    if (err != 0) file_.forget();
    return err;
  }
  int readAhead() const override { return readAhead_; }
  void setReadAhead(int n) override {
    readAhead_ = n;
    view_.setReadAhead(n);
  }
  // A store after a failed insert must not overwrite the record last read.
  void clearBuffer() override {
    file_.forget();
    file_.clear();
  }
  std::string label() const override { return file_.label(); }

 protected:
  store::File<Rec>& file_;
  store::KeyId key_;

 private:
  // An empty view is not a failure to start it.
  static int started(int err) { return err == store::Err::NoRecord ? 0 : err; }
  store::View<Rec> view_;
  int readAhead_ = 0;
};

}  // namespace maintenance
