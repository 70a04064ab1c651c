// The production plan window driven as a user does, offscreen through the
// platform fake: opened from the main window, search, typing in the grid,
// save, clear, the close questions, print, CSV output and its settings.
#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

#include "mainwindow_fixture.h"
#include "productionplan.h"
#include "sjis.h"
#include "udaors.h"
#include "uforder.h"

namespace {

const std::vector<TestItem> kPlanItems = {
    {"S-1", 3, "Set one"}, {"B-1", 2, "Body, \"big\""}, {"B-2", 2, "Body two"}, {"U-1", 1, "Unit"}, {"P-1", 0, "Part"},
};

class OrderWindow : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Start();
        data = DataFile("plan.mdb", kPlanItems);
        OpenFile(data);
        frmOrder->ResetWindow();
        frmOrder->datD->setDate(QDate(2024, 5, 1));
        fake.Clear();
    }
    QTableWidget* Grid() const { return frmOrder->grMain; }
    QString Cell(int r, int c) const { return Grid()->item(r, c) ? Grid()->item(r, c)->text() : QString("<none>"); }
    QStringList Row(int r) const {
        QStringList out;
        for (int c = 0; c < 5; ++c) out << Cell(r, c);
        return out;
    }
    // Opens the in-cell editor, empties it and types the text key by key;
    // then moves on (the editor closes) unless stay.
    void Type(int row, int column, const QString& text, bool stay = false) {
        frmOrder->EndCellEdit();
        Grid()->setCurrentCell(row, column);
        Grid()->editItem(Grid()->item(row, column));
        QLineEdit* e = frmOrder->grMain->Editor();
        ASSERT_NE(e, nullptr);
        e->selectAll();
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(e, &del);
        for (QChar ch : text) {
            QKeyEvent k(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(e, &k);
        }
        if (!stay) frmOrder->EndCellEdit();
    }
    std::vector<std::string> Plan() {
        clsDao dao;
        EXPECT_EQ(dao.OpenDatabase(data), 0);
        clsDaoRs rs(dao.GetDatabase());
        rs.OpenRecordset("SELECT * FROM OrderPlan WHERE OYM = '202405' ORDER BY CD");
        std::vector<std::string> out;
        while (!rs.IsEOF()) {
            out.push_back(rs.Text("CD") + "|" + rs.Text("ORDER") + "|" + rs.Text("ZAIKO") + "|" + rs.Text("SEISAN"));
            rs.MoveRecord(0);
        }
        rs.Close();
        return out;
    }
    QStringList Questions() const { return fake.Texts("question"); }

    std::string data;
};

const QString kLeave = QString::fromUtf8(kPlanLeaveQuestion);
const QString kExit = QString::fromUtf8(kPlanExitQuestion);

TEST_F(OrderWindow, OpensFromTheMainWindowInTheSearchState) {
    frmOrder->edtFind->setText("B");
    frmOrder->actSearch->trigger();
    ASSERT_TRUE(frmOrder->Frame().EditState());
    fake.Clear();
    // The main window's command resets the window before showing it.
    fake.modal.push_back([](QWidget* w) {
        auto* o = qobject_cast<TfrmOrder*>(w);
        EXPECT_NE(o, nullptr);
        EXPECT_EQ(o->windowTitle(), QString("構成表管理プログラム [生産計画]"));
        EXPECT_FALSE(o->Frame().EditState());
        EXPECT_EQ(o->grMain->rowCount(), 0);
        EXPECT_TRUE(o->edtFind->isEnabled());
        EXPECT_FALSE(o->actSave->isEnabled() || o->actClear->isEnabled() || o->actPrint->isEnabled() ||
                     o->actCsv->isEnabled() || o->actView->isEnabled());
        EXPECT_EQ(o->actClose->text(), QString("閉じる(&X)"));
        return 0;
    });
    frmItem->OrderAct->trigger();
    EXPECT_EQ(fake.Texts("modal"), QStringList{"TfrmOrder"});
    EXPECT_TRUE(fake.modal.empty());
    EXPECT_EQ(frmOrder->datD->displayFormat(), QString("yyyy年MM月"));
}

TEST_F(OrderWindow, SearchFillsTheGridAndEntersTheEditState) {
    frmOrder->actSearch->trigger();
    EXPECT_EQ(Grid()->rowCount(), 3);
    EXPECT_EQ(Row(0), (QStringList{"B-1", "Body, \"big\"", "0", "0", "0"}));
    EXPECT_EQ(Row(2), (QStringList{"S-1", "Set one", "0", "0", "0"}));
    EXPECT_EQ(frmOrder->sbarPanel1->text(), QString("該当件数: 3件　　"));
    EXPECT_FALSE(frmOrder->edtFind->isEnabled() || frmOrder->chkSet->isEnabled() || frmOrder->datD->isEnabled() ||
                 frmOrder->actSearch->isEnabled());
    EXPECT_TRUE(frmOrder->actSave->isEnabled() && frmOrder->actClear->isEnabled() && frmOrder->actPrint->isEnabled());
    EXPECT_EQ(frmOrder->actClose->text(), QString("戻る(&X)"));
    EXPECT_EQ(frmOrder->actClose->toolTip(), QString("戻る"));
    // Editable columns are blue and right-aligned, header included.
    EXPECT_EQ(Grid()->item(0, 2)->foreground().color(), QColor(Qt::blue));
    EXPECT_TRUE(Grid()->horizontalHeaderItem(3)->textAlignment() & Qt::AlignRight);
    EXPECT_EQ(Grid()->horizontalHeaderItem(4)->foreground().style(), Qt::NoBrush);
    EXPECT_FALSE(Grid()->item(0, 4)->flags() & Qt::ItemIsEditable);

    // Back to the search state; nothing checked: a message, the state stays.
    frmOrder->actClose->trigger();
    EXPECT_TRUE(Questions().isEmpty());
    EXPECT_FALSE(frmOrder->Frame().EditState());
    frmOrder->chkSet->setChecked(false);
    frmOrder->chkHontai->setChecked(false);
    frmOrder->actSearch->trigger();
    EXPECT_EQ(Infos(), QStringList{"検索する区分(ｾｯﾄ/本体)を選択してください。\n"});
    EXPECT_FALSE(frmOrder->Frame().EditState());

    // Nothing found: count 0, print and CSV stay off.
    frmOrder->chkSet->setChecked(true);
    frmOrder->edtFind->setText("ZZ");
    frmOrder->actSearch->trigger();
    EXPECT_EQ(frmOrder->sbarPanel1->text(), QString("該当件数: 0件　　"));
    EXPECT_FALSE(frmOrder->actPrint->isEnabled() || frmOrder->actSave->isEnabled() || frmOrder->actCsv->isEnabled());
    fake.Clear();
    frmOrder->actPrintExecute();
    EXPECT_EQ(Infos(), QStringList{"検索をしてから、印刷を実行してください。"});
}

TEST_F(OrderWindow, TypingRecomputesAndSaveWritesEveryRow) {
    frmOrder->actSearch->trigger();
    // Production follows every keystroke while the editor is still open.
    Type(0, 2, "7", true);
    EXPECT_EQ(Cell(0, 4), "7");
    Type(0, 2, "12a");
    EXPECT_EQ(Row(0).mid(2), (QStringList{"12a", "0", "0"}));
    Type(0, 3, "5");
    EXPECT_EQ(Row(0).mid(2), (QStringList{"12a", "5", "-5"}));
    Type(2, 2, "30");
    Type(2, 3, "4");
    EXPECT_EQ(Cell(2, 4), "26");
    EXPECT_TRUE(frmOrder->Frame().Modified());

    // No: nothing written.
    frmOrder->actSave->trigger();
    EXPECT_EQ(Questions(), QStringList{"生産ﾃﾞｰﾀを更新しますか？\n"});
    EXPECT_EQ(fake.calls.back().extra, QString("Velmo|no"));
    EXPECT_TRUE(Plan().empty());

    fake.Clear();
    fake.answers = {true};
    frmOrder->actSave->trigger();
    EXPECT_EQ(Infos(), QStringList{"生産ﾃﾞｰﾀを更新しました。"});
    EXPECT_EQ(Plan(), (std::vector<std::string>{"B-1|0|5|-5", "B-2|0|0|0", "S-1|30|4|26"}));
    EXPECT_EQ(Setting("SupEnt", "202405"), "");
    EXPECT_EQ(Setting("OdrEnt", "202405"), TodayKey());
    EXPECT_FALSE(frmOrder->Frame().Modified());
    EXPECT_TRUE(frmOrder->Frame().EditState());
    // The cell keeps the text as typed.
    EXPECT_EQ(Cell(0, 2), "12a");

    // After the save, leaving asks nothing; a new search shows the saved plan.
    fake.Clear();
    frmOrder->actClose->trigger();
    EXPECT_TRUE(Questions().isEmpty());
    frmOrder->actSearch->trigger();
    EXPECT_EQ(Row(2).mid(2), (QStringList{"30", "4", "26"}));
}

TEST_F(OrderWindow, AValueOutsideTheColumnRangeIsRefusedAndNothingWritten) {
    frmOrder->actSearch->trigger();
    Type(0, 2, "1");
    Type(2, 3, "40000");
    fake.answers = {true};
    frmOrder->actSave->trigger();
    EXPECT_EQ(Infos(), QStringList{"品番[S-1]の在庫数が -32768～32767 の範囲を超えています。\n保存できません。"});
    EXPECT_TRUE(Plan().empty());
    EXPECT_EQ(Setting("SupEnt", "202405"), "<missing>");
    EXPECT_TRUE(frmOrder->Frame().Modified());
}

TEST_F(OrderWindow, ClearAndTheCloseQuestions) {
    frmOrder->actSearch->trigger();
    frmOrder->actClearExecute();
    EXPECT_EQ(Questions(), QStringList{"出荷数と在庫数をクリアしてもよろしいですか？\n"});
    EXPECT_FALSE(frmOrder->Frame().Modified());

    fake.Clear();
    fake.answers = {true};
    Type(1, 2, "7");
    frmOrder->actClear->trigger();
    EXPECT_EQ(Row(1).mid(2), (QStringList{"0", "0", "0"}));
    EXPECT_TRUE(frmOrder->Frame().Modified());
    EXPECT_TRUE(Plan().empty());

    // Close asks; No stays in the edit state.
    fake.Clear();
    frmOrder->actClose->trigger();
    EXPECT_EQ(Questions(), QStringList{kLeave});
    EXPECT_TRUE(frmOrder->Frame().EditState());

    // Closing the window by other means asks the other question; No keeps it.
    fake.Clear();
    QCloseEvent e;
    QApplication::sendEvent(frmOrder, &e);
    EXPECT_EQ(Questions(), QStringList{kExit});
    EXPECT_FALSE(e.isAccepted());

    // Yes leaves for the search state, grid emptied.
    fake.Clear();
    fake.answers = {true};
    frmOrder->actClose->trigger();
    EXPECT_FALSE(frmOrder->Frame().EditState());
    EXPECT_EQ(Grid()->rowCount(), 0);
    EXPECT_FALSE(frmOrder->Frame().Modified());
}

TEST_F(OrderWindow, PrintAndCsvOfTheGrid) {
    frmOrder->actSearch->trigger();
    Type(0, 2, "12a");
    frmOrder->actPrint->trigger();
    ASSERT_EQ(fake.previews.size(), 1u);
    const ReportSnapshot& r = fake.previews[0];
    EXPECT_EQ(r.id, ReportId::Order);
    EXPECT_EQ(r.month, "2024年05月");
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[0], (std::vector<std::string>{"B-1", "Body, \"big\"", "12a", "0", "0"}));
    EXPECT_EQ(fake.Texts("preview"), QStringList{"repOrder"});

    // CSV: cancelled writes nothing; a name writes the file and says so.
    fake.Clear();
    frmOrder->actCsv->trigger();
    ASSERT_EQ(fake.dialogs.size(), 1u);
    EXPECT_EQ(fake.dialogs[0].title, QString("CSV出力"));
    EXPECT_EQ(fake.dialogs[0].filter, QString("CSVﾌｧｲﾙ|*.csv|全てのﾌｧｲﾙ|*.*"));
    EXPECT_EQ(fake.dialogs[0].defaultExt, QString("csv"));
    EXPECT_TRUE(fake.dialogs[0].overwritePrompt);
    EXPECT_TRUE(Infos().isEmpty());

    std::string out = dir.File("plan.csv");
    WriteText(out, "old");
    fake.fileNames.push_back(QString::fromStdString(out));
    frmOrder->actCsv->trigger();
    EXPECT_EQ(Infos(), QStringList{"CSVﾃﾞｰﾀを出力しました。"});
    EXPECT_EQ(ReadText(out), ToSjis("品番,通称名,出荷数,在庫数,生産数\r\n"
                                    "\"B-1\", \"Body,  \"big\"\" ,12a,0,0\r\n"
                                    "\"B-2\", \"Body  two\" ,0,0,0\r\n"
                                    "\"S-1\", \"Set  one\" ,0,0,0\r\n"));

    // A file that cannot be written: a message, no success.
    fake.Clear();
    fake.fileNames.push_back(QString::fromStdString(dir.File("missing/plan.csv")));
    frmOrder->actCsv->trigger();
    ASSERT_EQ(Infos().size(), 1);
    EXPECT_TRUE(Infos()[0].startsWith("CSVﾌｧｲﾙを書き込めませんでした。"));
}

TEST_F(OrderWindow, SettingsUnderTheWindowsOwnKeys) {
    frmOrder->chkSet->setChecked(false);
    frmOrder->grMain->setColumnWidth(1, 220);
    frmOrder->SaveGridWidths();
    EXPECT_EQ(Setting("PREFORM", "OGRIDW1"), "220");
    EXPECT_EQ(Setting("PREFORM", "OGRIDW4"), "150");
    Stop();
    EXPECT_EQ(Setting("PREFORM", "CHKS_SET_OR"), "0");
    EXPECT_EQ(Setting("PREFORM", "CHKS_BODY_OR"), "1");
    EXPECT_EQ(Setting("PREFORM", "OCOOL_1"), "1");
    EXPECT_EQ(Setting("PREFORM", "OCOOL_2"), "2");
    EXPECT_NE(Setting("PREFORM", "FO_WIDTH"), "<missing>");

    // The next run reads them back.
    Start();
    EXPECT_FALSE(frmOrder->chkSet->isChecked());
    EXPECT_TRUE(frmOrder->chkHontai->isChecked());
    EXPECT_EQ(frmOrder->grMain->columnWidth(1), 220);
    EXPECT_EQ(frmOrder->datD->date().month(), QDate::currentDate().month());
}

}  // namespace
