// The environment settings dialog offscreen: what it loads, how its buttons
// drive the lists, and that only OK writes the settings file.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "fakeplatform.h"
#include "settings.h"
#include "sjis.h"
#include "testutil.h"
#include "ufset.h"

namespace {

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSettingsPath(ini.Path());
        WriteText(ini.Path(), ToSjis("[TANI]\r\nCNT=3\r\n1=個\r\n2=\r\n3=箱\r\n[LINEN]\r\nCNT=1\r\n1=L1\r\n"
                                     "[MASITEM]\r\nYOBI1=色\r\nYOBI2=\r\n"));
    }
    void TearDown() override { SetSettingsPath(""); }
    static QStringList Items(QListWidget* l) {
        QStringList out;
        for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
        return out;
    }

    TempDir dir;
    IniFile ini{dir.File("Velmo.ini")};
    FakePlatform fake;
    TfrmSet dlg;
};

}  // namespace

TEST_F(SettingsDialogTest, LoadShowsListsAndCaptions) {
    dlg.pgcMain->setCurrentIndex(3);
    dlg.LoadSettings();
    EXPECT_EQ(dlg.pgcMain->currentIndex(), 0);
    EXPECT_EQ(dlg.windowTitle(), "構成表管理ﾌﾟﾛｸﾞﾗﾑ [環境設定]");
    const auto& tani = dlg.Pages[0];
    EXPECT_EQ(Items(tani.lst), (QStringList{"個", "箱"}));
    EXPECT_EQ(tani.lst->currentRow(), 0);
    EXPECT_EQ(tani.edt->text(), "個");
    EXPECT_EQ(dlg.Pages[1].lst->count(), 0);
    EXPECT_EQ(dlg.Pages[1].edt->text(), "");
    EXPECT_EQ(Items(dlg.Pages[3].lst), QStringList{"L1"});
    EXPECT_EQ(dlg.edtEtchi->text(), "(その他費用)");
    EXPECT_EQ(dlg.edtYobi1->text(), "色");
    EXPECT_EQ(dlg.edtYobi2->text(), "");
    EXPECT_EQ(dlg.edtYobi3->text(), "(予備3)");
}

TEST_F(SettingsDialogTest, ButtonsDriveTheListAndOkSaves) {
    dlg.LoadSettings();
    const auto& p = dlg.Pages[0];
    p.edt->setText(" ｹｰｽ ");
    p.btnAdd->click();
    EXPECT_EQ(Items(p.lst), (QStringList{"個", "箱", "ｹｰｽ"}));
    EXPECT_EQ(p.lst->currentRow(), 2);
    p.btnUp->click();
    EXPECT_EQ(Items(p.lst), (QStringList{"個", "ｹｰｽ", "箱"}));
    EXPECT_EQ(p.lst->currentRow(), 1);
    p.edt->setText("個");
    p.btnEdit->click();  // the text of another entry: refused
    EXPECT_EQ(Items(p.lst), (QStringList{"個", "ｹｰｽ", "箱"}));
    p.lst->setCurrentRow(2);  // a click on an entry copies it into the edit box
    EXPECT_EQ(p.edt->text(), "箱");
    p.edt->setText("本");
    p.btnEdit->click();
    EXPECT_EQ(Items(p.lst), (QStringList{"個", "ｹｰｽ", "本"}));
    p.btnDel->click();
    EXPECT_EQ(Items(p.lst), (QStringList{"個", "ｹｰｽ"}));
    EXPECT_EQ(p.lst->currentRow(), 1);
    EXPECT_EQ(p.edt->text(), "ｹｰｽ");
    p.btnDown->click();  // already the last
    EXPECT_EQ(Items(p.lst), (QStringList{"個", "ｹｰｽ"}));
    dlg.Pages[3].btnDel->click();
    dlg.edtEtchi->setText(" 送料 ");
    dlg.edtYobi3->clear();

    // Cancel writes nothing.
    std::string before = ReadText(ini.Path());
    dlg.btnCancel->click();
    EXPECT_EQ(ReadText(ini.Path()), before);

    dlg.btnOK->click();
    EXPECT_TRUE(fake.calls.empty());
    EXPECT_EQ(ini.ReadString("TANI", "CNT", ""), "2");
    EXPECT_EQ(ini.ReadString("TANI", "1", ""), "個");
    EXPECT_EQ(ini.ReadString("TANI", "2", ""), "ｹｰｽ");
    EXPECT_EQ(ini.ReadString("TANI", "3", ""), "箱");  // above the count, left in place
    EXPECT_EQ(ini.ReadString("LINEN", "CNT", ""), "0");
    EXPECT_EQ(ini.ReadString("SOUKO", "CNT", ""), "0");
    EXPECT_EQ(ini.ReadString("MASITEM", "ETCHI", ""), "送料");
    EXPECT_TRUE(ini.KeyExists("MASITEM", "YOBI3"));
    EXPECT_EQ(ini.ReadString("MASITEM", "YOBI3", "x"), "");

    // Each opening reloads from the file.
    dlg.LoadSettings();
    EXPECT_EQ(Items(dlg.Pages[0].lst), (QStringList{"個", "ｹｰｽ"}));
}

TEST_F(SettingsDialogTest, UnwritableSettingsAreReportedAndTheDialogStays) {
    dlg.LoadSettings();
    dlg.Pages[0].btnDel->click();
    {
        FileSizeLimit full(64);  // the settings file cannot be rewritten, as on a full disk
        dlg.btnOK->click();
    }
    EXPECT_EQ(fake.Texts("error").size(), 1);
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(ini.ReadString("TANI", "CNT", ""), "3");
}
