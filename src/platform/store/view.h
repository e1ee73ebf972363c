#pragma once
// Views: a file read in key order through an optional filter predicate, with its own place,
// reading into the file's record buffer. A record failing the filter is passed over, so the
// view returns exactly the rows a filter text over the same key would.
#include <functional>
#include <string>
#include <string_view>

#include "platform/store/file.h"

namespace store {

class ViewBase {
 public:
  ViewBase(FileBase& file, KeyId key) : file_(file), key_(key) {}
  virtual ~ViewBase() = default;

  int start();                                // from the start of the key
  int startAt();                              // from the file buffer's key value
  int startAtPosition(std::string_view pos);  // from a record's position (that record first)
  int next();                                 // 33 when no further record passes
  int previous();
  std::string position() const { return file_.position(key_); }
  int reset(std::string_view pos) { return startAtPosition(pos); }
  void setReadAhead(int records) { file_.setReadAhead(records); }

  FileBase& file() { return file_; }
  KeyId key() const { return key_; }

 protected:
  virtual bool passes() const = 0;

 private:
  int step(bool forward);
  FileBase& file_;
  KeyId key_;
  std::string place_;  // position of the last record returned or the start point
  int mode_ = 0;       // internal: 0 not started, 1 start, 2 at value, 3 at place
  bool inclusive_ = false;
};

template <class Rec>
class View : public ViewBase {
 public:
  using Filter = std::function<bool(const Rec&)>;
  View(File<Rec>& file, KeyId key, Filter filter = {})
      : ViewBase(file, key), rec_(file.rec), filter_(std::move(filter)) {}

 protected:
  bool passes() const override { return !filter_ || filter_(rec_); }

 private:
  const Rec& rec_;
  Filter filter_;
};

}  // namespace store
