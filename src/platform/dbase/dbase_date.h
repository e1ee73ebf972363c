#pragma once
// dBase dates ("YYYYMMDD") as standard day numbers: days from 28 December 1800,
// so 1 January 1801 is 4; 0 is no date.
#include <cstdint>
#include <string_view>

namespace dbase {

// Empty, blank or invalid text gives 0.
std::int32_t dateFromText(std::string_view yyyymmdd);
// A Julian day number (Visual FoxPro datetime) as a standard day number; 0 stays 0.
std::int32_t dateFromJulianDay(std::int64_t julianDay);

}  // namespace dbase
