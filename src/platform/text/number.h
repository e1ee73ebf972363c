#pragma once
// Text to number and number to text, as the program's fields and the laboratory's tables use them.
#include <string>
#include <string_view>

namespace text {

// The value of the longest leading decimal number (optional sign, digits, a point, optional
// exponent) after leading blanks; trailing blanks do not count. No such part gives 0. A comma
// ends the number: "12,5" gives 12, " -3.5e2x" gives -350.
double toNumber(std::string_view utf8);

// True when the text without its trailing blanks is not empty and is exactly one such number
// ("1.", ".5", "-2e3" are numbers; "", ".", "1e", "1,5" and " 1" are not: callers strip
// leading blanks themselves where they allow them).
bool isNumeric(std::string_view utf8);

// Up to 15 significant digits, no trailing zeros after the point, no trailing point; exponent
// form ("1.5e+20", "1e-07") when the decimal exponent is below -4 or at least 15, as %.15g does.
// NaN and infinities give "nan", "inf", "-inf"; -0 gives "0".
std::string numberToText(double value);

}  // namespace text
