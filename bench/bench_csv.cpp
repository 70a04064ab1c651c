// CSV export and import on generated data: 100,000 items and 1,000,000
// structure lines. Baselines measured in the same run:
//  - import: the sqlite3 shell's ".import" of the same rows (as UTF-8 CSV)
//    into a data file of the same layout;
//  - export: a plain scan of the same ordered SELECT plus a raw write of the
//    column texts to a file (atomically, as the export writes).
// Usage: bench_csv [items] [lines]   (defaults 100000 1000000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "csv.h"
#include "csvexport.h"
#include "csvimport.h"
#include "engine.h"
#include "fileutil.h"
#include "settings.h"
#include "sjis.h"
#include "ucommon.h"
#include "udaoment.h"

namespace {

double Seconds(const std::function<void()>& f) {
    auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

class Quiet : public CsvRunListener {
public:
    void Status(const std::string&) override {}
    void Progress(const char*, long long, long long) override {}
    void Message(const std::string& text) override {
        if (text.find("終了しました") == std::string::npos) std::fprintf(stderr, "%s", text.c_str());
    }
};

std::string Code(const char* prefix, long i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%07ld", prefix, i);
    return buf;
}

// The same rows as CP932 for the import and as UTF-8 for sqlite3's .import
// (which quotes by the usual CSV rules; every value is quoted there).
struct Files {
    std::string sjis, utf8;
};

void AddRow(Files& f, const std::vector<std::string>& values) {
    std::vector<std::string> sj;
    sj.reserve(values.size());
    for (const auto& v : values) sj.push_back(ToSjis(v));
    f.sjis += CsvJoinValues(sj);
    f.sjis += "\r\n";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i) f.utf8 += ',';
        f.utf8 += '"';
        for (char c : values[i]) {
            if (c == '"') f.utf8 += '"';
            f.utf8 += c;
        }
        f.utf8 += '"';
    }
    f.utf8 += "\n";
}

Files Items(long n) {
    Files f;
    static const char* names[] = {"六角ボルト", "ソケット", "表示パネル", "高機能ケーブル", "角パイプ", "制御基板"};
    static const char* kana[] = {"ﾎﾞﾙﾄ", "ｿｹｯﾄ", "ﾋｮｳｼﾞ", "ｹｰﾌﾞﾙ", "ｶｸﾊﾟｲﾌﾟ", "ｷﾊﾞﾝ"};
    for (long i = 0; i < n; ++i) {
        int k = static_cast<int>(i % 6);
        double syu = (i % 1000) * 1.25, kako = (i % 37) * 10, gai = (i % 5) * 100, etc = 0.5;
        AddRow(f, {Code("P", i), std::to_string(i % 4), std::string(names[k]) + " " + std::to_string(i), kana[k],
                   "部品", "M6×" + std::to_string(10 + i % 40) + ", ユニクロ", "HB-" + std::to_string(i), "", "0",
                   "", "個", FloatToStr(syu + kako + gai + etc), FloatToStr(syu), FloatToStr(kako), FloatToStr(gai),
                   FloatToStr(etc), std::to_string(i % 3), i % 3 ? "S00" + std::to_string(i % 7) : "", "箱", "100",
                   "部品倉庫", "組立", "Aﾗｲﾝ", "", "", "", i % 10 == 0 ? "ロット管理あり, 入荷検査要" : ""});
    }
    return f;
}

// Lines in the order the export writes them: by parent, then child.
Files Lines(long items, long n) {
    Files f;
    long perParent = n / items + 1;
    long made = 0;
    std::vector<long> children;
    for (long p = 0; made < n; ++p) {
        children.clear();
        for (long k = 0; k < perParent; ++k) children.push_back((p * 7 + k * 13 + 1) % items);
        std::sort(children.begin(), children.end());
        for (long k = 0; k < perParent && made < n; ++k, ++made)
            AddRow(f, {Code("P", p % items), Code("P", children[k]), std::to_string(1 + k % 8), std::to_string(k % 2),
                       "1"});
    }
    return f;
}

std::string Fresh(const std::string& dir, const std::string& name) {
    std::string p = dir + "/" + name;
    std::filesystem::remove(p);
    CreateSchema(p, 0);
    return p;
}

double SqliteImport(const std::string& db, const std::string& csv, const std::string& table) {
    std::string cmd = "sqlite3 '" + db + "' \".import --csv '" + csv + "' " + table + "\"";
    int rc = 0;
    double s = Seconds([&] { rc = std::system(cmd.c_str()); });
    if (rc != 0) std::fprintf(stderr, "sqlite3 .import failed (%d)\n", rc);
    return s;
}

double ScanAndWrite(const std::string& db, const std::string& table, const std::string& order, const std::string& out) {
    return Seconds([&] {
        auto d = Database::Open(db);
        auto st = d->PrepareJet("SELECT * FROM " + table + " ORDER BY " + order);
        std::string buf;
        int n = st->ColumnCount();
        while (st->Step()) {
            for (int i = 0; i < n; ++i) {
                if (i) buf += ',';
                buf += st->ColumnText(i);
            }
            buf += "\r\n";
        }
        if (!WriteFileAtomic(out, buf)) std::fprintf(stderr, "write failed\n");
    });
}

}  // namespace

int main(int argc, char** argv) {
    long items = argc > 1 ? std::atol(argv[1]) : 100000;
    long lines = argc > 2 ? std::atol(argv[2]) : 1000000;
    std::string tmpl = (std::filesystem::temp_directory_path() / "velmo-bench-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) return 1;
    std::string dir = tmpl;
    SetSettingsPath(dir + "/Velmo.ini");
    Quiet quiet;

    std::printf("generating %ld items and %ld structure lines ...\n", items, lines);
    Files it = Items(items), st = Lines(items, lines);
    WriteFileAtomic(dir + "/items.csv", it.sjis);
    WriteFileAtomic(dir + "/items8.csv", it.utf8);
    WriteFileAtomic(dir + "/struct.csv", st.sjis);
    WriteFileAtomic(dir + "/struct8.csv", st.utf8);

    struct Row {
        const char* what;
        double ours, base;
    };
    std::vector<Row> rows;
    const struct {
        const char* name;
        const char* table;
        const char* order;
        int index;  // CsvTable
        std::string csv, csv8;
    } tables[] = {
        {"structure", "iStruct", "CD1,CD2", 0, dir + "/struct.csv", dir + "/struct8.csv"},
        {"items", "MasItem", "CD", 1, dir + "/items.csv", dir + "/items8.csv"},
    };
    for (const auto& t : tables) {
        double base = SqliteImport(Fresh(dir, "base.mdb"), t.csv8, t.table);
        std::string db = Fresh(dir, "ours.mdb");
        CsvRunOptions o;
        o.mdbPath = db;
        o.chosen[t.index] = true;
        o.csvPath[t.index] = t.csv;
        double ours = Seconds([&] {
            if (!clsCsvImport(quiet).Run(o)) std::fprintf(stderr, "import failed\n");
        });
        rows.push_back({t.name, ours, base});

        double scan = ScanAndWrite(db, t.table, t.order, dir + "/raw.csv");
        o.csvPath[t.index] = dir + "/out.csv";
        double exp = Seconds([&] {
            if (!clsCsvExport(quiet).Run(o)) std::fprintf(stderr, "export failed\n");
        });
        rows.push_back({t.name, exp, scan});
        std::string a, b;
        ReadFile(t.csv, a);
        ReadFile(dir + "/out.csv", b);
        if (a != b) std::fprintf(stderr, "%s: the export differs from the imported file\n", t.name);
    }

    std::printf("\n%-22s %10s %10s %8s\n", "", "velmo s", "base s", "ratio");
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        std::string what = std::string(i % 2 ? "export " : "import ") + r.what;
        std::printf("%-22s %10.3f %10.3f %8.2f   (%s)\n", what.c_str(), r.ours, r.base, r.ours / r.base,
                    i % 2 ? "scan + raw write; goal <= 1.5" : "sqlite3 .import; goal <= 2");
    }
    std::filesystem::remove_all(dir);
    return 0;
}
