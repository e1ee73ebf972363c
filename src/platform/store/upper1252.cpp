#include "platform/store/upper1252.h"

#include <cstdint>

namespace store {

namespace {

// Next code point of UTF-8 text; a broken byte is taken as itself.
std::uint32_t nextCodePoint(std::string_view s, std::size_t& i) {
  const auto b = static_cast<unsigned char>(s[i]);
  int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
  if (i + std::size_t(len) > s.size()) len = 1;
  std::uint32_t cp = len == 1 ? b : len == 2 ? (b & 0x1Fu) : len == 3 ? (b & 0x0Fu) : (b & 0x07u);
  for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + std::size_t(k)]) & 0x3Fu);
  i += std::size_t(len);
  return cp;
}

// Upper case by Windows-1252 rules, as a code point: a-z, the Latin-1 letters à..þ except ÷,
// and the four letters of the 0x80 row.
std::uint32_t upperCp(std::uint32_t cp) {
  if (cp < 0x80) return (cp >= 'a' && cp <= 'z') ? cp - 32 : cp;
  if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 32;
  switch (cp) {
    case 0x00FF: return 0x0178;  // ÿ
    case 0x0161: return 0x0160;  // š
    case 0x0153: return 0x0152;  // œ
    case 0x017E: return 0x017D;  // ž
    default: return cp;
  }
}

std::string_view withoutTrailingBlanks(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

int compareUpper1252(std::string_view a, std::string_view b) {
  a = withoutTrailingBlanks(a);
  b = withoutTrailingBlanks(b);
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[j]);
    std::uint32_t x, y;
    if (ca < 0x80 && cb < 0x80) {  // the common case without decoding
      x = (ca >= 'a' && ca <= 'z') ? ca - 32u : ca;
      y = (cb >= 'a' && cb <= 'z') ? cb - 32u : cb;
      ++i;
      ++j;
    } else {
      x = upperCp(nextCodePoint(a, i));
      y = upperCp(nextCodePoint(b, j));
    }
    if (x != y) return x < y ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

int collateUpper1252(void*, int na, const void* a, int nb, const void* b) {
  return compareUpper1252(std::string_view(static_cast<const char*>(a), std::size_t(na)),
                          std::string_view(static_cast<const char*>(b), std::size_t(nb)));
}

}  // namespace store
