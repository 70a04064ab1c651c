// The item dialog offscreen: modes, loading, the partner drop-down, the cost
// total, and every save path driven through the platform fake.
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "masterfixture.h"
#include "masterwidgets.h"
#include "sjis.h"
#include "ucommon.h"
#include "ufiment.h"
#include "winutil.h"

namespace {

class ItemDialogTest : public MasterWindowTest {
protected:
    void SetUp() override {
        MasterWindowTest::SetUp();
        WriteText(dir.File("Velmo.ini"), ToSjis("[TANI]\r\nCNT=2\r\n1=個\r\n2=箱\r\n[SOUKO]\r\nCNT=1\r\n1=第1倉庫\r\n"
                                                 "[MASITEM]\r\nETCHI=送料\r\n"));
        Exec("INSERT INTO MasTori (KBN, CD, RNAME) VALUES (1, 'S01', '山田商店')");
        Exec("INSERT INTO MasTori (KBN, CD, RNAME) VALUES (2, 'G01', '外注加工')");
        Exec("INSERT INTO MasItem (CD, KBN, NAME, TANI, SYUZAIHI, KAKOUHI, TANKA, TEHAIKBN, TEHAICD, TEHAINI, "
             "TEHAINISU, SOUKO, MEMO) VALUES ('P01', 0, 'ボルト', '個', 1000, 234.5, 99, 1, 'S01', '箱', 50, "
             "'第1倉庫', 'メモ')");
        dlg = new TfrmMasItem(frmItem);
    }
    void TearDown() override {
        delete dlg;
        MasterWindowTest::TearDown();
    }
    std::string Item(const std::string& code) {
        auto r = Rows("SELECT * FROM MasItem WHERE CD = '" + SqlEsc(code) + "'",
                      {"CD", "KBN", "NAME", "TANI", "TANKA", "TEHAIKBN", "TEHAICD", "TEHAINISU"});
        return r.empty() ? "" : r[0];
    }
    // Opens the dialog as the main window does; what the user does in it is
    // act, which returns after pressing OK or cancel.
    void ShowModal(int mode, const QString& code, std::function<void(TfrmMasItem*)> act) {
        dlg->SetMode(mode);
        dlg->Prepare(code);
        fake.modal.push_back([act](QWidget* w) {
            act(static_cast<TfrmMasItem*>(w));
            return 0;
        });
        Platform().ShowModal(dlg);
    }
    static void ClickRadio(TRadioGroup* g, int index) { g->findChildren<QRadioButton*>()[index]->click(); }
    static QStringList Entries(QComboBox* c) {
        QStringList out;
        for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
        return out;
    }

    TfrmMasItem* dlg = nullptr;
};

}  // namespace

TEST_F(ItemDialogTest, ModesSetCaptionsStatesAndMessage) {
    struct Case {
        int mode;
        const char* caption;
        bool codeEnabled;
        bool pagesEnabled;
        bool okVisible;
        const char* cancel;
        const char* message;
    };
    const Case cases[] = {
        {0, "アイテム [追加]", true, true, true, "ｷｬﾝｾﾙ", ""},
        {1, "アイテム [編集]", false, true, true, "ｷｬﾝｾﾙ", "この品目は構成表に使用されています"},
        {2, "アイテム [参照]", true, false, false, "閉じる", ""},
        {3, "アイテム [編集]", true, true, true, "ｷｬﾝｾﾙ", ""},
    };
    for (const auto& c : cases) {
        dlg->SetMode(c.mode);
        dlg->pgcMain->setCurrentIndex(2);
        dlg->Prepare("P01");
        EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8(c.caption)) << c.mode;
        // In view mode the code is enabled on a disabled page.
        EXPECT_EQ(dlg->edtCd->isEnabledTo(dlg->pgcMain->widget(0)), c.codeEnabled) << c.mode;
        EXPECT_EQ(dlg->rgKBN->isEnabledTo(dlg->pgcMain->widget(0)), c.codeEnabled) << c.mode;
        for (int p = 0; p < 4; ++p) EXPECT_EQ(dlg->pgcMain->widget(p)->isEnabled(), c.pagesEnabled) << c.mode;
        EXPECT_EQ(dlg->pgcMain->currentIndex(), 0);
        EXPECT_EQ(!dlg->btnOK->isHidden(), c.okVisible) << c.mode;
        EXPECT_EQ(dlg->btnCancel->text(), QString::fromUtf8(c.cancel)) << c.mode;
        EXPECT_EQ(dlg->lblKou->text(), QString::fromUtf8(c.message)) << c.mode;
        EXPECT_TRUE(dlg->IsCancelled());
        EXPECT_EQ(dlg->GetCode(), "P01");
    }
}

TEST_F(ItemDialogTest, PrepareLoadsTheItemListsAndCaptions) {
    dlg->SetMode(3);
    dlg->Prepare("P01");
    EXPECT_EQ(dlg->edtCd->text(), "P01");
    EXPECT_EQ(dlg->rgKBN->ItemIndex(), 3);  // KBN 0: パーツ
    EXPECT_EQ(dlg->cboTani->currentText(), "個");
    EXPECT_EQ(Entries(dlg->cboTani), (QStringList{"個", "箱"}));
    EXPECT_EQ(Entries(dlg->cboTehai), (QStringList{"個", "箱"}));
    EXPECT_EQ(Entries(dlg->cboSouko), QStringList{"第1倉庫"});
    EXPECT_EQ(dlg->cboKoutei->count(), 0);
    EXPECT_EQ(dlg->lblTani->text(), "個で　");
    EXPECT_EQ(dlg->dsplblTanka->text(), "1,234.5");  // the total of the fields, not the stored 99
    EXPECT_EQ(dlg->numTehainisu->text(), "50");
    EXPECT_EQ(dlg->cboTehaicd->currentText(), "S01:山田商店");
    EXPECT_EQ(Entries(dlg->cboTehaicd), QStringList{"S01:山田商店"});
    EXPECT_EQ(dlg->memMemo->toPlainText(), "メモ");
    EXPECT_EQ(dlg->dsplblEtchi->text(), "送料");
    EXPECT_EQ(dlg->dsplblHinban->text(), "(外部品番)");

    // A blank add: everything empty, the package quantity 1, no selection.
    dlg->SetMode(0);
    dlg->Prepare("");
    EXPECT_EQ(dlg->edtCd->text(), "");
    EXPECT_EQ(dlg->rgKBN->ItemIndex(), 0);
    EXPECT_EQ(dlg->numTehainisu->text(), "1");
    EXPECT_EQ(dlg->dsplblTanka->text(), "0");
    EXPECT_EQ(dlg->cboTani->currentIndex(), -1);
    EXPECT_EQ(dlg->cboTani->currentText(), "");
    EXPECT_EQ(dlg->lblTani->text(), "");
    EXPECT_FALSE(dlg->cboTehaicd->isEnabled());
}

TEST_F(ItemDialogTest, PartnerListFollowsTheProcurementCategory) {
    dlg->SetMode(0);
    dlg->Prepare("");
    ClickRadio(dlg->rgTEHAIKBN, 2);
    EXPECT_TRUE(dlg->cboTehaicd->isEnabled());
    EXPECT_EQ(Entries(dlg->cboTehaicd), QStringList{"G01:外注加工"});
    EXPECT_EQ(dlg->cboTehaicd->currentIndex(), -1);
    ClickRadio(dlg->rgTEHAIKBN, 0);
    EXPECT_FALSE(dlg->cboTehaicd->isEnabled());
    EXPECT_EQ(dlg->cboTehaicd->count(), 0);
    // View mode offers every partner.
    dlg->SetMode(2);
    dlg->Prepare("P01");
    EXPECT_EQ(Entries(dlg->cboTehaicd), (QStringList{"S01:山田商店", "G01:外注加工"}));
    // A stored partner code that is not in the list shows nothing.
    Exec("UPDATE MasItem SET TEHAICD = 'S99' WHERE CD = 'P01'");
    dlg->SetMode(3);
    dlg->Prepare("P01");
    EXPECT_EQ(dlg->cboTehaicd->currentIndex(), -1);
    EXPECT_EQ(dlg->cboTehaicd->currentText(), "");
}

TEST_F(ItemDialogTest, TotalAndUnitLabelFollowTheFields) {
    dlg->SetMode(0);
    dlg->Prepare("");
    dlg->numShuzaihi->setText("1000");
    dlg->numEtchi->setText("0.5");
    EXPECT_EQ(dlg->dsplblTanka->text(), "1,000.5");
    // A lone point is reported; the label keeps what it showed.
    dlg->numKakouhi->setText(".");
    EXPECT_EQ(dlg->dsplblTanka->text(), "1,000.5");
    ASSERT_EQ(fake.calls.size(), 1u);
    EXPECT_EQ(fake.calls[0].kind, "error");
    EXPECT_EQ(fake.calls[0].extra, "EConvertError");
    // The numeric key filter lets digits, '.' and backspace through only.
    dlg->numGaichuuhi->clear();
    Type(dlg->numGaichuuhi, "1a2-ｱ.5");
    EXPECT_EQ(dlg->numGaichuuhi->text(), "12.5");
    // The unit label follows what the user types.
    dlg->cboTani->lineEdit()->setText("");
    Type(dlg->cboTani->lineEdit(), "kg");
    EXPECT_EQ(dlg->lblTani->text(), "kgで　");
}

TEST_F(ItemDialogTest, AddSavesAndAsksBeforeOverwriting) {
    ShowModal(0, "", [](TfrmMasItem* d) {
        d->edtCd->setText(" N01 ");
        ClickRadio(d->rgKBN, 1);
        d->edtName->setText("新品");
        d->cboTani->setEditText("箱");
        ClickRadio(d->rgTEHAIKBN, 1);
        d->cboTehaicd->setCurrentIndex(0);
        d->numTehainisu->clear();
        d->btnOK->click();
    });
    EXPECT_FALSE(dlg->IsCancelled());
    EXPECT_EQ(dlg->GetCode(), "N01");
    EXPECT_EQ(Item("N01"), "N01|2|新品|箱|0|1|S01|1");
    EXPECT_TRUE(IniFile(dir.File("Velmo.ini")).KeyExists("SupEnt", "YYYYMM"));

    // Copy-add onto an existing code: No keeps the dialog open and the record.
    for (bool yes : {false, true}) {
        fake.Clear();
        fake.answers.push_back(yes);
        ShowModal(0, "P01", [](TfrmMasItem* d) {
            d->edtName->setText("上書き");
            d->btnOK->click();
        });
        EXPECT_EQ(fake.Texts("question"), QStringList{"既に同一の品番が存在します。上書きしますか？"});
        EXPECT_EQ(dlg->IsCancelled(), !yes);
        EXPECT_EQ(dlg->edtName->text(), "上書き");
        EXPECT_EQ(Item("P01"), yes ? "P01|0|上書き|個|1234.5|1|S01|50" : "P01|0|ボルト|個|99|1|S01|50");
    }
}

TEST_F(ItemDialogTest, EmptyCodeKeepsTheDialogOpen) {
    ShowModal(0, "", [](TfrmMasItem* d) {
        d->edtCd->setText("   ");
        d->edtName->setText("名前だけ");
        d->btnOK->click();
    });
    EXPECT_EQ(Infos(), QStringList{"品番を入力してください。"});
    EXPECT_TRUE(dlg->IsCancelled());
    EXPECT_EQ(dlg->edtName->text(), "名前だけ");
    EXPECT_TRUE(Rows("SELECT * FROM MasItem WHERE CD <> 'P01'", {"CD"}).empty());
}

TEST_F(ItemDialogTest, ModeThreeChangesTheCodeAndModeOneCannot) {
    ShowModal(3, "P01", [](TfrmMasItem* d) {
        d->edtCd->setText("P02");
        ClickRadio(d->rgKBN, 2);
        d->btnOK->click();
    });
    EXPECT_FALSE(dlg->IsCancelled());
    EXPECT_EQ(dlg->GetCode(), "P02");
    EXPECT_EQ(Item("P01"), "");
    EXPECT_EQ(Item("P02"), "P02|1|ボルト|個|1234.5|1|S01|50");

    ShowModal(1, "P02", [](TfrmMasItem* d) {
        EXPECT_FALSE(d->edtCd->isEnabled());
        d->edtName->setText("改名");
        d->btnOK->click();
    });
    EXPECT_EQ(Item("P02"), "P02|1|改名|個|1234.5|1|S01|50");
    EXPECT_TRUE(fake.Texts("question").isEmpty());
}

TEST_F(ItemDialogTest, RefusedWriteKeepsTheOldRecordAndWhatWasEntered) {
    const std::string before = Item("P01");
    struct Case {
        const char* name;
        void (*edit)(TfrmMasItem*);
        const char* kind;  // "info" or "error"
    };
    const Case cases[] = {
        {"unit of five characters", [](TfrmMasItem* d) { d->cboTani->setEditText("ケース単位"); }, "info"},
        {"cost 1.2.3", [](TfrmMasItem* d) { d->numKakouhi->setText("1.2.3"); }, "error"},
        {"package quantity 2.5", [](TfrmMasItem* d) { d->numTehainisu->setText("2.5"); }, "error"},
    };
    for (const auto& c : cases) {
        fake.Clear();
        ShowModal(3, "P01", [&c](TfrmMasItem* d) {
            d->edtCd->setText("MOVED");
            c.edit(d);
            d->btnOK->click();
        });
        EXPECT_TRUE(dlg->IsCancelled()) << c.name;
        EXPECT_EQ(dlg->edtCd->text(), "MOVED") << c.name;
        EXPECT_EQ(Item("P01"), before) << c.name;
        EXPECT_EQ(Item("MOVED"), "") << c.name;
        ASSERT_EQ(fake.calls.size(), 2u) << c.name;  // the modal showing and the message
        EXPECT_EQ(fake.calls[1].kind, c.kind) << c.name;
    }
    EXPECT_EQ(dlg->numTehainisu->text(), "2.5");
    EXPECT_NE(fake.calls[1].text.indexOf("2.5"), -1) << fake.calls[1].text.toStdString();
}

TEST_F(ItemDialogTest, ViewModeFollowsItsCallerThroughReload) {
    Exec("INSERT INTO MasItem (CD, KBN, NAME, TEHAIKBN, TEHAICD) VALUES ('U01', 1, 'ユニット', 2, 'G01')");
    dlg->SetMode(2);
    dlg->Prepare("P01");
    dlg->show();
    dlg->Reload("U01");
    EXPECT_EQ(dlg->edtCd->text(), "U01");
    EXPECT_EQ(dlg->rgKBN->ItemIndex(), 2);
    EXPECT_EQ(dlg->cboTani->currentText(), "");
    EXPECT_EQ(dlg->numShuzaihi->text(), "0");
    EXPECT_EQ(dlg->dsplblTanka->text(), "0");
    EXPECT_EQ(dlg->cboTehaicd->currentText(), "G01:外注加工");
    EXPECT_EQ(dlg->memMemo->toPlainText(), "");
    EXPECT_EQ(dlg->cboSouko->count(), 1);  // entries stay
    EXPECT_EQ(dlg->windowTitle(), "アイテム [参照]");
    EXPECT_TRUE(dlg->IsCancelled());
    EXPECT_EQ(dlg->GetCode(), "P01");
    dlg->Reload("");  // no item: an empty view
    EXPECT_EQ(dlg->edtCd->text(), "");
    dlg->btnCancel->click();
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(ItemDialogTest, ViewModeIsNotBlockedByAModalCaller) {
    auto* caller = new QDialog(frmItem);
    caller->setWindowModality(Qt::ApplicationModal);
    caller->show();
    dlg->SetMode(2);
    dlg->Prepare("P01");
    dlg->show();
    EXPECT_EQ(dlg->parentWidget(), caller);
    EXPECT_TRUE(dlg->isWindow());
    EXPECT_TRUE(dlg->windowFlags() & Qt::WindowStaysOnTopHint);
    // The caller closes: the dialog stays open, back with the main window,
    // and outlives the caller.
    caller->hide();
    EXPECT_EQ(dlg->parentWidget(), frmItem);
    EXPECT_TRUE(dlg->isVisible());
    delete caller;
    dlg->Reload("P01");
    EXPECT_EQ(dlg->edtCd->text(), "P01");
    dlg->close();
}

TEST_F(ItemDialogTest, UnusualCodesRoundTripThroughTheDialog) {
    // 18 full-width characters (36 bytes in Shift-JIS): shown and saved
    // whole. (A character outside the basic plane has no Shift-JIS code and
    // is refused by the save.)
    const QString codes[] = {"A'B*[ｱｲﾃﾑ]", QString::fromUtf8("吉野家の部品コード１２３４５６７８９"), "全角ＡＢＣ"};
    for (const QString& code : codes) {
        ShowModal(0, "", [&code](TfrmMasItem* d) {
            SetEditText(d->edtCd, code);
            d->edtName->setText("名'" + code);
            d->btnOK->click();
        });
        ASSERT_FALSE(dlg->IsCancelled()) << code.toStdString() << Infos().join("|").toStdString();
        dlg->SetMode(3);
        dlg->Prepare(code);
        EXPECT_EQ(dlg->edtCd->text(), code);
        EXPECT_EQ(dlg->edtName->text(), "名'" + code);
        fake.modal.push_back([](QWidget* w) {
            static_cast<TfrmMasItem*>(w)->btnOK->click();
            return 0;
        });
        Platform().ShowModal(dlg);
        EXPECT_EQ(Item(ToStd(code)).substr(0, code.toStdString().size()), ToStd(code));
    }
    EXPECT_TRUE(Errors().isEmpty()) << Errors().join("|").toStdString();
}

TEST_F(ItemDialogTest, PositionIsRememberedBetweenSessions) {
    dlg->show();
    dlg->move(123, 45);
    delete dlg;
    dlg = nullptr;
    IniFile ini(dir.File("Velmo.ini"));
    EXPECT_EQ(ini.ReadInteger("PREFORM", "FIM_LEFT", -1), 123);
    EXPECT_EQ(ini.ReadInteger("PREFORM", "FIM_TOP", -1), 45);
    dlg = new TfrmMasItem(frmItem);
    EXPECT_EQ(dlg->pos(), QPoint(123, 45));
}
