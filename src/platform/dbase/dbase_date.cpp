#include "platform/dbase/dbase_date.h"

namespace dbase {

namespace {

// Days since 1 January 1970 of a proleptic Gregorian date.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

bool leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

const std::int64_t kEpoch = daysFromCivil(1800, 12, 28);
constexpr std::int64_t kJulianOf1970 = 2440588;
constexpr std::int32_t kLastDay = 2994626;  // 31 December 9999

}  // namespace

std::int32_t dateFromText(std::string_view s) {
  if (s.size() < 8) return 0;
  int v[8];
  for (int i = 0; i < 8; ++i) {
    const char c = s[static_cast<std::size_t>(i)];
    if (c < '0' || c > '9') return 0;
    v[i] = c - '0';
  }
  const int y = v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3];
  const int m = v[4] * 10 + v[5];
  const int d = v[6] * 10 + v[7];
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m < 1 || m > 12 || d < 1) return 0;
  if (d > kDays[m - 1] + (m == 2 && leap(y) ? 1 : 0)) return 0;
  const std::int64_t n = daysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d)) - kEpoch;
  return n >= 1 && n <= kLastDay ? static_cast<std::int32_t>(n) : 0;
}

std::int32_t dateFromJulianDay(std::int64_t jd) {
  if (jd <= 0) return 0;
  const std::int64_t n = jd - kJulianOf1970 - kEpoch;
  return n >= 1 && n <= kLastDay ? static_cast<std::int32_t>(n) : 0;
}

}  // namespace dbase
