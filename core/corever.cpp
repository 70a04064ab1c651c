// Program identity shared by the windows and velmo-cli.
#include "corever.h"

#include "velmo_version.h"

const char* const kAppTitle = "構成表管理ﾌﾟﾛｸﾞﾗﾑ";
const char* const kVersionText = "Ver " VELMO_VERSION;
