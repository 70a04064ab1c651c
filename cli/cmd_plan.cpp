// Production plan commands: plan (list and change a month's plan, CSV
// output) and report order (the printout). They run the code of the
// production plan window: the same search, the same save with its marks in
// the settings file, the same CSV lines and report lines.
#include <cstdio>
#include <memory>

#include "cli.h"
#include "fileutil.h"
#include "productionplan.h"
#include "report_out.h"
#include "settings.h"
#include "ucommon.h"
#include "udao.h"
#include "udaors.h"

namespace {

const char* kPlanUsage =
    "plan FILE --month YYYYMM [--kbn 2,3] [--find PREFIX] [--set CODE=SHIPMENTS,STOCK ...] [--csv OUT]";
const char* kReportUsage = "report order FILE --month YYYYMM [--kbn 2,3] [--find PREFIX] (-o OUT.pdf | --text)";

struct sPlanQuery {
    std::string monthKey;
    int year = 0, month = 0;
    bool body = true, set = true;
    std::string find;
};

sPlanQuery ReadQuery(const CliArgs& a) {
    sPlanQuery q;
    std::string m = a.Get("--month");
    bool digits = m.size() == 6 && m.find_first_not_of("0123456789") == std::string::npos;
    if (digits) {
        q.year = std::stoi(m.substr(0, 4));
        q.month = std::stoi(m.substr(4));
    }
    if (!digits || q.month < 1 || q.month > 12 || q.year < 1)
        throw CliFailure{"velmo-cli: --month には対象年月を YYYYMM の形で指定してください。" +
                         (m.empty() ? std::string() : " (" + m + ")")};
    q.monthKey = m;
    if (a.Has("--kbn")) {
        q.body = q.set = false;
        std::string list = a.Get("--kbn");
        for (size_t start = 0;;) {
            size_t end = list.find(',', start);
            std::string t = Trim(list.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (t == "2") q.body = true;
            else if (t == "3") q.set = true;
            else throw CliFailure{"velmo-cli: --kbn に指定できる区分は 2 (本体) と 3 (ｾｯﾄ) です: " + list};
            if (end == std::string::npos) break;
            start = end + 1;
        }
        if (!q.body && !q.set) throw CliFailure{"velmo-cli: --kbn に区分がありません。"};
    }
    q.find = a.Get("--find");
    return q;
}

std::unique_ptr<clsDao> OpenFile(const std::string& path) {
    auto dao = std::make_unique<clsDao>();
    // The connection has reported why on stderr already.
    if (dao->OpenDatabase(path) != 0) throw CliFailure{"velmo-cli: " + path + " を開けません。"};
    return dao;
}

// A field of an output line: a TAB or line break inside would break the line.
std::string Field(std::string s) {
    for (char& c : s)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return s;
}

// "CODE=SHIPMENTS,STOCK" -> the values saved for the row.
sOrderValues ParseSet(const std::string& text) {
    size_t eq = text.rfind('=');
    auto fail = [&] {
        throw CliFailure{"velmo-cli: --set は CODE=出荷数,在庫数 の形で、数は整数で指定してください: " + text};
    };
    if (eq == std::string::npos || eq == 0) fail();
    std::string values = text.substr(eq + 1);
    size_t comma = values.find(',');
    if (comma == std::string::npos) fail();
    auto shipments = ParseInt(values.substr(0, comma));
    auto stock = ParseInt(values.substr(comma + 1));
    if (!shipments || !stock) fail();
    sOrderValues v;
    v.code = text.substr(0, eq);
    v.shipments = *shipments;
    v.stock = *stock;
    v.production = v.shipments - v.stock;
    return v;
}

// The plan rows of a set or body; refuses a code that is neither.
void CheckPlannedItem(clsDao& dao, const std::string& code) {
    clsDaoRs rs(dao.GetDatabase());
    rs.OpenRecordset("SELECT KBN FROM MasItem WHERE CD = '" + SqlEsc(code) + "'");
    bool ok = !rs.IsEOF() && (rs.Int("KBN") == 2 || rs.Int("KBN") == 3);
    rs.Close();
    if (!ok) throw CliFailure{"velmo-cli: 品番[" + code + "]は登録されたｾｯﾄ/本体ではありません。"};
}

int Plan(const CliArgs& a) {
    if (a.positional.size() != 1 || !a.Has("--month")) throw CliFailure{std::string("usage: velmo-cli ") + kPlanUsage};
    sPlanQuery q = ReadQuery(a);
    std::vector<sOrderValues> sets;
    for (const auto& s : a.GetAll("--set")) sets.push_back(ParseSet(s));
    auto dao = OpenFile(a.positional[0]);
    if (!sets.empty()) {
        for (const auto& s : sets) CheckPlannedItem(*dao, s.code);
        IniFile ini = AppSettings();
        sPlanSaveResult r = SaveOrderPlan(*dao, ini, q.monthKey, sets, TodayKey());
        if (!r.ok) throw CliFailure{r.message.empty() ? "velmo-cli: 生産計画を保存できませんでした。" : r.message};
    }
    clsPlanFrame frame(OrderFrameConfig());
    frame.SetEditState(true);
    frame.SetRows(SearchOrderPlan(*dao, q.body, q.set, q.find, q.monthKey));
    if (a.Has("--csv")) {
        std::string out = a.Get("--csv");
        if (!WriteFileAtomic(out, frame.CsvBytes())) throw CliFailure{"velmo-cli: CSVﾌｧｲﾙを書き込めませんでした。 " + out};
    }
    std::string text;
    for (const auto& r : frame.Rows()) {
        for (size_t i = 0; i < r.size(); ++i) text += (i ? "\t" : "") + Field(r[i]);
        text += '\n';
    }
    text += "# 該当件数: " + std::to_string(frame.Rows().size()) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

int ReportOrder(const CliArgs& a) {
    if (a.positional.size() != 1 || !a.Has("--month")) throw CliFailure{std::string("usage: velmo-cli ") + kReportUsage};
    sPlanQuery q = ReadQuery(a);
    auto dao = OpenFile(a.positional[0]);
    std::vector<PlanRow> rows = SearchOrderPlan(*dao, q.body, q.set, q.find, q.monthKey);
    return EmitReport(OrderReport(rows, PlanMonthTitle(q.year, q.month)), a);
}

CliRegistrar regPlan({"plan", kPlanUsage, {"--month", "--kbn", "--find", "--set", "--csv"}, Plan});
CliRegistrar regReport({"report order", kReportUsage, {"--month", "--kbn", "--find", "-o"}, ReportOrder});

}  // namespace
