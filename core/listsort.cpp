#include "listsort.h"

#include <algorithm>

#include "sjis.h"

int NextSortColumn(int sortColumn, int clickedPosition) {
    int k = clickedPosition + 1;
    if (sortColumn == k || sortColumn == -k) return -sortColumn;
    return k;
}

std::vector<size_t> SortedOrder(const std::vector<std::string>& texts, int sortColumn) {
    // Sort keys once per row, then order by them.
    std::vector<std::pair<std::string, size_t>> keys;
    keys.reserve(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) keys.emplace_back(SjisKey(texts[i]), i);
    std::stable_sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        return CompareSortKeys(a.first, b.first, sortColumn) < 0;
    });
    std::vector<size_t> order;
    order.reserve(keys.size());
    for (const auto& k : keys) order.push_back(k.second);
    return order;
}

int CompareSortKeys(const std::string& a, const std::string& b, int sortColumn) {
    int c = a.compare(b);
    int r = c < 0 ? -1 : (c > 0 ? 1 : 0);
    return sortColumn < 0 ? -r : r;
}
