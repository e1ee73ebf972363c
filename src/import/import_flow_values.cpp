#include <charconv>
#include <cmath>
#include <limits>

#include "import/import_steps.h"
#include "import/log_lines.h"

namespace import {

std::int32_t wholeNumber(double value) {
  if (std::isnan(value)) return 0;
  if (std::isfinite(value)) {
    // 2.3 × 100 is 229.99999999999997 in binary: round to 12 significant digits before cutting.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 11);
    std::from_chars(buf, res.ptr, value);
  }
  constexpr double lo = std::numeric_limits<std::int32_t>::min();
  constexpr double hi = std::numeric_limits<std::int32_t>::max();
  if (value <= lo) return std::numeric_limits<std::int32_t>::min();
  if (value >= hi) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);  // toward zero
}

bool TakeDayCount(ImportContext& ctx) {
  const std::int32_t days = wholeNumber(ctx.state.ResultValue);
  if (days < 0 || days > kMaxDayCount) {
    ctx.problem(dayCountOutOfRangeLine(ctx.journalText(), text::fromCp1252(ctx.thr.MapParam.rec.PARAMLAB.trimmedRaw()),
                                       ctx.state.ResultValue));
    return false;
  }
  ctx.state.DayCount = days;
  return true;
}

bool TimesFactor(ImportContext& ctx, const data::MapParamRecord& m, double& value) {
  value = ctx.state.ResultValue * m.FAKTOR;
  if (std::isfinite(m.FAKTOR) && std::isfinite(value)) return true;
  ctx.problem(notFiniteFactorLine(ctx.journalText(), text::fromCp1252(m.PARAMLAB.trimmedRaw()),
                                  text::fromCp1252(m.PARAMSIV.trimmedRaw()), m.FAKTOR, ctx.state.ResultValue));
  return false;
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
      if (!TakeDayCount(ctx)) return;
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
