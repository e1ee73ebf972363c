#include "import/run_import.h"

#include <sys/stat.h>

#include "data/cascade.h"
#include "data/file_names.h"
#include "import/import_steps.h"
#include "import/log_lines.h"
#include "platform/store/error.h"
#include "platform/store/paths.h"
#include "platform/text/picture.h"
#include "platform/ui/api/message.h"

namespace import {
namespace {

// A run without its log leaves no trail of what it stored: it does not start.
bool openLog(ImportContext& ctx, const std::string& path) {
  if (ctx.choices.LOGSLETT) {
    ctx.line(1, "Oppretter ny logg-file!");
    ctx.line(2, "");
    ctx.line(3, "");
    ctx.redraw();
    ctx.log.close();
    return ctx.log.create(path);
  }
  ctx.log.close();
  if (ctx.log.open(path)) return true;
  struct stat st {};
  // Only a missing log is created; anything else in its place is refused by the open.
  if (::lstat(path.c_str(), &st) == 0) return false;
  return ctx.log.create(path);
}

void logFailed(const std::string& path, const std::string& what, const std::string& reason) {
  ui::message(what + " " + path + "|" + reason, "Advarsel", ui::Icon::Information);
}

// One supplier mapping: requisitioner and plant looked up, header written, journals walked.
void importSupplier(ImportContext& ctx) {
  auto& thr = ctx.thr;
  const auto& ml = thr.MapLever.rec;
  text::Str<6> rekv;
  rekv.assignRaw(ml.LEVERAND.raw().substr(0, 6));
  if (!ctx.lab.findRequisitioner(rekv)) {
    ctx.log.append(missingRequisitionerLine(rekv.str()));
    return;
  }
  thr.Anlegg.clear();
  thr.Anlegg.rec.ANLEGGSNR.setWhole(ml.ANLEGGSNR);
  if (thr.Anlegg.get(data::Anlegg::ANLEGG_KEY1) != 0) {
    ctx.log.append(missingPlantLine(ml.LEVERAND.str()));
    ctx.state.ProblemLogged = 1;
    return;
  }
  const auto& anl = thr.Anlegg.rec;
  const std::string nr = text::fromCp1252(anl.ANLEGGSNR.whole().raw());
  const std::string navn = text::fromCp1252(anl.ANLEGGSNAVN.raw());
  ctx.line(1, "Anlegg: " + nr + " " + navn);
  ctx.log.append("");
  ctx.log.append(plantHeaderLine(nr, navn, text::today(), text::clockSeconds()));
  ctx.log.append(dashLine());
  ImportJournal(ctx);
  ctx.writer.flush();
}

}  // namespace

void RunImport(const ImportChoices& choices, ImportRunState& state, ImportProgress& progress,
               LabSource& lab) {
  data::ThreadState& thr = data::thr();
  LogFile log;
  ImportContext ctx(choices, state, progress, log, lab, thr);

  if (!lab.open()) {
    ui::message(
        "Feil ved åpning av importfiler!|Sjekk at importkatalog er korrekt angitt!|Sjekk at "
        "importfiler er overført til katalogen!");
    lab.close();
    return;
  }

  const std::string logPath = store::resolvePath(data::fileName(data::FileId::ImportLog));
  if (!openLog(ctx, logPath)) {
    ctx.line(1, "");
    ctx.redraw();
    logFailed(logPath, "Kan ikke åpne logg-fila:", log.error() + "|Importen er ikke startet!");
    lab.close();
    return;
  }

  ctx.line(1, "");
  thr.MapLab.rec.LAB = thr.LAB;
  if (thr.MapLab.get(data::MapLab::MAPLABKEY) != 0) {
    ui::message("Feil på fil for kobling lab/anl: " + std::string(text::trimRight(thr.MapLab.name())) +
                    "|" + thr.MapLab.errorText(),
                "Advarsel", ui::Icon::Information);
    log.close();
    lab.close();
    return;
  }

  state.ProblemLogged = 0;
  state.UtslippskontrollCount = 0;
  state.SlamkontrollCount = 0;
  ctx.today = text::today();

  auto& ml = thr.MapLever;
  ml.clear();
  ml.rec.LAB = thr.LAB;
  ml.rec.LEVERAND = choices.LEVERAND1;
  if (ml.setFrom(data::MapLever::MAPLEVERKEY) == 0) {
    // A read error ends the walk as the end of the file would.
    while (ml.next() == 0) {
      if (!data::sameLink(ml.rec.LAB.raw(), thr.LAB.raw())) break;
      // Text order, blank-padded: 1000 comes before 200.
      if (!choices.LEVERAND2.blank() && ml.rec.LEVERAND > choices.LEVERAND2) break;
      importSupplier(ctx);
      if (log.appendFailed()) break;
    }
  }
  ctx.writer.flush();

  // A failed append stops the run; the records committed so far stay, and the counts say how many.
  const bool stopped = log.appendFailed();
  progress.beep();
  ctx.line(1, stopped ? "Importen er stoppet!" : "Ferdig!");
  ctx.line(2, dischargeTotalLine(state.UtslippskontrollCount));
  ctx.line(3, sludgeTotalLine(state.SlamkontrollCount));
  ctx.line(4, "");
  ctx.redraw();
  if (stopped) {
    logFailed(logPath, "Kan ikke skrive til logg-fila:", log.error() + "|Importen er stoppet!");
    log.close();
    lab.close();
    return;
  }

  log.append(dashLine());
  log.append(dischargeTotalLine(state.UtslippskontrollCount));
  log.append(sludgeTotalLine(state.SlamkontrollCount));

  log.close();
  lab.close();
  if (state.ProblemLogged == 1) progress.viewLog();
}

}  // namespace import
