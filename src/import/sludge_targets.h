#pragma once
// The sludge target table: which Slamkontroll field a sludge mapping's target name reaches,
// the progress text it shows and how the result is converted.
#include <string_view>

namespace import {

enum class SludgeConversion {
  DayCount,     // the journal's number of days, factor not applied
  TimesFactor,  // result x factor
  WholeNumber,  // result x factor, cut toward zero
  Text,         // result x factor written as a decimal number
  NoField,      // a recognised target the record has no field for
};

struct SludgeTarget {
  std::string_view name;      // UTF-8, compared blank-padded with letter case counting
  std::string_view progress;  // fourth progress line
  std::string_view field;     // Slamkontroll field name without prefix; empty when none
  SludgeConversion conversion;
};

// The first target whose name equals `cp1252Name` (blank-padded, case counts), or nullptr.
const SludgeTarget* findSludgeTarget(std::string_view cp1252Name);

}  // namespace import
