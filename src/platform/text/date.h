#pragma once
// Standard dates: day numbers from 28 December 1800 (1 January 1801 = 4, 0 = no date).
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace text {

using Date = std::int32_t;

struct Ymd {
  int year;
  int month;
  int day;
  bool operator==(const Ymd&) const = default;
};

inline constexpr Date kFirstDate = 4;       // 1 January 1801
inline constexpr Date kLastDate = 2994626;  // 31 December 9999

// The day number of a calendar date; 0 when the date does not exist or lies outside
// 1 January 1801 .. 31 December 9999 (28-31 December 1800 are not representable: 1..3 would
// be those days, but nothing produces them).
Date dateFromYmd(int year, int month, int day);
// The calendar date of a day number; {0,0,0} for 0 or any number outside kFirstDate..kLastDate.
Ymd toYmd(Date date);
int yearOf(Date date);
int monthOf(Date date);
int dayOf(Date date);

// Where "now" comes from; tests install their own.
class Clock {
 public:
  virtual ~Clock();
  virtual std::chrono::system_clock::time_point now() const = 0;
};

// Installs a clock for the whole process (not owned); nullptr restores the system clock.
// Local time is the process's time zone (TZ) applied to the clock's instant.
void setClock(const Clock* clock);

// Today's local date.
Date today();
// Seconds since local midnight, 0 .. 86399.
int clockSeconds();

// dBase "YYYYMMDD" to a day number; empty, blank or invalid text gives 0.
Date dateFromDbase(std::string_view yyyymmdd);
// A day number as "YYYYMMDD"; 0 (or out of range) gives eight blanks, as dBase stores no date.
std::string dateToDbase(Date date);

}  // namespace text
