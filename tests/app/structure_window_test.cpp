// The structure window, the line dialog and the parent search, offscreen:
// the windows are driven through their operations and actions, the platform
// fake answers the messages and plays the modal dialogs.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <gtest/gtest.h>

#include "fakeplatform.h"
#include "globals.h"
#include "listmodel.h"
#include "settings.h"
#include "structdata.h"
#include "testutil.h"
#include "udaoment.h"
#include "udaors.h"
#include "ufiment.h"
#include "ufitem.h"
#include "ufmsg.h"
#include "ufparentse.h"
#include "ufparts.h"
#include "ufprg.h"
#include "ufstsedit.h"

namespace {

// A set S1 holds body B1; B1 holds units U1 (x2) and U2 (x1, checked) and
// part P3 (x4); U1 holds P1 (x3) and P2; U2 holds P1 (x2, not managed).
const char* kItems = "S1:3:0 B1:2:1000 U1:1:100 U2:1:200 P1:0:10 P2:0:20 P3:0:30 P4:0:40 B2:2:0";
const char* kLines = "S1>B1*1 B1>U1*2 B1>U2*1:1:1 B1>P3*4 U1>P1*3 U1>P2*1 U2>P1*2:0";

class StructureWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SetSettingsPath(dir.File("Velmo.ini"));
        path = dir.File("data.mdb");
        CreateSchema(path, 0);
        CreateWindows();
        ASSERT_EQ(frmItem->Dao->OpenDatabase(path), 0);
        InsertItems(*frmItem->Dao, kItems);
        InsertLines(*frmItem->Dao, kLines);
    }
    void TearDown() override {
        DestroyWindows();
        SetSettingsPath("");
    }

    void Open(const QStringList& roots) {
        frmParts->CdListInit(static_cast<int>(roots.size()));
        for (int i = 0; i < roots.size(); ++i) frmParts->CdListAdd(i + 1, roots[i]);
        frmParts->LoadStructure();
    }

    // The tree, one node per line, indented; "~" marks a dimmed node.
    static std::string Tree(QTreeWidget* tree) {
        std::string out;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            int depth = 0;
            for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent()) ++depth;
            out += std::string(static_cast<size_t>(depth), ' ') + (*it)->text(0).toStdString() +
                   ((*it)->foreground(0).color() == QColor(Qt::gray) ? "~" : "") + "\n";
        }
        return out;
    }
    // The list rows as shown: texts joined by "|", then "*" for an indirect
    // row (a row whose value is 0).
    static std::vector<std::string> List(TListView* lv) {
        std::vector<std::string> out;
        for (int i = 0; i < lv->Model()->Count(); ++i) {
            const ListRow& r = lv->Model()->Row(i);
            out.push_back(r.texts.join('|').toStdString() + (r.data.isValid() && r.data.toInt() == 0 ? "*" : ""));
        }
        return out;
    }
    QTreeWidgetItem* Node(QTreeWidget* tree, const QString& text, int nth = 0) {
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if ((*it)->text(0) == text && nth-- == 0) return *it;
        return nullptr;
    }
    int Row(TListView* lv, const QString& code) {
        for (int i = 0; i < lv->Model()->Count(); ++i)
            if (lv->Model()->Row(i).texts[0] == code) return i;
        return -1;
    }
    QString Panel(int i) { return frmParts->sbarPanel[i]->text(); }
    std::vector<std::string> FileLines() {
        std::vector<std::string> out;
        clsDaoRs rs(frmItem->Dao->GetDatabase());
        rs.OpenRecordset("SELECT * FROM iStruct ORDER BY CD1, CD2");
        for (; !rs.IsEOF(); rs.MoveRecord(0))
            out.push_back(rs.Text("CD1") + ">" + rs.Text("CD2") + "*" + rs.Text("INZU") + ":" + rs.Text("KFLG") + ":" +
                          rs.Text("CFLG"));
        rs.Close();
        return out;
    }

    FakePlatform fake;
    TempDir dir;
    std::string path;
};

using V = std::vector<std::string>;

TEST_F(StructureWindow, OpensTreeListAndPanels) {
    frmParts->CdListInit(0);
    frmParts->CdListInit(1);
    frmParts->CdListAdd(1, "B1");
    frmParts->LoadStructure();
    // Parts are never nodes; the tree is fully expanded; the checked unit
    // line and the images follow the categories.
    EXPECT_EQ(Tree(frmParts->treeSt), "B1\n U1\n U2\n");
    EXPECT_TRUE(Node(frmParts->treeSt, "B1")->isExpanded());
    EXPECT_EQ(frmParts->treeSt->currentItem(), Node(frmParts->treeSt, "B1"));
    EXPECT_EQ(List(frmParts->lvMain), (V{"P3|Parts|4|name of P3|30", "U1|Unit|2|name of U1|100",
                                         "U2|Unit|1|name of U2|200"}));
    EXPECT_EQ(Panel(0), "B1");
    EXPECT_EQ(Panel(1), "Unit: 2");
    EXPECT_EQ(Panel(2), "Parts: 1");
    EXPECT_EQ(Panel(3), "費用計: 1,520");
    EXPECT_EQ(frmParts->lvMain->Model()->Row(2).image, 6);  // unit, checked
    EXPECT_EQ(frmParts->windowTitle(), "構成表管理ﾌﾟﾛｸﾞﾗﾑ [構成表]");
    EXPECT_FALSE(frmPrg->isVisible());
    EXPECT_EQ(frmPrg->windowTitle(), "品目ﾃﾞｰﾀを読み込んでいます...");
    EXPECT_FALSE(frmParts->actParentSearch->isEnabled());

    // All levels: per-path rows in blue below their parent rows' items, the
    // whole sub-structure in the total; the dimmed line stays dimmed.
    frmParts->actAllDsp->trigger();
    EXPECT_EQ(List(frmParts->lvMain),
              (V{"P1|Parts|8|name of P1|10*", "P1|Parts|8|name of P1|10*", "P2|Parts|2|name of P2|20*",
                 "P3|Parts|4|name of P3|30", "U1|Unit|2|name of U1|100", "U2|Unit|1|name of U2|200"}));
    EXPECT_EQ(frmParts->lvMain->Model()->Row(0).color, QColor(0, 0, 255));
    EXPECT_EQ(Panel(3), "費用計: 1,640");
    EXPECT_EQ(Panel(4), "全階層表示");

    // Names instead of codes in the tree.
    frmParts->actNameDisp->trigger();
    EXPECT_EQ(Tree(frmParts->treeSt), "name of B1\n name of U1\n name of U2\n");
    EXPECT_TRUE(fake.Texts("info").isEmpty());

    // Reopening starts again with one level and codes.
    Open({"S1", "U2"});
    EXPECT_FALSE(frmParts->actAllDsp->isChecked());
    EXPECT_EQ(Tree(frmParts->treeSt), "S1\n B1\n  U1\n  U2\nU2\n");
    EXPECT_EQ(frmParts->treeSt->currentItem(), Node(frmParts->treeSt, "U2", 1));  // the last root
    EXPECT_EQ(List(frmParts->lvMain), V{"P1|Parts|2|name of P1|10"});
    EXPECT_TRUE(frmParts->lvMain->Model()->Row(0).dimmed);
}

TEST_F(StructureWindow, CdListAddBeforeInit) {
    TfrmParts parts;
    parts.CdListAdd(1, "B1");
    EXPECT_EQ(fake.Texts("info"), QStringList{"CdListInitを行ってから、CdListAddを行ってください。"});
}

TEST_F(StructureWindow, ActionRules) {
    Open({"B1"});
    frmParts->treeStEnter();
    // A root cannot be edited or removed; a child line can.
    EXPECT_TRUE(frmParts->actTreeAdd->isEnabled());
    EXPECT_FALSE(frmParts->actTreeEdit->isEnabled());
    EXPECT_FALSE(frmParts->actTreeDel->isEnabled());
    frmParts->treeSt->setCurrentItem(Node(frmParts->treeSt, "U1"));
    EXPECT_TRUE(frmParts->actTreeEdit->isEnabled());
    EXPECT_TRUE(frmParts->actTreeDel->isEnabled());

    // In the list: nothing selected, a direct row, an indirect row.
    frmParts->treeSt->setCurrentItem(Node(frmParts->treeSt, "B1"));
    frmParts->actAllDsp->trigger();
    frmParts->lvMainEnter();
    EXPECT_FALSE(frmParts->actParentSearch->isEnabled());
    EXPECT_FALSE(frmParts->actTreeEdit->isEnabled());
    frmParts->lvMain->SelectRow(Row(frmParts->lvMain, "U1"));
    EXPECT_TRUE(frmParts->actParentSearch->isEnabled());
    EXPECT_TRUE(frmParts->actTreeEdit->isEnabled());
    EXPECT_TRUE(frmParts->actTreeDel->isEnabled());
    frmParts->lvMain->SelectRow(Row(frmParts->lvMain, "P2"));
    EXPECT_TRUE(frmParts->actParentSearch->isEnabled());
    EXPECT_FALSE(frmParts->actTreeEdit->isEnabled());
    EXPECT_FALSE(frmParts->actTreeDel->isEnabled());

    // The refusals, should the actions run anyway.
    frmParts->actTreeEditExecute();
    frmParts->actTreeDelExecute();
    frmParts->treeSt->setCurrentItem(Node(frmParts->treeSt, "B1"));
    frmParts->treeStEnter();
    frmParts->actTreeEditExecute();
    frmParts->actTreeDelExecute();
    EXPECT_EQ(fake.Texts("info"), (QStringList{"淡色表示行の編集はできません(後にﾒﾆｭｰ自体を無効にします)",
                                               "淡色表示行の削除はできません(後にﾒﾆｭｰ自体を無効にします)",
                                               "ルートの編集はできません(後にﾒﾆｭｰ自体を無効にします)",
                                               "ルートの削除はできません(後にﾒﾆｭｰ自体を無効にします)"}));
    EXPECT_TRUE(fake.Texts("modal").isEmpty());
}

TEST_F(StructureWindow, AddALineThroughTheDialog) {
    AppSettings().WriteString("SupEnt", "YYYYMM", "202405");
    Open({"B1"});
    frmParts->treeSt->setCurrentItem(Node(frmParts->treeSt, "U2"));
    frmParts->treeStEnter();
    bool bodyOffered = true;
    fake.modal.push_back([&](QWidget* w) {
        auto* d = static_cast<TfrmStrEdit*>(w);
        EXPECT_EQ(d->windowTitle(), "親[U2] に追加");
        bodyOffered = d->chkHontai->isVisibleTo(d) || d->chkHontai->isChecked();
        d->edtFind->setText("P");
        d->actSearch->trigger();
        EXPECT_EQ(List(d->lvMain), (V{"P1|name of P1|F|S", "P2|name of P2|F|S", "P3|name of P3|F|S",
                                      "P4|name of P4|F|S"}));
        d->lvMain->SelectRow(3);
        EXPECT_EQ(d->edtCd->text(), "P4");
        d->numInzu->setText("5");
        d->chkKanri->setChecked(true);
        d->actOk->trigger();
        return d->result();
    });
    frmParts->actTreeAdd->trigger();
    EXPECT_FALSE(bodyOffered);  // below a unit: units and parts only
    EXPECT_FALSE(frmStrEdit->IsCancelled());
    EXPECT_EQ(frmPrg->windowTitle(), "追加構造ﾃﾞｰﾀを読み込んでいます...");
    // Written, shown and selected without reopening; the procurement mark
    // and the category boxes are in the settings file.
    V file = FileLines();
    EXPECT_NE(std::find(file.begin(), file.end(), "U2>P4*5:1:0"), file.end());
    EXPECT_EQ(List(frmParts->lvMain), (V{"P1|Parts|2|name of P1|10", "P4|Parts|5|name of P4|40"}));
    EXPECT_EQ(frmParts->lvMain->SelectedRows(), QList<int>{1});
    EXPECT_EQ(Panel(3), "費用計: 420");
    IniFile ini = AppSettings();
    EXPECT_EQ(ini.ReadString("SupEnt", "YYYYMM", "x"), "");
    EXPECT_EQ(ini.ReadString("PREFORM", "CHKS_BODY_STR", ""), "0");
    EXPECT_EQ(ini.ReadString("PREFORM", "CHKS_UNIT_STR", ""), "1");

    // A unit added below the set's body appears below every node of the body.
    Open({"S1", "B1"});
    frmParts->treeSt->setCurrentItem(Node(frmParts->treeSt, "B1", 1));
    fake.modal.push_back([&](QWidget* w) {
        auto* d = static_cast<TfrmStrEdit*>(w);
        d->chkParts->setChecked(false);
        d->actSearch->trigger();
        EXPECT_EQ(List(d->lvMain), (V{"U1|name of U1|F|S", "U2|name of U2|F|S"}));  // units only
        d->edtCd->setText("U9");  // the code comes from the list only; an unknown code is still written
        d->actOk->trigger();
        return 1;
    });
    frmParts->actTreeAdd->trigger();
    EXPECT_EQ(Tree(frmParts->treeSt), "S1\n B1\n  U1\n  U2\n  U9~\nB1\n U1\n U2\n U9~\n");  // not managed
}

TEST_F(StructureWindow, BodiesAreOfferedBelowASetOnlyAndTheBoxesAreKept) {
    frmStrEdit->SetMode(0);
    frmStrEdit->Prepare("S1", "", 3);
    EXPECT_TRUE(frmStrEdit->chkHontai->isVisibleTo(frmStrEdit));
    EXPECT_TRUE(frmStrEdit->chkHontai->isChecked());
    frmStrEdit->reject();
    frmStrEdit->Prepare("B1", "", 2);
    EXPECT_FALSE(frmStrEdit->chkHontai->isVisibleTo(frmStrEdit));
    frmStrEdit->chkParts->setChecked(false);
    frmStrEdit->reject();
    // The hidden body box was unchecked: the next add below a set starts so.
    frmStrEdit->Prepare("S1", "", 3);
    EXPECT_TRUE(frmStrEdit->chkHontai->isVisibleTo(frmStrEdit));
    EXPECT_FALSE(frmStrEdit->chkHontai->isChecked());
    EXPECT_TRUE(frmStrEdit->chkUnit->isChecked());
    EXPECT_FALSE(frmStrEdit->chkParts->isChecked());
    frmStrEdit->chkUnit->setChecked(false);
    frmStrEdit->SearchItems();
    EXPECT_EQ(fake.Texts("info"), QStringList{"検索する区分(本体/ﾕﾆｯﾄ/ﾊﾟｰﾂ)を選択してください。\n"});
}

TEST_F(StructureWindow, ItemViewFollowsTheSelectionAndHelp) {
    Open({"B1"});
    frmParts->treeStEnter();
    frmParts->actItemView->trigger();
    EXPECT_TRUE(frmMasItem->isVisible());
    frmParts->treeSt->setCurrentItem(Node(frmParts->treeSt, "U1"));
    EXPECT_TRUE(frmMasItem->isVisible());
    // Closing the structure window closes the item view with it.
    frmParts->show();
    frmParts->actClose->trigger();
    EXPECT_FALSE(frmParts->isVisible());
    EXPECT_FALSE(frmMasItem->isVisible());
    frmParts->actHelp->trigger();
    ASSERT_EQ(fake.Texts("shell").size(), 1);
    EXPECT_TRUE(fake.Texts("shell")[0].endsWith("/Help/index.html"));
}

TEST_F(StructureWindow, RefusedSavesKeepTheDialogOpenAndChangeNothing) {
    Open({"B1"});
    frmParts->treeSt->setCurrentItem(Node(frmParts->treeSt, "U1"));
    V before = FileLines();
    struct Case {
        QString code;
        QString kind;     // "info" or "error"
        QString message;  // the whole text, or for errors a part of it
    } cases[] = {
        {"", "info", "品番を入力してください。"},
        {"U1", "info", "構成がループになるので、登録できません。"},   // below itself
        {"B1", "info", "構成がループになるので、登録できません。"},   // below an item under it
        {"S1", "info", "構成がループになるので、登録できません。"},   // holds B1 outside the window
        // A code the Shift-JIS CSV files cannot hold.
        {"P𠮷", "info", "品番にShift-JISで表せない文字「𠮷」(U+20BB7)があります。\nこの文字は保存できません。別の文字で入力してください。"},
        {"P1", "error", "iStruct"},                                   // U1 holds P1 already
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code.toStdString());
        fake.Clear();
        bool stayedOpen = false;
        fake.modal.push_back([&](QWidget* w) {
            auto* d = static_cast<TfrmStrEdit*>(w);
            d->edtCd->setText(c.code);
            d->numInzu->setText("7");
            d->actOk->trigger();
            stayedOpen = d->result() == 0 && d->IsCancelled();
            return 0;
        });
        frmParts->actTreeAdd->trigger();
        EXPECT_TRUE(stayedOpen);
        ASSERT_EQ(fake.Texts(c.kind).size(), 1);
        if (c.kind == "info") EXPECT_EQ(fake.Texts("info")[0], c.message);
        else EXPECT_TRUE(fake.Texts("error")[0].contains(c.message)) << fake.Texts("error")[0].toStdString();
        EXPECT_EQ(FileLines(), before);
        EXPECT_EQ(List(frmParts->lvMain), (V{"P1|Parts|3|name of P1|10", "P2|Parts|1|name of P2|20"}));
    }
    // The duplicate's report names the table and the key.
    EXPECT_TRUE(fake.Texts("error")[0].contains("CD1"));
}

TEST_F(StructureWindow, EditALineFromTheList) {
    Open({"B1"});
    frmParts->lvMain->SelectRow(Row(frmParts->lvMain, "U1"));
    frmParts->lvMainEnter();
    fake.modal.push_back([&](QWidget* w) {
        auto* d = static_cast<TfrmStrEdit*>(w);
        EXPECT_EQ(d->windowTitle(), "親[B1] 子[U1] の編集");
        EXPECT_FALSE(d->pnlT->isVisibleTo(d));
        EXPECT_EQ(d->height(), 185);
        EXPECT_EQ(d->edtCd->text(), "U1");
        EXPECT_EQ(d->numInzu->text(), "2");
        EXPECT_TRUE(d->chkKanri->isChecked());
        d->numInzu->setText("");  // an empty quantity is stored as 0
        d->chkChk->setChecked(true);
        d->actOk->trigger();
        return 1;
    });
    frmParts->actTreeEdit->trigger();
    EXPECT_EQ(FileLines()[1], "B1>U1*0:1:1");
    EXPECT_EQ(List(frmParts->lvMain)[1], "U1|Unit|0|name of U1|100");
    EXPECT_EQ(frmParts->lvMain->SelectedRows(), QList<int>{1});
    EXPECT_EQ(frmParts->lvMain->Model()->Row(1).image, 6);
    EXPECT_EQ(Panel(3), "費用計: 1,320");
    EXPECT_EQ(Tree(frmParts->treeSt), "B1\n U2\n U1\n");  // the edited line now comes last
}

TEST_F(StructureWindow, RemoveALineFromTheTree) {
    Open({"S1", "B1"});
    frmParts->treeSt->setCurrentItem(Node(frmParts->treeSt, "U1"));
    frmParts->treeStEnter();
    // Answered no: nothing happens.
    fake.modal.push_back([](QWidget*) { return 0; });
    frmParts->actTreeDel->trigger();
    EXPECT_EQ(frmMsg->lbl01->text(), "親品番[B1]から");
    EXPECT_EQ(frmMsg->lbl02->text(), "子品番[U1]を");
    EXPECT_EQ(frmMsg->lbl03->text(), "を外しますか？");
    EXPECT_EQ(FileLines().size(), 7u);

    fake.modal.push_back([](QWidget*) {
        frmMsg->SetAnswer(1);
        return 1;
    });
    frmParts->actTreeDel->trigger();
    // Gone wherever the line was shown; the former parent is selected and
    // the unit's parts count no more.
    EXPECT_EQ(Tree(frmParts->treeSt), "S1\n B1\n  U2\nB1\n U2\n");
    EXPECT_EQ(frmParts->treeSt->currentItem(), Node(frmParts->treeSt, "B1"));
    EXPECT_EQ(List(frmParts->lvMain), (V{"P3|Parts|4|name of P3|30", "U2|Unit|1|name of U2|200"}));
    EXPECT_EQ(Panel(3), "費用計: 1,320");
    EXPECT_EQ(FileLines().size(), 6u);
    EXPECT_EQ(AppSettings().ReadString("SupEnt", "YYYYMM", "x"), "");
    EXPECT_EQ(frmParts->IsAncestorOrSelf("P2", "B1"), 0);
}

TEST_F(StructureWindow, SortingAndMarks) {
    Open({"B1"});
    frmParts->lvMainColumnClick(2);  // 員数: texts, so "4" > "2" > "1"
    EXPECT_EQ(frmParts->SortColumn, 3);
    EXPECT_EQ(List(frmParts->lvMain)[0].substr(0, 2), "U2");
    frmParts->lvMainColumnClick(2);
    EXPECT_EQ(frmParts->SortColumn, -3);
    EXPECT_EQ(List(frmParts->lvMain)[0].substr(0, 2), "P3");
    // The sort and its mark survive a refill.
    frmParts->FillList("B1", "");
    EXPECT_EQ(List(frmParts->lvMain)[0].substr(0, 2), "P3");
    EXPECT_TRUE(frmParts->lvMain->Model()->headerData(0, Qt::Horizontal, Qt::DecorationRole).isNull());
    EXPECT_EQ(frmParts->lvMain->Model()->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt() &
                  Qt::AlignRight,
              Qt::AlignRight);
}

TEST_F(StructureWindow, PrintoutsAndParentSearch) {
    AppSettings().WriteString("MASITEM", "ETCHI", "梱包費");
    Open({"B1"});
    frmParts->actPrint->trigger();
    frmParts->actGenkaPrint->trigger();
    ASSERT_EQ(fake.previews.size(), 2u);
    const ReportSnapshot& parts = fake.previews[0];
    EXPECT_EQ(parts.title, "構成表");
    ASSERT_EQ(parts.lines.size(), 7u);
    EXPECT_EQ(parts.lines[0], (V{"■B1", "name of B1", "1", "", "", "F", "S", "1,000"}));
    EXPECT_EQ(parts.lines[5], (V{"└─□U2", "name of U2", "1", "○", "○", "F", "S", "200"}));
    EXPECT_EQ(parts.lines[6][0], "│　└─＊P1");
    const ReportSnapshot& genka = fake.previews[1];
    EXPECT_EQ(genka.genkaTotal, "1,640");
    EXPECT_EQ(genka.genkaHeading, "梱包費");
    EXPECT_EQ(fake.calls.back().extra, "nowait");

    // Parent search of a list row.
    frmParts->lvMain->SelectRow(Row(frmParts->lvMain, "P3"));
    fake.modal.push_back([&](QWidget* w) {
        auto* p = static_cast<TfrmParentSe*>(w);
        EXPECT_EQ(Tree(p->treeSt), "P3\n B1\n  S1\n");
        EXPECT_EQ(List(p->lvMain), V{"B1|Body|name of B1|4"});
        p->actAllDsp->trigger();
        EXPECT_EQ(List(p->lvMain), (V{"B1|Body|name of B1|4", "S1|Set|name of S1|1*"}));
        p->actPrint->trigger();
        return 0;
    });
    frmParts->actParentSearch->trigger();
    EXPECT_EQ(fake.Texts("modal").back(), "TfrmParentSe");
    ASSERT_EQ(fake.previews.size(), 3u);
    EXPECT_EQ(fake.previews[2].title, "親検索");
    EXPECT_EQ(fake.previews[2].lines.size(), 3u);
}

TEST_F(StructureWindow, StoredLoopIsNamedOnceAndTheRestShown) {
    InsertLines(*frmItem->Dao, "U1>B1*1");
    Open({"S1"});
    EXPECT_EQ(fake.Texts("info"), QStringList{"構成がループしています: B1 → U1 → B1"});
    EXPECT_EQ(Tree(frmParts->treeSt), "S1\n B1\n  U1\n   B1\n  U2\n");
    frmParts->actAllDsp->trigger();
    frmParts->actPrint->trigger();
    frmParts->treeSt->setCurrentItem(Node(frmParts->treeSt, "U1"));
    EXPECT_EQ(fake.Texts("info").size(), 1);
    EXPECT_EQ(fake.previews.size(), 1u);
}

TEST_F(StructureWindow, WindowSizesAndColumnWidthsAreKept) {
    frmParts->resize(800, 600);
    frmParts->lvMain->setColumnWidth(3, 222);
    frmParentSe->lvMain->setColumnWidth(2, 155);
    DestroyWindows();
    CreateWindows();
    EXPECT_EQ(frmParts->width(), 800);
    EXPECT_EQ(frmParts->height(), 600);
    EXPECT_EQ(frmParts->lvMain->columnWidth(3), 222);
    EXPECT_EQ(frmParentSe->lvMain->columnWidth(2), 155);
}

TEST_F(StructureWindow, ListsAndPrintoutsOfMillionsOfRowsOnlyWhenAgreed) {
    // W holds a lattice of 10 levels of two units, each holding both units of
    // the next level; the two last units hold 1,000 parts each. The tree has
    // 2,046 nodes, but the rows per path below W are 2,046 + 1,024 x 1,000.
    std::string items = "W:2:0 ", lines;
    for (int lv = 1; lv <= 10; ++lv)
        for (char k : {'A', 'B'}) {
            std::string c = std::string("L") + k + std::to_string(lv);
            items += c + ":1:1 ";
            if (lv == 1) lines += "W>" + c + "*1 ";
            else
                for (char p : {'A', 'B'}) lines += std::string("L") + p + std::to_string(lv - 1) + ">" + c + "*1 ";
            if (lv == 10)
                for (int i = 0; i < 1000; ++i) lines += c + ">X" + std::to_string(i) + "*1 ";
        }
    for (int i = 0; i < 1000; ++i) items += "X" + std::to_string(i) + ":0:1 ";
    InsertItems(*frmItem->Dao, items);
    InsertLines(*frmItem->Dao, lines);
    Open({"W"});
    fake.Clear();

    // Declined (No is the default): the list stays at one level.
    frmParts->actAllDsp->trigger();
    EXPECT_EQ(fake.Texts("question"), QStringList{"一覧は 1,026,046 行になります。\n表示しますか？"});
    EXPECT_FALSE(frmParts->actAllDsp->isChecked());
    EXPECT_EQ(List(frmParts->lvMain), (V{"LA1|Unit|1|name of LA1|1", "LB1|Unit|1|name of LB1|1"}));
    EXPECT_EQ(Panel(4), "");
    frmParts->actPrintExecute();
    frmParts->actGenkaPrintExecute();
    EXPECT_EQ(fake.Texts("question").mid(1), QStringList(2, "印刷は 1,026,047 行になります。\n印刷しますか？"));
    EXPECT_TRUE(fake.previews.empty());

    // A list below the limit is made without a question.
    fake.Clear();
    frmParts->treeSt->setCurrentItem(Node(frmParts->treeSt, "LA10"));
    frmParts->actAllDsp->trigger();
    EXPECT_TRUE(fake.Texts("question").isEmpty());
    EXPECT_EQ(frmParts->lvMain->Model()->Count(), 1000);
}

}  // namespace
