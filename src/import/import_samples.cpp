#include <cmath>

#include "import/import_steps.h"
#include "import/log_lines.h"
#include "import/water_quantity.h"
#include "platform/text/picture.h"

namespace import {

void ImportSamples(ImportContext& ctx) {
  auto& st = ctx.state;
  const auto& ch = ctx.choices;
  const bool sampledDate = ctx.thr.MapLab.rec.DATOVALG == "Tattdato";
  ctx.lab.startSamples(ctx.journal.JRNLNR);
  while (ctx.lab.nextSample(ctx.sample)) {
    if (ctx.sample.JRNLNR != ctx.journal.JRNLNR) break;
    // Journal numbers restart each year: a row of another year belongs to another journal.
    if (ctx.sample.PAAR != ctx.journal.PAAR) continue;
    const text::Date date = sampledDate ? ctx.sample.TATTDATO : ctx.journal.STARTDATO;
    if (date < 0) {
      ctx.problem(notADateLine(ctx.journalText(), sampledDate ? "Tattdato" : "Startdato"));
      continue;
    }
    // A skipped row still sets the date: the period ends on the journal's last row.
    st.SampleDate = date;
    if ((ch.DATO1 != 0 && st.SampleDate < ch.DATO1) || (ch.DATO2 != 0 && st.SampleDate > ch.DATO2)) continue;
    ctx.line(2, "Leser prøvedato: " + text::formatLogDate(st.SampleDate));
    ctx.redraw();
    const double water = st.WaterQuantity;
    takeWaterQuantity(st, ctx.sample.IDENT.str(), ctx.sample.REGKODE.str());
    // "9e999m3/d" reads as infinity: not a quantity, and never stored.
    if (!std::isfinite(st.WaterQuantity)) {
      ctx.problem(notAResultLine(ctx.journalText(), "Vannmengde", st.WaterText.str()));
      st.WaterQuantity = water;
    }
    ImportFlowValues(ctx);
    ImportPlaces(ctx);
    if (ctx.stopped()) return;  // a mapping file failed: see RunImport
  }
  ctx.checkLabWalk();
}

}  // namespace import
