// TfrmInpExp: controls by mode, the enable rules, the browse dialogs, and
// runs through the platform (messages, hourglass, status bar).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include "fakeplatform.h"
#include "fileutil.h"
#include "settings.h"
#include "sjis.h"
#include "testutil.h"
#include "udaoment.h"
#include "ufinpexp.h"

namespace {

struct TableWidgets {
    QCheckBox* chk;
    QCheckBox* head;
    QLabel* label;
    QLineEdit* path;
    QPushButton* browse;
};

std::vector<TableWidgets> Tables(TfrmInpExp& f) {
    return {{f.chkStruct, f.chkStrHead, f.lblSCsv, f.edtSCsv, f.btnSCsv},
            {f.chkItem, f.chkItemHead, f.lblICsv, f.edtICsv, f.btnICsv},
            {f.chkTori, f.chkToriHead, f.lblTCsv, f.edtTCsv, f.btnTCsv}};
}

class InpExpDialog : public ::testing::Test {
protected:
    void SetUp() override { SetSettingsPath(dir.File("Velmo.ini")); }
    void TearDown() override { SetSettingsPath(""); }
    TempDir dir;
    FakePlatform fake;
    TfrmInpExp form;
};

}  // namespace

TEST_F(InpExpDialog, ModesLabelsAndEnableRules) {
    struct {
        int mode;
        const char* caption;
        const char* mdbLabel;
        const char* csvLabel;
        bool delVisible;
    } modes[] = {
        {0, "構成表管理ﾌﾟﾛｸﾞﾗﾑ [ｲﾝﾎﾟｰﾄ]", "ｲﾝﾎﾟｰﾄ先MDBﾌｧｲﾙ", "ｲﾝﾎﾟｰﾄ元CSVﾌｧｲﾙ", true},
        {1, "構成表管理ﾌﾟﾛｸﾞﾗﾑ [ｴｸｽﾎﾟｰﾄ]", "ｴｸｽﾎﾟｰﾄ元MDBﾌｧｲﾙ", "ｴｸｽﾎﾟｰﾄ先CSVﾌｧｲﾙ", false},
    };
    for (const auto& m : modes) {
        // What the last use left behind.
        form.edtMdb->setText("/old.mdb");
        form.chkDel->setChecked(true);
        for (auto& t : Tables(form)) {
            t.chk->setChecked(true);
            t.head->setChecked(true);
            t.path->setText("/old.csv");
        }
        form.stsBar->showMessage("old status");
        form.SetMode(m.mode);
        form.Prepare();
        EXPECT_EQ(form.windowTitle(), QString::fromUtf8(m.caption));
        EXPECT_EQ(form.lblMdb->text(), QString::fromUtf8(m.mdbLabel));
        EXPECT_EQ(!form.chkDel->isHidden(), m.delVisible);
        EXPECT_TRUE(form.chkDel->isChecked());  // kept
        EXPECT_TRUE(form.edtMdb->text().isEmpty());
        EXPECT_TRUE(form.stsBar->currentMessage().isEmpty());
        for (auto& t : Tables(form)) {
            EXPECT_EQ(t.label->text(), QString::fromUtf8(m.csvLabel));
            EXPECT_FALSE(t.chk->isChecked());
            EXPECT_TRUE(t.head->isChecked());  // kept
            EXPECT_TRUE(t.path->text().isEmpty());
            for (QWidget* w : std::initializer_list<QWidget*>{t.head, t.label, t.path, t.browse})
                EXPECT_FALSE(w->isEnabled());
        }
        // A click on a table box enables exactly that table's controls.
        form.chkItem->click();
        for (int i = 0; i < 3; ++i) {
            auto t = Tables(form)[i];
            for (QWidget* w : std::initializer_list<QWidget*>{t.head, t.label, t.path, t.browse})
                EXPECT_EQ(w->isEnabled(), i == 1);
        }
        form.chkItem->click();
        EXPECT_FALSE(form.edtICsv->isEnabled());
    }
}

TEST_F(InpExpDialog, BrowseDialogsByMode) {
    const QString mdb = QString::fromUtf8("MDBﾌｧｲﾙ|*.mdb|全てのﾌｧｲﾙ|*.*");
    const QString csv = QString::fromUtf8("CSVﾌｧｲﾙ|*.csv|全てのﾌｧｲﾙ|*.*");
    struct {
        int mode;
        int table;  // -1: the data file
        const char* kind;
        const char* title;
        QString filter;
        const char* ext;
        bool overwritePrompt;
        bool mustExist;
    } cases[] = {
        {1, -1, "open", "ｴｸｽﾎﾟｰﾄ元MDB", mdb, "mdb", false, false},
        {1, 0, "save", "ｴｸｽﾎﾟｰﾄ先CSV", csv, "csv", true, false},
        {1, 2, "save", "ｴｸｽﾎﾟｰﾄ先CSV", csv, "csv", true, false},
        {0, -1, "save", "ｲﾝﾎﾟｰﾄ先MDB", mdb, "mdb", true, false},
        {0, 1, "open", "ｲﾝﾎﾟｰﾄ元CSV", csv, "csv", false, true},
    };
    for (const auto& c : cases) {
        form.SetMode(c.mode);
        form.Prepare();
        QPushButton* button = c.table < 0 ? form.btnMdb : Tables(form)[c.table].browse;
        QLineEdit* edit = c.table < 0 ? form.edtMdb : Tables(form)[c.table].path;
        if (c.table >= 0) Tables(form)[c.table].chk->click();
        fake.Clear();
        fake.fileNames = {"/data/chosen", ""};  // chosen, then cancelled
        button->click();
        button->click();
        ASSERT_EQ(fake.dialogs.size(), 2u) << c.title;
        EXPECT_EQ(fake.calls[0].kind, c.kind) << c.title;
        const auto& d = fake.dialogs[0];
        EXPECT_EQ(d.title, QString::fromUtf8(c.title));
        EXPECT_EQ(d.filter, c.filter);
        EXPECT_EQ(d.defaultExt, c.ext);
        EXPECT_EQ(d.overwritePrompt, c.overwritePrompt) << c.title;
        EXPECT_EQ(d.mustExist, c.mustExist) << c.title;
        EXPECT_EQ(edit->text(), "/data/chosen") << "a cancelled dialog leaves the path";
    }
}

TEST_F(InpExpDialog, RunsShowTheirMessagesAndLeaveTheDialogOpen) {
    std::string mdb = dir.File("data.mdb"), s = dir.File("s.csv"), t = dir.File("t.csv");
    WriteText(s, ToSjis("親品番,子品番,員数,管理対象フラグ,チェックフラグ\r\nソ表,能,2,1,0\r\n"));

    form.SetMode(0);
    form.Prepare();
    form.edtMdb->setText(QString::fromStdString(mdb));
    form.chkStruct->click();
    form.chkStrHead->setChecked(true);
    form.edtSCsv->setText(QString::fromStdString(s));
    form.btnOK->click();
    EXPECT_EQ(fake.Texts("info"), QStringList{QString::fromUtf8("インポートが終了しました。\n")});
    EXPECT_EQ(fake.waitDepth, 0);
    EXPECT_TRUE(form.stsBar->currentMessage().isEmpty());

    // Export of that file; the empty partner table is reported and skipped.
    fake.Clear();
    form.SetMode(1);
    form.Prepare();
    form.edtMdb->setText(QString::fromStdString(mdb));
    form.chkStruct->click();
    form.chkTori->click();
    form.edtSCsv->setText(QString::fromStdString(dir.File("out.csv")));
    form.edtTCsv->setText(QString::fromStdString(t));
    form.actOK->trigger();
    EXPECT_EQ(fake.Texts("info"),
              (QStringList{QString::fromUtf8("ｴｸｽﾎﾟｰﾄの対象になる取引先ﾃﾞｰﾀが1件もありません。\n"
                                             "取引先ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄﾌｧｲﾙは作られません。\n"),
                           QString::fromUtf8("エクスポートが終了しました。\n")}));
    EXPECT_EQ(ReadText(dir.File("out.csv")), ToSjis("親品番,子品番,員数,管理対象フラグ,チェックフラグ\r\nソ表,能,2,1,0\r\n"));
    EXPECT_EQ(fake.waitDepth, 0);

    // A check that fails, and a data file that cannot be opened: the message
    // or the error report, and the hourglass is gone again.
    fake.Clear();
    form.edtSCsv->clear();
    form.btnOK->click();
    EXPECT_EQ(fake.Texts("info"), QStringList{QString::fromUtf8("構造ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙを指定してください。\n")});
    fake.Clear();
    WriteText(dir.File("notes.mdb"), "not a data file");
    form.edtMdb->setText(QString::fromStdString(dir.File("notes.mdb")));
    form.edtSCsv->setText(QString::fromStdString(dir.File("out2.csv")));
    form.btnOK->click();
    EXPECT_EQ(fake.Texts("error").size(), 1);
    EXPECT_TRUE(fake.Texts("info").isEmpty());
    EXPECT_EQ(fake.waitDepth, 0);
    EXPECT_FALSE(FileExists(dir.File("out2.csv")));
}
