// Structure benchmarks on generated data files. Every figure is reported in
// milliseconds and as a ratio to a plain full scan of iStruct and MasItem
// measured in the same run on the same file.
//
// Times are processor time of the measuring thread, best of five runs.
//
// Shapes:
//  (a) realistic: 20,000 items and 100,000 lines, 8 levels deep; units
//      shared by 1 to 3 parents, parts shared widely (a few very common).
//  (b) ladder: 30 levels of two items, each linked to both items of the next
//      level (2^30 paths from the root).
//  (c) shared: one item per four lines, depth 12, every unit held by three
//      parents (one on the level just above, two higher up), at each size
//      given by --lines. Besides the full scan, its figures are compared with
//      what the work has to read at least: the lines of one root read by key
//      (a prepared SELECT ... WHERE CD1 = ? over the codes below it), the
//      lines above one part read by key (WHERE CD2 = ? over the codes above
//      it), and for `velmo-cli bom --all-levels` the peak memory (maximum
//      resident set) against the bytes it prints.
//
// Usage: bench_structure [--keep DIR] [--scale F] [--lines N,N,...]
//   --keep DIR   writes the data files to DIR and keeps them
//   --scale F    multiplies the item and line counts of shape (a)
//   --lines L    line counts of shape (c) (default 50000; the scaling run:
//                --lines 50000,200000,1000000)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine.h"
#include "parentsearch.h"
#include "settings.h"
#include "structure.h"
#include "udao.h"
#include "udaoment.h"
#include "benchdata.h"

extern char** environ;

namespace {

using namespace bench;

// Shape (b): root R above 30 levels La/Lb. Unit prices 1 at every level and
// quantity 1 everywhere, so the all-levels cost is 1 + 2 + 4 + ... + 2^30.
void MakeLadder(const std::string& path) {
    std::vector<Item> items{{"R", 2, "ラダー", 1}};
    std::vector<Line> lines;
    for (int lv = 1; lv <= 30; ++lv)
        for (char k : {'a', 'b'}) {
            std::string c = "L" + std::to_string(lv) + k;
            items.push_back({c, 1, "段 " + std::to_string(lv), 1});
            if (lv == 1) lines.push_back({"R", c, 1});
            else
                for (char p : {'a', 'b'}) lines.push_back({"L" + std::to_string(lv - 1) + p, c, 1});
        }
    WriteFile(path, items, lines);
}


// Shape (c) with `lines` lines. Returns the top codes; root: an assembly
// whose structure needs about 0.3 % of the lines; part: a part of average
// use.
struct Shared {
    std::vector<std::string> tops;
    std::string root;
    size_t rootLines = 0;
    std::string part;
};

Shared MakeShared(const std::string& path, size_t kLines) {
    std::mt19937 rng(20261211);
    auto pick = [&](size_t n) { return static_cast<size_t>(rng() % n); };
    const size_t kItems = kLines / 4, kTops = std::max<size_t>(kItems / 100, 4), kUnits = kItems * 3 / 20;
    const int kLevels = 12;
    std::vector<Item> items;
    std::vector<std::vector<std::string>> levels(kLevels);
    char buf[32];
    for (size_t i = 0; i < kTops; ++i) {
        std::snprintf(buf, sizeof buf, "T%06zu", i + 1);
        items.push_back({buf, 2, "製品 " + std::to_string(i + 1), 0});
        levels[0].push_back(buf);
    }
    for (size_t i = 0; i < kUnits; ++i) {
        std::snprintf(buf, sizeof buf, "U%06zu", i + 1);
        items.push_back({buf, 1, "ユニット " + std::to_string(i + 1), static_cast<double>(pick(5000)) / 4});
        levels[1 + i % (kLevels - 1)].push_back(buf);
    }
    std::vector<std::string> parts;
    for (size_t i = items.size(); i < kItems; ++i) {
        std::snprintf(buf, sizeof buf, "P%07zu", parts.size() + 1);
        items.push_back({buf, 0, "部品 " + std::to_string(parts.size() + 1), static_cast<double>(pick(100000)) / 100});
        parts.push_back(buf);
    }
    std::vector<Line> lines;
    std::set<std::pair<std::string, std::string>> pairs;
    auto add = [&](const std::string& p, const std::string& c, int q) {
        if (pairs.emplace(p, c).second) lines.push_back({p, c, q});
    };
    for (int lv = 1; lv < kLevels; ++lv)
        for (const auto& u : levels[static_cast<size_t>(lv)]) {
            const auto& above = levels[static_cast<size_t>(lv - 1)];
            add(above[pick(above.size())], u, 1 + static_cast<int>(pick(3)));
            for (int k = 0; k < 2; ++k) {
                const auto& higher = levels[pick(static_cast<size_t>(lv))];
                add(higher[pick(higher.size())], u, 1 + static_cast<int>(pick(3)));
            }
        }
    std::vector<std::string> assemblies;
    for (const auto& lv : levels) assemblies.insert(assemblies.end(), lv.begin(), lv.end());
    while (lines.size() < kLines)
        add(assemblies[pick(assemblies.size())], parts[pick(parts.size())], 1 + static_cast<int>(pick(8)));
    std::shuffle(lines.begin(), lines.end(), rng);
    WriteFile(path, items, lines);

    // The root: the assembly (from the lowest levels up) whose structure
    // needs closest to 0.3 % of the lines.
    std::unordered_map<std::string, std::vector<size_t>> below;
    for (size_t i = 0; i < lines.size(); ++i) below[lines[i].parent].push_back(i);
    auto need = [&](const std::string& code) {
        std::unordered_set<std::string> seen{code};
        std::vector<std::string> todo{code};
        size_t n = 0;
        while (!todo.empty()) {
            std::string c = todo.back();
            todo.pop_back();
            for (size_t i : below[c]) {
                ++n;
                if (seen.insert(lines[i].child).second) todo.push_back(lines[i].child);
            }
        }
        return n;
    };
    Shared out;
    out.tops = levels[0];
    const double goal = 0.003 * static_cast<double>(kLines);
    double best = 1e300;
    for (int lv = kLevels - 1; lv >= 0; --lv)
        for (size_t i = 0; i < std::min<size_t>(20, levels[static_cast<size_t>(lv)].size()); ++i) {
            const std::string& c = levels[static_cast<size_t>(lv)][i];
            size_t n = need(c);
            if (std::fabs(static_cast<double>(n) - goal) < best) {
                best = std::fabs(static_cast<double>(n) - goal);
                out.root = c;
                out.rootLines = n;
            }
        }
    out.part = parts[parts.size() / 2];
    return out;
}

// The lines below (or above) code read by key: one prepared statement run
// for every code met, each code once, every column of every row read.
size_t ReadByKey(clsDao& dao, const std::string& code, bool up) {
    auto st = dao.GetDatabase()->Prepare(up ? "SELECT * FROM iStruct WHERE CD2 = ?" : "SELECT * FROM iStruct WHERE CD1 = ?");
    std::unordered_set<std::string> seen{code};
    std::vector<std::string> todo{code};
    size_t n = 0;
    int cols = st->ColumnCount();
    while (!todo.empty()) {
        std::string c = std::move(todo.back());
        todo.pop_back();
        st->Reset();
        st->Bind(1, c);
        while (st->Step()) {
            for (int k = 0; k < cols; ++k) n += st->Column(k).IsNull() ? 0 : 1;
            std::string next = st->ColumnText(up ? 0 : 1);
            if (seen.insert(next).second) todo.push_back(std::move(next));
        }
    }
    return n;
}

// Runs velmo-cli with its output to a file; its peak resident set in KB and
// the bytes printed ({-1, -1} without the program or without GNU time). The
// peak comes from /usr/bin/time, which starts velmo-cli from a process of its
// own: a child started from this process directly would count this
// process's memory in its peak.
std::pair<long, long> CliPeak(const std::vector<std::string>& args, const std::string& outFile) {
#ifdef VELMO_CLI_PATH
    const std::string peakFile = outFile + ".peak";
    std::vector<std::string> all{"/usr/bin/time", "-f", "%M", "-o", peakFile, VELMO_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid;
    int rc = posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    if (rc != 0) return {-1, -1};
    int status = 0;
    waitpid(pid, &status, 0);
    long peak = -1;
    if (FILE* f = std::fopen(peakFile.c_str(), "r")) {
        if (std::fscanf(f, "%ld", &peak) != 1) peak = -1;
        std::fclose(f);
    }
    struct stat st{};
    stat(outFile.c_str(), &st);
    return {peak, static_cast<long>(st.st_size)};
#else
    (void)args;
    (void)outFile;
    return {-1, -1};
#endif
}

// The baseline: every row and column of iStruct and MasItem read once.
size_t FullScan(clsDao& dao) {
    size_t n = 0;
    for (const char* sql : {"SELECT * FROM iStruct", "SELECT * FROM MasItem"}) {
        auto st = dao.GetDatabase()->PrepareJet(sql);
        int cols = st->ColumnCount();
        while (st->Step()) {
            for (int c = 0; c < cols; ++c) n += st->Column(c).IsNull() ? 0 : 1;
        }
    }
    return n;
}

void Open(clsStructure& s, const std::vector<std::string>& roots) {
    s.CdListInit(static_cast<int>(roots.size()));
    for (size_t i = 0; i < roots.size(); ++i) s.CdListAdd(static_cast<int>(i) + 1, roots[i]);
    s.LoadStructure();
}


}  // namespace

int main(int argc, char** argv) {
    std::string keep;
    double scale = 1;
    std::vector<size_t> sizes{50000};
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string a = argv[i];
        if (a == "--keep") keep = argv[i + 1];
        else if (a == "--scale") scale = std::atof(argv[i + 1]);
        else if (a == "--lines") {
            sizes.clear();
            for (std::string v = argv[i + 1]; !v.empty();) {
                size_t comma = v.find(',');
                sizes.push_back(static_cast<size_t>(std::atol(v.substr(0, comma).c_str())));
                v = comma == std::string::npos ? "" : v.substr(comma + 1);
            }
        }
    }
    std::string dir = keep;
    if (dir.empty()) {
        char tmpl[] = "/tmp/velmo-bench-XXXXXX";
        dir = mkdtemp(tmpl);
    }
    std::filesystem::create_directories(dir);
    SetSettingsPath(dir + "/Velmo.ini");
    const int kRuns = 5;

    // (a) realistic
    std::string pathA = dir + "/realistic.mdb";
    auto t0 = Clock::now();
    std::vector<std::string> tops = MakeRealistic(pathA, scale);
    std::printf("shape (a) realistic: generated in %.0f ms\n",
                std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    {
        clsDao dao;
        dao.OpenDatabase(pathA);
        Report r;
        size_t sink = 0;
        r.Base("full scan of iStruct and MasItem", Measure(kRuns, [&] { sink += FullScan(dao); }));

        // Each load on a fresh structure, as at the first opening; the
        // roll-ups are measured cold, right after a load.
        std::unique_ptr<clsStructure> all;
        r.Row("load, every top item as root", Measure(kRuns, [&] { Open(*all, tops); },
                                                       [&] { all = std::make_unique<clsStructure>(&dao); }));
        size_t held = 0;
        for (const auto& l : all->Lines()) held += l.Removed ? 0 : 1;
        std::printf("    held lines %zu, items %zu, parent codes read %d\n", held - 1, all->Items().size() - 1,
                    all->LoadCount);

        std::unique_ptr<clsStructure> one;
        const std::string& root = tops.front();
        auto openOne = [&] {
            one = std::make_unique<clsStructure>(&dao);
            Open(*one, {root});
        };
        r.Row("load, one root", Measure(kRuns, [&] { Open(*one, {root}); },
                                        [&] { one = std::make_unique<clsStructure>(&dao); }));
        size_t rows1 = 0, rowsAll = 0;
        r.Row("fill one level (list rows, counts, cost)",
              Measure(kRuns, [&] { rows1 = one->FillList(root, false).Rows.size(); }, openOne));
        r.Row("fill all levels", Measure(kRuns, [&] { rowsAll = one->FillList(root, true).Rows.size(); }, openOne));
        std::printf("    rows: one level %zu, all levels %zu\n", rows1, rowsAll);
        double cost = 0;
        r.Row("CostTotal, all levels, one root", Measure(kRuns, [&] { cost = one->CostTotal(root, true); }, openOne));
        r.Row("CostTotal, all levels, every top", Measure(kRuns, [&] {
                  for (const auto& t : tops) cost += all->CostTotal(t, true);
              }, [&] { Open(*all, tops); }));
        size_t printLines = 0;
        r.Row("print list (structure table), one root",
              Measure(kRuns, [&] { printLines = one->PartsReportLines().size(); }));
        std::printf("    print lines %zu\n", printLines);

        clsParentSearch ps(&dao);
        size_t psLines = 0;
        r.Row("where-used of a common part (load)", Measure(kRuns, [&] {
                  ps.SearchParents("P000001");
                  psLines = ps.Lines().size() - 1;
              }));
        std::printf("    lines above P000001: %zu\n", psLines);
        if (sink == 0) std::printf("(empty scan)\n");
    }

    // (b) ladder
    std::string pathB = dir + "/ladder.mdb";
    MakeLadder(pathB);
    std::printf("shape (b) ladder of 30 levels (2^30 paths)\n");
    {
        clsDao dao;
        dao.OpenDatabase(pathB);
        Report r;
        size_t sink = 0;
        r.Base("full scan of iStruct and MasItem", Measure(kRuns, [&] { sink += FullScan(dao); }));
        std::unique_ptr<clsStructure> s;
        auto open = [&] {
            s = std::make_unique<clsStructure>(&dao);
            Open(*s, {"R"});
        };
        r.Row("load", Measure(kRuns, [&] { Open(*s, {"R"}); }, [&] { s = std::make_unique<clsStructure>(&dao); }));
        r.Row("fill one level", Measure(kRuns, [&] { s->FillList("R", false); }, open));
        double total = 0;
        r.Row("CostTotal, all levels", Measure(kRuns, [&] { total = s->CostTotal("R", true); }, open));
        const double expect = 2147483647.0;
        std::printf("    total %.0f (%s)\n", total, total == expect ? "exact" : "WRONG");
        if (total != expect) return 1;
        if (sink == 0) std::printf("(empty scan)\n");
    }


    // (c) shared, at each size
    for (size_t n : sizes) {
        std::string pathC = dir + "/shared" + std::to_string(n) + ".mdb";
        auto g0 = Clock::now();
        Shared sh = MakeShared(pathC, n);
        std::printf("shape (c) shared, %zu lines: generated in %.0f ms\n", n,
                    std::chrono::duration<double, std::milli>(Clock::now() - g0).count());
        clsDao dao;
        dao.OpenDatabase(pathC);
        Report r;
        size_t sink = 0;
        r.Base("full scan of iStruct and MasItem", Measure(3, [&] { sink += FullScan(dao); }));
        std::unique_ptr<clsStructure> all;
        double tAll = Measure(3, [&] { Open(*all, sh.tops); }, [&] { all = std::make_unique<clsStructure>(&dao); });
        r.Row("load, every top item as root", tAll);
        std::printf("    per line held: %.2f us\n", tAll * 1e3 / static_cast<double>(all->Lines().size()));
        all.reset();

        double key = Measure(3, [&] { sink += ReadByKey(dao, sh.root, false); });
        std::unique_ptr<clsStructure> one;
        double tOne = Measure(3, [&] { Open(*one, {sh.root}); }, [&] { one = std::make_unique<clsStructure>(&dao); });
        r.Row("load, one root", tOne);
        std::printf("    root %s needs %zu lines; its lines by key %.3f ms; load / by key %.2f\n", sh.root.c_str(),
                    sh.rootLines, key, tOne / key);

        double keyUp = Measure(3, [&] { sink += ReadByKey(dao, sh.part, true); });
        clsParentSearch ps(&dao);
        size_t rowsUp = 0;
        double tUp = Measure(3, [&] {
            ps.SearchParents(sh.part);
            rowsUp = ps.FillList(sh.part, true).Rows.size();
        });
        r.Row("where-used of one part, all levels", tUp);
        std::printf("    part %s: %zu lines above, %zu rows; the lines above by key %.3f ms; where-used / by key %.2f\n",
                    sh.part.c_str(), ps.Lines().size() - 2, rowsUp, keyUp, tUp / keyUp);

        std::string top = sh.tops.front();
        auto [peakKb, printed] = CliPeak({"bom", pathC, top, "--all-levels", "--max-rows", "100000000", "--settings",
                                          dir + "/Velmo.ini"},
                                         dir + "/bom.out");
        if (peakKb >= 0) {
            auto [baseKb, none] = CliPeak({"info", pathC, "--settings", dir + "/Velmo.ini"}, dir + "/info.out");
            (void)none;
            std::printf("    velmo-cli bom %s --all-levels: %ld bytes printed, peak %ld KB (info: %ld KB); "
                        "peak / printed %.2f, above info / printed %.2f\n",
                        top.c_str(), printed, peakKb, baseKb, peakKb * 1024.0 / static_cast<double>(printed),
                        (peakKb - baseKb) * 1024.0 / static_cast<double>(printed));
        }
        if (sink == 0) std::printf("(empty scan)\n");
    }

    if (keep.empty()) std::filesystem::remove_all(dir);
    return 0;
}
