#include <gtest/gtest.h>

#include "engine.h"
#include "structfixture.h"
#include "structure.h"

namespace {

class Structure : public StructFile {
protected:
    // Opens the structure below the roots as the window does.
    clsStructure& Open(const std::vector<std::string>& roots) {
        s.SetDao(&dao);
        s.CdListInit(static_cast<int>(roots.size()));
        for (size_t i = 0; i < roots.size(); ++i) s.CdListAdd(static_cast<int>(i) + 1, roots[i]);
        s.LoadStructure();
        return s;
    }

    // Held lines as "P>C*Q", removed ones and pseudo-lines left out.
    std::string HeldLines() const {
        std::string out;
        for (size_t i = 1; i < s.Lines().size(); ++i) {
            const auto& l = s.Lines()[i];
            if (l.Removed || l.ParentCode.empty()) continue;
            out += (out.empty() ? "" : " ") + l.ParentCode + ">" + l.ChildCode + "*" + std::to_string(l.Quantity);
        }
        return out;
    }

    // The tree below a code as BuildTree builds it.
    std::string Tree(const std::string& root) {
        return TreeText(s, root, [&](int line) { return s.Lines()[static_cast<size_t>(line)].ChildCode; });
    }

    // List rows as "code qty direct", in collection order.
    std::vector<std::string> Rows(const std::string& code, bool allLevels) {
        std::vector<std::string> out;
        for (const auto& r : s.FillList(code, allLevels).Rows)
            out.push_back(r.Code + " " + r.Quantity + " " + (r.Direct ? "1" : "0"));
        return out;
    }

    clsStructure s;
};

using V = std::vector<std::string>;

TEST_F(Structure, LinesAreHeldDepthFirstAndASharedUnitOnce) {
    // A unit used under both bodies of the set: its lines are held once and
    // each of its two tree nodes shows the same children.
    Items("S:3:0 B1:2:0 B2:2:0 U:1:0 U2:1:0 P:0:0");
    Lines("S>B1*1 S>B2*1 B1>U*2 B2>U*3 U>U2*1 U>P*4 U2>P*5");
    Open({"S"});
    EXPECT_EQ(HeldLines(), "U>P*4 U2>P*5 U>U2*1 B1>U*2 S>B1*1 B2>U*3 S>B2*1");
    EXPECT_EQ(Tree("S"), "S\n B1\n  U\n   U2\n B2\n  U\n   U2\n");
    EXPECT_EQ(s.RootLines(), std::vector<int>{8});
    // Reading a shared code again asks the file once per distinct parent code.
    EXPECT_EQ(s.LoadCount, 6);  // S, B1, U, U2, P, B2
}

TEST_F(Structure, ItemsAreReadInGroupsOf256) {
    std::string items, lines;
    for (int i = 0; i < 600; ++i) {
        std::string c = "P" + std::to_string(i);
        items += c + ":0:1 ";
        lines += "B>" + c + "*1 ";
    }
    Items("B:2:0 " + items);
    Lines(lines);
    std::vector<int> progress;
    s.OnItemsRead = [&](int n) { progress.push_back(n); };
    Open({"B"});
    EXPECT_EQ(progress, (std::vector<int>{256, 512, 600}));
    EXPECT_EQ(s.Items().size(), 602u);  // placeholder, 600 parts, then the root's own item
    EXPECT_EQ(s.FillList("B", false).PartsCount, 600);
}

TEST_F(Structure, ListRowsQuantitiesAndCounts) {
    // B holds units U1 (x2) and U2 (x3); both hold part P; U1 holds U3 which
    // holds Q, and the unmanaged part V. X has no item record.
    Items("B:2:100 U1:1:10 U2:1:20 U3:1:0 P:0:1 Q:0:1 V:0:0");
    Lines("B>U1*2 B>U2*3 U1>P*4:1:1 U2>P*5 U1>U3*6 U3>Q*7 B>X*1 U1>V*1:0");
    Open({"B"});
    // One level: the direct lines; X has no item and no row.
    EXPECT_EQ(Rows("B", false), (V{"U1 2 1", "U2 3 1"}));
    // All levels: one row per path, the lines below a child first; an
    // indirect row shows the sum over its paths (P: 2*4 + 3*5 = 23), a part
    // three levels down the product of the three quantities (Q: 2*6*7).
    EXPECT_EQ(Rows("B", true), (V{"P 23 0", "Q 84 0", "U3 12 0", "V 2 0", "U1 2 1", "P 23 0", "U2 3 1"}));
    auto all = s.FillList("B", true);
    EXPECT_EQ(all.UnitCount, 3);
    EXPECT_EQ(all.PartsCount, 4);
    // Texts, images by category and check flag, dimming by the managed flag.
    auto u1 = s.FillList("U1", false);
    ASSERT_EQ(u1.Rows.size(), 3u);
    const auto& p = u1.Rows[0];
    EXPECT_EQ(std::vector<std::string>({p.Code, p.KbnText, p.Quantity, p.Name, p.Price}),
              (V{"P", "Parts", "4", "name of P", "1"}));
    EXPECT_EQ(p.Image, 8);
    EXPECT_FALSE(p.Dimmed);
    EXPECT_EQ(u1.Rows[1].KbnText, "Unit");
    EXPECT_EQ(u1.Rows[1].Image, 5);
    EXPECT_EQ(u1.Rows[2].Image, 7);
    EXPECT_TRUE(u1.Rows[2].Dimmed);
}

TEST_F(Structure, TreeShowsAssembliesOnly) {
    Items("B:2:0 U:1:0 P:0:0");
    Lines("B>P*1 B>U*1 U>P*1 B>N*1");
    Open({"B"});
    // A part is never a node; a child without an item record is.
    EXPECT_EQ(Tree("B"), "B\n N\n U\n");
}

TEST_F(Structure, CostRollUp) {
    struct Case {
        const char* items;
        const char* lines;
        const char* code;
        bool allLevels;
        double total;
    };
    const Case cases[] = {
        // X (5) holds 2 x A (10), A holds 3 x p (1).
        {"X:2:5 A:1:10 p:0:1", "X>A*2 A>p*3", "X", true, 31},
        {"X:2:5 A:1:10 p:0:1", "X>A*2 A>p*3", "X", false, 25},
        // A part used in two units of one body counts once per unit.
        {"B:2:0 U1:1:0 U2:1:0 P:0:7", "B>U1*1 B>U2*2 U1>P*3 U2>P*4", "B", true, 7 * 3 + 2 * 7 * 4},
        // A missing item counts 0; fractions are kept.
        {"B:2:0.5 P:0:0.25", "B>P*3 B>Z*9", "B", true, 0.5 + 0.75},
        // A shared unit counts on each path.
        {"S:3:0 B1:2:0 B2:2:0 U:1:1 P:0:10", "S>B1*1 S>B2*2 B1>U*1 B2>U*1 U>P*1", "S", true, 3 * (1 + 10)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        Exec("DELETE FROM MasItem");
        Exec("DELETE FROM iStruct");
        Items(c.items);
        Lines(c.lines);
        Open({c.code});
        EXPECT_DOUBLE_EQ(s.CostTotal(c.code, c.allLevels), c.total);
        EXPECT_DOUBLE_EQ(s.FillList(c.code, c.allLevels).CostTotal, c.total);
    }
}

TEST_F(Structure, LadderCostIsExactWithoutWalkingEveryPath) {
    // 30 levels, two items per level, each linked to both items of the next
    // level: 2^30 paths to the last level. Item prices: 1 at every level, so
    // the total is the number of paths summed over the levels plus the root.
    std::string items = "R:2:1 ", lines;
    for (int lv = 1; lv <= 30; ++lv) {
        for (char k : {'a', 'b'}) {
            std::string c = "L" + std::to_string(lv) + k;
            items += c + ":1:1 ";
            if (lv == 1) lines += "R>" + c + "*1 ";
            else
                for (char p : {'a', 'b'}) lines += "L" + std::to_string(lv - 1) + p + ">" + c + "*1 ";
        }
    }
    Items(items);
    Lines(lines);
    Open({"R"});
    EXPECT_EQ(s.Lines().size(), 1u + 2 + 29 * 4 + 1);
    EXPECT_EQ(s.CostTotal("R", true), 2147483647.0);  // 1 + 2 + 4 + ... + 2^30
    EXPECT_EQ(s.CostTotal("R", false), 3.0);
}

TEST_F(Structure, PrintListCodeColumn) {
    Items("B01:2:1234.5 U01:1:0 P01:0:1 P02:0:2 B02:2:0");
    Lines("B01>U01*1:1:0 U01>P01*2:0:1 U01>P02*3");
    Open({"B01"});
    auto lines = s.PartsReportLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], (V{"■B01", "name of B01", "1", "", "", "F", "S", "1,234.5"}));
    EXPECT_EQ(lines[1][0], "└─□U01");
    EXPECT_EQ(lines[1][3], "○");  // managed 1, check 0
    EXPECT_EQ(lines[1][4], "");
    EXPECT_EQ(lines[2][0], "│　├─＊P01");
    EXPECT_EQ(lines[2][3], "");
    EXPECT_EQ(lines[2][4], "○");
    EXPECT_EQ(lines[3][0], "│　└─＊P02");

    // Two roots: both structures, one after the other; the last line of the
    // list is a root's own entry without a connector; an unknown child prints
    // its code without mark or item texts.
    Lines("B02>Z*2");
    Open({"B02", "B01"});
    auto two = s.PartsReportLines();
    ASSERT_EQ(two.size(), 6u);
    EXPECT_EQ(two[0][0], "■B02");
    EXPECT_EQ(two[1], (V{"└─Z", "", "2", "○", "", "", "", ""}));
    EXPECT_EQ(two[2][0], "■B01");
    Open({"B01", "B02"});
    EXPECT_EQ(s.PartsReportLines().back()[0], "└─Z");
}

TEST_F(Structure, CostReportLinesTotalAndHeading) {
    Items("X:2:5 A:1:10 p:0:1");
    Lines("X>A*2 A>p*3");
    Open({"X", "A"});
    ReportSnapshot r = s.CostReport();
    EXPECT_EQ(r.id, ReportId::Genka);
    EXPECT_EQ(r.genkaTotal, "31");  // the first root only
    EXPECT_EQ(r.genkaHeading, "(その他費用)");
    ASSERT_EQ(r.lines.size(), 5u);
    EXPECT_EQ(r.lines[1], (V{"└─□A", "2", "10", "1", "2", "3", "4", "個"}));
    AppSettings().WriteString("MASITEM", "ETCHI", "梱包費");
    EXPECT_EQ(s.CostReport().genkaHeading, "梱包費");
}

TEST_F(Structure, LoopCheck) {
    // S (outside the opened structure) holds B; B holds U, U holds P.
    Items("S:3:0 B:2:0 U:1:0 P:0:0 Q:0:0");
    Lines("S>B*1 B>U*1 U>P*1");
    Open({"B"});
    struct Case {
        const char* parent;
        const char* child;
        int ancestor;   // IsAncestorOrSelf over the held lines
        bool inFile;    // the file already leads from child down to parent
    } cases[] = {
        {"U", "U", 1, true},   // below itself
        {"P", "B", 1, true},   // below an item under it
        {"U", "B", 1, true},
        {"P", "U", 1, true},
        {"U", "Q", 0, false},  // an unrelated part
        {"B", "P", 0, false},  // a second path to P is no loop
        {"U", "S", 0, true},   // S holds B only through a line the window does not hold
        // The file's keys ignore the case of letters: p is P there. The walk
        // over held lines compares codes exactly; the file's check refuses it.
        {"p", "B", 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.parent) + " <- " + c.child);
        EXPECT_EQ(s.IsAncestorOrSelf(c.parent, c.child), c.ancestor);
        EXPECT_EQ(s.ReachesInFile(c.child, c.parent), c.inFile);
    }
    // A removed line no longer counts.
    s.ApplyLineChange(2, "B", "U", "", "");
    EXPECT_EQ(s.IsAncestorOrSelf("P", "B"), 0);
}

TEST_F(Structure, LineChangesUpdateMemoryWithoutReopening) {
    Items("B:2:100 U:1:10 V:1:20 P:0:1 Q:0:2");
    Lines("B>U*2 U>P*3 V>Q*4");
    Open({"B"});
    EXPECT_DOUBLE_EQ(s.CostTotal("B", true), 100 + 2 * 10 + 2 * 3 * 1);

    // Add: the new line as the file holds it, then the lines below its child.
    Lines("B>V*5");
    auto add = s.ApplyLineChange(0, "", "", "B", "V");
    EXPECT_EQ(add.OldLine, 0);
    EXPECT_EQ(add.NewLine, 0);
    EXPECT_EQ(s.Lines()[static_cast<size_t>(add.Appended)].Quantity, 5);
    EXPECT_EQ(Rows("B", true), (V{"P 6 0", "U 2 1", "Q 20 0", "V 5 1"}));

    // Edit: the old line is flagged, the rewritten one appended at the end.
    Exec("UPDATE iStruct SET INZU = 7, KFLG = 0 WHERE CD1 = 'B' AND CD2 = 'U'");
    auto edit = s.ApplyLineChange(1, "B", "U", "B", "U");
    EXPECT_TRUE(s.Lines()[static_cast<size_t>(edit.OldLine)].Removed);
    EXPECT_EQ(edit.Appended, static_cast<int>(s.Lines().size()) - 1);
    EXPECT_EQ(Rows("B", false), (V{"V 5 1", "U 7 1"}));
    EXPECT_TRUE(s.FillList("B", false).Rows[1].Dimmed);

    // Remove: the unit's parts no longer count in the list or the total.
    double before = s.CostTotal("B", true);
    ASSERT_EQ(s.DeleteLine("B", "U"), 0);
    auto del = s.ApplyLineChange(2, "B", "U", "", "");
    EXPECT_EQ(del.OldLine, edit.Appended);
    EXPECT_DOUBLE_EQ(s.CostTotal("B", true), before - 7 * (10 + 3 * 1));
    EXPECT_EQ(Rows("B", true), (V{"Q 20 0", "V 5 1"}));
    EXPECT_EQ(HeldLines(), "U>P*3 B>V*5 V>Q*4");
}

TEST_F(Structure, FileOperationsQuoteCodesAndMarkProcurement) {
    Items("B'1:2:0 P'1:0:3");
    Lines("B'1>P'1*2");
    AppSettings().WriteString("SupEnt", "YYYYMM", "202401");
    Open({"B'1"});
    EXPECT_EQ(HeldLines(), "B'1>P'1*2");
    long long q = 0;
    int k = 0, c = 0;
    EXPECT_TRUE(s.ReadLine("B'1", "P'1", q, k, c));
    EXPECT_EQ(q, 2);
    EXPECT_FALSE(s.ReadLine("B'1", "X", q, k, c));
    EXPECT_EQ(q, 0);
    EXPECT_EQ(s.DeleteLine("B'1", "P'1"), 0);
    EXPECT_TRUE(DataFileTest::Rows("SELECT * FROM iStruct", {"CD1"}).empty());
    EXPECT_EQ(AppSettings().ReadString("SupEnt", "YYYYMM", "x"), "");
}

TEST_F(Structure, StoredLoopsEndEveryWalkAndAreNamedOnce) {
    // R holds A; A and B hold each other; B also holds part P.
    Items("R:2:1 A:1:10 B:1:100 P:0:1000");
    Lines("R>A*1 A>B*2 B>A*3 B>P*1");
    Open({"R"});
    EXPECT_EQ(HeldLines(), "B>A*3 B>P*1 A>B*2 R>A*1");
    EXPECT_EQ(s.Cycles().Message(), "構成がループしています: A → B → A");
    EXPECT_EQ(s.Cycles().TakeNewMessage(), "構成がループしています: A → B → A");
    EXPECT_EQ(s.Cycles().TakeNewMessage(), "");

    // The rest is shown: the loop's closing node has no children.
    EXPECT_EQ(Tree("R"), "R\n A\n  B\n   A\n");
    EXPECT_EQ(Rows("R", true), (V{"A 0 0", "P 0 0", "B 0 0", "A 1 1"}));
    // The loop's closing line counts its own price, nothing below it.
    EXPECT_DOUBLE_EQ(s.CostTotal("R", true), 1 + 10 + 2 * (100 + 3 * 10 + 1000));
    // Sums met below the loop in that walk depend on where it entered the loop
    // and are not kept: B asked next costs what it costs asked first,
    // 100 + 3 x (10 + 2 x 100) + 1000, the closing line B adding its price only.
    EXPECT_DOUBLE_EQ(s.CostTotal("B", true), 100 + 3 * (10 + 2 * 100) + 1000);
    EXPECT_EQ(s.PartsReportLines().size(), 5u);
    EXPECT_EQ(s.IsAncestorOrSelf("A", "R"), 1);
    EXPECT_EQ(s.IsAncestorOrSelf("A", "P"), 0);
    EXPECT_TRUE(s.ReachesInFile("B", "B"));
    EXPECT_EQ(s.Cycles().Texts().size(), 1u);  // met by every walk, recorded once

    // A three-code loop met from the middle keeps the order of the structure.
    Exec("DELETE FROM iStruct");
    Lines("R>A*1 A>B*1 B>C*1 C>A*1");
    Open({"R"});
    EXPECT_EQ(s.Cycles().Message(), "構成がループしています: A → B → C → A");
}

TEST_F(Structure, RootWithoutLinesAndRootArray) {
    Items("B:2:3");
    EXPECT_FALSE(s.CdListAdd(1, "B"));  // before CdListInit
    Open({"B"});
    auto r = s.FillList("B", false);
    EXPECT_TRUE(r.Rows.empty());
    EXPECT_EQ(r.UnitCount, 0);
    EXPECT_EQ(r.PartsCount, 0);
    EXPECT_DOUBLE_EQ(r.CostTotal, 3);
    EXPECT_EQ(s.PartsReportLines(), (std::vector<V>{{"■B", "name of B", "1", "", "", "F", "S", "3"}}));
    EXPECT_EQ(s.CdListInit(-1), -1);
    EXPECT_FALSE(s.HasRootArray());
    // Without an open data file the load ends with an error, not a crash.
    clsDao closed;
    clsStructure t(&closed);
    t.CdListInit(1);
    t.CdListAdd(1, "B");
    EXPECT_THROW(t.LoadStructure(), EngineError);
}

}  // namespace

namespace {

// The one-pass reads of a large load must give what the per-code statements
// give: the same lines in the same order, the same items. Codes differ in
// case and rows are stored out of key order on purpose.
TEST_F(Structure, OnePassReadsMatchPerCodeStatements) {
    Items("S:3:1 B1:2:2 b2:2:3 U:1:4 a:0:5 Z:0:6 P:0:7");
    Lines("U>Z*1 S>b2*2 U>a*3 B1>U*4 S>B1*5 U>P*6 b2>U*7 s>Q*8 P>z*9");
    auto snapshot = [&](int bulkLines, int bulkItems) {
        clsStructure t(&dao);
        t.BulkLinesAfter = bulkLines;
        t.BulkItemsAfter = bulkItems;
        t.BulkShare = 0;
        t.CdListInit(2);
        t.CdListAdd(1, "S");
        t.CdListAdd(2, "u");
        t.LoadStructure();
        std::string out;
        for (const auto& l : t.Lines()) out += l.ParentCode + ">" + l.ChildCode + "*" + std::to_string(l.Quantity) + " ";
        out += "|";
        for (const auto& code : {"S", "B1", "b2", "U", "a", "Z", "P", "Q", "z", "u"})
            out += std::string(" ") + code + "=" + (t.FindItem(code) ? t.FindItem(code)->Code : "-");
        return out;
    };
    std::string perCode = snapshot(0, 0);
    EXPECT_EQ(perCode, snapshot(1, 1));
    EXPECT_EQ(perCode, snapshot(3, 0));
}

}  // namespace

#include <pthread.h>

#include "parentsearch.h"

namespace {

// Runs f on a thread with a small call stack (256 KB): a walk that recursed
// once per level would overflow it on a chain of a few thousand levels.
void OnSmallStack(const std::function<void()>& f) {
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 256 * 1024);
    pthread_t t;
    auto run = [](void* p) -> void* {
        (*static_cast<const std::function<void()>*>(p))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&t, &attr, run, const_cast<std::function<void()>*>(&f)), 0);
    pthread_join(t, nullptr);
    pthread_attr_destroy(&attr);
}

TEST_F(Structure, DeepChainEveryWalkWithoutRecursion) {
    const int n = 20000;
    InsertChain(dao, n);
    const std::string top = ChainCode(0), bottom = ChainCode(n);
    OnSmallStack([&] {
        Open({top});
        EXPECT_EQ(s.Lines().size(), static_cast<size_t>(n) + 2);  // placeholder, the chain, the root line
        EXPECT_TRUE(s.Cycles().Empty());

        size_t nodes = 0;
        int deepest = 0;
        std::vector<int> depth{0};
        s.WalkTree(top, 0, [&](int node, int) {
            depth.push_back(depth[static_cast<size_t>(node)] + 1);
            deepest = std::max(deepest, depth.back());
            return static_cast<int>(++nodes);
        });
        EXPECT_EQ(nodes, static_cast<size_t>(n) - 1);  // the part at the bottom is no node
        EXPECT_EQ(deepest, n - 1);

        auto all = s.FillList(top, true);
        ASSERT_EQ(all.Rows.size(), static_cast<size_t>(n));
        EXPECT_EQ(all.Rows.front().Code, bottom);  // the lines below a child come first
        EXPECT_EQ(all.Rows.front().Quantity, "1");
        EXPECT_EQ(all.UnitCount, n - 1);
        EXPECT_DOUBLE_EQ(all.CostTotal, n + 1.0);
        EXPECT_EQ(s.CountListRows(top, true), static_cast<unsigned long long>(n));

        auto print = s.PartsReportLines();
        ASSERT_EQ(print.size(), static_cast<size_t>(n) + 1);
        std::string columns;
        for (int i = 0; i < kPrintedColumns; ++i) columns += "│　";
        EXPECT_EQ(print[33][0], columns + "└─□" + ChainCode(33));  // the deepest line drawn in full
        EXPECT_EQ(print.back()[0], "[" + std::to_string(n) + "]" + columns + "└─＊" + bottom);
        EXPECT_EQ(s.IsAncestorOrSelf(bottom, top), 1);

        clsParentSearch p(&dao);
        p.SearchParents(bottom);
        auto up = p.FillList(bottom, true);
        ASSERT_EQ(up.Rows.size(), static_cast<size_t>(n));
        EXPECT_EQ(up.Rows.front().Code, top);
        size_t treeNodes = 0;
        p.WalkTree(bottom, 0, [&](int, int) { return static_cast<int>(++treeNodes); });
        EXPECT_EQ(treeNodes, static_cast<size_t>(n));
        EXPECT_EQ(p.ReportLines().size(), static_cast<size_t>(n) + 1);
        EXPECT_TRUE(p.Cycles().Empty());
    });
}

TEST_F(Structure, RowCountsMatchTheRowsMade) {
    // Counted without walking every path, the counts must equal the rows the
    // lists and printouts make: shared units, a child without an item record
    // (no list row, but a print line), a removed line, a stored loop.
    struct Case {
        const char* items;
        const char* lines;
        const char* code;
    };
    const Case cases[] = {
        {"B:2:0 U1:1:0 U2:1:0 P:0:0", "B>U1*1 B>U2*2 U1>P*3 U2>P*4 U1>U2*1 B>X*1", "B"},
        {"R:2:0 A:1:0 B:1:0 C:1:0 D:1:0 P:0:0", "R>A*1 R>B*1 A>C*1 A>D*1 B>C*1 B>D*1 C>P*1 D>P*1", "R"},
        {"R:2:1 A:1:10 B:1:100 P:0:1000", "R>A*1 A>B*2 B>A*3 B>P*1", "R"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        Exec("DELETE FROM MasItem");
        Exec("DELETE FROM iStruct");
        Items(c.items);
        Lines(c.lines);
        for (int removed = 0; removed < 2; ++removed) {
            Open({c.code});
            if (removed) s.ApplyLineChange(2, c.code, s.Lines()[s.LinesOfParent(c.code).front()].ChildCode, "", "");
            for (bool allLevels : {false, true})
                EXPECT_EQ(s.CountListRows(c.code, allLevels), s.FillList(c.code, allLevels).Rows.size());
            EXPECT_EQ(s.CountPrintLines(), s.PartsReportLines().size());
        }
        clsParentSearch p(&dao);
        p.SearchParents("P");
        for (bool allLevels : {false, true})
            EXPECT_EQ(p.CountListRows("P", allLevels), p.FillList("P", allLevels).Rows.size());
        EXPECT_EQ(p.CountPrintLines(), p.ReportLines().size());
    }
}

TEST_F(Structure, LatticeRowsAreCountedNotMade) {
    // 24 levels of two units, each holding both units of the next level: 88
    // lines, 2 + 4 + ... + 2^24 rows per path below R. Counting is instant;
    // the cost total stays exact.
    std::string items = "R:2:1 ", lines;
    for (int lv = 1; lv <= 24; ++lv)
        for (char k : {'a', 'b'}) {
            std::string c = "L" + std::to_string(lv) + k;
            items += c + ":1:1 ";
            if (lv == 1) lines += "R>" + c + "*1 ";
            else
                for (char p : {'a', 'b'}) lines += "L" + std::to_string(lv - 1) + p + ">" + c + "*1 ";
        }
    Items(items);
    Lines(lines);
    Open({"R"});
    const unsigned long long rows = (1ULL << 25) - 2;
    EXPECT_EQ(s.CountListRows("R", true), rows);
    EXPECT_EQ(s.CountListRows("R", false), 2u);
    EXPECT_EQ(s.CountPrintLines(), rows + 1);
    EXPECT_EQ(s.CostTotal("R", true), static_cast<double>(rows + 1));
    EXPECT_GT(s.CountListRows("R", true), kRowsAskAbove);
    EXPECT_EQ(ListRowsQuestion(rows), "一覧は 33,554,430 行になります。\n表示しますか？");
    clsParentSearch p(&dao);
    p.SearchParents("L24a");
    // Up from L24a: 2^k rows on each level k = 1 ... 23, then one line to R
    // from each of the 2^23 paths.
    EXPECT_EQ(p.CountListRows("L24a", true), (1ULL << 24) - 2 + (1ULL << 23));
}

}  // namespace
