#include "usersettings.h"

#include "settings.h"

namespace {
struct CaptionDef {
    const char* key;
    const char* def;
};
const CaptionDef kCaptions[] = {
    {"ETCHI", "(その他費用)"}, {"HINBAN", "(外部品番)"}, {"MCODE", "(ﾒｰｶｰｺｰﾄﾞ)"},
    {"YOBI1", "(予備1)"},      {"YOBI2", "(予備2)"},     {"YOBI3", "(予備3)"},
};
}  // namespace

const char* ItemCaptionKey(ItemCaption c) { return kCaptions[static_cast<int>(c)].key; }
const char* ItemCaptionDefault(ItemCaption c) { return kCaptions[static_cast<int>(c)].def; }

std::string ReadItemCaption(ItemCaption c) {
    return AppSettings().ReadString("MASITEM", ItemCaptionKey(c), ItemCaptionDefault(c));
}

void MarkProcurementChanged() { AppSettings().WriteString("SupEnt", "YYYYMM", ""); }
