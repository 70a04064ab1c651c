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

namespace {

using Clock = std::chrono::steady_clock;

// Processor time of this thread in milliseconds: other programs running on
// the machine at the same time disturb it far less than the wall clock.
double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Best of n runs, in milliseconds of processor time; setup runs before each
// run and is not measured.
double Measure(int n, const std::function<void()>& f, const std::function<void()>& setup = nullptr) {
    double best = 1e300;
    for (int i = 0; i < n; ++i) {
        if (setup) setup();
        double t0 = CpuMs();
        f();
        best = std::min(best, CpuMs() - t0);
    }
    return best;
}

struct Item {
    std::string code;
    int kbn;
    std::string name;
    double price;
};
struct Line {
    std::string parent, child;
    int qty;
};

void WriteFile(const std::string& path, const std::vector<Item>& items, const std::vector<Line>& lines) {
    std::filesystem::remove(path);
    CreateSchema(path, 0);
    auto db = Database::Open(path);
    db->BeginTrans();
    auto ins = db->Prepare(
        "INSERT INTO MasItem (CD, KBN, NAME, KEITAI, KIKAKU, TANI, TANKA, SYUZAIHI, KAKOUHI, GAICHUUHI, ETCHI) "
        "VALUES (?, ?, ?, 'ﾌﾞﾛｯｸ', 'JIS', '個', ?, ?, ?, 0, 0)",
        true);
    for (const auto& it : items) {
        ins->Reset();
        ins->Bind(1, it.code);
        ins->Bind(2, it.kbn);
        ins->Bind(3, it.name);
        ins->Bind(4, it.price);
        ins->Bind(5, std::floor(it.price * 0.6 * 100) / 100);
        ins->Bind(6, it.price - std::floor(it.price * 0.6 * 100) / 100);
        ins->Step();
    }
    auto lin = db->Prepare("INSERT INTO iStruct (CD1, CD2, INZU, KFLG, CFLG) VALUES (?, ?, ?, 1, 0)", true);
    for (const auto& l : lines) {
        lin->Reset();
        lin->Bind(1, l.parent);
        lin->Bind(2, l.child);
        lin->Bind(3, l.qty);
        lin->Step();
    }
    ins.reset();
    lin.reset();
    db->CommitTrans();
    db->Close();
}

// Shape (a). Returns the top codes.
std::vector<std::string> MakeRealistic(const std::string& path, double scale) {
    std::mt19937 rng(20240601);
    auto pick = [&](size_t n) { return static_cast<size_t>(rng() % n); };
    const size_t kTops = static_cast<size_t>(200 * scale), kUnits = static_cast<size_t>(3000 * scale),
                 kItems = static_cast<size_t>(20000 * scale), kLines = static_cast<size_t>(100000 * scale);
    const int kLevels = 8;  // lines from the top down to the parts of the lowest units

    std::vector<Item> items;
    std::vector<std::vector<std::string>> levels(kLevels);  // assemblies per level (0 = tops)
    char buf[32];
    for (size_t i = 0; i < kTops; ++i) {
        std::snprintf(buf, sizeof buf, "%s%04zu", i % 4 == 0 ? "S" : "B", i + 1);
        items.push_back({buf, i % 4 == 0 ? 3 : 2, "製品 " + std::to_string(i + 1), 0});
        levels[0].push_back(buf);
    }
    for (size_t i = 0; i < kUnits; ++i) {
        std::snprintf(buf, sizeof buf, "U%05zu", i + 1);
        items.push_back({buf, 1, "ユニット " + std::to_string(i + 1), static_cast<double>(pick(5000)) / 4});
        levels[1 + i % (kLevels - 1)].push_back(buf);
    }
    std::vector<std::string> parts;
    for (size_t i = items.size(); i < kItems; ++i) {
        std::snprintf(buf, sizeof buf, "P%06zu", parts.size() + 1);
        items.push_back({buf, 0, "部品 " + std::to_string(parts.size() + 1), static_cast<double>(pick(100000)) / 100});
        parts.push_back(buf);
    }

    std::vector<Line> lines;
    std::set<std::pair<std::string, std::string>> pairs;
    auto add = [&](const std::string& p, const std::string& c, int q) {
        if (pairs.emplace(p, c).second) lines.push_back({p, c, q});
    };
    // Units: 1 to 3 parents on the level above.
    for (int lv = 1; lv < kLevels; ++lv)
        for (const auto& u : levels[static_cast<size_t>(lv)]) {
            int n = 1 + static_cast<int>(pick(3));
            for (int k = 0; k < n; ++k) add(levels[static_cast<size_t>(lv - 1)][pick(levels[lv - 1].size())], u, 1 + static_cast<int>(pick(3)));
        }
    // Parts: the rest of the lines, spread over every assembly; one pick in
    // five comes from the 100 most common parts (screws, washers).
    std::vector<std::string> assemblies;
    for (const auto& lv : levels) assemblies.insert(assemblies.end(), lv.begin(), lv.end());
    while (lines.size() < kLines) {
        const std::string& a = assemblies[pick(assemblies.size())];
        const std::string& p = pick(5) == 0 ? parts[pick(std::min<size_t>(100, parts.size()))] : parts[pick(parts.size())];
        add(a, p, 1 + static_cast<int>(pick(8)));
    }
    // Insertion order like a file grown by imports: shuffled.
    std::shuffle(lines.begin(), lines.end(), rng);
    WriteFile(path, items, lines);
    return levels[0];
}

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

struct Report {
    double base = 0;
    void Base(const char* what, double ms) {
        base = ms;
        std::printf("  %-44s %10.3f ms   1.00\n", what, ms);
    }
    void Row(const char* what, double ms) { std::printf("  %-44s %10.3f ms %6.2f\n", what, ms, ms / base); }
};

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
