#include "platform/text/number.h"

#include <locale.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>

namespace text {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the decimal number at the start of s, 0 when there is none.
std::size_t numberLength(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  // An exponent counts only when digits follow it ("1e" is the number 1 and a letter).
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && isDigit(s[j])) {
      while (j < s.size() && isDigit(s[j])) ++j;
      i = j;
    }
  }
  return i;
}

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// strtod in the "C" locale: the GUI toolkit may switch the process locale to one with a
// decimal comma.
double parseC(std::string_view number) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
  const std::string copy(number);
  return strtod_l(copy.c_str(), nullptr, cLocale);
}

}  // namespace

double toNumber(std::string_view utf8) {
  const std::string_view s = trimBlanks(utf8);
  const std::size_t n = numberLength(s);
  return n == 0 ? 0.0 : parseC(s.substr(0, n));
}

bool isNumeric(std::string_view utf8) {
  std::string_view s = utf8;
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return !s.empty() && numberLength(s) == s.size();
}

std::string numberToText(double value) {
  if (std::isnan(value)) return "nan";
  if (value == 0) return "0";  // also -0
  char buf[64];
  // to_chars with a precision follows %.15g in the "C" locale, whatever the process locale.
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  return std::string(buf, res.ptr);
}

}  // namespace text
