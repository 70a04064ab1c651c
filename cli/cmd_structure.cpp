// Structure commands: bom, where-used, report structure, report cost,
// report parents. The rows are those the structure window and the parent
// search show; UTF-8, TAB between the fields. A stored loop ends the command
// with the loop named on stderr and exit code 1. Output of more than
// kRowsAskAbove rows (rows per path explode on shared sub-assemblies in many
// levels) is refused with the count, exit code 1, unless --max-rows allows
// it; the rows are counted before any is made.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <memory>

#include "cli.h"
#include "parentsearch.h"
#include "report_out.h"
#include "sjis.h"
#include "structure.h"
#include "ucommon.h"
#include "listsort.h"
#include "udao.h"

namespace {

std::unique_ptr<clsDao> OpenFile(const std::string& path) {
    auto dao = std::make_unique<clsDao>();
    // The connection has reported why on stderr already.
    if (dao->OpenDatabase(path) != 0) throw CliFailure{"velmo-cli: " + path + " を開けません。"};
    return dao;
}

void ThrowOnLoops(clsCycleLog& cycles) {
    if (!cycles.Empty()) throw CliFailure{cycles.Message()};
}

// A field of an output line: a TAB or line break inside would break the line.
std::string Field(std::string s) {
    for (char& c : s)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return s;
}

void PrintLine(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + Field(fields[i]);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
}

// Rows in the order the windows show them at first: column 1 ascending,
// compared byte by byte in Shift-JIS, equal codes in collection order.
template <class Row>
void SortByCode(std::vector<Row>& rows) {
    SortRows(rows, 1, [](const Row& r, int) { return r.Code; });
}

std::pair<std::string, std::string> FileAndCode(const CliArgs& a, const char* usage) {
    if (a.positional.size() != 2) throw CliFailure{std::string("usage: velmo-cli ") + usage};
    return {a.positional[0], a.positional[1]};
}

const char* kBomUsage = "bom FILE CODE [--all-levels] [--max-rows N]";
const char* kWhereUsage = "where-used FILE CODE [--all-levels] [--max-rows N]";

// Refuses output of more rows than --max-rows (default kRowsAskAbove). A
// stored loop is named first: it ends the command whatever the count.
void CheckRowCount(unsigned long long rows, const CliArgs& a, clsCycleLog& cycles) {
    unsigned long long limit = kRowsAskAbove;
    if (a.Has("--max-rows")) {
        std::string v = a.Get("--max-rows");
        bool digits = !v.empty() && v.find_first_not_of("0123456789") == std::string::npos;
        errno = 0;
        unsigned long long n = digits ? std::strtoull(v.c_str(), nullptr, 10) : 0;
        if (!digits || errno == ERANGE)
            throw CliFailure{"velmo-cli: --max-rows には 0 以上の整数を指定してください (" + v + ")。"};
        limit = n;
    }
    if (rows <= limit) return;
    ThrowOnLoops(cycles);
    throw CliFailure{"velmo-cli: 出力は " + GroupedCount(rows) + " 行になります (上限 " + GroupedCount(limit) +
                     " 行)。出力するには --max-rows " + std::to_string(rows) + " を指定してください。"};
}

int Bom(const CliArgs& a) {
    auto [path, code] = FileAndCode(a, kBomUsage);
    auto dao = OpenFile(path);
    clsStructure s(dao.get());
    s.CdListInit(1);
    s.CdListAdd(1, code);
    s.LoadStructure();
    bool all = a.Has("--all-levels");
    CheckRowCount(s.CountListRows(code, all), a, s.Cycles());
    // The rows of FillList, made one at a time as they are printed: a list
    // of millions of rows holds only a line number and a quantity per row,
    // and the texts that depend on the item only are made once per item.
    std::vector<int> lines = s.CollectBelow(code, all);
    std::vector<long long> quantities = s.ListQuantities(code, lines);
    double cost = s.CostTotal(code, all);
    ThrowOnLoops(s.Cycles());
    const auto& items = s.Items();
    auto itemIndex = [&](int line) { return static_cast<size_t>(s.ChildItem(line) - items.data()); };
    std::vector<std::string> keys(items.size()), prices(items.size());
    std::vector<char> made(items.size(), 0);
    std::vector<unsigned> shown;
    shown.reserve(lines.size());
    int units = 0, parts = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const clsStructure::sMstData* m = s.ChildItem(lines[i]);
        if (!m) continue;
        shown.push_back(static_cast<unsigned>(i));
        CountShownRow(m->Kbn, units, parts);
        size_t k = itemIndex(lines[i]);
        if (!made[k]) {
            made[k] = 1;
            keys[k] = SjisKey(m->Code);
            prices[k] = FormatMoney(m->Tanka);
        }
    }
    // Sorted as the windows sort column 1 at first: by code, Shift-JIS
    // bytes, equal codes in collection order.
    std::stable_sort(shown.begin(), shown.end(), [&](unsigned x, unsigned y) {
        return keys[itemIndex(lines[x])] < keys[itemIndex(lines[y])];
    });
    for (unsigned i : shown) {
        const clsStructure::sData& l = s.Lines()[static_cast<size_t>(lines[i])];
        const clsStructure::sMstData* m = s.ChildItem(lines[i]);
        PrintLine({l.ChildCode, KbnText(m->Kbn), std::to_string(quantities[i]), m->Name, prices[itemIndex(lines[i])],
                   l.ParentCode == code ? "1" : "0"});
    }
    PrintLine({"# Unit: " + std::to_string(units), "Parts: " + std::to_string(parts), "費用計: " + FormatMoney(cost)});
    return 0;
}

int WhereUsed(const CliArgs& a) {
    auto [path, code] = FileAndCode(a, kWhereUsage);
    auto dao = OpenFile(path);
    clsParentSearch p(dao.get());
    p.SearchParents(code);
    CheckRowCount(p.CountListRows(code, a.Has("--all-levels")), a, p.Cycles());
    clsParentSearch::sListResult r = p.FillList(code, a.Has("--all-levels"));
    ThrowOnLoops(p.Cycles());
    SortByCode(r.Rows);
    for (const auto& row : r.Rows) PrintLine({row.Code, row.KbnText, row.Name, row.Quantity, row.Direct ? "1" : "0"});
    PrintLine({"# Unit: " + std::to_string(r.UnitCount), "Parts: " + std::to_string(r.PartsCount)});
    return 0;
}

std::string OneFile(const CliArgs& a, const std::string& usage) {
    if (a.positional.size() != 1) throw CliFailure{"usage: velmo-cli " + usage};
    return a.positional[0];
}

const std::string kRootsUsage = "FILE --root CODE [--root CODE ...] (-o OUT.pdf | --text) [--max-rows N]";
const std::string kParentsUsage = "report parents FILE --code CODE (-o OUT.pdf | --text) [--max-rows N]";

// The structure below the --root codes, in their order.
std::unique_ptr<clsStructure> LoadRoots(clsDao* dao, const CliArgs& a, const std::string& usage) {
    std::vector<std::string> roots = a.GetAll("--root");
    if (roots.empty()) throw CliFailure{"usage: velmo-cli " + usage};
    auto s = std::make_unique<clsStructure>(dao);
    s->CdListInit(static_cast<int>(roots.size()));
    for (size_t i = 0; i < roots.size(); ++i) s->CdListAdd(static_cast<int>(i) + 1, roots[i]);
    s->LoadStructure();
    CheckRowCount(s->CountPrintLines(), a, s->Cycles());
    return s;
}

int ReportStructure(const CliArgs& a) {
    const std::string usage = "report structure " + kRootsUsage;
    auto dao = OpenFile(OneFile(a, usage));
    auto s = LoadRoots(dao.get(), a, usage);
    ReportSnapshot r = s->StructureReport("構成表");
    ThrowOnLoops(s->Cycles());
    return EmitReport(r, a);
}

int ReportCost(const CliArgs& a) {
    const std::string usage = "report cost " + kRootsUsage;
    auto dao = OpenFile(OneFile(a, usage));
    auto s = LoadRoots(dao.get(), a, usage);
    ReportSnapshot r = s->CostReport();
    ThrowOnLoops(s->Cycles());
    return EmitReport(r, a);
}

int ReportParents(const CliArgs& a) {
    const std::string& usage = kParentsUsage;
    auto dao = OpenFile(OneFile(a, usage));
    if (!a.Has("--code")) throw CliFailure{"usage: velmo-cli " + usage};
    clsParentSearch p(dao.get());
    p.SearchParents(a.Get("--code"));
    CheckRowCount(p.CountPrintLines(), a, p.Cycles());
    ReportSnapshot r = p.Report();
    ThrowOnLoops(p.Cycles());
    return EmitReport(r, a);
}

CliRegistrar r1({"bom", kBomUsage, {"--max-rows"}, Bom});
CliRegistrar r2({"where-used", kWhereUsage, {"--max-rows"}, WhereUsed});
CliRegistrar r3({"report structure", "report structure " + kRootsUsage, {"--root", "--max-rows"}, ReportStructure});
CliRegistrar r4({"report cost", "report cost " + kRootsUsage, {"--root", "--max-rows"}, ReportCost});
CliRegistrar r5({"report parents", kParentsUsage, {"--code", "--max-rows"}, ReportParents});

}  // namespace
