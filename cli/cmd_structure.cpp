// Structure commands: bom, where-used, report structure, report cost,
// report parents. The rows are those the structure window and the parent
// search show; UTF-8, TAB between the fields. A stored loop ends the command
// with the loop named on stderr and exit code 1.
#include <algorithm>
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

const char* kBomUsage = "bom FILE CODE [--all-levels]";
const char* kWhereUsage = "where-used FILE CODE [--all-levels]";

int Bom(const CliArgs& a) {
    auto [path, code] = FileAndCode(a, kBomUsage);
    auto dao = OpenFile(path);
    clsStructure s(dao.get());
    s.CdListInit(1);
    s.CdListAdd(1, code);
    s.LoadStructure();
    clsStructure::sListResult r = s.FillList(code, a.Has("--all-levels"));
    ThrowOnLoops(s.Cycles());
    SortByCode(r.Rows);
    for (const auto& row : r.Rows)
        PrintLine({row.Code, row.KbnText, row.Quantity, row.Name, row.Price, row.Direct ? "1" : "0"});
    PrintLine({"# Unit: " + std::to_string(r.UnitCount), "Parts: " + std::to_string(r.PartsCount),
               "費用計: " + FormatMoney(r.CostTotal)});
    return 0;
}

int WhereUsed(const CliArgs& a) {
    auto [path, code] = FileAndCode(a, kWhereUsage);
    auto dao = OpenFile(path);
    clsParentSearch p(dao.get());
    p.SearchParents(code);
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

const std::string kRootsUsage = "FILE --root CODE [--root CODE ...] (-o OUT.pdf | --text)";

// The structure below the --root codes, in their order.
std::unique_ptr<clsStructure> LoadRoots(clsDao* dao, const CliArgs& a, const std::string& usage) {
    std::vector<std::string> roots = a.GetAll("--root");
    if (roots.empty()) throw CliFailure{"usage: velmo-cli " + usage};
    auto s = std::make_unique<clsStructure>(dao);
    s->CdListInit(static_cast<int>(roots.size()));
    for (size_t i = 0; i < roots.size(); ++i) s->CdListAdd(static_cast<int>(i) + 1, roots[i]);
    s->LoadStructure();
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
    const std::string usage = "report parents FILE --code CODE (-o OUT.pdf | --text)";
    auto dao = OpenFile(OneFile(a, usage));
    if (!a.Has("--code")) throw CliFailure{"usage: velmo-cli " + usage};
    clsParentSearch p(dao.get());
    p.SearchParents(a.Get("--code"));
    ReportSnapshot r = p.Report();
    ThrowOnLoops(p.Cycles());
    return EmitReport(r, a);
}

CliRegistrar r1({"bom", kBomUsage, {}, Bom});
CliRegistrar r2({"where-used", kWhereUsage, {}, WhereUsed});
CliRegistrar r3({"report structure", "report structure " + kRootsUsage, {"--root"}, ReportStructure});
CliRegistrar r4({"report cost", "report cost " + kRootsUsage, {"--root"}, ReportCost});
CliRegistrar r5({"report parents", "report parents FILE --code CODE (-o OUT.pdf | --text)", {"--code"},
                 ReportParents});

}  // namespace
