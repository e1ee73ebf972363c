#pragma once
#include <string>
#include <vector>

namespace maintenance {

// One entry of a list's display queue: the displayed columns (UTF-8), the never-set mark and
// the view's position of the row's record, the only link back to it.
struct BrowseRow {
  std::vector<std::string> columns;
  unsigned char mark = 0;
  std::string position;
};

}  // namespace maintenance
