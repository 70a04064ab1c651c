#include "fracommon.h"

namespace TframeCommon {
QIcon ToolbarIcon(int) { return QIcon(); }
QIcon GridItemIcon(int) { return QIcon(); }
}  // namespace TframeCommon
