#pragma once
// dBase dates ("YYYYMMDD") as standard day numbers: days from 28 December 1800,
// so 1 January 1801 is 4; 0 is no date.
#include <cstdint>
#include <string_view>

namespace dbase {

// A field that holds something, but not a date ("99999999", "18000101"): the reader's caller
// must not take it for "no date".
inline constexpr std::int32_t kNotADate = -1;

// Empty or blank text gives 0; any other text that is no date of 1801..9999 gives kNotADate.
std::int32_t dateFromText(std::string_view yyyymmdd);
// A Julian day number (Visual FoxPro datetime) as a standard day number; 0 stays 0, a day
// outside 1801..9999 gives kNotADate.
std::int32_t dateFromJulianDay(std::int64_t julianDay);

}  // namespace dbase
