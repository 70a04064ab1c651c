// Data files and timing shared by the benchmarks: processor-time
// measurement and the realistic structure shape of the structure benchmark.
#pragma once
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine.h"
#include "udaoment.h"

namespace bench {

using Clock = std::chrono::steady_clock;

// Processor time of this thread in milliseconds: other programs running on
// the machine at the same time disturb it far less than the wall clock.
inline double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Best of n runs, in milliseconds of processor time; setup runs before each
// run and is not measured.
inline double Measure(int n, const std::function<void()>& f, const std::function<void()>& setup = nullptr) {
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

inline void WriteFile(const std::string& path, const std::vector<Item>& items, const std::vector<Line>& lines) {
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
inline std::vector<std::string> MakeRealistic(const std::string& path, double scale) {
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

// Timings printed with their ratio to the baseline measured first.
struct Report {
    double base = 0;
    void Base(const char* what, double ms) {
        base = ms;
        std::printf("  %-44s %10.3f ms   1.00\n", what, ms);
    }
    void Row(const char* what, double ms) { std::printf("  %-44s %10.3f ms %6.2f\n", what, ms, ms / base); }
};

}  // namespace bench
