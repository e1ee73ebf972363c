#pragma once
// The log viewer's search: a text in the rows of a list, up or down from the current row, with
// letter case and whole words as the user chose; at either end the user decides whether to go
// on from the other end.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace import {

struct SearchSettings {
  std::string text;  // UTF-8; trailing blanks do not count
  bool wholeWord = false;
  bool matchCase = false;
  bool down = true;
};

// True when the row holds the text. With whole words every occurrence is tested: a blank (or the
// row's start) before it and a blank (or the row's end, trailing blanks not counted) after it.
bool rowMatches(std::string_view row, const SearchSettings& s);

// Steps from `current` (1-based, 0 none) in the chosen direction to the next matching row and
// returns it. Passing an end calls `wrap(down)`: true goes on from the other end, false stops
// the search and 0 is returned.
std::size_t searchRows(const std::vector<std::string>& rows, std::size_t current, const SearchSettings& s,
                       const std::function<bool(bool down)>& wrap);

}  // namespace import
