// The main window driving the real windows it opens, as a user moves
// between them: item dialog, structure window, partner list, CSV dialog.
#include <QPushButton>
#include <QTreeWidget>

#include "mainwindow_fixture.h"
#include "ufiment.h"
#include "ufinpexp.h"
#include "ufparts.h"
#include "uftori.h"

namespace {
QStringList TreeTexts(QTreeWidget* tree) {
    QStringList out;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* n, int depth) {
        out << QString(depth * 2, ' ') + n->text(0);
        for (int i = 0; i < n->childCount(); ++i) walk(n->child(i), depth + 1);
    };
    for (int i = 0; i < tree->topLevelItemCount(); ++i) walk(tree->topLevelItem(i), 0);
    return out;
}
}  // namespace

using Integration = MainWindowTest;

TEST_F(Integration, AddAndEditAnItemThroughTheItemDialog) {
    std::string path = DataFile("a.mdb", {{"B01", 2, "本体"}});
    Start();
    OpenFile(path);
    // ｱｲﾃﾑ追加: the dialog opens empty in add mode; the user types and presses OK.
    fake.modal.push_back([](QWidget* w) {
        auto* d = qobject_cast<TfrmMasItem*>(w);
        EXPECT_NE(d, nullptr);
        if (!d) return 0;
        EXPECT_EQ(d->edtCd->text(), "");
        d->edtCd->setText("P'01");
        d->edtName->setText("ﾎﾞﾙﾄ 表示");
        d->rgKBN->SetItemIndex(3);  // parts (set, body, unit, parts)
        d->btnOK->click();
        return d->result();
    });
    frmItem->ItemAddAct->trigger();
    EXPECT_TRUE(Errors().isEmpty()) << Errors().join("\n").toStdString();
    ASSERT_NE(RowOf("P'01"), -1);
    EXPECT_EQ(frmItem->lvMain->SelectedRows(), QList<int>{RowOf("P'01")});
    EXPECT_EQ(List()->Row(RowOf("P'01")).texts.value(1), "ﾎﾞﾙﾄ 表示");

    // ｱｲﾃﾑ編集 of that item: the dialog shows it; a new name is saved and the
    // list is searched again with the item selected.
    fake.modal.push_back([](QWidget* w) {
        auto* d = qobject_cast<TfrmMasItem*>(w);
        if (!d) return 0;
        EXPECT_EQ(d->edtCd->text(), "P'01");
        d->edtName->setText("ﾎﾞﾙﾄ M6");
        d->btnOK->click();
        return d->result();
    });
    frmItem->ItemEditAct->trigger();
    ASSERT_NE(RowOf("P'01"), -1);
    EXPECT_EQ(List()->Row(RowOf("P'01")).texts.value(1), "ﾎﾞﾙﾄ M6");
    EXPECT_EQ(frmItem->lvMain->SelectedRows(), QList<int>{RowOf("P'01")});

    // Cancelling leaves the list as it was.
    fake.modal.push_back([](QWidget* w) {
        auto* d = qobject_cast<TfrmMasItem*>(w);
        if (d) d->btnCancel->click();
        return 0;
    });
    frmItem->ItemEditAct->trigger();
    EXPECT_EQ(List()->Row(RowOf("P'01")).texts.value(1), "ﾎﾞﾙﾄ M6");
}

TEST_F(Integration, StructureWindowOpensOnTheSelectedBodies) {
    std::string path = DataFile("s.mdb", {{"B01", 2, "本体1"}, {"B02", 2, "本体2"}, {"U01", 1, "ﾕﾆｯﾄ"}, {"P01", 0, "部品"}});
    {
        clsDao dao;
        dao.OpenDatabase(path);
        dao.Execute("INSERT INTO iStruct VALUES ('B01', 'U01', 2, 1, 0)");
        dao.Execute("INSERT INTO iStruct VALUES ('U01', 'P01', 3, 1, 0)");
        dao.Execute("INSERT INTO iStruct VALUES ('B02', 'P01', 1, 1, 0)");
        dao.Close();
    }
    Start();
    OpenFile(path);
    Search();
    Select({"B01", "B02"});
    ASSERT_TRUE(frmItem->PartsFormCallAct->isEnabled());
    QStringList tree;
    fake.modal.push_back([&](QWidget* w) {
        auto* p = qobject_cast<TfrmParts*>(w);
        if (p) tree = TreeTexts(p->treeSt);
        return 0;
    });
    frmItem->PartsFormCallAct->trigger();
    EXPECT_TRUE(Errors().isEmpty()) << Errors().join("\n").toStdString();
    // Parts are never nodes of the tree.
    EXPECT_EQ(tree, (QStringList{"B01", "  U01", "B02"}));
}

TEST_F(Integration, PartnerListSearchesTheOpenFile) {
    std::string path = DataFile("t.mdb", {});
    {
        clsDao dao;
        dao.OpenDatabase(path);
        dao.Execute("INSERT INTO MasTori (KBN, CD, NAME, RNAME) VALUES (1, 'S1', '仕入先一', '仕一')");
        dao.Close();
    }
    Start();
    OpenFile(path);
    int rows = -1;
    fake.modal.push_back([&](QWidget* w) {
        auto* t = qobject_cast<TfrmTori*>(w);
        if (!t) return 0;
        t->ItemListFindAct->trigger();
        rows = t->lvMain->Model()->Count();
        return 0;
    });
    frmItem->TMastaSetAct->trigger();
    EXPECT_EQ(rows, 1);
}

TEST_F(Integration, ImportClosesAndReopensTheOpenFile) {
    std::string path = DataFile("i.mdb", {{"B01", 2, "本体"}});
    std::string csv = dir.File("items.csv");
    // An item line in the export layout: 27 values.
    std::string line = "P9,0,ﾈｼﾞ";
    for (int i = 3; i < 27; ++i) line += ",";
    WriteText(csv, line + "\r\n");
    Start();
    OpenFile(path);
    bool closedDuringDialog = false;
    fake.modal.push_back([&](QWidget* w) {
        auto* d = qobject_cast<TfrmInpExp*>(w);
        if (!d) return 0;
        closedDuringDialog = frmItem->Dao->GetPath().empty();
        d->edtMdb->setText(QString::fromStdString(path));
        d->chkItem->setChecked(true);
        d->edtICsv->setText(QString::fromStdString(csv));
        d->actOK->trigger();
        return 1;
    });
    frmItem->ImportFileAct->trigger();
    EXPECT_TRUE(closedDuringDialog);
    EXPECT_EQ(OpenPath(), path);
    EXPECT_TRUE(Errors().isEmpty()) << Errors().join("\n").toStdString();
    Search();
    EXPECT_NE(RowOf("P9"), -1);
}
