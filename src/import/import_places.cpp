#include "import/import_steps.h"

namespace import {

void ImportPlaces(ImportContext& ctx) {
  auto& st = ctx.state;
  static const text::Str<10> sted("Sted");
  if (ctx.thr.MapLab.rec.STEDKILDE == sted)
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
