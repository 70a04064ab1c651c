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
//
// Usage: bench_structure [--keep DIR] [--scale F]
//   --keep DIR  writes the data files to DIR and keeps them
//   --scale F   multiplies the item and line counts of shape (a)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine.h"
#include "parentsearch.h"
#include "settings.h"
#include "structure.h"
#include "udao.h"
#include "udaoment.h"
#include "benchdata.h"

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
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string a = argv[i];
        if (a == "--keep") keep = argv[i + 1];
        else if (a == "--scale") scale = std::atof(argv[i + 1]);
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

    if (keep.empty()) std::filesystem::remove_all(dir);
    return 0;
}
