#include "generated_import.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "../import/generated_export.h"
#include "data/file_names.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "import/dbase_lab_source.h"
#include "import/run_import.h"
#include "platform/ui/api/procedure.h"

namespace benchimport {

namespace {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using data::FileId;
constexpr int kJournalsPerSupplier = 100;  // 20 x 100 x 4 = 8,000 rows

class NullProgress : public import::ImportProgress {
 public:
  void showLine(int, std::string_view) override {}
  void redraw() override {}
};

}  // namespace

void generateLab(const fs::path& dir) { benchexport::generateLab(dir, kJournalsPerSupplier); }

const FileId kRunFiles[] = {FileId::MapLab, FileId::MapLever,         FileId::MapParam,    FileId::MapSted,
                            FileId::Anlegg, FileId::Utslippskontroll, FileId::Slamkontroll};

void prepareDataDir(const fs::path& data, const fs::path& lab) {
  fs::create_directories(data);
  data::setDataDirectory(data.string());
  data::SetFileNames();
  for (FileId id : kRunFiles) data::useFile(id);
  benchexport::setUpRegistry(lab);
  for (FileId id : kRunFiles) data::dropFile(id);
}

double plainRun(const fs::path& lab) {
  double ms = -1;
  // On a thread of its own, like the window's run, with fresh per-thread files.
  ui::startProcedure([&] {
    for (FileId id : kRunFiles) data::useFile(id);
    auto& t = data::thr();
    t.LAB = "BL";
    t.MapLab.rec.LAB = "BL";
    t.MapLab.get(data::MapLab::MAPLABKEY);
    import::ImportChoices ch;
    ch.IMPORTFILE = (lab / "RNX20.dbf").string();
    ch.UTSLKTR = ch.SLAMKTR = ch.OVERSKRIVES = ch.LOGSLETT = true;
    import::ImportRunState state;
    NullProgress progress;
    import::DbaseLabSource source(ch.IMPORTFILE);
    const auto t0 = Clock::now();
    import::RunImport(ch, state, progress, source);
    ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    for (FileId id : kRunFiles) data::dropFile(id);
  });
  ui::waitProceduresEnded(std::chrono::minutes(5));
  return ms;
}

}  // namespace benchimport
