// The sort rule of every list: a signed 1-based column number (negative =
// descending); texts compare by their Shift-JIS bytes, equal texts equal.
#pragma once
#include <string>

// The sort column after a click on column position k (0-based): the same
// column flips its direction, another column sorts ascending.
int NextSortColumn(int sortColumn, int clickedPosition);

// -1, 0 or +1 for two Shift-JIS sort keys (SjisKey), negated when descending.
int CompareSortKeys(const std::string& a, const std::string& b, int sortColumn);
