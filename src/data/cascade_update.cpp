// Rewriting a mapping record and carrying a changed linking field over to what it owns, in one
// transaction; a rewrite refused because another station changed the record shows the stored
// version.
#include <functional>
#include <string>

#include "data/cascade.h"
#include "data/cascade_walk.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "data/warnings.h"

namespace data {

void SaveMapLabLinks() {
  auto& t = thr();
  t.SavedMapLabLab = t.MapLab.rec.LAB;
}

void SaveMapLeverLinks() {
  auto& t = thr();
  t.SavedMapLeverLab = t.MapLever.rec.LAB;
  t.SavedMapLeverLeverand = t.MapLever.rec.LEVERAND;
}

void SaveMapParamLinks() {}
void SaveMapStedLinks() {}

namespace {

using cascade::rewriteRecord;
using cascade::walkOwned;

// The place mappings of (SavedMapLeverLab, SavedMapLeverLeverand) move to the laboratory and
// supplier in the MapLever buffer. Reading goes on from each rewritten record's old place.
int CascadeUpdateLeverSted() {
  auto& t = thr();
  auto& s = t.MapSted;
  return walkOwned(
      s, MapSted::MAPSTEDKEY,
      [&] {
        s.rec.LAB = t.SavedMapLeverLab;
        s.rec.LEVERAND = t.SavedMapLeverLeverand;
      },
      [&] {
        return sameLink(s.rec.LAB.raw(), t.SavedMapLeverLab.raw()) &&
               sameLink(s.rec.LEVERAND.raw(), t.SavedMapLeverLeverand.raw());
      },
      [&] {
        SaveMapStedLinks();
        s.rec.LAB = t.MapLever.rec.LAB;
        s.rec.LEVERAND = t.MapLever.rec.LEVERAND;
        return rewriteRecord(s);
      });
}

// A laboratory's records in one owned file move from SavedMapLabLab to the code in MAP:LAB.
template <class F>
int moveLabOwned(F& file, store::KeyId key, const std::function<void()>& saveLinks,
                 const std::function<int()>& beforeRewrite = {}) {
  auto& t = thr();
  return walkOwned(
      file, key, [&] { file.rec.LAB = t.SavedMapLabLab; },
      [&] { return sameLink(file.rec.LAB.raw(), t.SavedMapLabLab.raw()); },
      [&] {
        saveLinks();
        file.rec.LAB = t.MapLab.rec.LAB;
        if (beforeRewrite && beforeRewrite() != 0) return 1;
        return rewriteRecord(file);
      });
}

// Each supplier mapping's place mappings move before the supplier mapping is rewritten.
int CascadeUpdateLabLever() {
  auto& t = thr();
  return moveLabOwned(t.MapLever, MapLever::MAPLEVERKEY, SaveMapLeverLinks,
                      [&] { return t.MapLever.rec.LAB != t.SavedMapLabLab ? CascadeUpdateLeverSted() : 0; });
}
int CascadeUpdateLabParam() { return moveLabOwned(thr().MapParam, MapParam::MAPPARAMKEY, SaveMapParamLinks); }
// The place mappings left under the old code: those whose supplier had no supplier mapping.
int CascadeUpdateLabSted() { return moveLabOwned(thr().MapSted, MapSted::MAPSTEDKEY, SaveMapStedLinks); }

// One shape for the four: owned files, transaction, the position kept for a re-read, the owner
// rewritten first, then the cascades when a linking field changed.
template <class Rec>
int updateOperation(store::File<Rec>& file, store::KeyId key, std::initializer_list<FileId> owned,
                    std::vector<store::FileBase*> txFiles, const std::function<void()>& saveLinks,
                    const std::function<bool()>& linksChanged, const std::function<int()>& cascades) {
  auto& t = thr();
  const UsedFiles files(owned);
  store::Transaction tx;
  if (!cascade::begin(tx, std::move(txFiles), "Update", file.label())) return 1;
  t.SavedPosition = file.position(key);
  if (file.put() != 0) {
    SaveLastError();
    if (savedError().code == store::Err::ChangedByOther) {
      // A watched rewrite is refused alike when the record was changed and when it is gone;
      // the re-read tells them apart. Gone is not found: the user's changes stay for a retry.
      const Rec changes = file.rec;
      if (file.reget(key, t.SavedPosition.str(), true) != 0) {
        file.rec = changes;
        SaveLastError();
        ShowWarningText(kUpdateOperationError, file.label());
        return 1;
      }
      ShowWarningKind(kRecordChangedElsewhere);
      // The cascade must start from the links as stored now, not as they were at the open:
      // the user may recall his own values and save them over the other station's.
      if (saveLinks) saveLinks();
      return 2;
    }
    ShowWarningText(kUpdateOperationError, file.label());
    return 1;
  }
  bool done = true;
  if (linksChanged && linksChanged() && cascades() != 0) {
    tx.rollback();
    done = false;
  }
  if (done) done = cascade::commit(tx, 15, file.label());
  if (done) return 0;
  // The rewrite was rolled back: take the stored record as current again, so a retry rewrites
  // it, and keep the user's changes in the buffer.
  const Rec changes = file.rec;
  file.reget(key, t.SavedPosition.str(), true);
  file.rec = changes;
  return 1;
}

}  // namespace

int UpdateMapLab() {
  auto& t = thr();
  return updateOperation(
      t.MapLab, MapLab::MAPLABKEY, {FileId::MapLever, FileId::MapParam, FileId::MapSted},
      {&t.MapLab, &t.MapLever, &t.MapParam, &t.MapSted}, SaveMapLabLinks,
      [&] { return t.MapLab.rec.LAB != t.SavedMapLabLab; },
      [] {
        if (CascadeUpdateLabLever() != 0) return 1;
        if (CascadeUpdateLabParam() != 0) return 1;
        return CascadeUpdateLabSted();
      });
}

int UpdateMapLever() {
  auto& t = thr();
  return updateOperation(
      t.MapLever, MapLever::MAPLEVERKEY, {FileId::MapSted}, {&t.MapLever, &t.MapSted}, SaveMapLeverLinks,
      [&] { return t.MapLever.rec.LAB != t.SavedMapLeverLab || t.MapLever.rec.LEVERAND != t.SavedMapLeverLeverand; },
      CascadeUpdateLeverSted);
}

int UpdateMapParam() {
  auto& t = thr();
  return updateOperation(t.MapParam, MapParam::MAPPARAMKEY, {}, {&t.MapParam}, {}, {}, {});
}

int UpdateMapSted() {
  auto& t = thr();
  return updateOperation(t.MapSted, MapSted::MAPSTEDKEY, {}, {&t.MapSted}, {}, {}, {});
}

}  // namespace data
