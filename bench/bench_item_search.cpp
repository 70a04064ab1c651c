// The item search of the main window on 100,000 items (all categories, no
// prefix): the time from the statement to the filled, sorted list, against a
// plain SELECT of the same rows measured in the same run.
//
//   bench_item_search [ITEMS]     (default 100000)
//
// Built with the windows, the list is the main window's own (TfrmItem::
// SearchItem on an offscreen display); without them, the search, the sort and
// the row texts of the core.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "engine.h"
#include "itemsearch.h"
#include "settings.h"
#include "udao.h"
#include "udaoment.h"

#ifdef VELMO_BENCH_APP
#include <QApplication>

#include "listmodel.h"
#include "platform.h"
#include "ufitem.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;

double Millis(const std::function<void()>& f) {
    auto t0 = Clock::now();
    f();
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Best of n runs: the least disturbed by the other work on the machine.
double Best(int n, const std::function<void()>& f) {
    double best = 1e300;
    for (int i = 0; i < n; ++i) best = std::min(best, Millis(f));
    return best;
}

void Generate(const std::string& path, int n) {
    CreateSchema(path, 0);
    auto db = Database::Open(path);
    static const char* const kNames[] = {"六角ボルト", "ナット", "ﾜｯｼｬｰ", "制御基板", "ケース", "本体 標準型",
                                         "ｾｯﾄ 出荷用", "モーター", "ギア", "シャフト"};
    static const char* const kForms[] = {"M6x20", "M8", "ｷｬﾋﾞﾈｯﾄ", "基板組", "", "梱包"};
    std::mt19937 rnd(42);
    std::vector<int> order(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) order[static_cast<size_t>(i)] = i;
    std::shuffle(order.begin(), order.end(), rnd);
    db->BeginTrans();
    auto st = db->Prepare("INSERT INTO MasItem (CD, KBN, NAME, KEITAI, KIKAKU) VALUES (?, ?, ?, ?, ?)");
    for (int i : order) {
        char cd[32];
        std::snprintf(cd, sizeof cd, "%c%c-%06d", "PUBS"[i % 4], 'A' + i % 26, i);
        st->Bind(1, Variant(std::string(cd)));
        st->Bind(2, Variant(i % 4 == 0 ? 0 : i % 4 == 1 ? 1 : i % 4 == 2 ? 2 : 3));
        st->Bind(3, Variant(std::string(kNames[i % 10]) + " " + std::to_string(i % 977)));
        st->Bind(4, Variant(std::string(kForms[i % 6])));
        st->Bind(5, Variant("SUS" + std::to_string(300 + i % 17)));
        st->Step();
        st->Reset();
    }
    st.reset();
    db->CommitTrans();
    db->Close();
}

#ifdef VELMO_BENCH_APP
// The windows' platform without dialogs.
class QuietPlatform : public IPlatform {
public:
    void Info(const QString& t, const QString&) override { std::fprintf(stderr, "info: %s\n", qPrintable(t)); }
    bool Question(const QString&, const QString&, bool) override { return false; }
    void ErrorReport(const QString& k, const QString& m) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(k), qPrintable(m));
    }
    QString OpenFileName(const FileDialogOptions&) override { return {}; }
    QString SaveFileName(const FileDialogOptions&) override { return {}; }
    bool ShellOpen(const QString&) override { return true; }
    void SetWaitCursor(bool) override {}
    int ShowModal(QWidget*) override { return 0; }
    void PreviewReport(const ReportSnapshot&, bool) override {}
};
#endif

}  // namespace

int main(int argc, char** argv) {
    int n = argc > 1 ? std::atoi(argv[1]) : 100000;
    std::string dir = (std::filesystem::temp_directory_path() / ("velmo-bench-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(dir);
    std::string path = dir + "/items.mdb";
    SetSettingsPath(dir + "/Velmo.ini");
    std::printf("items: %d (generating...)\n", n);
    Generate(path, n);

    const std::string sql = ItemSearchSql({2, 1, 0, 3}, "");
    clsDao dao;
    if (dao.OpenDatabase(path) != 0) return 1;
    const int runs = 5;

    // Baseline: the same statement, every row stepped and its five columns read.
    size_t rows = 0;
    double plain = Best(runs, [&] {
        auto st = dao.GetDatabase()->PrepareJet(sql);
        rows = 0;
        size_t bytes = 0;
        int cols[5] = {-1, -1, -1, -1, -1};
        const char* names[5] = {"CD", "KBN", "NAME", "KEITAI", "KIKAKU"};
        for (int c = 0; c < st->ColumnCount(); ++c)
            for (int k = 0; k < 5; ++k)
                if (st->ColumnName(c) == names[k]) cols[k] = c;
        while (st->Step()) {
            for (int c : cols) bytes += st->ColumnText(c).size();
            ++rows;
        }
        if (bytes == 0) std::printf("(no data)\n");
    });
    std::printf("plain SELECT of the rows:           %8.1f ms  (%zu rows)\n", plain, rows);

    double core = Best(runs, [&] {
        auto found = RunItemSearch(dao.GetDatabase(), sql);
        SortItemRows(found, 1);
    });
    std::printf("search rows + Shift-JIS sort (core): %8.1f ms  ratio %.2f\n", core, core / plain);

#ifdef VELMO_BENCH_APP
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QuietPlatform platform;
    SetPlatform(&platform);
    {
        TfrmItem window;
        window.show();
        app.processEvents();
        if (window.Dao->OpenDatabase(path) != 0) return 1;
        double list = Best(runs, [&] {
            window.SearchItem(QString());
            app.processEvents();
        });
        int listed = window.lvMain->Model()->Count();
        std::printf("SearchItem: statement to filled, sorted list: %8.1f ms  (%d rows)  ratio %.2f\n", list, listed,
                    list / plain);
        double resort = Best(runs, [&] {
            window.lvMainColumnClick(1);
            app.processEvents();
        });
        std::printf("header click, re-sort by name:      %8.1f ms\n", resort);
        window.Dao->Close();
    }
    SetPlatform(nullptr);
#endif
    dao.Close();
    std::filesystem::remove_all(dir);
    return 0;
}
