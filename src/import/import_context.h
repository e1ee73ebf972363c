#pragma once
// Everything one import run works with: the window's choices, the shared state, the progress
// lines, the log, the laboratory tables, the thread's record files, the batched writer and the
// mapping rows read once per run.
#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "data/thread_state.h"
#include "import/control_writer.h"
#include "import/import_choices.h"
#include "import/import_progress.h"
#include "import/import_run_state.h"
#include "import/lab_source.h"
#include "import/log_file.h"

namespace import {

struct ImportContext {
  ImportContext(const ImportChoices& c, ImportRunState& s, ImportProgress& p, LogFile& l, LabSource& lab_,
                data::ThreadState& t)
      : choices(c),
        state(s),
        progress(p),
        log(l),
        lab(lab_),
        thr(t),
        writer(l, s, {&t.Utslippskontroll, &t.Slamkontroll}) {}

  const ImportChoices& choices;
  ImportRunState& state;
  ImportProgress& progress;
  LogFile& log;
  LabSource& lab;
  data::ThreadState& thr;
  ControlWriter writer;

  JournalRow journal;  // the current journal row
  SampleRow sample;    // the current sample row
  text::Date today = 0;

  // Sets a progress line, cut to the window's 80 characters.
  void line(int n, std::string_view utf8);
  // Logs a problem in the laboratory's data; the log is shown at the end of the run.
  void problem(const std::string& logLine);
  // The current journal as the log and the stored records name it ("08/0123").
  std::string journalText() const;
  void redraw() { progress.redraw(); }
  // Whether a line built now would be shown (see ImportProgress::redrawDue).
  bool progressDue() const { return progress.redrawDue(); }
  // The run was stopped (a file error, a full disk, files held by another process, a log
  // that cannot be written).
  bool stopped() const { return writer.stopped() || log.appendFailed(); }
  // A read of `f` failed with anything but its end: kind 35 with its label, what is written
  // kept, and the run stopped with the file and its error as the cause. A walk cut short must
  // not end the run as if it were complete.
  void readFailed(const store::FileBase& f);
  // After a walk of the laboratory's tables: one cut short by a read error stops the run.
  void checkLabWalk();

  struct ParameterMapping {
    data::MapParamRecord rec;
    std::string progress;  // the third progress line while this mapping is read
  };
  // The laboratory's parameter mappings of one sample type, in key order, read once per run
  // (a read failure stops the run; the mappings read so far are returned).
  const std::vector<ParameterMapping>& parameterMappings(char prtype);
  // A mapping of the type was passed over for a factor that is no number: the type's stored
  // controls are not rewritten, since the rewrite would leave that parameter's value out.
  bool factorPassedOver(char prtype) const { return passedOver_[prtype == 'S' ? 1 : 0]; }
  // The place mappings of (requisitioner, place key) in key order, read once per run (a read
  // failure stops the run).
  const std::vector<data::MapStedRecord>& placeMappings(const text::Str<6>& rekv, const text::Str<32>& placeKey);

 private:
  bool haveMappings_[2] = {false, false};
  bool passedOver_[2] = {false, false};
  std::vector<ParameterMapping> mappings_[2];
  struct PlaceKey {
    std::array<char, 38> bytes;  // requisitioner (6) and place key (32)
    auto operator<=>(const PlaceKey&) const = default;
  };
  std::map<PlaceKey, std::vector<data::MapStedRecord>> places_;
};

// Runs `take` for each mapping of the type whose result in the current sample row is not 0,
// after showing the analysis code on line 3; leaves the mapping in the MapParam buffer and its
// result in ResultValue.
template <class F>
void forEachResult(ImportContext& ctx, char prtype, F take);

}  // namespace import

#include "import/import_context_impl.h"
