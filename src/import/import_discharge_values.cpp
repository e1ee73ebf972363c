#include <algorithm>

#include "import/import_steps.h"

namespace import {
namespace {

// The first position (from 1) among the first `count` entries equal to `name`, 0 when none.
template <std::size_t W, std::size_t N, std::size_t M>
int positionIn(const text::Str<W> (&list)[N], int count, const text::Str<M>& name) {
  const int n = std::min<int>(count, int(N));
  for (int i = 0; i < n; ++i)
    if (list[i] == name) return i + 1;
  return 0;
}

}  // namespace

void ImportDischargeValues(ImportContext& ctx) {
  if (!ctx.choices.UTSLKTR) return;
  auto& st = ctx.state;
  const auto& anl = ctx.thr.Anlegg.rec;
  auto& uk = ctx.thr.Utslippskontroll.rec;
  st.PlaceIndex = positionIn(anl.PRSTED, anl.ANTALLPRSTEDER, ctx.thr.MapSted.rec.STEDSIV);
  if (st.PlaceIndex == 0) return;
  ctx.line(3, "");
  ctx.redraw();
  forEachResult(ctx, 'U', [&](const data::MapParamRecord& m) {
    st.ParamIndex = positionIn(anl.PARAMETER, anl.ANTALLPARAMETRE, m.PARAMSIV);
    double value = 0;
    if (st.ParamIndex != 0) {
      if (!TimesFactor(ctx, m, value)) return;
      uk.VERDI[st.ParamIndex - 1][st.PlaceIndex - 1] = value;
      st.UtslippskontrollFilled = 1;
      if (ctx.progressDue())
        ctx.line(4, "Importerer: " + anl.PARAMETER[st.ParamIndex - 1].str() + "-" +
                        text::fromCp1252(anl.PRSTED[st.PlaceIndex - 1].raw()));
      ctx.redraw();
      return;
    }
    st.ParamIndex = positionIn(anl.TUNGMETALLPARAMETER, anl.TUNGMETALLANTALLPARAMETRE, m.PARAMSIV);
    if (st.ParamIndex != 0) {
      if (!TimesFactor(ctx, m, value)) return;
      if (ctx.progressDue()) ctx.line(4, "Importerer: " + anl.TUNGMETALLPARAMETER[st.ParamIndex - 1].str() + "-Innløp");
      // Heavy metals go to the inflow column whatever the place.
      uk.VERDITUNGMETALL[st.ParamIndex - 1][1] = value;
      st.UtslippskontrollFilled = 1;
      ctx.redraw();
    }
  });
}

}  // namespace import
