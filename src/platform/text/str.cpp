#include "platform/text/str.h"

namespace text {
namespace {

template <typename Map>
int comparePadded(std::string_view a, std::string_view b, Map map) {
  const std::size_t n = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char ca = map(i < a.size() ? static_cast<unsigned char>(a[i]) : ' ');
    const unsigned char cb = map(i < b.size() ? static_cast<unsigned char>(b[i]) : ' ');
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return 0;
}

}  // namespace

int compareBlankPadded(std::string_view a, std::string_view b) {
  return comparePadded(a, b, [](unsigned char c) { return c; });
}

int compareBlankPaddedNoCase(std::string_view a, std::string_view b) {
  return comparePadded(a, b, [](unsigned char c) { return upper1252(c); });
}

bool fitsStr(std::string_view utf8, std::size_t width) {
  const std::string cp = toCp1252(utf8);
  return cp.size() <= width && fromCp1252(cp) == utf8;
}

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace text
