#pragma once
// What the delete and update cascades share: the owned files taken through the use counters,
// the transaction's begin with its warning, and the walk through an owner's records.
#include <functional>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "data/file_id.h"
#include "platform/store/file.h"
#include "platform/store/transaction.h"

namespace data::cascade {

// Begins the transaction over `files` with the 2-second wait. On failure: the error saved,
// kind 34 with `what` ("Delete", "Update") and the label of the file another station holds
// (`label` when the failure is not a lock), false.
bool begin(store::Transaction& tx, std::vector<store::FileBase*> files, std::string_view what, std::string_view label);

// Commits; on failure saves the error and shows `kind` with the label. True when committed.
bool commit(store::Transaction& tx, int kind, std::string_view label);

// Walks `file` in the order of `key` from the value `setOwner` puts into the cleared buffer
// (later key components blank, the lowest value), while `owned` says the record read belongs
// to the owner, calling `step` on each. End of file ends the walk; another read error saves
// it and shows kind 35 with the file's label. 0 done, 1 failed (warned, rolled back).
int walkOwned(store::FileBase& file, store::KeyId key, const std::function<void()>& setOwner,
              const std::function<bool()>& owned, const std::function<int()>& step);

// The current record of `file` deleted or rewritten; on failure the error saved and `kind`
// (17 delete, 15 update) shown with the file's label. 0 or 1.
int removeRecord(store::FileBase& file, int kind = 17);
int rewriteRecord(store::FileBase& file, int kind = 15);

}  // namespace data::cascade
