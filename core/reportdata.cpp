#include "reportdata.h"

const ReportInfo& GetReportInfo(ReportId id) {
    static const ReportInfo infos[] = {
        {ReportId::Item, "repItem", 5, "品目リスト", true},   {ReportId::Tori, "repTori", 7, "取引先リスト", false},
        {ReportId::Parts, "repParts", 8, "構成表", false},    {ReportId::Genka, "repGenka", 8, "原価表", false},
        {ReportId::Order, "repOrder", 5, "生産計画", true},   {ReportId::Sup, "repSup", 12, "発注支援", true},
    };
    return infos[static_cast<int>(id)];
}

std::string ReportText(const ReportSnapshot& r) {
    std::string out = std::string("# report: ") + GetReportInfo(r.id).name + "\n";
    out += "# title: " + r.title + "\n";
    if (r.id == ReportId::Order || r.id == ReportId::Sup) out += "# month: " + r.month + "\n";
    if (r.id == ReportId::Genka) {
        out += "# total: " + r.genkaTotal + "\n";
        out += "# heading: " + r.genkaHeading + "\n";
    }
    for (const auto& line : r.lines) {
        for (size_t i = 0; i < line.size(); ++i) {
            if (i) out += '\t';
            // A tab or line break inside a text would break the line format.
            for (char c : line[i]) out += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
        }
        out += '\n';
    }
    return out;
}
