#include "data/cascade_walk.h"

#include "data/cascade.h"
#include "data/warnings.h"
#include "platform/text/str.h"

namespace data {

bool sameLink(std::string_view a, std::string_view b) { return text::compareBlankPaddedNoCase(a, b) == 0; }

namespace cascade {

namespace {
constexpr int kWaitSeconds = 2;

int failed(int kind, std::string_view label) {
  SaveLastError();
  ShowWarningText(kind, label);
  return 1;
}

// The file of `files` another station holds, found by trying each alone without a wait (the
// begin over all of them does not say which); `fallback` when none is held by now.
std::string_view heldFile(const std::vector<store::FileBase*>& files, std::string_view fallback) {
  for (store::FileBase* f : files) {
    store::Transaction probe;
    if (probe.begin({f}, 0) == store::Err::Locked) return f->label();
  }
  return fallback;
}
}  // namespace

bool begin(store::Transaction& tx, std::vector<store::FileBase*> files, std::string_view what, std::string_view label) {
  if (tx.begin(files, kWaitSeconds) == 0) return true;
  const bool locked = tx.error().code == store::Err::Locked;
  SaveLastError();
  ShowWarning(kTransactionFramingError, what, locked ? heldFile(files, label) : label);
  return false;
}

bool commit(store::Transaction& tx, int kind, std::string_view label) {
  if (tx.commit() == 0) return true;
  failed(kind, label);
  return false;
}

int walkOwned(store::FileBase& file, store::KeyId key, const std::function<void()>& setOwner,
              const std::function<bool()>& owned, const std::function<int()>& step) {
  file.clear();
  setOwner();
  int rc = file.setFrom(key);
  while (rc == 0) {
    rc = file.next();
    if (rc != 0) break;
    if (!owned()) return 0;
    if (step() != 0) return 1;
  }
  if (rc == store::Err::NoRecord) return 0;
  return failed(35, file.label());
}

int removeRecord(store::FileBase& file, int kind) { return file.remove() == 0 ? 0 : failed(kind, file.label()); }
int rewriteRecord(store::FileBase& file, int kind) { return file.put() == 0 ? 0 : failed(kind, file.label()); }

}  // namespace cascade
}  // namespace data
