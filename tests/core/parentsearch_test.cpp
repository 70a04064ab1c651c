#include <gtest/gtest.h>

#include "parentsearch.h"
#include "structfixture.h"

namespace {

using V = std::vector<std::string>;

class ParentSearch : public StructFile {
protected:
    clsParentSearch& Search(const std::string& code) {
        p.SetDao(&dao);
        p.SearchParents(code);
        return p;
    }
    std::string Tree(const std::string& root) {
        return TreeText(p, root, [&](int line) { return p.Lines()[static_cast<size_t>(line)].ParentCode; });
    }
    std::vector<std::string> Rows(const std::string& code, bool allLevels) {
        std::vector<std::string> out;
        for (const auto& r : p.FillList(code, allLevels).Rows)
            out.push_back(r.Code + " " + r.Quantity + " " + (r.Direct ? "1" : "0"));
        return out;
    }
    std::vector<std::string> CodeColumn() {
        std::vector<std::string> out;
        for (const auto& l : p.ReportLines()) out.push_back(l[0]);
        return out;
    }
    clsParentSearch p;
};

TEST_F(ParentSearch, UnitsOfOneBodyInOneSet) {
    // P sits in units U1 and U2 of body B, and B in set S: the line S>B is
    // met on both paths and held once; S shows below each of the two B nodes.
    Items("S:3:0 B:2:0 U1:1:0 U2:1:0 P:0:5");
    Lines("U1>P*2 U2>P*3 B>U1*4 B>U2*5:0 S>B*6");
    Search("P");
    ASSERT_EQ(p.Lines().size(), 7u);  // placeholder, five lines, the start line
    EXPECT_EQ(p.StartLine(), 6);
    EXPECT_EQ(Tree("P"), "P\n U1\n  B\n   S\n U2\n  B\n   S\n");

    EXPECT_EQ(Rows("P", false), (V{"U1 2 1", "U2 3 1"}));
    // All levels: the higher items once per path; a row's quantity is that of
    // the first collected line from its code.
    EXPECT_EQ(Rows("P", true), (V{"S 6 0", "B 4 0", "U1 2 1", "S 6 0", "B 4 0", "U2 3 1"}));
    auto r = p.FillList("P", true);
    EXPECT_EQ(r.UnitCount, 2);
    EXPECT_EQ(r.PartsCount, 0);
    EXPECT_EQ(r.Rows[4].Image, 0);
    EXPECT_TRUE(r.Rows[4].Dimmed);  // B>U2 is not managed
    EXPECT_EQ(r.Rows[0].KbnText, "Set");
    EXPECT_EQ(r.Rows[0].Name, "name of S");

    // The searched item first, without connector and with quantity 1; each
    // entry names the holder with its mark.
    EXPECT_EQ(CodeColumn(), (V{"＊P", "└─□U1", "│　└─■B", "│　│　└─☆S", "└─□U2", "│　└─■B", "│　│　└─☆S"}));
    auto lines = p.ReportLines();
    EXPECT_EQ(lines[0], (V{"＊P", "name of P", "1", "", "", "F", "S", "5"}));
    EXPECT_EQ(lines[1], (V{"└─□U1", "name of U1", "2", "○", "", "F", "S", "0"}));
    EXPECT_EQ(p.Report().title, "親検索");
}

TEST_F(ParentSearch, SiblingConnectorsAndMissingItems) {
    // P in U1 (no parents) and in U2; Z (no item record) holds U2.
    Items("U1:1:0 U2:1:0 P:0:0");
    Lines("U1>P*1 U2>P*1 Z>U2*1");
    Search("P");
    EXPECT_EQ(CodeColumn(), (V{"＊P", "├─□U1", "└─□U2", "│　└─Z"}));
    EXPECT_EQ(Rows("P", true), (V{"U1 1 1", "U2 1 1"}));  // Z has no item: no row
    EXPECT_EQ(Tree("P"), "P\n U1\n U2\n  Z\n");
}

TEST_F(ParentSearch, ItemNobodyUses) {
    Items("P:0:0 Q:0:0");
    Lines("U>Q*1");
    Search("P");
    EXPECT_EQ(Tree("P"), "P\n");
    auto r = p.FillList("P", true);
    EXPECT_TRUE(r.Rows.empty());
    EXPECT_EQ(r.UnitCount, 0);
    EXPECT_EQ(r.PartsCount, 0);
    EXPECT_EQ(CodeColumn(), V{"＊P"});
}

TEST_F(ParentSearch, StoredLoopEndsEveryWalk) {
    Items("A:1:0 B:1:0 P:0:0");
    Lines("A>B*1 B>A*1 B>P*1");
    Search("P");
    EXPECT_EQ(p.Cycles().Message(), "構成がループしています: B → A → B");
    EXPECT_EQ(Tree("P"), "P\n B\n  A\n   B\n");
    EXPECT_EQ(Rows("P", true), (V{"B 1 0", "A 1 0", "B 1 1"}));
    EXPECT_EQ(CodeColumn(), (V{"＊P", "└─□B", "│　└─□A", "│　│　└─□B"}));
    EXPECT_EQ(p.Cycles().Texts().size(), 1u);
}

TEST_F(ParentSearch, QuotesInCodes) {
    Items("U'1:1:0 P'1:0:0");
    Lines("U'1>P'1*3");
    Search("P'1");
    EXPECT_EQ(Rows("P'1", false), V{"U'1 3 1"});
}

}  // namespace

namespace {

TEST_F(ParentSearch, OnePassReadMatchesPerCodeStatements) {
    Items("S:3:0 B:2:0 U1:1:0 u2:1:0 P:0:0");
    Lines("S>B*1 B>u2*2 U1>p*3 b>U1*4 U2>P*5 s>U1*6:0");
    auto snapshot = [&](int bulkAfter) {
        clsParentSearch t(&dao);
        t.BulkAfter = bulkAfter;
        t.SearchParents("P");
        std::string out;
        for (const auto& l : t.Lines()) out += l.ParentCode + ">" + l.ChildCode + " ";
        return out;
    };
    // By the index on the child code, per code without it, from one pass.
    std::string byIndex = snapshot(1);
    EXPECT_EQ(byIndex, "> S>B b>U1 s>U1 U1>p B>u2 U2>P P> ");
    dao.GetDatabase()->Prepare("DROP INDEX iStructCD2")->Step();
    EXPECT_EQ(snapshot(0), byIndex);
    EXPECT_EQ(snapshot(1), byIndex);
}

}  // namespace
