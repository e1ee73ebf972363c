#include "platform/text/picture.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/text/number.h"

namespace text {
namespace {

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool allDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

int toInt(std::string_view s) {
  int v = 0;
  for (char c : s) v = v * 10 + (c - '0');
  return v;
}

// Two-digit years: 00..49 are this century, 50..99 the last.
int expandYear(std::string_view y) {
  const int v = toInt(y);
  if (y.size() == 4) return v;
  return v < 50 ? 2000 + v : 1900 + v;
}

std::optional<Date> fromParts(std::string_view d, std::string_view m, std::string_view y) {
  if (!allDigits(d) || !allDigits(m) || !allDigits(y)) return std::nullopt;
  if (d.size() > 2 || m.size() > 2 || (y.size() != 2 && y.size() != 4)) return std::nullopt;
  const Date date = dateFromYmd(expandYear(y), toInt(m), toInt(d));
  if (date == 0) return std::nullopt;
  return date;
}

std::string padLeft(std::string s, int width) {
  if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
  return s;
}

}  // namespace

std::string formatDate(Date date) {
  const Ymd d = toYmd(date);
  if (d.year == 0) return "";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%02d", d.day, d.month, d.year % 100);
  return buf;
}

std::optional<Date> parseDateStrict(std::string_view typed) {
  const std::string_view s = trimBlanks(typed);
  if (s.empty()) return Date{0};
  if (allDigits(s)) {
    if (s.size() == 6 || s.size() == 8) return fromParts(s.substr(0, 2), s.substr(2, 2), s.substr(4));
    return std::nullopt;
  }
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == '.' || s[i] == '/' || s[i] == '-') {
      parts.push_back(s.substr(start, i - start));
      start = i + 1;
    }
  }
  if (parts.size() != 3) return std::nullopt;
  return fromParts(parts[0], parts[1], parts[2]);
}

Date parseDate(std::string_view typed) { return parseDateStrict(typed).value_or(0); }

std::string formatNumber(double value, int width, int decimals, bool blankWhenZero) {
  if (decimals < 0) decimals = 0;
  const std::size_t w = width > 0 ? static_cast<std::size_t>(width) : 0;
  if (!std::isfinite(value)) return std::string(w, '#');
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (res.ec != std::errc()) return std::string(w, '#');
  std::string s(buf, res.ptr);
  // A value that rounds to zero is zero: no "-0,000", and blank when the picture says so.
  if (s.find_first_not_of("-0.") == std::string::npos) {
    if (blankWhenZero) return std::string(w, ' ');
    if (s.front() == '-') s.erase(0, 1);
  }
  for (char& c : s)
    if (c == '.') c = ',';
  if (w > 0 && s.size() > w) return std::string(w, '#');
  return padLeft(std::move(s), width);
}

std::optional<double> parseNumber(std::string_view typed) {
  std::string s(trimBlanks(typed));
  if (s.empty()) return 0.0;
  for (char& c : s)
    if (c == ',') c = '.';
  if (!isNumeric(s)) return std::nullopt;
  return toNumber(s);
}

std::string formatLogDate(Date date) {
  const Ymd d = toYmd(date);
  if (d.year == 0) return std::string(8, ' ');
  char buf[16];
  std::snprintf(buf, sizeof buf, "%2d.%02d.%02d", d.day, d.month, d.year % 100);
  return buf;
}

std::string formatLogTime(int seconds) {
  seconds = ((seconds % 86400) + 86400) % 86400;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%2d.%02d", seconds / 3600, seconds / 60 % 60);
  return buf;
}

std::string formatRightAligned(long value, int width) { return padLeft(std::to_string(value), width); }

std::string formatCount5(long count) { return formatRightAligned(count, 5); }

std::string formatPictureS(std::string_view utf8, int width) {
  if (width <= 0) return "";
  std::size_t i = 0;
  int chars = 0;
  while (i < utf8.size() && chars < width) {
    ++i;
    // Continuation bytes belong to the character before.
    while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
    ++chars;
  }
  return std::string(utf8.substr(0, i));
}

}  // namespace text
