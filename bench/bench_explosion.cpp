// Benchmarks of the procurement explosion on generated data files, in
// milliseconds of processor time (best of five) and as ratios to baselines
// measured in the same run:
//  (a) the realistic shape of the structure benchmark (20,000 items, ~100,000
//      lines) with a plan for the 200 sets and bodies on top: the explosion
//      end to end against a full scan of iStruct, MasItem and OrderPlan; the
//      writing of the Supply rows against a plain prepared insert of the
//      same rows in one transaction;
//  (b) the diamond ladder: 30 levels of two units each holding both units of
//      the next level, a set with production 1000 on top and one part at the
//      bottom (2^30 paths); the part's need must be exactly 1000 x 2^30.
//
// Usage: bench_explosion [--keep DIR] [--scale F]
#include <cstdlib>
#include <unistd.h>

#include "benchdata.h"
#include "explosion.h"
#include "settings.h"
#include "udao.h"

namespace {

using namespace bench;

const char* kMonth = "202405";

void AddPlan(const std::string& path, const std::vector<std::pair<std::string, int>>& plan) {
    auto db = Database::Open(path);
    db->BeginTrans();
    {
        auto ins = db->Prepare("INSERT INTO OrderPlan (OYM, CD, \"ORDER\", ZAIKO, SEISAN) VALUES (?, ?, ?, 0, ?)");
        for (const auto& [code, n] : plan) {
            ins->Reset();
            ins->Bind(1, std::string(kMonth));
            ins->Bind(2, code);
            ins->Bind(3, n);
            ins->Bind(4, n);
            ins->Step();
        }
    }
    db->CommitTrans();
    db->Close();
}

// The baseline: every row and column of the explosion's three tables read once.
size_t FullScan(clsDao& dao) {
    size_t n = 0;
    for (const char* sql : {"SELECT * FROM iStruct", "SELECT * FROM MasItem", "SELECT * FROM OrderPlan"}) {
        auto st = dao.GetDatabase()->PrepareJet(sql);
        int cols = st->ColumnCount();
        while (st->Step())
            for (int c = 0; c < cols; ++c) n += st->Column(c).IsNull() ? 0 : 1;
    }
    return n;
}

void ClearSupply(clsDao& dao) { dao.Execute("DELETE FROM Supply"); }

// The same rows written by a plain prepared insert in one transaction.
void PlainInsert(clsDao& dao, const std::vector<clsExplosion::sSupplyRow>& rows) {
    auto db = dao.GetDatabase();
    db->BeginTrans();
    {
        auto ins = db->Prepare("INSERT INTO Supply (OYM, CD, NEED, SUPPLY) VALUES (?, ?, ?, ?)");
        for (const auto& r : rows) {
            ins->Reset();
            ins->Bind(1, std::string(kMonth));
            ins->Bind(2, r.Code);
            ins->Bind(3, static_cast<double>(r.Need));
            ins->Bind(4, static_cast<double>(r.Supply));
            ins->Step();
        }
    }
    db->CommitTrans();
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
    std::vector<std::string> tops = MakeRealistic(pathA, scale);
    std::vector<std::pair<std::string, int>> plan;
    std::mt19937 rng(20240517);
    for (const auto& t : tops) plan.emplace_back(t, 1 + static_cast<int>(rng() % 500));
    AddPlan(pathA, plan);
    std::printf("shape (a) realistic, %zu sets and bodies planned\n", plan.size());
    {
        clsDao dao;
        dao.OpenDatabase(pathA);
        Report r;
        size_t sink = 0;
        r.Base("full scan of iStruct, MasItem and OrderPlan", Measure(kRuns, [&] { sink += FullScan(dao); }));
        clsExplosion e(&dao);
        std::vector<clsExplosion::sHatData> needs;
        double compute = Measure(kRuns, [&] { needs = e.ComputeNeeds(kMonth); });
        r.Row("needs (read and compute, no write)", compute);
        std::vector<clsExplosion::sSupplyRow> rows;
        double fresh = Measure(kRuns, [&] { rows = e.Explode(kMonth, "20240517"); }, [&] { ClearSupply(dao); });
        r.Row("explosion end to end, Supply empty", fresh);
        double again = Measure(kRuns, [&] { rows = e.Explode(kMonth, "20240517"); });
        r.Row("explosion end to end, rows present", again);
        std::printf("    Supply rows written %zu\n", rows.size());

        Report w;
        w.Base("plain prepared insert of the same rows", Measure(kRuns, [&] { PlainInsert(dao, rows); },
                                                                   [&] { ClearSupply(dao); }));
        w.Row("explosion's write (end to end - needs)", std::max(0.0, fresh - compute));
        if (sink == 0) std::printf("(empty scan)\n");
    }

    // (b) diamond ladder
    std::string pathB = dir + "/ladder.mdb";
    {
        std::vector<Item> items{{"S", 3, "セット", 0}, {"P", 0, "部品", 1}};
        std::vector<Line> lines{{"S", "L1a", 1}, {"S", "L1b", 1}};
        for (int lv = 1; lv <= 30; ++lv)
            for (char k : {'a', 'b'}) {
                std::string c = "L" + std::to_string(lv) + k;
                items.push_back({c, 1, "段 " + std::to_string(lv), 1});
                if (lv < 30)
                    for (char n : {'a', 'b'}) lines.push_back({c, "L" + std::to_string(lv + 1) + n, 1});
                else
                    lines.push_back({c, "P", 1});
            }
        WriteFile(pathB, items, lines);
        AddPlan(pathB, {{"S", 1000}});
    }
    std::printf("shape (b) diamond ladder of 30 levels (2^30 paths)\n");
    {
        clsDao dao;
        dao.OpenDatabase(pathB);
        clsExplosion e(&dao);
        std::vector<clsExplosion::sSupplyRow> rows;
        double ms = Measure(kRuns, [&] { rows = e.Explode(kMonth, "20240517"); });
        long long part = rows.empty() ? 0 : rows.front().Need;
        const long long expect = 1000LL << 30;
        std::printf("  %-44s %10.3f ms\n", "explosion end to end", ms);
        std::printf("    need of P %lld (%s)\n", part, part == expect ? "exact" : "WRONG");
        if (part != expect) return 1;
    }

    if (keep.empty()) std::filesystem::remove_all(dir);
    return 0;
}
