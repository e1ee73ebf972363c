#pragma once
// Look-up lists of the forms: rows kept in ascending order of one key field as they are read.
#include <algorithm>
#include <vector>

namespace maintenance {

// Inserts `row` at its place in ascending order of `key`, unless a row with the same key is
// listed already: the first row read for a key keeps its place and its texts.
template <class Row, class Key>
void insertUnique(std::vector<Row>& list, const Row& row, Key Row::*key) {
  const auto at =
      std::lower_bound(list.begin(), list.end(), row, [key](const Row& a, const Row& b) { return a.*key < b.*key; });
  if (at != list.end() && (*at).*key == row.*key) return;
  list.insert(at, row);
}

// Inserts `value` after every value that does not sort after it; equal values are all kept.
template <class T>
void insertSorted(std::vector<T>& list, const T& value) {
  list.insert(std::upper_bound(list.begin(), list.end(), value), value);
}

}  // namespace maintenance
