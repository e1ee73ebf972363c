#include "import/import_steps.h"

namespace import {

void ImportPlaces(ImportContext& ctx) {
  auto& st = ctx.state;
  if (ctx.thr.MapLab.rec.STEDKILDE == "Sted")
    st.PlaceKey = ctx.sample.STED;
  else
    st.PlaceKey = ctx.sample.MATERIALE;
  for (const auto& m : ctx.placeMappings(ctx.journal.REKV, st.PlaceKey)) {
    ctx.thr.MapSted.rec = m;
    ImportSludgeValues(ctx);
    ImportDischargeValues(ctx);
  }
}

}  // namespace import
