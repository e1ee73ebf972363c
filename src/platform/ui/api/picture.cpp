#include "platform/ui/api/picture.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/text/date.h"
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
  while (i < p.size() && std::isdigit(static_cast<unsigned char>(p[i]))) out.width = out.width * 10 + (p[i++] - '0');
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
    const double day = std::round(value);
    // A day number the calendar cannot hold shows blank, as no date does.
    if (!(day >= text::kFirstDate && day <= text::kLastDate)) return {};
    const text::Ymd ymd = text::toYmd(static_cast<text::Date>(day));
    char buf[32];
    if (p.width >= 10 || p.width == 0)
      std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", ymd.day, ymd.month, ymd.year);
    else
      std::snprintf(buf, sizeof buf, "%02d.%02d.%02d", ymd.day, ymd.month, ymd.year % 100);
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
    int y = 0;
    int n = 0;
    const std::string t(text);
    if (std::sscanf(t.c_str(), "%2u.%2u.%4d%n", &d, &m, &y, &n) != 3 || n != static_cast<int>(t.size())) return false;
    // A year of one or two digits is 1950..2049, whatever the length of day and month.
    if (t.size() - t.rfind('.') <= 3) y += y < 50 ? 2000 : 1900;
    // 0 for a date that does not exist (31.02.) or that the calendar cannot hold.
    const text::Date day = text::dateFromYmd(y, static_cast<int>(m), static_cast<int>(d));
    if (day == 0) return false;
    value = day;
    return true;
  }
  std::string t(text);
  for (char& c : t)
    if (c == ',') c = '.';
  if (!text::isNumeric(t)) return false;
  const double v = text::toNumber(t);
  if (!fitsPicture(picture, v)) return false;
  value = v;
  return true;
}

bool fitsPicture(std::string_view picture, double value) {
  if (!std::isfinite(value)) return false;
  const Pic p = parsePic(picture);
  return p.kind != 'n' || p.width <= 0 || formatNumber(picture, value).size() <= static_cast<std::size_t>(p.width);
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
