#include "import/run_import.h"

#include <sys/stat.h>

#include "data/cascade.h"
#include "data/default_texts.h"
#include "data/file_names.h"
#include "data/warnings.h"
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
    ctx.writer.logLine(missingRequisitionerLine(rekv.str()));
    return;
  }
  thr.Anlegg.clear();
  thr.Anlegg.rec.ANLEGGSNR.setWhole(ml.ANLEGGSNR);
  if (const int rc = thr.Anlegg.get(data::Anlegg::ANLEGG_KEY1); rc != 0) {
    // Only a missing record is a missing plant; anything else is the file's own error.
    if (rc != store::Err::RecordNotFound) {
      ctx.readFailed(thr.Anlegg);
      return;
    }
    ctx.problem(missingPlantLine(ml.LEVERAND.str()));
    return;
  }
  const auto& anl = thr.Anlegg.rec;
  const std::string nr = text::fromCp1252(anl.ANLEGGSNR.whole().raw());
  const std::string navn = text::fromCp1252(anl.ANLEGGSNAVN.raw());
  ctx.line(1, "Anlegg: " + nr + " " + navn);
  ctx.writer.logLine("");
  ctx.writer.logLine(plantHeaderLine(nr, navn, text::today(), text::clockSeconds()));
  ctx.writer.logLine(dashLine());
  ImportJournal(ctx);
}

// The laboratory's record as stored now, by the place it was read from: another station that
// renamed or deleted it has moved or taken the mappings the run walks, so the walks would end
// early and quietly. The run stops instead. The buffer keeps what the run started with.
void checkLaboratory(ImportContext& ctx, const std::string& position) {
  auto& lab = ctx.thr.MapLab;
  const data::MapLabRecord started = lab.rec;
  const int rc = lab.reget(data::MapLab::MAPLABKEY, position);
  const bool same = rc == 0 && data::sameLink(lab.rec.LAB.raw(), ctx.thr.LAB.raw());
  lab.rec = started;
  if (same || ctx.stopped()) return;
  if (rc != 0 && rc != store::Err::RecordNotFound) {
    ctx.readFailed(lab);
    return;
  }
  ctx.writer.finish();
  ctx.writer.stop("Laboratoriet " + ctx.thr.LAB.str() + " er endret eller slettet av en annen stasjon under importen");
}

}  // namespace

void RunImport(const ImportChoices& choices, ImportRunState& state, ImportProgress& progress, LabSource& lab) {
  data::ThreadState& thr = data::thr();
  LogFile log;
  ImportContext ctx(choices, state, progress, log, lab, thr);

  if (!lab.open()) {
    progress.runEnded();
    ui::message(data::kLabTablesOpenFailed);
    lab.close();
    return;
  }

  const std::string logPath = store::resolvePath(data::fileName(data::FileId::ImportLog));
  if (!openLog(ctx, logPath)) {
    progress.runEnded();
    ctx.line(1, "");
    ctx.redraw();
    logFailed(logPath, "Kan ikke åpne logg-fila:", log.error() + "|Importen er ikke startet!");
    lab.close();
    return;
  }

  ctx.line(1, "");
  thr.MapLab.rec.LAB = thr.LAB;
  if (thr.MapLab.get(data::MapLab::MAPLABKEY) != 0) {
    progress.runEnded();
    ui::message("Feil på fil for kobling lab/anl: " + std::string(text::trimRight(thr.MapLab.name())) + "|" +
                    thr.MapLab.errorText(),
                "Advarsel", ui::Icon::Information);
    log.close();
    lab.close();
    return;
  }

  state.ProblemLogged = 0;
  state.UtslippskontrollCount = 0;
  state.SlamkontrollCount = 0;
  ctx.today = text::today();

  const std::string labPosition = thr.MapLab.position(data::MapLab::MAPLABKEY);
  auto& ml = thr.MapLever;
  ml.clear();
  ml.rec.LAB = thr.LAB;
  ml.rec.LEVERAND = choices.LEVERAND1;
  int rc = ml.setFrom(data::MapLever::MAPLEVERKEY);
  while (rc == 0 && (rc = ml.next()) == 0) {
    if (!data::sameLink(ml.rec.LAB.raw(), thr.LAB.raw())) break;
    // Text order, blank-padded: 1000 comes before 200.
    if (!choices.LEVERAND2.blank() && ml.rec.LEVERAND > choices.LEVERAND2) break;
    importSupplier(ctx);
    if (ctx.stopped()) break;
    checkLaboratory(ctx, labPosition);
    if (ctx.stopped()) break;
  }
  if (!ctx.stopped()) {
    if (rc != 0 && rc != store::Err::NoRecord)
      ctx.readFailed(ml);
    else
      checkLaboratory(ctx, labPosition);
  }
  // A failed append stops the run: records the log cannot show are not committed, and the
  // counts say how many were. A run the registry stopped first (a full disk fills the log
  // next) keeps that cause.
  const bool storeStopped = ctx.writer.stopped();
  if (log.appendFailed()) ctx.writer.stop("Kan ikke skrive til logg-fila: " + log.error());
  ctx.writer.finish();

  const bool stopped = ctx.stopped();
  progress.runEnded();
  progress.beep();
  ctx.line(1, stopped ? "Importen er stoppet!" : "Ferdig!");
  ctx.line(2, dischargeTotalLine(state.UtslippskontrollCount));
  ctx.line(3, sludgeTotalLine(state.SlamkontrollCount));
  ctx.line(4, "");
  ctx.redraw();
  if (log.appendFailed()) {
    if (storeStopped)
      ui::message("Importen er stoppet!|" + ctx.writer.stopCause() + "|Kan ikke skrive til logg-fila: " + logPath +
                      "|" + log.error(),
                  "Advarsel", ui::Icon::Exclamation);
    else
      logFailed(logPath, "Kan ikke skrive til logg-fila:", log.error() + "|Importen er stoppet!");
    log.close();
    lab.close();
    return;
  }

  log.append(dashLine());
  log.append(dischargeTotalLine(state.UtslippskontrollCount));
  log.append(sludgeTotalLine(state.SlamkontrollCount));
  // A stopped run says why in the log's last line and in a box; the totals above are what
  // was committed.
  if (stopped) {
    log.append("Importen er stoppet: " + ctx.writer.stopCause());
    ui::message("Importen er stoppet!|" + ctx.writer.stopCause(), "Advarsel", ui::Icon::Exclamation);
  }

  log.close();
  lab.close();
  if (state.ProblemLogged == 1) progress.viewLog();
}

}  // namespace import
