// Program identity shared by the windows and velmo-cli.
#include "corever.h"

const char* const kAppTitle = "構成表管理ﾌﾟﾛｸﾞﾗﾑ";
const char* const kVersionText = "Ver 2.00";
