#include "platform/text/date.h"

#include <atomic>
#include <ctime>

namespace text {
namespace {

// Days since 1 January 1970 of a proleptic Gregorian date.
constexpr long daysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

constexpr Ymd civilFromDays(long z) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long y = static_cast<long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

constexpr long kEpoch = daysFromCivil(1800, 12, 28);
static_assert(daysFromCivil(1801, 1, 1) - kEpoch == kFirstDate);
static_assert(daysFromCivil(9999, 12, 31) - kEpoch == kLastDate);

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

std::atomic<const Clock*> gClock{nullptr};

std::tm localNow() {
  const Clock* c = gClock.load();
  const auto now = c ? c->now() : std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

}  // namespace

Clock::~Clock() = default;

Date dateFromYmd(int year, int month, int day) {
  if (year < 1801 || year > 9999 || month < 1 || month > 12) return 0;
  if (day < 1 || day > daysInMonth(year, month)) return 0;
  return static_cast<Date>(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpoch);
}

Ymd toYmd(Date date) {
  if (date < kFirstDate || date > kLastDate) return {0, 0, 0};
  return civilFromDays(date + kEpoch);
}

int yearOf(Date date) { return toYmd(date).year; }
int monthOf(Date date) { return toYmd(date).month; }
int dayOf(Date date) { return toYmd(date).day; }

void setClock(const Clock* clock) { gClock.store(clock); }

Date today() {
  const std::tm tm = localNow();
  return dateFromYmd(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

int clockSeconds() {
  const std::tm tm = localNow();
  // A leap second (tm_sec 60) stays within the day.
  const int s = tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec;
  return s > 86399 ? 86399 : s;
}

Date dateFromDbase(std::string_view s) {
  if (s.size() != 8) return 0;
  int v[3] = {0, 0, 0};
  for (std::size_t i = 0; i < 8; ++i) {
    if (s[i] < '0' || s[i] > '9') return 0;
    const int part = i < 4 ? 0 : (i < 6 ? 1 : 2);
    v[part] = v[part] * 10 + (s[i] - '0');
  }
  return dateFromYmd(v[0], v[1], v[2]);
}

std::string dateToDbase(Date date) {
  const Ymd d = toYmd(date);
  if (d.year == 0) return std::string(8, ' ');
  // Digits written in place: toYmd keeps the year within four, so the text is always eight.
  std::string out(8, '0');
  auto put = [&out](int value, std::size_t end, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i, value /= 10) out[end - i] = static_cast<char>('0' + value % 10);
  };
  put(d.year, 3, 4);
  put(d.month, 5, 2);
  put(d.day, 7, 2);
  return out;
}

}  // namespace text
