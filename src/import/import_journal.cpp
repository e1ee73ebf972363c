#include "import/import_steps.h"

namespace import {

void ImportJournal(ImportContext& ctx) {
  auto& st = ctx.state;
  const auto& leverand = ctx.thr.MapLever.rec.LEVERAND;
  text::Str<6> rekv;
  rekv.assignRaw(leverand.raw().substr(0, 6));
  ctx.lab.startJournals(rekv);
  while (ctx.lab.nextJournal(ctx.journal)) {
    // Six characters against ten: a longer supplier code matches no journal row.
    if (ctx.journal.REKV != leverand) break;
    st.UtslippskontrollFilled = 0;
    st.SlamkontrollFilled = 0;
    st.WaterQuantity = 0;
    st.OverflowQuantity = 0;
    st.DayCount = 1;
    ctx.thr.Utslippskontroll.clear();
    ctx.thr.Slamkontroll.clear();
    ImportSamples(ctx);
    StoreUtslippskontroll(ctx);
    StoreSlamkontroll(ctx);
    if (ctx.stopped()) return;  // see RunImport
  }
  ctx.checkLabWalk();
}

}  // namespace import
