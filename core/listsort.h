// The sort rule of every list: a signed 1-based column number (negative =
// descending); texts compare by their Shift-JIS bytes, equal texts equal.
#pragma once
#include <string>
#include <vector>

// The sort column after a click on column position k (0-based): the same
// column flips its direction, another column sorts ascending.
int NextSortColumn(int sortColumn, int clickedPosition);

// -1, 0 or +1 for two Shift-JIS sort keys (SjisKey), negated when descending.
int CompareSortKeys(const std::string& a, const std::string& b, int sortColumn);

// The order of rows sorted on their texts of the sort column: the positions of
// the rows, first to last. Equal texts keep their order.
std::vector<size_t> SortedOrder(const std::vector<std::string>& texts, int sortColumn);

// Sorts rows by the text textOf(row, column) of column |sortColumn| - 1
// (negative: descending), Shift-JIS byte order, stable. Returns the order
// applied (SortedOrder).
template <class Row, class TextOf>
std::vector<size_t> SortRows(std::vector<Row>& rows, int sortColumn, TextOf textOf) {
    if (sortColumn == 0 || rows.empty()) return {};
    int column = (sortColumn < 0 ? -sortColumn : sortColumn) - 1;
    std::vector<std::string> texts;
    texts.reserve(rows.size());
    for (const Row& r : rows) texts.push_back(textOf(r, column));
    std::vector<size_t> order = SortedOrder(texts, sortColumn);
    std::vector<Row> sorted;
    sorted.reserve(rows.size());
    for (size_t i : order) sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
    return order;
}
