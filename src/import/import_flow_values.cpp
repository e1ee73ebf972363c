#include <cmath>
#include <limits>

#include "import/import_steps.h"

namespace import {

std::int32_t wholeNumber(double value) {
  if (std::isnan(value)) return 0;
  constexpr double lo = std::numeric_limits<std::int32_t>::min();
  constexpr double hi = std::numeric_limits<std::int32_t>::max();
  if (value <= lo) return std::numeric_limits<std::int32_t>::min();
  if (value >= hi) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);  // toward zero
}

void ImportFlowValues(ImportContext& ctx) {
  if (!ctx.choices.UTSLKTR) return;
  auto& st = ctx.state;
  // Converted once, not on every comparison.
  static const text::Str<20> days("Ant. Døgn"), water("Vannmengde"), overflow("Overløp");
  forEachResult(ctx, 'U', [&](const data::MapParamRecord& m) {
    // The three quantities are taken without the factor.
    if (m.PARAMSIV == days) {
      ctx.line(4, "Importerer: Antall døgn");
      st.DayCount = wholeNumber(st.ResultValue);
    } else if (m.PARAMSIV == water) {
      ctx.line(4, "Importerer: Vannmengde");
      st.WaterQuantity = st.ResultValue;
    } else if (m.PARAMSIV == overflow) {
      ctx.line(4, "Importerer: Overløp");
      st.OverflowQuantity = st.ResultValue;
    } else {
      return;
    }
    st.UtslippskontrollFilled = 1;
  });
}

}  // namespace import
