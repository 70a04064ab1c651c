// TframeCommon: the tool-button images shared by the windows (imglstToolbar)
// and the row images of the item and partner lists (imglstGriditem), by index.
#pragma once
#include <QIcon>

namespace TframeCommon {
// imglstToolbar, 16 by 16.
QIcon ToolbarIcon(int index);
// imglstGriditem: 0 body, 1 unit, 2 parts, 3 ascending mark, 4 descending
// mark, 5 set, 6 supplier or issuing partner, 7 own stock.
QIcon GridItemIcon(int index);
}  // namespace TframeCommon
