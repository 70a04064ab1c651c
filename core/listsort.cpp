#include "listsort.h"

int NextSortColumn(int sortColumn, int clickedPosition) {
    int k = clickedPosition + 1;
    if (sortColumn == k || sortColumn == -k) return -sortColumn;
    return k;
}

int CompareSortKeys(const std::string& a, const std::string& b, int sortColumn) {
    int c = a.compare(b);
    int r = c < 0 ? -1 : (c > 0 ? 1 : 0);
    return sortColumn < 0 ? -r : r;
}
