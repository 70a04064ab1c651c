// Procurement commands: explode (the 所要展開 of the procurement support
// window). UTF-8, TAB between the fields; messages on stderr, exit code 1 on
// failure.
#include <chrono>
#include <cstdio>
#include <memory>

#include "cli.h"
#include "explosion.h"
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
        rows = e.Explode(month, TodayYmd());
    } catch (const ExplosionError& err) {
        throw CliFailure{err.what()};
    }
    for (const auto& r : rows)
        PrintLine({r.Code, std::to_string(r.Need), std::to_string(r.Stock), std::to_string(r.Supply)});
    return 0;
}

CliRegistrar r1({"explode", kExplodeUsage, {"--month"}, Explode});

}  // namespace
