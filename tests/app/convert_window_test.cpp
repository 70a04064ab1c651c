// Velmo1_2's window driven as a user does, offscreen through the platform
// fake; then Velmo opens what it converted.
#include <QTreeWidget>

#include "convmain.h"
#include "dataconvert.h"
#include "fileutil.h"
#include "mainwindow_fixture.h"
#include "ufparts.h"
#include "v1fixture.h"

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

}  // namespace

class ConvertWindowTest : public MainWindowTest {
protected:
    std::string Old(const std::string& name) {
        std::string p = dir.File(name);
        MakeVersion1File(p, {{"B01", "U01", 2, "1", "0"}, {"U01", "P01", 4, "0", "1"}}, {"B01", "U01", "P01"});
        return p;
    }
    TfrmMain w;
};

TEST_F(ConvertWindowTest, TheWindowAsItIsDesigned) {
    w.show();
    EXPECT_EQ(w.windowTitle(), Q("Velmoﾃﾞｰﾀ変換"));
    EXPECT_EQ(w.size(), QSize(332, 160));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.Label1->text(), Q("Velmo Version1.x のﾃﾞｰﾀを Version2.x に変換します。"));
    EXPECT_EQ(w.Label2->text(), Q("変換元ファイル名"));
    EXPECT_EQ(w.Label3->text(), Q("変換先ファイル名"));
    EXPECT_EQ(w.btnRefFrom->text(), Q("参照"));
    EXPECT_EQ(w.btnRefTo->text(), Q("参照"));
    EXPECT_EQ(w.btnOK->text(), Q("実行"));
    EXPECT_EQ(w.btnClose->text(), Q("閉じる"));
    // Every control lies inside the client area.
    for (QWidget* c : std::initializer_list<QWidget*>{w.Label1, w.Label2, w.edtFrom, w.btnRefFrom, w.Label3, w.edtTo,
                                                      w.btnRefTo, w.btnOK, w.btnClose})
        EXPECT_TRUE(w.rect().contains(c->geometry())) << c->objectName().toStdString();
    w.btnClose->click();
    EXPECT_FALSE(w.isVisible());
}

TEST_F(ConvertWindowTest, ReferenceButtonsFillTheNamesFromTheDialogs) {
    fake.fileNames = {"/data/old.mdb", "/data/new.mdb", "", ""};
    w.btnRefFrom->click();
    w.btnRefTo->click();
    EXPECT_EQ(w.edtFrom->text(), "/data/old.mdb");
    EXPECT_EQ(w.edtTo->text(), "/data/new.mdb");
    // Cancelled dialogs leave the names as they are.
    w.btnRefFrom->click();
    w.btnRefTo->click();
    EXPECT_EQ(w.edtFrom->text(), "/data/old.mdb");
    EXPECT_EQ(w.edtTo->text(), "/data/new.mdb");

    ASSERT_EQ(fake.dialogs.size(), 4u);
    const FileDialogOptions& open = fake.dialogs[0];
    EXPECT_EQ(fake.calls[0].kind, "open");
    EXPECT_EQ(open.title, Q("ﾌｧｲﾙを開く"));
    EXPECT_EQ(open.filter, Q("MDBﾌｧｲﾙ|*.mdb|全てのﾌｧｲﾙ|*.*"));
    EXPECT_TRUE(open.mustExist);
    const FileDialogOptions& save = fake.dialogs[1];
    EXPECT_EQ(fake.calls[1].kind, "save");
    EXPECT_EQ(save.title, Q("名前をつけて保存"));
    EXPECT_EQ(save.filter, Q("MDBﾌｧｲﾙ|*.mdb|全てのﾌｧｲﾙ|*.*"));
    EXPECT_EQ(save.defaultExt, "mdb");
    EXPECT_TRUE(save.overwritePrompt);
}

TEST_F(ConvertWindowTest, RunsOfExecuteShowTheirMessage) {
    std::string a = Old("a.mdb"), b = Old("b.mdb");
    auto run = [&](const std::string& from, const std::string& to) {
        w.edtFrom->setText(QString::fromStdString(from));
        w.edtTo->setText(QString::fromStdString(to));
        fake.Clear();
        w.btnOK->click();
        EXPECT_EQ(fake.waitDepth, 0);
        return Infos();
    };
    EXPECT_EQ(run("", dir.File("x.mdb")), QStringList{Q(kMsgConvertNoSource)});
    EXPECT_EQ(run(a, ""), QStringList{Q(kMsgConvertNoTarget)});
    // Any number of files before 閉じる.
    EXPECT_EQ(run(a, dir.File("a2.mdb")), QStringList{Q(kMsgConvertDone)});
    EXPECT_EQ(run(b, dir.File("b2.mdb")), QStringList{Q(kMsgConvertDone)});
    EXPECT_EQ(run(dir.File("a2.mdb"), dir.File("x.mdb")), QStringList{Q(kMsgConvertAlreadyCurrent)});
    EXPECT_FALSE(FileExists(dir.File("x.mdb")));
    // A refusal is one message, nothing besides.
    QStringList refused = run(a, a);
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused[0].contains(Q("同じﾌｧｲﾙ"))) << refused[0].toStdString();
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(ConvertWindowTest, VelmoOpensTheConvertedFileAndShowsItsStructure) {
    std::string old = Old("old.mdb");
    Start();
    OpenFile(old);
    // The old file is refused with the message that names the tool.
    ASSERT_EQ(Infos().size(), 1);
    EXPECT_TRUE(Infos()[0].contains("Velmo1_2")) << Infos()[0].toStdString();
    EXPECT_EQ(OpenPath(), "");

    w.edtFrom->setText(QString::fromStdString(old));
    w.edtTo->setText(QString::fromStdString(dir.File("new.mdb")));
    fake.Clear();
    w.btnOK->click();
    ASSERT_EQ(Infos(), QStringList{Q(kMsgConvertDone)});

    fake.Clear();
    OpenFile(dir.File("new.mdb"));
    EXPECT_TRUE(Infos().isEmpty()) << Infos().join("\n").toStdString();
    EXPECT_EQ(OpenPath(), dir.File("new.mdb"));
    Search();
    EXPECT_EQ(RowOf("B01") >= 0 && RowOf("U01") >= 0 && RowOf("P01") >= 0, true) << Column(0).join(",").toStdString();
    Select({"B01"});
    QStringList tree, list;
    fake.modal.push_back([&](QWidget* wnd) {
        auto* p = qobject_cast<TfrmParts*>(wnd);
        if (!p) return 0;
        // The tree with depth, a "~" on a dimmed line (managed flag 0); the
        // list of the parent: code, kind and quantity.
        for (QTreeWidgetItemIterator it(p->treeSt); *it; ++it) {
            int depth = 0;
            for (QTreeWidgetItem* q = (*it)->parent(); q; q = q->parent()) ++depth;
            tree << QString(depth, ' ') + (*it)->text(0) + ((*it)->foreground(0).color() == QColor(Qt::gray) ? "~" : "");
        }
        for (int i = 0; i < p->lvMain->Model()->Count(); ++i)
            list << QStringList(p->lvMain->Model()->Row(i).texts.mid(0, 3)).join('|');
        return 0;
    });
    frmItem->PartsFormCallAct->trigger();
    EXPECT_TRUE(Errors().isEmpty()) << Errors().join("\n").toStdString();
    EXPECT_EQ(tree, (QStringList{"B01", " U01", "  P01~"}));
    EXPECT_EQ(list, QStringList{"U01|Body|2"});
}
