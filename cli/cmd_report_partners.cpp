// velmo-cli report partners FILE [--find PREFIX] (-o OUT.pdf | --text):
// the partner list's search by the start of the name, in the list's first
// order (category caption, byte-wise), printed as the partner report.
#include "cli.h"
#include "partnermaster.h"
#include "report_out.h"
#include "udao.h"

namespace {

int ReportPartners(const CliArgs& a) {
    if (a.positional.size() != 1)
        throw CliFailure{"usage: velmo-cli report partners FILE [--find PREFIX] (-o OUT.pdf | --text)"};
    clsDao dao;
    if (dao.OpenDatabase(a.positional[0]) != 0) return 1;  // reported on stderr
    std::vector<sToriRow> rows = SearchTori(dao, a.Get("--find"));
    SortToriRows(rows, 1);
    return EmitReport(ToriReport(rows), a);
}

CliRegistrar reg({"report partners", "report partners FILE [--find PREFIX] (-o OUT.pdf | --text)", {"--find", "-o"},
                  ReportPartners});

}  // namespace
