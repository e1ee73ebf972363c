#pragma once
// Display pictures as the window layer shows bound values:
//   @sN / sN      text, at most N characters
//   @nW.D / nW.D  number with D decimals ('.' shown), @nW,D with a decimal comma;
//                 a trailing 'b' shows zero as blank ("@n7,3b")
//   @d6 / @d10    day number (28.12.1800 = 0) as dd.mm.yy / dd.mm.yyyy; 0 is blank
// An empty picture shows numbers with up to 15 significant digits.
#include <string>
#include <string_view>

namespace ui {

std::string formatNumber(std::string_view picture, double value);
// True when the picture can show the number: finite and, for @nW.D with a width, at most W
// characters once formatted ("@n7,3" shows -99,999 to 999,999).
bool fitsPicture(std::string_view picture, double value);
// Reads a typed text back; false when it does not fit the picture (the input is rejected),
// a number the picture cannot show included.
bool parseNumber(std::string_view picture, std::string_view text, double& value);
// Cuts a text to an @sN picture's width (in characters).
std::string formatText(std::string_view picture, std::string_view text);

}  // namespace ui
