#include "platform/ui/api/picture.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/text/number.h"

namespace ui {
namespace {

struct Pic {
  char kind = 0;  // 's', 'n', 'd' or 0
  int width = 0;
  int decimals = -1;  // -1: as many as needed
  char point = '.';
  bool blankZero = false;
};

Pic parsePic(std::string_view p) {
  Pic out;
  if (!p.empty() && p.front() == '@') p.remove_prefix(1);
  if (p.empty()) return out;
  const char k = static_cast<char>(std::tolower(static_cast<unsigned char>(p.front())));
  if (k != 's' && k != 'n' && k != 'd') return out;
  out.kind = k;
  p.remove_prefix(1);
  if (!p.empty() && (p.front() == '-' || p.front() == '_')) p.remove_prefix(1);
  std::size_t i = 0;
  while (i < p.size() && std::isdigit(static_cast<unsigned char>(p[i])))
    out.width = out.width * 10 + (p[i++] - '0');
  if (k == 'n') {
    out.decimals = 0;
    if (i < p.size() && (p[i] == '.' || p[i] == ',' || p[i] == '`')) {
      out.point = p[i] == '.' ? '.' : ',';
      ++i;
      out.decimals = 0;
      while (i < p.size() && std::isdigit(static_cast<unsigned char>(p[i])))
        out.decimals = out.decimals * 10 + (p[i++] - '0');
    }
    if (i < p.size() && (p[i] == 'b' || p[i] == 'B')) out.blankZero = true;
  }
  return out;
}

// Days from 1970-01-01 for a civil date (proleptic Gregorian).
long daysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

void civilFromDays(long z, long& y, unsigned& m, unsigned& d) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y += m <= 2;
}

const long kDay0 = daysFromCivil(1800, 12, 28);

// Numbers are written and read by the program's own rules: the GUI toolkit sets the process
// locale from the environment, and a Norwegian one would turn printf's point into a comma.
std::string plainNumber(double v) {
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
  return std::string(buf, res.ptr);
}

}  // namespace

std::string formatNumber(std::string_view picture, double value) {
  const Pic p = parsePic(picture);
  if (p.kind == 'd') {
    const long day = std::lround(value);
    if (day <= 0) return {};
    long y;
    unsigned m, d;
    civilFromDays(day + kDay0, y, m, d);
    char buf[32];
    if (p.width >= 10 || p.width == 0)
      std::snprintf(buf, sizeof buf, "%02u.%02u.%04ld", d, m, y);
    else
      std::snprintf(buf, sizeof buf, "%02u.%02u.%02ld", d, m, y % 100);
    return buf;
  }
  if (p.kind != 'n') return plainNumber(value);
  if (p.blankZero && value == 0) return {};
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, p.decimals);
  if (res.ec != std::errc()) return plainNumber(value);
  std::string s(buf, res.ptr);
  if (p.point == ',') {
    for (char& c : s)
      if (c == '.') c = ',';
  }
  return s;
}

bool parseNumber(std::string_view picture, std::string_view text, double& value) {
  const Pic p = parsePic(picture);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty()) {
    value = 0;
    return true;
  }
  if (p.kind == 'd') {
    unsigned d = 0, m = 0;
    long y = 0;
    int n = 0;
    const std::string t(text);
    if (std::sscanf(t.c_str(), "%2u.%2u.%4ld%n", &d, &m, &y, &n) != 3 || n != static_cast<int>(t.size()))
      return false;
    if (t.size() <= 8) y += y < 50 ? 2000 : 1900;
    if (m < 1 || m > 12 || d < 1 || d > 31) return false;
    const long z = daysFromCivil(y, m, d);
    long cy;
    unsigned cm, cd;
    civilFromDays(z, cy, cm, cd);
    if (cd != d || cm != m) return false;  // 31.02. and the like
    value = static_cast<double>(z - kDay0);
    return true;
  }
  std::string t(text);
  for (char& c : t)
    if (c == ',') c = '.';
  if (!text::isNumeric(t)) return false;
  const double v = text::toNumber(t);
  if (!std::isfinite(v)) return false;
  value = v;
  return true;
}

std::string formatText(std::string_view picture, std::string_view text) {
  const Pic p = parsePic(picture);
  if (p.kind != 's' || p.width <= 0) return std::string(text);
  // Cut after `width` UTF-8 characters.
  std::size_t chars = 0, i = 0;
  while (i < text.size()) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (chars == static_cast<std::size_t>(p.width)) break;
      ++chars;
    }
    ++i;
  }
  return std::string(text.substr(0, i));
}

}  // namespace ui
