// The partner dialog and the partner list offscreen, driven through the
// platform fake: modes, composite fields, every save path, the in-use
// rules, sorting, printing and the window's settings keys.
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>
#include <QMainWindow>
#include <gtest/gtest.h>

#include "listmodel.h"
#include "masterfixture.h"
#include "masterwidgets.h"
#include "ucommon.h"
#include "ufmastori.h"
#include "ufprint.h"
#include "uftori.h"
#include "winutil.h"

namespace {

class PartnerWindowsTest : public MasterWindowTest {
protected:
    void SetUp() override {
        MasterWindowTest::SetUp();
        Exec("INSERT INTO MasTori (KBN, CD, NAME, RNAME, YUBIN, TEL, FAX, ADRS1) VALUES "
             "(1, 'S01', '山田商店', '山田', '123-4567', '03-1234-5678', '--', '東京都')");
        Exec("INSERT INTO MasTori (KBN, CD, NAME, RNAME) VALUES (2, 'S01', '山田外注', '山外')");
        Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (1, 'A02', '青木工業')");
        Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (0, 'Z09', '自社')");
        Exec("INSERT INTO MasItem (CD, TEHAIKBN, TEHAICD) VALUES ('I01', 2, 'S01')");
        frmPrint = new TfrmPrint();
        frmMasTori = new TfrmMasTori(frmItem);
        frmTori = new TfrmTori(frmItem);
    }
    void TearDown() override {
        delete frmTori;
        delete frmMasTori;
        delete frmPrint;
        frmTori = nullptr;
        frmMasTori = nullptr;
        frmPrint = nullptr;
        MasterWindowTest::TearDown();
    }
    std::vector<std::string> All() {
        return Rows("SELECT * FROM MasTori ORDER BY KBN, CD", {"KBN", "CD", "NAME", "YUBIN", "TEL", "FAX"});
    }
    // The list as "caption/code" lines, and the selected lines.
    QStringList Lines() const {
        QStringList out;
        const TListModel* m = frmTori->lvMain->Model();
        for (int i = 0; i < m->Count(); ++i) out << m->Row(i).texts[0] + "/" + m->Row(i).texts[1];
        return out;
    }
    QStringList Selected() const {
        QStringList out;
        for (int r : frmTori->lvMain->SelectedRows())
            out << frmTori->lvMain->Model()->Row(r).texts[0] + "/" + frmTori->lvMain->Model()->Row(r).texts[1];
        return out;
    }
    void Search(const QString& find) {
        frmTori->edtFind->setText(find);
        frmTori->ItemListFindAct->trigger();
    }
    void Select(const QStringList& lines) {
        frmTori->lvMain->clearSelection();
        for (int i = 0; i < Lines().size(); ++i)
            if (lines.contains(Lines()[i])) frmTori->lvMain->SelectRow(i, false);
    }
    // What the user does in the partner dialog when the list shows it.
    void OnDialog(std::function<void(TfrmMasTori*)> act) {
        fake.modal.push_back([act](QWidget* w) {
            act(static_cast<TfrmMasTori*>(w));
            return 0;
        });
    }
    static void ClickRadio(TRadioGroup* g, int index) { g->findChildren<QRadioButton*>()[index]->click(); }
};

}  // namespace

TEST_F(PartnerWindowsTest, DialogModesAndCompositeFields) {
    struct Case {
        int mode;
        const char* caption;
        bool codeEnabled;
        const char* message;
    };
    const Case cases[] = {{0, "取引先 [追加]", true, ""},
                          {1, "取引先 [編集]", false, "この取引先は品目マスタに使用されています"},
                          {2, "取引先 [編集]", true, ""}};
    TfrmMasTori* d = frmMasTori;
    for (const auto& c : cases) {
        d->SetMode(c.mode);
        d->Prepare("S01", 1);
        EXPECT_EQ(d->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(d->edtCd->isEnabled(), c.codeEnabled);
        EXPECT_EQ(d->rgKBN->isEnabled(), c.codeEnabled);
        EXPECT_EQ(d->lblKou->text(), QString::fromUtf8(c.message));
    }
    EXPECT_EQ(d->numYubin1->text() + "|" + d->numYubin2->text(), "123|4567");
    EXPECT_EQ(d->numTel1->text() + "|" + d->numTel2->text() + "|" + d->numTel3->text(), "03|1234|5678");
    EXPECT_EQ(d->numFax1->text() + d->numFax2->text() + d->numFax3->text(), "");
    EXPECT_EQ(d->GetKbn(), 1);
    d->Prepare("S01", 2);
    EXPECT_EQ(d->rgKBN->ItemIndex(), 1);
    EXPECT_EQ(d->edtName->text(), "山田外注");
    EXPECT_EQ(d->numYubin1->text(), "");
    // The number boxes take typed digits only.
    d->numTel1->clear();
    Type(d->numTel1, "0a-3ー");
    EXPECT_EQ(d->numTel1->text(), "03");
    // A stored number longer than its box is shown whole, not cut.
    Exec("UPDATE MasTori SET TEL = '0312345678' WHERE KBN = 2");
    d->Prepare("S01", 2);
    EXPECT_EQ(d->numTel1->text(), "0312345678");
}

TEST_F(PartnerWindowsTest, SearchListsSortsAndSelects) {
    EXPECT_EQ(frmTori->windowTitle(), "構成表管理ﾌﾟﾛｸﾞﾗﾑ [取引先設定]");
    frmTori->ClearList();
    EXPECT_FALSE(frmTori->PrintAct->isEnabled());
    Search("");
    // Column 1 ascending by the Shift-JIS bytes of the caption.
    EXPECT_EQ(Lines(), (QStringList{"仕入先/S01", "仕入先/A02", "自達/Z09", "払出先/S01"}));
    EXPECT_EQ(frmTori->sbarPanel1->text(), "該当件数: 4件　　");
    EXPECT_TRUE(frmTori->PrintAct->isEnabled());
    const TListModel* m = frmTori->lvMain->Model();
    EXPECT_EQ(m->columnCount(), 7);
    EXPECT_EQ(m->Row(0).texts, (QStringList{"仕入先", "S01", "山田商店", "山田", "03-1234-5678", "--", "東京都"}));
    EXPECT_EQ(m->Row(0).image, 6);
    EXPECT_EQ(m->Row(2).image, 7);
    for (int c = 0; c < 7; ++c) EXPECT_EQ(frmTori->lvMain->isColumnHidden(c), c >= 4) << c;
    EXPECT_FALSE(frmTori->ItemEditAct->isEnabled());
    EXPECT_FALSE(frmTori->ItemDelAct->isEnabled());

    // Two clicks on コード sort it descending; the selection stays on its line.
    Select({"自達/Z09"});
    EXPECT_TRUE(frmTori->ItemEditAct->isEnabled());
    frmTori->lvMain->header()->sectionClicked(1);
    frmTori->lvMain->header()->sectionClicked(1);
    EXPECT_EQ(frmTori->SortColumn, -2);
    EXPECT_EQ(Lines(), (QStringList{"自達/Z09", "仕入先/S01", "払出先/S01", "仕入先/A02"}));
    EXPECT_EQ(Selected(), QStringList{"自達/Z09"});
    Select({"自達/Z09", "仕入先/A02"});
    EXPECT_FALSE(frmTori->ItemEditAct->isEnabled());
    EXPECT_FALSE(frmTori->ItemCopyAddAct->isEnabled());
    EXPECT_TRUE(frmTori->ItemDelAct->isEnabled());

    // Prefix search on the name, taken literally, keeps the sort order.
    Search("山田");
    EXPECT_EQ(Lines(), (QStringList{"仕入先/S01", "払出先/S01"}));
    Search("山*");
    EXPECT_EQ(Lines(), QStringList{});
    EXPECT_EQ(frmTori->sbarPanel1->text(), "該当件数: 0件　　");
    EXPECT_FALSE(frmTori->PrintAct->isEnabled());
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(PartnerWindowsTest, EditChoosesTheModeByTheInUseCheck) {
    Search("");
    // S01 as an issuing destination is used by item I01: mode 1.
    Select({"払出先/S01"});
    OnDialog([](TfrmMasTori* d) {
        EXPECT_FALSE(d->edtCd->isEnabled());
        d->edtName->setText("山田外注(改)");
        d->btnOK->click();
    });
    frmTori->ItemEditAct->trigger();
    EXPECT_EQ(All()[3], "2|S01|山田外注(改)|-|--|--");
    EXPECT_EQ(Selected(), QStringList{"払出先/S01"});

    // S01 as a supplier is not used: mode 2 may change code and category.
    Select({"仕入先/S01"});
    OnDialog([](TfrmMasTori* d) {
        EXPECT_TRUE(d->edtCd->isEnabled());
        d->edtCd->setText("S05");
        d->btnOK->click();
    });
    frmTori->ItemEditAct->trigger();
    EXPECT_EQ(All(), (std::vector<std::string>{"0|Z09|自社|||", "1|A02|青木工業|||", "1|S05|山田商店|123-4567|03-1234-5678|--",
                                               "2|S01|山田外注(改)|-|--|--"}));
    EXPECT_EQ(Selected(), QStringList{"仕入先/S05"});

    // Nothing selected, or two: a message and no dialog.
    Select({});
    frmTori->ItemEditAct->setEnabled(true);
    frmTori->ItemEditAct->trigger();
    Select({"仕入先/S05", "仕入先/A02"});
    frmTori->ItemCopyAddAct->setEnabled(true);
    frmTori->ItemCopyAddAct->trigger();
    EXPECT_EQ(Infos(), (QStringList{"編集する項目を選んでください。\n", "一度に指定できるｺﾋﾟｰ元項目はひとつのみです。\n"}));
}

TEST_F(PartnerWindowsTest, AddAndCopyAddSavePathsThroughTheDialog) {
    Search("");
    // Add the same code as the other category: no question.
    OnDialog([](TfrmMasTori* d) {
        d->edtCd->setText("A02");
        ClickRadio(d->rgKBN, 1);
        d->edtName->setText("青木外注");
        d->numYubin1->setText("100");
        d->numYubin2->setText("0001");
        d->btnOK->click();
    });
    frmTori->ItemAddAct->trigger();
    EXPECT_TRUE(fake.Texts("question").isEmpty());
    EXPECT_EQ(Selected(), QStringList{"払出先/A02"});
    EXPECT_EQ(frmMasTori->GetKbn(), 2);

    // Copy-add onto itself asks; No keeps the dialog open and the partner.
    for (bool yes : {false, true}) {
        fake.answers.push_back(yes);
        Select({"払出先/A02"});
        OnDialog([](TfrmMasTori* d) {
            d->edtName->setText("上書き");
            d->btnOK->click();
        });
        frmTori->ItemCopyAddAct->trigger();
        EXPECT_EQ(frmMasTori->IsCancelled(), !yes);
        EXPECT_EQ(All()[3], yes ? "2|A02|上書き|100-0001|--|--" : "2|A02|青木外注|100-0001|--|--");
    }
    EXPECT_EQ(fake.Texts("question").size(), 2);

    // Empty code and an over-long telephone: a message, the dialog stays
    // with what was entered, nothing written.
    const auto before = All();
    OnDialog([](TfrmMasTori* d) {
        d->edtName->setText("名前だけ");
        d->btnOK->click();
        EXPECT_TRUE(d->IsCancelled());
        d->edtCd->setText("T1");
        d->numTel1->setText("0123");
        d->numTel2->setText("4567");
        d->numTel3->setText("89012");
        d->btnOK->click();
        EXPECT_TRUE(d->IsCancelled());
        EXPECT_EQ(d->numTel3->text(), "89012");
        d->btnCancel->click();
    });
    frmTori->ItemAddAct->trigger();
    EXPECT_EQ(Infos(), (QStringList{"コードを入力してください。",
                                    "電話番号はハイフンを含めて13文字以内で入力してください。"}));
    EXPECT_EQ(All(), before);
}

TEST_F(PartnerWindowsTest, ModeTwoRefusedWriteKeepsThePartner) {
    Search("");
    dao.GetDatabase()
        ->Prepare("CREATE TRIGGER refuse BEFORE INSERT ON MasTori WHEN NEW.CD = 'BAD' "
                  "BEGIN SELECT RAISE(ABORT, 'refused'); END")
        ->Step();
    Select({"仕入先/A02"});
    OnDialog([](TfrmMasTori* d) {
        d->edtCd->setText("BAD");
        d->btnOK->click();
        EXPECT_TRUE(d->IsCancelled());
        EXPECT_EQ(d->edtCd->text(), "BAD");
    });
    frmTori->ItemEditAct->trigger();
    EXPECT_EQ(Errors().size(), 1);
    EXPECT_EQ(All()[1], "1|A02|青木工業|||");
    EXPECT_EQ(Lines().size(), 4);
}

TEST_F(PartnerWindowsTest, DeleteChecksEveryPartnerFirst) {
    Search("");
    // One of three is used by an item: none is deleted.
    Select({"仕入先/A02", "払出先/S01", "自達/Z09"});
    frmTori->ItemDelAct->trigger();
    EXPECT_EQ(Infos(), QStringList{"品目マスタに使用されています。削除できません。\n"});
    EXPECT_TRUE(fake.Texts("question").isEmpty());
    EXPECT_EQ(All().size(), 4u);

    // Answered No: nothing; Yes: both gone and the list searched again. The
    // 自達 line stands for category 2, so its KBN 0 row is not touched.
    Select({"仕入先/A02", "自達/Z09"});
    fake.answers = {false, true};
    frmTori->ItemDelAct->trigger();
    EXPECT_EQ(All().size(), 4u);
    frmTori->ItemDelAct->trigger();
    EXPECT_EQ(fake.Texts("question"), (QStringList{"削除してもよろしいですか？", "削除してもよろしいですか？"}));
    EXPECT_EQ(All(), (std::vector<std::string>{"0|Z09|自社|||", "1|S01|山田商店|123-4567|03-1234-5678|--",
                                               "2|S01|山田外注|||"}));
    EXPECT_EQ(Lines(), (QStringList{"仕入先/S01", "自達/Z09", "払出先/S01"}));
}

TEST_F(PartnerWindowsTest, PrintHandsTheListLinesToTheReport) {
    frmTori->PrintAct->setEnabled(true);
    frmTori->PrintAct->trigger();
    EXPECT_EQ(Infos(), QStringList{"検索をしてから、印刷を実行してください。"});
    Search("山");
    frmTori->PrintAct->trigger();
    ASSERT_EQ(fake.previews.size(), 1u);
    EXPECT_EQ(fake.calls.back().text, "repTori");
    EXPECT_EQ(fake.calls.back().extra, "nowait");
    const ReportSnapshot& r = fake.previews[0];
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0], (std::vector<std::string>{"S01", "仕入先", "山田商店", "山田", "03-1234-5678", "--", "東京都"}));
    EXPECT_EQ(r.lines[1][1], "払出先");
    frmTori->HelpAct->trigger();
    EXPECT_TRUE(fake.Texts("shell").back().endsWith("/Help/index.html"));
}

TEST_F(PartnerWindowsTest, WindowKeysAreWrittenAndReadBack) {
    frmTori->show();
    frmTori->resize(700, 500);
    frmTori->lvMain->setColumnWidth(2, 150);
    delete frmTori;
    frmTori = nullptr;
    IniFile ini(dir.File("Velmo.ini"));
    EXPECT_EQ(ini.ReadInteger("PREFORM", "FT_WIDTH", 0), 700);
    EXPECT_EQ(ini.ReadInteger("PREFORM", "TLIST3W", 0), 150);
    EXPECT_EQ(ini.ReadInteger("PREFORM", "TLIST1W", 0), 80);
    EXPECT_EQ(ini.ReadString("PREFORM", "TCOOL_1", ""), "1");
    EXPECT_EQ(ini.ReadString("PREFORM", "TCOOL_2", ""), "2");
    EXPECT_TRUE(ini.KeyExists("PREFORM", "TCOOL_2B"));
    EXPECT_TRUE(ini.KeyExists("PREFORM", "TCOOL_1W"));

    // The search band first, on a row of its own.
    ini.WriteStrings("PREFORM", {{"TCOOL_1", "2"}, {"TCOOL_2", "1"}, {"TCOOL_2B", "1"}});
    frmTori = new TfrmTori(frmItem);
    frmTori->show();
    QApplication::processEvents();
    EXPECT_EQ(frmTori->lvMain->columnWidth(2), 150);
    EXPECT_LT(frmTori->bandSearch->y(), frmTori->tbarTool->y());
    delete frmTori;
    frmTori = nullptr;
    EXPECT_EQ(ini.ReadString("PREFORM", "TCOOL_1", ""), "2");
    EXPECT_EQ(ini.ReadString("PREFORM", "TCOOL_2B", ""), "1");

    // A session that never opened the list keeps the band layout.
    frmTori = new TfrmTori(frmItem);
    delete frmTori;
    frmTori = nullptr;
    EXPECT_EQ(ini.ReadString("PREFORM", "TCOOL_1", ""), "2");
}
