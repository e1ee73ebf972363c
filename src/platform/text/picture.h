#pragma once
// The display pictures the program uses: dates dd.mm.yy, numbers with a decimal comma, and the
// fixed layouts of the import log.
#include <optional>
#include <string>
#include <string_view>

#include "platform/text/date.h"

namespace text {

// "dd.mm.yy"; "" for 0.
std::string formatDate(Date date);

// A typed date back to a day number. Accepts d.m.yy, dd.mm.yyyy, with '.', '/' or '-' between
// the parts, and the digit runs ddmmyy and ddmmyyyy; blanks around the text are ignored.
// Two-digit years: 00..49 are 2000..2049, 50..99 are 1950..1999.
// Empty or blank text gives 0; invalid text gives std::nullopt (parseDateStrict) or 0 (parseDate).
std::optional<Date> parseDateStrict(std::string_view typed);
Date parseDate(std::string_view typed);

// A number rounded to `decimals` places with a decimal comma, right-aligned in `width` (the
// @n7.3-like picture). Zero (after rounding) gives `width` blanks when blankWhenZero. A value
// too wide for the picture gives `width` '#' characters, so a wrong number is never shown.
// No group separators. A width of 0 or less gives the bare number (or "" when blank).
std::string formatNumber(double value, int width, int decimals, bool blankWhenZero = true);

// A typed number back: blanks around it ignored, a comma or a point as decimal separator, an
// optional sign. Empty or blank text gives 0; anything else that is not a number gives nullopt.
std::optional<double> parseNumber(std::string_view typed);

// Import log layouts. Date: eight characters, day in two positions with a leading blank,
// ".mm.yy" (" 5.09.08"); 0 gives eight blanks.
std::string formatLogDate(Date date);
// Time: five characters, hour in two positions with a leading blank, ".mm" (" 9.05").
std::string formatLogTime(int secondsSinceMidnight);
// A count right-aligned in five characters with leading blanks, no group separators; a count
// that needs more positions is written in full rather than cut.
std::string formatCount5(long count);
// Right-aligned in `width` with leading blanks (the count's general form; log "Ant. døgn").
std::string formatRightAligned(long value, int width);

// The @sN picture: the text cut to `width` characters (UTF-8 characters, not bytes).
std::string formatPictureS(std::string_view utf8, int width);

}  // namespace text
