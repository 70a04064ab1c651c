// velmo-cli report items FILE [--kbn 2,1,0,3] [--find PREFIX] (-o OUT.pdf | --text)
// Runs the main window's item search and prints the item list (repItem) with
// the lines its 印刷 command hands over: the rows in the list's first order
// (item code, Shift-JIS byte order).
#include "cli.h"
#include "filecommands.h"
#include "itemsearch.h"
#include "report_out.h"
#include "ucommon.h"
#include "udao.h"

namespace {

const char* const kUsage = "report items FILE [--kbn 2,1,0,3] [--find PREFIX] (-o OUT.pdf | --text)";

// "2,1,0,3": categories in the order given; each one of 0 to 3.
std::vector<int> ParseCategories(const std::string& text) {
    std::vector<int> out;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        auto v = ParseInt(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!v || *v < 0 || *v > 3)
            throw CliFailure{"velmo-cli: --kbn には 0 から 3 の区分をカンマで区切って指定してください。(" + text + ")"};
        out.push_back(static_cast<int>(*v));
        if (comma == std::string::npos) return out;
        start = comma + 1;
    }
}

int ReportItems(const CliArgs& a) {
    if (a.positional.size() != 1) throw CliFailure{std::string("usage: velmo-cli ") + kUsage};
    const std::string& path = a.positional[0];
    std::vector<int> categories = ParseCategories(a.Get("--kbn", "2,1,0,3"));

    clsDao dao;
    if (dao.OpenDatabase(path) != 0) return 1;  // the connection has written why
    if (!IsCurrentVersion(dao)) throw CliFailure{"velmo-cli: " + path + ": " + kMsgOldVersion};

    std::vector<sItemRow> rows = RunItemSearch(dao.GetDatabase(), ItemSearchSql(categories, a.Get("--find")));
    SortItemRows(rows, 1);
    dao.Close();

    ReportSnapshot report;
    report.id = ReportId::Item;
    report.title = GetReportInfo(ReportId::Item).title;
    report.lines = ItemListLines(rows);
    return EmitReport(report, a);
}

// "-o" is known to every command; no other global is read during static
// initialisation.
CliRegistrar r({"report items", kUsage, {"-o", "--kbn", "--find"}, ReportItems});

}  // namespace
