#include <cstdint>
#include <limits>

#include "data/default_texts.h"
#include "import/import_steps.h"
#include "platform/text/date.h"

namespace import {
namespace {

// Sample date less the number of days; a period never starts before day 0 (a sample without
// a date and no "Ant. Døgn" would otherwise start on day -1).
std::int32_t periodStart(std::int32_t sampleDate, std::int32_t days) {
  const std::int64_t d = std::int64_t(sampleDate) - days;
  if (d < 0) return 0;
  if (d > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return std::int32_t(d);
}

text::Str<20> journalNumber(const JournalRow& jr) {
  text::Str<20> s;
  s.assignRaw(std::string(jr.PAAR.trimmedRaw()) + "/" + std::string(jr.JRNLNR.raw()));
  return s;
}

// Adds the filled record, or rewrites the existing one keeping its memo when overwriting is
// chosen (and no mapping of its type was passed over for its factor). Only the existing record's row (and, to rewrite
// it, its memo) is read.
template <class File>
void addOrRewrite(ImportContext& ctx, File& f, store::KeyId key, ControlWriter::Record rec, std::string_view newText,
                  std::string_view updatedText) {
  if (!ctx.writer.ensureTransaction()) return;
  const char prtype = rec.kind == ControlWriter::Kind::Slamkontroll ? 'S' : 'U';
  const bool overwrite = ctx.choices.OVERSKRIVES && !ctx.factorPassedOver(prtype);
  const int found = f.find(key, overwrite);
  if (found == store::Err::RecordNotFound) {
    ctx.line(4, newText);
    f.add();
  } else if (found != 0) {
    // The file could not be read: a failed write of this record.
  } else if (!overwrite) {
    return;
  } else {
    ctx.line(4, updatedText);
    rec.added = false;
    f.put();
  }
  ctx.writer.written(rec, f.error());
}

}  // namespace

void StoreUtslippskontroll(ImportContext& ctx) {
  if (!ctx.choices.UTSLKTR) return;
  auto& st = ctx.state;
  if (st.UtslippskontrollFilled == 0) {
    ctx.redraw();
    return;
  }
  const auto& ch = ctx.choices;
  auto& f = ctx.thr.Utslippskontroll;
  auto& r = f.rec;
  r.ANLEGGSNR = ctx.thr.MapLever.rec.ANLEGGSNR;
  r.UTSL_DATO1 = periodStart(st.SampleDate, st.DayCount);
  r.UTSL_DATO2 = st.SampleDate;
  r.PR_METODE = ch.PR_METODE.blank() ? text::Str<25>(data::kDefaultSamplingMethod) : ch.PR_METODE;
  r.PRTYPE = ch.PRTYPE.blank() ? text::Str<25>(data::kDefaultDischargeSampleType) : ch.PRTYPE;
  if (st.WaterQuantity != 0 && st.DayCount != 0) r.VANNFOERING = st.WaterQuantity / st.DayCount;
  r.OVERLOEP = st.OverflowQuantity;
  r.LAB_JOURNALNR = journalNumber(ctx.journal);
  r.SAKSBEHANDLER.clear();
  r.REG_DATO = ctx.today;
  addOrRewrite(ctx, f, data::Utslippskontroll::UTSLIPPSKONTROLL_KEY1,
               {ControlWriter::Kind::Utslippskontroll, true, r.UTSL_DATO1, r.UTSL_DATO2, st.DayCount, r.ANLEGGSNR,
                r.LAB_JOURNALNR},
               "Lagrer ny utslippskontroll!", "Lagrer oppdatert utslippskontroll!");
  ctx.redraw();
}

void StoreSlamkontroll(ImportContext& ctx) {
  if (!ctx.choices.SLAMKTR) return;
  auto& st = ctx.state;
  if (st.SlamkontrollFilled == 0) {
    ctx.redraw();
    return;
  }
  const auto& ch = ctx.choices;
  auto& f = ctx.thr.Slamkontroll;
  auto& r = f.rec;
  r.ANLEGGSNR = ctx.thr.MapLever.rec.ANLEGGSNR;
  r.PR_TAKINGSTED = ch.PR_TAKINGSTED;
  r.DATO1 = periodStart(st.SampleDate, st.DayCount);
  r.DATO2 = st.SampleDate;
  r.STATISTIKKAAR = static_cast<std::int16_t>(text::yearOf(r.DATO2));
  r.STATISTIKKMND = static_cast<std::int16_t>(text::monthOf(r.DATO2));
  r.DATO1_TUNGMETALL = r.DATO1;
  r.DATO2_TUNGMETALL = r.DATO2;
  r.PR_TYPE_TUNGMETALL =
      ch.PR_TYPE_TUNGMETALL.blank() ? text::Str<20>(data::kDefaultSludgeSampleType) : ch.PR_TYPE_TUNGMETALL;
  r.DATO1_NAERINGSSTOFF = r.DATO1;
  r.DATO2_NAERINGSSTOFF = r.DATO2;
  r.PR_TYPE_NAERINGSSTOFF =
      ch.PR_TYPE_NAERINGSSTOFF.blank() ? text::Str<20>(data::kDefaultSludgeSampleType) : ch.PR_TYPE_NAERINGSSTOFF;
  r.LAB_JOURNALNR = journalNumber(ctx.journal);
  r.VURDERT_DATO = 0;
  r.SAKSBEHANDLER.clear();
  r.REG_DATO = ctx.today;
  addOrRewrite(ctx, f, data::Slamkontroll::SLAMKONTROLL_KEY1,
               {ControlWriter::Kind::Slamkontroll, true, r.DATO1, r.DATO2, st.DayCount, r.ANLEGGSNR, r.LAB_JOURNALNR},
               "Lagrer ny slamkontroll!", "Lagrer oppdatert slamkontroll!");
  ctx.redraw();
}

}  // namespace import
