// The procurement support window driven as a user does, offscreen through the
// platform fake: opened from the main window, the explosion, the month
// check, the list, typing stock, save, clear, print, CSV output and its
// settings.
#include <QApplication>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "mainwindow_fixture.h"
#include "sjis.h"
#include "structdata.h"
#include "supplylist.h"
#include "udaors.h"
#include "ufsup.h"

namespace {

const std::vector<TestItem> kSupItems = {
    {"S-1", 3, "Set one"}, {"U-1", 1, "Unit one"}, {"P-1", 0, "Part one"}, {"P-2", 0, "Part two"},
};

class SupWindow : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Start();
        data = DataFile("sup.mdb", kSupItems);
        clsDao dao;
        ASSERT_EQ(dao.OpenDatabase(data), 0);
        // S-1 (10 a month) holds U-1 x2 and P-2 (not managed); U-1 holds P-1 x3.
        InsertLines(dao, "S-1>U-1*2 S-1>P-2*1:0 U-1>P-1*3");
        ExecAll(dao, {"UPDATE MasItem SET TEHAIKBN = 1, TEHAICD = 'T1', TEHAINI = '箱', TEHAINISU = 10, TANKA = 120 "
                      "WHERE CD = 'P-1'",
                      "UPDATE MasItem SET TEHAIKBN = 0, SOUKO = '部品倉庫', TEHAINISU = 0, TANKA = 50 WHERE CD = 'U-1'",
                      "INSERT INTO MasTori (KBN, CD, NAME) VALUES (1, 'T1', '東海ネジ')",
                      "INSERT INTO OrderPlan (OYM, CD, [ORDER], ZAIKO, SEISAN) VALUES ('202405', 'S-1', 10, 0, 10)"});
        dao.Close();
        OpenFile(data);
        frmSup->ResetWindow();
        frmSup->datD->setDate(QDate(2024, 5, 1));
        fake.Clear();
    }
    QTableWidget* Grid() const { return frmSup->grMain; }
    QString Cell(int r, int c) const { return Grid()->item(r, c) ? Grid()->item(r, c)->text() : QString("<none>"); }
    QStringList Row(int r) const {
        QStringList out;
        for (int c = 0; c < kSupColumnCount; ++c) out << Cell(r, c);
        return out;
    }
    void Type(int row, int column, const QString& text) {
        frmSup->EndCellEdit();
        Grid()->setCurrentCell(row, column);
        Grid()->editItem(Grid()->item(row, column));
        QLineEdit* e = frmSup->grMain->Editor();
        ASSERT_NE(e, nullptr);
        e->selectAll();
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(e, &del);
        for (QChar ch : text) {
            QKeyEvent k(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(e, &k);
        }
        frmSup->EndCellEdit();
    }
    std::vector<std::string> Supply() {
        clsDao dao;
        EXPECT_EQ(dao.OpenDatabase(data), 0);
        clsDaoRs rs(dao.GetDatabase());
        rs.OpenRecordset("SELECT * FROM Supply WHERE OYM = '202405' ORDER BY CD");
        std::vector<std::string> out;
        for (; !rs.IsEOF(); rs.MoveRecord(0))
            out.push_back(rs.Text("CD") + "|" + rs.Text("NEED") + "|" + rs.Text("ZAIKO") + "|" + rs.Text("SUPPLY"));
        rs.Close();
        return out;
    }
    // Explodes and lists the month.
    void ExplodeAndSearch() {
        frmSup->actTenkai->trigger();
        frmSup->actSearch->trigger();
        ASSERT_TRUE(frmSup->Frame().EditState());
    }

    std::string data;
};

TEST_F(SupWindow, OpensFromTheMainWindowWithTheExplosionInTheSearchState) {
    fake.modal.push_back([](QWidget* w) {
        auto* s = qobject_cast<TfrmSup*>(w);
        EXPECT_NE(s, nullptr);
        EXPECT_EQ(s->windowTitle(), QString("構成表管理プログラム [発注支援]"));
        EXPECT_FALSE(s->Frame().EditState());
        EXPECT_TRUE(s->actTenkai->isEnabled());
        return 0;
    });
    frmItem->SupAct->trigger();
    EXPECT_EQ(fake.Texts("modal"), QStringList{"TfrmSup"});

    EXPECT_EQ(frmSup->actTenkai->text(), QString("所要展開(&T)"));
    EXPECT_EQ(frmSup->actTenkai->toolTip(), QString("所要展開"));
    EXPECT_NE(frmSup->findChild<QToolButton*>("btnTenkai"), nullptr);
    QStringList menu;
    for (QAction* a : frmSup->mnuFile->actions()) menu << (a->isSeparator() ? QString("-") : a->text());
    EXPECT_EQ(menu, (QStringList{"ﾃﾞｰﾀｸﾘｱ(&D)", "保存(&S)", "所要展開(&T)", "-", "印刷(&P)", "CSV出力(&C)", "-",
                                 "閉じる(&X)"}));
    EXPECT_EQ(frmSup->chkUnit->text(), QString("ﾕﾆｯﾄ"));
    EXPECT_EQ(frmSup->chkParts->text(), QString("ﾊﾟｰﾂ"));
}

TEST_F(SupWindow, TheMonthIsListedOnlyAfterItsExplosion) {
    frmSup->actSearch->trigger();
    EXPECT_EQ(Infos(), QStringList{"未更新です。展開処理を行ってください。"});
    EXPECT_FALSE(frmSup->Frame().EditState());

    fake.Clear();
    frmSup->actTenkai->trigger();
    EXPECT_TRUE(Infos().isEmpty());
    EXPECT_FALSE(frmSup->Frame().EditState());  // no search afterwards
    EXPECT_EQ(Supply(), (std::vector<std::string>{"P-1|60|0|60", "P-2|10|0|10", "U-1|20|0|20"}));
    frmSup->actSearch->trigger();
    ASSERT_EQ(Grid()->rowCount(), 2);  // P-2 is no managed child
    EXPECT_EQ(Row(0), (QStringList{"自達", "部品倉庫", "ﾕﾆｯﾄ", "U-1", "Unit one", "20", "0", "20", "0", "0", "", "50", "0"}));
    EXPECT_EQ(Row(1), (QStringList{"仕入先", "T1:東海ネジ", "ﾊﾟｰﾂ", "P-1", "Part one", "60", "0", "60", "10", "6", "箱",
                                   "120", "7,200"}));
    EXPECT_EQ(frmSup->sbarPanel1->text(), QString("該当件数: 2件　　"));
    EXPECT_TRUE(Grid()->isColumnHidden(2));
    EXPECT_FALSE(Grid()->item(0, 3)->icon().isNull());
    EXPECT_FALSE(frmSup->actTenkai->isEnabled());
    EXPECT_TRUE(Grid()->item(0, 6)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(Grid()->item(0, 7)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(Grid()->horizontalHeaderItem(6)->foreground().color(), QColor(Qt::blue));

    // Nothing checked: the message, the state stays.
    frmSup->actClose->trigger();
    frmSup->chkUnit->setChecked(false);
    frmSup->chkParts->setChecked(false);
    fake.Clear();
    frmSup->actSearch->trigger();
    EXPECT_EQ(Infos(), QStringList{"検索する区分(ﾕﾆｯﾄ/ﾊﾟｰﾂ)を選択してください。\n"});
}

TEST_F(SupWindow, AStoredLoopIsNamedAndNothingWritten) {
    clsDao dao;
    ASSERT_EQ(dao.OpenDatabase(data), 0);
    InsertLines(dao, "P-1>S-1*1");
    dao.Close();
    frmSup->actTenkai->trigger();
    EXPECT_EQ(Infos(), QStringList{"構成がループしています: S-1 → U-1 → P-1 → S-1"});
    EXPECT_TRUE(Supply().empty());
    EXPECT_EQ(Setting("SupEnt", "202405"), "<missing>");
}

TEST_F(SupWindow, StockTypedRecomputesAndSaveWritesEveryRow) {
    ExplodeAndSearch();
    Type(1, 6, "25");
    EXPECT_EQ(Cell(1, 6), "25");
    EXPECT_EQ(Cell(1, 7) + "|" + Cell(1, 9) + "|" + Cell(1, 12), "35|4|4,800");
    Type(1, 6, "99x");
    EXPECT_EQ(Cell(1, 7) + "|" + Cell(1, 9) + "|" + Cell(1, 12), "60|6|7,200");
    Type(1, 6, "70");
    EXPECT_EQ(Cell(1, 7) + "|" + Cell(1, 9) + "|" + Cell(1, 12), "-10|0|0");
    EXPECT_TRUE(frmSup->Frame().Modified());

    // Save asks; No writes nothing.
    fake.answers.push_back(false);
    frmSup->actSave->trigger();
    EXPECT_EQ(fake.Texts("question"), QStringList{"発注ﾃﾞｰﾀを更新しますか？\n"});
    EXPECT_EQ(Supply()[0], "P-1|60|0|60");
    fake.Clear();
    fake.answers.push_back(true);
    frmSup->actSave->trigger();
    EXPECT_EQ(Infos(), QStringList{"発注ﾃﾞｰﾀを更新しました。"});
    EXPECT_EQ(Supply(), (std::vector<std::string>{"P-1|60|70|-10", "P-2|10|0|10", "U-1|20|0|20"}));
    EXPECT_FALSE(frmSup->Frame().Modified());
    EXPECT_TRUE(frmSup->Frame().EditState());

    // Clear empties the stock on screen; Save then stores SUPPLY = need.
    fake.Clear();
    fake.answers.push_back(true);
    frmSup->actClear->trigger();
    EXPECT_EQ(fake.Texts("question"), QStringList{"在庫数をクリアしてもよろしいですか？\n"});
    EXPECT_EQ(Cell(1, 6), "0");
    fake.answers.push_back(true);
    frmSup->actSave->trigger();
    EXPECT_EQ(Supply()[0], "P-1|60|0|60");

    // A new explosion keeps the saved stock.
    Type(1, 6, "5");
    fake.answers.push_back(true);
    frmSup->actSave->trigger();
    fake.Clear();
    frmSup->actClose->trigger();
    frmSup->actTenkai->trigger();
    EXPECT_EQ(Supply()[0], "P-1|60|5|55");
}

TEST_F(SupWindow, PrintAndCsvOfTheList) {
    ExplodeAndSearch();
    frmSup->actPrint->trigger();
    ASSERT_EQ(fake.previews.size(), 1u);
    const ReportSnapshot& r = fake.previews[0];
    EXPECT_EQ(r.id, ReportId::Sup);
    EXPECT_EQ(r.month, "2024年05月");
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0], (std::vector<std::string>{"自達", "部品倉庫", "□ U-1", "Unit one", "20", "0", "20", "50", "0",
                                                    "", "0", "0"}));
    EXPECT_EQ(r.lines[1][2], "＊ P-1");

    std::string out = dir.File("sup.csv");
    fake.fileNames.push_back(QString::fromStdString(out));
    frmSup->actCsv->trigger();
    EXPECT_EQ(Infos(), QStringList{"CSVﾃﾞｰﾀを出力しました。"});
    EXPECT_EQ(FromSjis(ReadText(out)),
              "手配先区分,手配先,品区分,品番,通称名,必要数,在庫数,調達数,荷姿入り数,発注数,手配荷姿,調達単価,調達金額\r\n"
              "\"自達\",\"部品倉庫\",\"ﾕﾆｯﾄ\",\"U-1\", \"Unit  one\" ,20,0,20,0,0,\"\",50,0\r\n"
              "\"仕入先\",\"T1:東海ネジ\",\"ﾊﾟｰﾂ\",\"P-1\", \"Part  one\" ,60,0,60,10,6,\"箱\",120,7200\r\n");
}

TEST_F(SupWindow, SettingsUnderTheWindowsOwnKeys) {
    frmSup->chkParts->setChecked(false);
    frmSup->grMain->setColumnWidth(4, 230);
    frmSup->SaveGridWidths();
    EXPECT_EQ(Setting("PREFORM", "SGRIDW4"), "230");
    EXPECT_EQ(Setting("PREFORM", "SGRIDW2"), "0");
    EXPECT_EQ(Setting("PREFORM", "SGRIDW12"), "150");
    Stop();
    EXPECT_EQ(Setting("PREFORM", "CHKS_UNIT_SU"), "1");
    EXPECT_EQ(Setting("PREFORM", "CHKS_PARTS_SU"), "0");
    EXPECT_EQ(Setting("PREFORM", "SCOOL_1"), "1");
    EXPECT_NE(Setting("PREFORM", "FS_WIDTH"), "<missing>");

    // Column 2 stays hidden whatever the file says.
    IniFile(ini).WriteString("PREFORM", "SGRIDW2", "120");
    Start();
    EXPECT_FALSE(frmSup->chkParts->isChecked());
    EXPECT_EQ(frmSup->grMain->columnWidth(4), 230);
    EXPECT_TRUE(frmSup->grMain->isColumnHidden(2));
}

}  // namespace
