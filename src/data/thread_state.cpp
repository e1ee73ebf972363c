#include "data/thread_state.h"

#include <cstdlib>
#include <memory>

#include "data/file_names.h"

namespace data {

ThreadState::ThreadState() {
  // Each instance takes its disk name from the process-wide variable at every open.
  for (std::size_t i = 0; i < kPerThreadFileCount; ++i) {
    const auto id = FileId(i);
    auto& f = file(id);
    f.setNameSource([id] { return fileName(id); });
    f.clear();
  }
}

ThreadState::~ThreadState() = default;  // every instance closes itself

store::FileBase& ThreadState::file(FileId id) {
  switch (id) {
    case FileId::Lab2Siv: return Lab2Siv;
    case FileId::MapLab: return MapLab;
    case FileId::Labuser: return Labuser;
    case FileId::MapLever: return MapLever;
    case FileId::MapParam: return MapParam;
    case FileId::MapSted: return MapSted;
    case FileId::Postadresser: return Postadresser;
    case FileId::Slamdisponering: return Slamdisponering;
    case FileId::Slamkontroll: return Slamkontroll;
    case FileId::PrTakingsSted: return PrTakingsSted;
    case FileId::Slamoverforing: return Slamoverforing;
    case FileId::Driftsdata: return Driftsdata;
    case FileId::Anlegg: return Anlegg;
    case FileId::Parameter: return Parameter;
    case FileId::PrType: return PrType;
    case FileId::Driftsanalyser: return Driftsanalyser;
    case FileId::Utslippskontroll: return Utslippskontroll;
    case FileId::Bef_reg: return Bef_reg;
    case FileId::Bef_dato: return Bef_dato;
    default: break;
  }
  std::abort();  // Datasett and the import log have no per-thread instance
}

ThreadState& thr() {
  // Made on the thread's first touch, released when the thread ends.
  thread_local std::unique_ptr<ThreadState> state;
  if (!state) state = std::make_unique<ThreadState>();
  return *state;
}

bool hasUseCounter(FileId id) {
  switch (id) {
    case FileId::Lab2Siv:
    case FileId::MapLab:
    case FileId::Labuser:
    case FileId::MapLever:
    case FileId::MapParam:
    case FileId::MapSted:
    case FileId::Postadresser:
    case FileId::Slamkontroll:
    case FileId::PrTakingsSted:
    case FileId::Anlegg:
    case FileId::Parameter:
    case FileId::PrType:
    case FileId::Utslippskontroll: return true;
    default: return false;
  }
}

int callWithRequest(int request, const std::function<bool()>& call) {
  ThreadState& t = thr();
  t.ThreadRequest = request;
  if (!call()) {
    t.ThreadRequest = 0;
    t.ThreadResponse = Response::Cancelled;
  }
  return t.ThreadResponse == Response::Completed ? Response::Completed : Response::Cancelled;
}

int takeThreadRequest() {
  ThreadState& t = thr();
  const int request = t.ThreadRequest;
  t.ThreadRequest = 0;
  t.ThreadResponse = 0;
  return request;
}

}  // namespace data
