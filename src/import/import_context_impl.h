#pragma once
#include <cmath>

#include "import/log_lines.h"
#include "import/water_quantity.h"

namespace import {

template <class F>
void forEachResult(ImportContext& ctx, char prtype, F take) {
  for (const auto& m : ctx.parameterMappings(prtype)) {
    ctx.thr.MapParam.rec = m.rec;
    ctx.line(3, m.progress);
    ctx.redraw();
    const SampleResults::Entry* result = ctx.lab.results().find(m.rec.PARAMLAB);
    ctx.state.ResultValue = result ? result->value : 0;
    if (ctx.state.ResultValue == 0) continue;
    // "9e999" reads as infinity: not a result, and never stored.
    if (!std::isfinite(ctx.state.ResultValue)) {
      ctx.problem(
          notAResultLine(ctx.journalText(), text::fromCp1252(m.rec.PARAMLAB.raw()), text::fromCp1252(result->text)));
      continue;
    }
    take(ctx.thr.MapParam.rec);
  }
}

}  // namespace import
