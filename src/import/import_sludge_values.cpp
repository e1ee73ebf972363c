#include <algorithm>
#include <cstring>

#include "import/import_steps.h"
#include "import/log_lines.h"
#include "import/sludge_targets.h"
#include "platform/text/number.h"

namespace import {
namespace {

// Writes a converted value into the Slamkontroll field named by the target, through the
// record's field table. False, with nothing written, when the field cannot hold the value: a
// whole number beyond 32 bits, or a number whose whole digits are wider than the text field
// (cutting either would store another number).
bool storeInField(data::SlamkontrollRecord& rec, std::string_view field, SludgeConversion conv, double value) {
  const store::FieldDef* f = data::Slamkontroll::definition().field(field);
  const store::FieldType wanted = conv == SludgeConversion::Text          ? store::FieldType::String
                                  : conv == SludgeConversion::WholeNumber ? store::FieldType::Long
                                                                          : store::FieldType::Real;
  if (!f || f->type != wanted) return true;
  char* at = reinterpret_cast<char*>(&rec) + f->offset;
  switch (conv) {
    case SludgeConversion::TimesFactor: std::memcpy(at, &value, sizeof value); break;
    case SludgeConversion::WholeNumber: {
      constexpr double kBeyond = 2147483648.0;  // 2^31: the first whole number a LONG cannot hold
      if (value <= -kBeyond - 1 || value >= kBeyond) return false;
      const std::int32_t n = wholeNumber(value);
      std::memcpy(at, &n, sizeof n);
      break;
    }
    case SludgeConversion::Text: {
      // Decimals beyond the field are cut, as they always were; whole digits or an exponent
      // are not, for then the field would hold another number.
      std::string t = text::numberToText(value);
      const std::size_t point = std::min(t.find('.'), t.size());
      if (t.size() > f->size && (point > f->size || t.find('e') != std::string::npos)) return false;
      t.resize(f->size, ' ');
      std::memcpy(at, t.data(), f->size);
      break;
    }
    case SludgeConversion::DayCount:
    case SludgeConversion::NoField: break;
  }
  return true;
}

}  // namespace

void ImportSludgeValues(ImportContext& ctx) {
  if (!ctx.choices.SLAMKTR) return;
  auto& st = ctx.state;
  ctx.line(3, "");
  ctx.redraw();
  forEachResult(ctx, 'S', [&](const data::MapParamRecord& m) {
    if (const SludgeTarget* t = findSludgeTarget(m.PARAMSIV.raw())) {
      ctx.line(4, t->progress);
      if (t->conversion == SludgeConversion::DayCount) {
        if (TakeDayCount(ctx)) st.SlamkontrollFilled = 1;
      } else if (double value = 0; t->conversion != SludgeConversion::NoField && TimesFactor(ctx, m, value)) {
        if (storeInField(ctx.thr.Slamkontroll.rec, t->field, t->conversion, value))
          st.SlamkontrollFilled = 1;
        else
          ctx.problem(notFiniteFactorLine(ctx.journalText(), text::fromCp1252(m.PARAMLAB.trimmedRaw()),
                                          text::fromCp1252(m.PARAMSIV.trimmedRaw()), m.FAKTOR, st.ResultValue));
      }
    }
    ctx.redraw();
  });
}

}  // namespace import
