#pragma once
#include "import/water_quantity.h"

namespace import {

template <class F>
void forEachResult(ImportContext& ctx, char prtype, F take) {
  for (const auto& m : ctx.parameterMappings(prtype)) {
    ctx.thr.MapParam.rec = m.rec;
    ctx.line(3, m.progress);
    ctx.redraw();
    ctx.state.ResultValue = ctx.lab.results().find(m.rec.PARAMLAB);
    if (ctx.state.ResultValue == 0) continue;
    take(ctx.thr.MapParam.rec);
  }
}

}  // namespace import
