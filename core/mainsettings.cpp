#include "mainsettings.h"

namespace {

const char* const kSection = "PREFORM";
const char* const kColumnKeys[4] = {"MLIST1W", "MLIST2W", "MLIST3W", "MLIST4W"};

const char* Flag(bool on) { return on ? "1" : "0"; }

}  // namespace

std::array<int, 4> LoadListColumnWidths(const IniFile& ini) {
    std::array<int, 4> w = sMainSettings().columns;
    for (int i = 0; i < 4; ++i) w[i] = ini.ReadInteger(kSection, kColumnKeys[i], w[i]);
    return w;
}

sMainSettings LoadMainSettings(const IniFile& ini) {
    sMainSettings s;
    s.path = ini.ReadString("DATABASE", "PATH", "");
    s.chkBody = ini.ReadCheck(kSection, "CHKS_BODY");
    s.chkUnit = ini.ReadCheck(kSection, "CHKS_UNIT");
    s.chkParts = ini.ReadCheck(kSection, "CHKS_PARTS");
    s.chkSet = ini.ReadCheck(kSection, "CHKS_SET");
    s.toolBarFirst = ini.ReadString(kSection, "COOL_1", "") != "2";
    s.break1 = ini.ReadString(kSection, "COOL_1B", "") == "1";
    s.break2 = ini.ReadString(kSection, "COOL_2B", "") == "1";
    s.width1 = ini.ReadInteger(kSection, "COOL_1W", 0);
    s.width2 = ini.ReadInteger(kSection, "COOL_2W", 0);
    s.columns = LoadListColumnWidths(ini);
    return s;
}

void SaveMainSettings(IniFile& ini, const sMainSettings& s) {
    std::vector<std::pair<std::string, std::string>> v = {
        {"CHKS_BODY", Flag(s.chkBody)},
        {"CHKS_UNIT", Flag(s.chkUnit)},
        {"CHKS_PARTS", Flag(s.chkParts)},
        {"CHKS_SET", Flag(s.chkSet)},
        {"COOL_1", s.toolBarFirst ? "1" : "2"},
        {"COOL_2", s.toolBarFirst ? "2" : "1"},
        {"COOL_1B", Flag(s.break1)},
        {"COOL_2B", Flag(s.break2)},
        {"COOL_1W", std::to_string(s.width1)},
        {"COOL_2W", std::to_string(s.width2)},
    };
    for (int i = 0; i < 4; ++i) v.emplace_back(kColumnKeys[i], std::to_string(s.columns[i]));
    ini.WriteStrings(kSection, v);
    ini.WriteString("DATABASE", "PATH", s.path);
}
