#include "platform/dbase/dbase_date.h"

#include "platform/text/date.h"

namespace dbase {

std::int32_t dateFromText(std::string_view s) {
  if (s.find_first_not_of(' ') == std::string_view::npos) return 0;
  const std::int32_t d = text::dateFromDbase(s);
  return d != 0 ? d : kNotADate;
}

std::int32_t dateFromJulianDay(std::int64_t jd) {
  constexpr std::int64_t kJulianOf1970 = 2440588;
  if (jd == 0) return 0;
  const std::int64_t n = text::dateFromYmd(1970, 1, 1) + (jd - kJulianOf1970);
  return n >= text::kFirstDate && n <= text::kLastDate ? static_cast<std::int32_t>(n) : kNotADate;
}

}  // namespace dbase
