// Procurement commands: explode (the 所要展開 of the procurement support
// window), supply (its list, with the stock entry of Save) and report supply
// (its Print, repSup). UTF-8, TAB between the fields; messages on stderr,
// exit code 1 on failure.
#include <chrono>
#include <cstdio>
#include <memory>
#include <tuple>

#include "cli.h"
#include "explosion.h"
#include "fileutil.h"
#include "planframe.h"
#include "productionplan.h"
#include "report_out.h"
#include "supplylist.h"
#include "ucommon.h"
#include "udao.h"

namespace {

std::unique_ptr<clsDao> OpenFile(const std::string& path) {
    auto dao = std::make_unique<clsDao>();
    // The connection has reported why on stderr already.
    if (dao->OpenDatabase(path) != 0) throw CliFailure{"velmo-cli: " + path + " を開けません。"};
    return dao;
}

// --month YYYYMM: six digits, month 01 to 12.
std::string MonthOption(const CliArgs& a, const std::string& usage) {
    std::string m = a.Get("--month");
    if (!a.Has("--month")) throw CliFailure{"usage: velmo-cli " + usage};
    bool digits = m.size() == 6 && m.find_first_not_of("0123456789") == std::string::npos;
    int month = digits ? std::stoi(m.substr(4)) : 0;
    if (!digits || month < 1 || month > 12)
        throw CliFailure{"velmo-cli: --month は年月を YYYYMM の形で指定してください。(" + m + ")"};
    return m;
}

void PrintLine(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        std::string f = fields[i];
        for (char& c : f)
            if (c == '\t' || c == '\n' || c == '\r') c = ' ';
        line += (i ? "\t" : "") + f;
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
}

const char* kExplodeUsage = "explode FILE --month YYYYMM";

int Explode(const CliArgs& a) {
    if (a.positional.size() != 1) throw CliFailure{std::string("usage: velmo-cli ") + kExplodeUsage};
    std::string month = MonthOption(a, kExplodeUsage);
    auto dao = OpenFile(a.positional[0]);
    clsExplosion e(dao.get());
    // Progress on stderr once the explosion has taken more than a second, at
    // most once a second.
    using Clock = std::chrono::steady_clock;
    auto start = Clock::now(), last = start;
    e.OnProgress = [&](const char* step, size_t done, size_t total) {
        auto now = Clock::now();
        if (now - start < std::chrono::seconds(1) || now - last < std::chrono::seconds(1)) return;
        last = now;
        std::fprintf(stderr, "所要展開: %s %zu/%zu\n", step, done, total);
    };
    std::vector<clsExplosion::sSupplyRow> rows;
    try {
        rows = e.Explode(month, TodayKey());
    } catch (const ExplosionError& err) {
        throw CliFailure{err.what()};
    }
    for (const auto& r : rows)
        PrintLine({r.Code, std::to_string(r.Need), std::to_string(r.Stock), std::to_string(r.Supply)});
    return 0;
}

const char* kSupplyUsage =
    "supply FILE --month YYYYMM [--kbn 1,0] [--find PREFIX] [--set CODE=STOCK ...] [--csv OUT]";

// --kbn: the categories of the boxes, 1 (ﾕﾆｯﾄ) and 0 (ﾊﾟｰﾂ); both by default.
std::pair<bool, bool> KbnOption(const CliArgs& a) {
    if (!a.Has("--kbn")) return {true, true};
    bool unit = false, parts = false;
    std::string list = a.Get("--kbn");
    size_t from = 0;
    while (true) {
        size_t comma = list.find(',', from);
        std::string k = Trim(list.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
        if (k == "1") unit = true;
        else if (k == "0") parts = true;
        else throw CliFailure{"velmo-cli: --kbn は 1 (ﾕﾆｯﾄ) と 0 (ﾊﾟｰﾂ) を , で区切って指定してください。(" + list + ")"};
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    return {unit, parts};
}

struct SupplySearch {
    std::unique_ptr<clsDao> dao;
    std::string month;
    bool unit = true, parts = true;
    std::string find;
};

// The window's search after its two checks: a category, a current month.
std::vector<std::vector<std::string>> RunSupplySearch(const SupplySearch& s) {
    if (!s.unit && !s.parts) throw CliFailure{Trim(kSupNoCategory)};
    if (!IsSupplyCurrent(s.month)) throw CliFailure{kSupNotCurrent};
    return clsSupplyList(s.dao.get()).Search(s.month, s.unit, s.parts, s.find);
}

SupplySearch SupplyArgs(const CliArgs& a, const std::string& usage) {
    if (a.positional.size() != 1) throw CliFailure{"usage: velmo-cli " + usage};
    SupplySearch s;
    s.month = MonthOption(a, usage);
    std::tie(s.unit, s.parts) = KbnOption(a);
    s.find = a.Get("--find");
    s.dao = OpenFile(a.positional[0]);
    return s;
}

int Supply(const CliArgs& a) {
    SupplySearch s = SupplyArgs(a, kSupplyUsage);
    auto rows = RunSupplySearch(s);
    std::vector<std::string> sets = a.GetAll("--set");
    if (!sets.empty()) {
        // Every --set is a stock typed into its row; then Save writes every
        // listed row at once.
        for (const auto& set : sets) {
            size_t eq = set.find('=');
            if (eq == std::string::npos) throw CliFailure{"velmo-cli: --set は CODE=STOCK の形で指定してください。(" + set + ")"};
            std::string code = set.substr(0, eq);
            bool found = false;
            for (auto& r : rows)
                if (r[kSupCode] == code) {
                    r[kSupStock] = set.substr(eq + 1);
                    SupRecompute(r);
                    found = true;
                }
            if (!found) throw CliFailure{"velmo-cli: 品番 " + code + " は一覧にありません。"};
        }
        clsSupplyList(s.dao.get()).SaveSupply(s.month, rows);
        rows = RunSupplySearch(s);
    }
    if (a.Has("--csv")) {
        // The window's CSV output of the list.
        clsPlanFrame frame(SupplyFrameConfig());
        frame.SetEditState(true);
        frame.SetRows(rows);
        if (!WriteFileAtomic(a.Get("--csv"), frame.CsvBytes()))
            throw CliFailure{"velmo-cli: " + a.Get("--csv") + " に書き込めません。"};
    }
    for (const auto& r : rows) PrintLine(r);
    PrintLine({"# 該当件数: " + std::to_string(rows.size())});
    return 0;
}

const char* kReportUsage = "report supply FILE --month YYYYMM [--kbn 1,0] [--find PREFIX] (-o OUT.pdf | --text)";

int ReportSupply(const CliArgs& a) {
    SupplySearch s = SupplyArgs(a, kReportUsage);
    auto rows = RunSupplySearch(s);
    // As Print: the month title, then the twelve texts of every row.
    return EmitReport(SupplyReport(rows, PlanMonthTitle(std::stoi(s.month.substr(0, 4)), std::stoi(s.month.substr(4)))),
                      a);
}

CliRegistrar r1({"explode", kExplodeUsage, {"--month"}, Explode});
CliRegistrar r2({"supply", kSupplyUsage, {"--month", "--kbn", "--find", "--set", "--csv"}, Supply});
CliRegistrar r3({"report supply", kReportUsage, {"-o", "--month", "--kbn", "--find"}, ReportSupply});

}  // namespace
