#include "import/viewers/text_search.h"

#include "platform/text/codepage.h"
#include "platform/text/str.h"

namespace import {

namespace {

// Compared as the line file holds text: Windows-1252, upper-cased when case does not count.
std::string comparable(std::string_view utf8, bool matchCase) {
  std::string cp = text::toCp1252(utf8);
  return matchCase ? cp : text::upper1252(cp);
}

// The search text made comparable: once per search, not once per row.
std::string searchText(const SearchSettings& s) { return comparable(text::trimRight(s.text), s.matchCase); }

bool matches(std::string_view row, std::string_view what, const SearchSettings& s) {
  if (what.empty()) return false;
  const std::string in = comparable(row, s.matchCase);
  const std::string_view line = text::trimRight(in);
  for (std::size_t at = line.find(what); at != std::string_view::npos; at = line.find(what, at + 1)) {
    if (!s.wholeWord) return true;
    const std::size_t end = at + what.size();
    const bool before = at == 0 || line[at - 1] == ' ';
    const bool after = end == line.size() || line[end] == ' ';
    if (before && after) return true;
  }
  return false;
}

}  // namespace

bool rowMatches(std::string_view row, const SearchSettings& s) { return matches(row, searchText(s), s); }

std::size_t searchRows(const std::vector<std::string>& rows, std::size_t current, const SearchSettings& s,
                       const std::function<bool(bool down)>& wrap) {
  const std::string what = searchText(s);
  const std::size_t n = rows.size();
  std::size_t row = current;
  for (;;) {
    if (s.down) {
      ++row;
      if (row > n) {
        if (!wrap(true)) return 0;
        row = 1;
        if (n == 0) continue;
      }
    } else {
      if (row <= 1) {
        if (!wrap(false)) return 0;
        row = n;
        if (n == 0) continue;
      } else {
        --row;
      }
    }
    if (matches(rows[row - 1], what, s)) return row;
  }
}

}  // namespace import
