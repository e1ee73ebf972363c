// Deleting a mapping record with everything it owns, in one transaction.
#include <functional>
#include <string>

#include "data/cascade.h"
#include "data/cascade_walk.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "data/warnings.h"

namespace data {

namespace {

using cascade::removeRecord;
using cascade::walkOwned;

// The place mappings of the supplier mapping in the MapLever buffer. A supplier code is six
// characters in MapSted: a longer code owns none (the forms refuse such codes).
int CascadeDeleteLeverSted() {
  auto& t = thr();
  auto& s = t.MapSted;
  const auto& l = t.MapLever.rec;
  return walkOwned(
      s, MapSted::MAPSTEDKEY,
      [&] {
        s.rec.LAB = l.LAB;
        s.rec.LEVERAND = l.LEVERAND;
      },
      [&] { return sameLink(s.rec.LAB.raw(), l.LAB.raw()) && sameLink(s.rec.LEVERAND.raw(), l.LEVERAND.raw()); },
      [&] { return removeRecord(s); });
}

// A laboratory's records in one owned file: walked from the laboratory's lowest key value.
template <class F>
int deleteLabOwned(F& file, store::KeyId key, const std::function<int()>& before = {}) {
  const auto& lab = thr().MapLab.rec.LAB;
  return walkOwned(
      file, key, [&] { file.rec.LAB = lab; }, [&] { return sameLink(file.rec.LAB.raw(), lab.raw()); },
      [&] {
        if (before && before() != 0) return 1;
        return removeRecord(file);
      });
}

int CascadeDeleteLabLever() { return deleteLabOwned(thr().MapLever, MapLever::MAPLEVERKEY, CascadeDeleteLeverSted); }
int CascadeDeleteLabParam() { return deleteLabOwned(thr().MapParam, MapParam::MAPPARAMKEY); }
// The place mappings left: those whose supplier had no supplier mapping.
int CascadeDeleteLabSted() { return deleteLabOwned(thr().MapSted, MapSted::MAPSTEDKEY); }

// One shape for the four: position on entry, owned files, transaction, the record re-read as
// stored now (its stored linking fields drive the cascades; one gone is not found), cascades,
// the record last.
int deleteOperation(store::FileBase& file, store::KeyId key, std::initializer_list<FileId> owned,
                    std::vector<store::FileBase*> txFiles, const std::function<int()>& cascades) {
  const std::string position = file.position(key);
  const UsedFiles files(owned);
  store::Transaction tx;
  if (!cascade::begin(tx, std::move(txFiles), "Delete", file.label())) return 1;
  // A record gone since it was read leaves nothing to delete: its code may name another
  // station's new laboratory by now, whose mappings the cascades would take.
  if (file.reget(key, position) != 0) {
    SaveLastError();
    ShowWarningText(kDeleteOperationError, file.label());
    return 1;
  }
  if (cascades && cascades() != 0) {
    tx.rollback();
    return 1;
  }
  if (removeRecord(file) != 0) return 1;
  return cascade::commit(tx, 17, file.label()) ? 0 : 1;
}

}  // namespace

int DeleteMapLab() {
  auto& t = thr();
  return deleteOperation(t.MapLab, MapLab::MAPLABKEY, {FileId::MapLever, FileId::MapParam, FileId::MapSted},
                         {&t.MapLab, &t.MapLever, &t.MapParam, &t.MapSted}, [] {
                           if (CascadeDeleteLabLever() != 0) return 1;
                           if (CascadeDeleteLabParam() != 0) return 1;
                           return CascadeDeleteLabSted();
                         });
}

int DeleteMapLever() {
  auto& t = thr();
  return deleteOperation(t.MapLever, MapLever::MAPLEVERKEY, {FileId::MapSted}, {&t.MapLever, &t.MapSted},
                         CascadeDeleteLeverSted);
}

int DeleteMapParam() {
  auto& t = thr();
  return deleteOperation(t.MapParam, MapParam::MAPPARAMKEY, {}, {&t.MapParam}, {});
}

int DeleteMapSted() {
  auto& t = thr();
  return deleteOperation(t.MapSted, MapSted::MAPSTEDKEY, {}, {&t.MapSted}, {});
}

}  // namespace data
