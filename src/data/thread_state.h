#pragma once
// Per-thread state: one instance of each per-thread record file, the THR: variables, the
// request and response of calls on the thread, the use counters and the saved linking fields.
// A thread's state comes into being cleared on its first touch and is released at thread end.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "data/declared_files.h"
#include "data/file_id.h"
#include "data/program_files.h"
#include "data/registry_files.h"
#include "platform/text/str.h"

namespace data {

struct ThreadState {
  ThreadState();
  ~ThreadState();
  ThreadState(const ThreadState&) = delete;
  ThreadState& operator=(const ThreadState&) = delete;

  data::Lab2Siv Lab2Siv;
  data::MapLab MapLab;
  data::Labuser Labuser;
  data::MapLever MapLever;
  data::MapParam MapParam;
  data::MapSted MapSted;
  data::Postadresser Postadresser;
  data::Slamdisponering Slamdisponering;
  data::Slamkontroll Slamkontroll;
  data::PrTakingsSted PrTakingsSted;
  data::Slamoverforing Slamoverforing;
  data::Driftsdata Driftsdata;
  data::Anlegg Anlegg;
  data::Parameter Parameter;
  data::PrType PrType;
  data::Driftsanalyser Driftsanalyser;
  data::Utslippskontroll Utslippskontroll;
  data::Bef_reg Bef_reg;
  data::Bef_dato Bef_dato;

  text::Str<4> LAB;      // THR:LAB
  text::Str<3> PR_TYPE;  // THR:PR_TYPE
  std::int32_t ThreadRequest = 0;
  std::int32_t ThreadResponse = 0;

  // Saved linking fields of the mapping updates.
  text::Str<4> SavedMapLabLab;
  text::Str<4> SavedMapLeverLab;
  text::Str<10> SavedMapLeverLeverand;
  text::Str<512> SavedPosition;

  // Use counters, indexed by FileId; only the 13 counted files are ever raised.
  std::array<std::int32_t, kPerThreadFileCount> useCount{};

  // The thread's instance of a per-thread file (not Datasett or ImportLog).
  store::FileBase& file(FileId id);
};

// The calling thread's state.
ThreadState& thr();

// What a caller asks of a list or form on its own thread (ThreadRequest), and what the called
// side answers (ThreadResponse).
namespace Request {
inline constexpr int Insert = 1;
inline constexpr int Change = 2;
inline constexpr int Delete = 3;
inline constexpr int Select = 4;
inline constexpr int View = 6;
}  // namespace Request
namespace Response {
inline constexpr int Completed = 1;
inline constexpr int Cancelled = 2;
}  // namespace Response

// The calling side: sets the thread's request and runs `call` on this thread; returns the
// response it left (Completed, or Cancelled for anything else). A `call` that returns false ran
// nothing: the request is cleared and the response is Cancelled, as a finished call leaves them.
int callWithRequest(int request, const std::function<bool()>& call);
// The called side, as it starts: the thread's request, with request and response cleared.
int takeThreadRequest();

// True for the 13 files that have a per-thread use counter.
bool hasUseCounter(FileId id);

}  // namespace data
