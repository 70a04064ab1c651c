#include "report_out.h"

#include <cstdio>

#ifdef VELMO_HAVE_RENDER
#include "reportpreview.h"
#endif

const std::vector<std::string> kReportValueOptions = {"-o"};

int EmitReport(const ReportSnapshot& report, const CliArgs& args) {
    bool text = args.Has("--text");
    bool pdf = args.Has("-o");
    if (text == pdf) throw CliFailure{"velmo-cli: -o OUT.pdf か --text のどちらか一方を指定してください。"};
    if (text) {
        std::string s = ReportText(report);
        std::fwrite(s.data(), 1, s.size(), stdout);
        return 0;
    }
#ifdef VELMO_HAVE_RENDER
    std::string error;
    if (!RenderReportPdf(report, args.Get("-o"), &error)) throw CliFailure{"velmo-cli: " + error};
    return 0;
#else
    throw CliFailure{"velmo-cli: この版は PDF を出力できません (Qt なしでビルドされています)。"};
#endif
}
