// The main window: start-up and settings, the search list and the item
// commands, driven offscreen through the platform fake.
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QToolButton>
#include <cerrno>
#include <cstring>
#include <map>

#include "fileutil.h"
#include "fracommon.h"
#include "mainwindow_fixture.h"
#include "udaors.h"
#include "ufmsg.h"

namespace {

const std::vector<TestItem> kItems = {
    {"B-200", 2, "本体B", "箱", "L"},  {"B-100", 2, "本体A", "箱", "M"}, {"U-1", 1, "ﾕﾆｯﾄ1", "組", ""},
    {"P-1", 0, "ねじ", "M3", "10mm"},  {"P-2", 0, "ナット", "M3", ""},  {"S-1", 3, "セットα", "", ""},
    {"A'1", 0, "引用符", "", ""},       {"Ａ2", 1, "全角", "", ""},
};

}  // namespace

// --- start-up and settings ---------------------------------------------------

TEST_F(MainWindowTest, StartsWithTheDefaultsAndWritesEveryKeyAtExit) {
    Start();
    frmItem->show();
    for (QCheckBox* c : {frmItem->chkSet, frmItem->chkHontai, frmItem->chkUnit, frmItem->chkParts})
        EXPECT_TRUE(c->isChecked()) << c->objectName().toStdString();
    EXPECT_EQ(frmItem->size(), QSize(733, 510));
    EXPECT_EQ(frmItem->lvMain->ColumnWidths(), (QList<int>{250, 200, 200, 200}));
    EXPECT_EQ(Caption(), "構成表管理プログラム");
    EXPECT_EQ(OpenPath(), "");
    EXPECT_EQ(List()->Count(), 0);
    EXPECT_LT(frmItem->tbarTool->x(), frmItem->pnlSearch->x()) << "tool bar first, one row";
    EXPECT_EQ(frmItem->tbarTool->y(), frmItem->pnlSearch->y());
    EXPECT_EQ(frmItem->tbarTool->width(), 398);

    // Start states: the selection commands wait for a selection, 印刷 for rows.
    std::vector<std::pair<QAction*, bool>> states = {
        {frmItem->FileNewAct, true},        {frmItem->FileOpenAct, true},   {frmItem->FileSaveAct, true},
        {frmItem->FileCompactAct, true},    {frmItem->PrintAct, false},     {frmItem->ProgramEndAct, true},
        {frmItem->PartsFormCallAct, false}, {frmItem->ItemEditAct, false},  {frmItem->ItemAddAct, true},
        {frmItem->ItemDelAct, false},       {frmItem->ItemCopyAddAct, false}, {frmItem->KankyoSetAct, true},
        {frmItem->TMastaSetAct, true},      {frmItem->OrderAct, true},      {frmItem->SupAct, true},
        {frmItem->ImportFileAct, true},     {frmItem->ExportFileAct, true}, {frmItem->HelpAct, true},
        {frmItem->VersionDspAct, true},     {frmItem->ItemListFindAct, true},
    };
    for (auto [a, enabled] : states) EXPECT_EQ(a->isEnabled(), enabled) << a->text().toStdString();
    EXPECT_TRUE(fake.calls.empty());

    Stop();
    std::map<std::string, std::string> expected = {
        {"CHKS_BODY", "1"}, {"CHKS_UNIT", "1"},  {"CHKS_PARTS", "1"}, {"CHKS_SET", "1"},   {"COOL_1", "1"},
        {"COOL_2", "2"},    {"COOL_1B", "1"},    {"COOL_2B", "0"},    {"COOL_1W", "398"},  {"MLIST1W", "250"},
        {"MLIST2W", "200"}, {"MLIST3W", "200"},  {"MLIST4W", "200"},  {"FM_WIDTH", "733"}, {"FM_HEIGHT", "510"},
    };
    for (const auto& [key, value] : expected) EXPECT_EQ(Setting("PREFORM", key), value) << key;
    for (const char* key : {"COOL_2W", "FM_TOP", "FM_LEFT"}) EXPECT_NE(Setting("PREFORM", key), "<missing>") << key;
    EXPECT_EQ(Setting("DATABASE", "PATH"), "");
    EXPECT_TRUE(fake.calls.empty());
}

TEST_F(MainWindowTest, AppliesTheStoredKeysAndWritesTheChangedLayoutBack) {
    std::string data = DataFile("data.mdb", kItems);
    WriteText(ini, "[DATABASE]\r\nPATH=" + data +
                       "\r\n[PREFORM]\r\nCHKS_SET=0\r\nCHKS_UNIT=\r\nCHKS_PARTS=1\r\nCOOL_1=2\r\nCOOL_1W=260\r\n"
                       "MLIST2W=120\r\nFM_WIDTH=800\r\nFM_HEIGHT=600\r\nOTHER_KEY=kept\r\n");
    Start();
    frmItem->show();
    EXPECT_FALSE(frmItem->chkSet->isChecked());
    EXPECT_TRUE(frmItem->chkUnit->isChecked()) << "an empty value leaves the box checked";
    EXPECT_TRUE(frmItem->chkParts->isChecked());
    EXPECT_TRUE(frmItem->chkHontai->isChecked()) << "a missing key leaves the box checked";
    EXPECT_EQ(frmItem->size(), QSize(800, 600));
    EXPECT_EQ(frmItem->lvMain->ColumnWidths(), (QList<int>{250, 120, 200, 200}));
    EXPECT_LT(frmItem->pnlSearch->x(), frmItem->tbarTool->x()) << "COOL_1=2: the search panel first";
    EXPECT_EQ(frmItem->pnlSearch->width(), 260);
    EXPECT_EQ(OpenPath(), data);
    EXPECT_EQ(Caption().toStdString(), "構成表管理ﾌﾟﾛｸﾞﾗﾑ [" + data + "]");
    EXPECT_EQ(List()->Count(), 0) << "the list stays empty until a search";

    frmItem->chkHontai->setChecked(false);
    frmItem->lvMain->setColumnWidth(3, 90);
    Search();
    EXPECT_EQ(frmItem->lvMain->ColumnWidths(), (QList<int>{250, 120, 200, 90})) << "a search keeps the widths";
    Stop();
    EXPECT_EQ(Setting("PREFORM", "COOL_1"), "2");
    EXPECT_EQ(Setting("PREFORM", "COOL_2"), "1");
    EXPECT_EQ(Setting("PREFORM", "COOL_1W"), "260");
    EXPECT_EQ(Setting("PREFORM", "CHKS_BODY"), "0");
    EXPECT_EQ(Setting("PREFORM", "CHKS_SET"), "0");
    EXPECT_EQ(Setting("PREFORM", "CHKS_UNIT"), "1");
    EXPECT_EQ(Setting("PREFORM", "MLIST4W"), "90");
    EXPECT_EQ(Setting("PREFORM", "OTHER_KEY"), "kept");
    EXPECT_EQ(Setting("DATABASE", "PATH"), data);
}

TEST_F(MainWindowTest, SecondBandOnItsOwnRow) {
    WriteText(ini, "[PREFORM]\r\nCOOL_2B=1\r\n");
    Start();
    frmItem->show();
    EXPECT_LT(frmItem->tbarTool->y(), frmItem->pnlSearch->y());
    Stop();
    EXPECT_EQ(Setting("PREFORM", "COOL_1"), "1");
    EXPECT_EQ(Setting("PREFORM", "COOL_2B"), "1");
}

TEST_F(MainWindowTest, RemembersFilesThatCannotBeReopenedAsNone) {
    struct Case {
        const char* what;
        std::string path;
        int errors;  // reports of the open error
        QString caption;
    };
    std::string old = DataFile("old.mdb", {}, false);
    std::string text = dir.File("notes.mdb");
    WriteText(text, "not a data file\n");
    const std::vector<Case> cases = {
        {"a file that no longer exists", dir.File("gone.mdb"), 0, "構成表管理プログラム"},
        {"a version-1 file, closed silently", old, 0, "構成表管理ﾌﾟﾛｸﾞﾗﾑ []"},
        {"a text file", text, 1, "構成表管理ﾌﾟﾛｸﾞﾗﾑ []"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteText(ini, "[DATABASE]\r\nPATH=" + c.path + "\r\n");
        fake.Clear();
        Start();
        EXPECT_EQ(OpenPath(), "");
        EXPECT_EQ(Caption(), c.caption);
        EXPECT_EQ(Errors().size(), c.errors);
        EXPECT_TRUE(Infos().isEmpty());
        Stop();
        EXPECT_EQ(Setting("DATABASE", "PATH"), "");
    }
    EXPECT_EQ(ReadText(text), "not a data file\n");
}

TEST_F(MainWindowTest, SettingsFileThatCannotBeWrittenIsReportedAtExit) {
    WriteText(dir.File("plain-file"), "");
    std::string unwritable = dir.File("plain-file/Velmo.ini");  // its folder is a file
    SetSettingsPath(unwritable);
    Start();
    Stop();
    ASSERT_EQ(Infos().size(), 1);
    EXPECT_EQ(Infos()[0].toStdString(), "設定ファイル " + unwritable + " に書き込めません。(" + std::strerror(ENOTDIR) +
                                             ")\nｳｨﾝﾄﾞｳの配置と開いているﾃﾞｰﾀﾌｧｲﾙは次回の起動に引き継がれません。\n");
    EXPECT_TRUE(Errors().isEmpty());
    EXPECT_FALSE(FileExists(unwritable));
}

TEST_F(MainWindowTest, MenusAndToolBarFollowTheDesign) {
    Start();
    QStringList menus;
    for (QAction* a : frmItem->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{"ﾌｧｲﾙ(&F)", "編集(&E)", "ﾂｰﾙ(&T)", "ﾍﾙﾌﾟ(&H)"}));
    auto names = [](const QList<QAction*>& actions) {
        QStringList out;
        for (QAction* a : actions) out << (a->isSeparator() ? QString("-") : a->text());
        return out;
    };
    EXPECT_EQ(names(frmItem->menuBar()->actions()[0]->menu()->actions()),
              (QStringList{"新規作成(&N)", "ﾌｧｲﾙを開く(&O)", "名前をつけて保存(&S)", "-", "MDBﾌｧｲﾙ最適化(&C)", "-",
                           "印刷(&P)", "-", "終了(&X)"}));
    EXPECT_EQ(names(frmItem->mnuListView->actions()),
              (QStringList{"ｱｲﾃﾑ追加(&A)", "ｱｲﾃﾑｺﾋﾟｰ追加(&C)", "ｱｲﾃﾑ編集(&E)", "ｱｲﾃﾑ削除(&D)", "-", "構成表(&P)"}));
    QStringList hints;
    for (QAction* a : frmItem->tbarTool->actions()) {
        if (a->isSeparator()) hints << "-";
        else if (auto* b = qobject_cast<QToolButton*>(frmItem->tbarTool->widgetForAction(a))) hints << b->toolTip();
    }
    EXPECT_EQ(hints, (QStringList{"終了", "印刷", "-", "構成表", "-", "ｱｲﾃﾑ編集", "ｱｲﾃﾑ追加", "ｱｲﾃﾑ削除",
                                  "ｱｲﾃﾑｺﾋﾟｰして追加", "-", "環境設定", "取引先設定", "生産計画", "発注支援", "-",
                                  "ヘルプ"}));
}

TEST(FrameImages, EveryIndexHasItsOwnPicture) {
    auto distinct = [](int count, QIcon (*icon)(int)) {
        QSet<QByteArray> seen;
        for (int i = 0; i < count; ++i) {
            QImage img = icon(i).pixmap(16, 16).toImage();
            EXPECT_FALSE(img.isNull()) << i;
            QByteArray bytes(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes());
            EXPECT_FALSE(seen.contains(bytes)) << "image " << i << " repeats another";
            seen.insert(bytes);
        }
        EXPECT_TRUE(icon(count).isNull());
        EXPECT_TRUE(icon(-1).isNull());
    };
    distinct(TframeCommon::tiCount, TframeCommon::ToolbarIcon);
    distinct(TframeCommon::kGridItemCount, TframeCommon::GridItemIcon);
}

// --- the search list ---------------------------------------------------------

TEST_F(MainWindowTest, SearchListsTheCheckedCategoriesInShiftJisOrder) {
    Start();
    OpenFile(DataFile("data.mdb", kItems));
    Search();
    // Ａ (full width, 0x8260) sorts after the ASCII codes in Shift-JIS bytes.
    EXPECT_EQ(Column(0), (QStringList{"A'1", "B-100", "B-200", "P-1", "P-2", "S-1", "U-1", "Ａ2"}));
    EXPECT_EQ(List()->Row(RowOf("B-100")).image, 0);
    EXPECT_EQ(List()->Row(RowOf("U-1")).image, 1);
    EXPECT_EQ(List()->Row(RowOf("P-1")).image, 2);
    EXPECT_EQ(List()->Row(RowOf("S-1")).image, 5);
    EXPECT_EQ(List()->Row(RowOf("P-1")).texts, (QStringList{"P-1", "ねじ", "M3", "10mm"}));
    EXPECT_EQ(frmItem->sbarPanel1->text(), "該当件数: 8件　　");
    EXPECT_TRUE(frmItem->PrintAct->isEnabled());
    EXPECT_EQ(fake.waitDepth, 0);

    struct Case {
        QString find;
        bool body, unit, parts, set;
        QStringList codes;
    };
    const std::vector<Case> cases = {
        {"B", true, false, true, false, {"B-100", "B-200"}},
        {"b-1", true, true, true, true, {"B-100"}},  // letters match either case
        {"A'", true, true, true, true, {"A'1"}},     // a quote searches instead of failing
        {"   ", false, false, true, false, {"A'1", "P-1", "P-2"}},
        {"Z", true, true, true, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.find.toStdString());
        CheckCategories(c.body, c.unit, c.parts, c.set);
        Search(c.find);
        EXPECT_EQ(Column(0), c.codes);
        EXPECT_EQ(frmItem->sbarPanel1->text(), QString("該当件数: %1件　　").arg(c.codes.size()));
        EXPECT_EQ(frmItem->PrintAct->isEnabled(), !c.codes.isEmpty());
    }
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(MainWindowTest, SearchThatFailsLeavesAnEmptyWorkingList) {
    Start();
    OpenFile(DataFile("data.mdb", kItems));
    Search("B");
    Search("[B");  // an unclosed class in the code pattern
    EXPECT_EQ(Errors().size(), 1);
    EXPECT_EQ(List()->Count(), 0);
    EXPECT_EQ(frmItem->sbarPanel1->text(), "");
    EXPECT_FALSE(frmItem->PrintAct->isEnabled());
    EXPECT_EQ(fake.waitDepth, 0);
    EXPECT_TRUE(frmItem->lvMain->updatesEnabled());
    Search("B");
    EXPECT_EQ(List()->Count(), 2);
}

TEST_F(MainWindowTest, SearchWithoutACategoryKeepsTheList) {
    Start();
    OpenFile(DataFile("data.mdb", kItems));
    Search("B");
    CheckCategories(false, false, false, false);
    Search();
    EXPECT_EQ(Infos(), QStringList{"検索する区分(ｾｯﾄ/本体/ﾕﾆｯﾄ/ﾊﾟｰﾂ)を選択してください。\n"});
    EXPECT_EQ(Column(0), (QStringList{"B-100", "B-200"}));
}

TEST_F(MainWindowTest, HeaderClicksSortAndTheOrderSurvivesTheNextSearch) {
    Start();
    OpenFile(DataFile("data.mdb", kItems));
    Search("P");
    Select({"P-1"});
    auto mark = [&](int section) {
        return List()->headerData(section, Qt::Horizontal, Qt::DecorationRole).value<QIcon>().cacheKey();
    };
    const qint64 asc = TframeCommon::GridItemIcon(3).cacheKey(), desc = TframeCommon::GridItemIcon(4).cacheKey();
    EXPECT_EQ(mark(0), asc);

    frmItem->lvMain->header()->sectionClicked(1);
    EXPECT_EQ(frmItem->SortColumn, 2);
    EXPECT_EQ(Column(1), (QStringList{"ねじ", "ナット"}));
    frmItem->lvMain->header()->sectionClicked(1);
    EXPECT_EQ(frmItem->SortColumn, -2);
    EXPECT_EQ(Column(1), (QStringList{"ナット", "ねじ"}));
    EXPECT_EQ(mark(1), desc);
    EXPECT_EQ(mark(0), 0);
    EXPECT_EQ(frmItem->lvMain->SelectedRows(), QList<int>{RowOf("P-1")}) << "the selection moves with its row";

    Search("");
    EXPECT_EQ(frmItem->SortColumn, -2);
    // 全 (0x9153) is above 引 (0x88F8) in Shift-JIS, below it in UTF-8.
    EXPECT_EQ(Column(1), (QStringList{"ﾕﾆｯﾄ1", "本体B", "本体A", "全角", "引用符", "ナット", "セットα", "ねじ"}));
    EXPECT_EQ(mark(1), desc);
}

TEST_F(MainWindowTest, SelectionEnablesTheItemCommands) {
    Start();
    OpenFile(DataFile("data.mdb", kItems));
    Search();
    struct Case {
        QStringList rows;
        bool single;  // edit, delete, copy
        bool parts;   // 構成表
    };
    const std::vector<Case> cases = {
        {{}, false, false},
        {{"B-100"}, true, true},
        {{"P-1"}, true, false},
        {{"B-100", "P-1"}, false, false},
        {{"B-100", "B-200"}, false, true},
        {{"S-1", "U-1"}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows.join(",").toStdString());
        Select(c.rows);
        EXPECT_EQ(frmItem->ItemEditAct->isEnabled(), c.single);
        EXPECT_EQ(frmItem->ItemDelAct->isEnabled(), c.single);
        EXPECT_EQ(frmItem->ItemCopyAddAct->isEnabled(), c.single);
        EXPECT_EQ(frmItem->PartsFormCallAct->isEnabled(), c.parts);
    }
}

TEST_F(MainWindowTest, SearchSelectsTheGivenCode) {
    Start();
    OpenFile(DataFile("data.mdb", kItems));
    frmItem->SearchItem("P-2");
    EXPECT_EQ(frmItem->lvMain->SelectedRows(), QList<int>{RowOf("P-2")});
    EXPECT_TRUE(frmItem->ItemEditAct->isEnabled());
    frmItem->SearchItem("p-2");  // exact caption only
    EXPECT_TRUE(frmItem->lvMain->SelectedRows().isEmpty());
}

TEST_F(MainWindowTest, PrintHandsTheListInListOrderToTheItemReport) {
    Start();
    OpenFile(DataFile("data.mdb", kItems));
    CheckCategories(true, true, false, true);
    Search();
    frmItem->lvMain->header()->sectionClicked(0);  // code, descending
    frmItem->PrintAct->trigger();
    ASSERT_EQ(fake.previews.size(), 1u);
    EXPECT_EQ(fake.calls.back().extra, "wait");
    const ReportSnapshot& r = fake.previews[0];
    EXPECT_EQ(r.id, ReportId::Item);
    EXPECT_EQ(r.title, "品目リスト");
    std::vector<std::vector<std::string>> expected = {
        {"Ａ2", "Unit", "全角", "", ""},        {"U-1", "Unit", "ﾕﾆｯﾄ1", "組", ""},
        {"S-1", "Set", "セットα", "", ""},       {"B-200", "Body", "本体B", "箱", "L"},
        {"B-100", "Body", "本体A", "箱", "M"},
    };
    EXPECT_EQ(r.lines, expected);
}

// --- item commands -------------------------------------------------------------

TEST_F(MainWindowTest, DeleteAsksThroughTheMessageWindowAndDeletesOnYes) {
    Start();
    std::string data = DataFile("data.mdb", kItems);
    OpenFile(data);
    frmItem->Dao->Execute("INSERT INTO OrderPlan (OYM, CD, [ORDER]) VALUES ('202601', 'P-2', 1)");
    Search();
    Select({"P-2"});

    QStringList shown;
    fake.modal.push_back([&](QWidget*) {
        shown = {frmMsg->lbl01->text(), frmMsg->lbl02->text(), frmMsg->lbl03->text()};
        return 0;  // いいえ
    });
    frmItem->ItemDelAct->trigger();
    EXPECT_EQ(shown, (QStringList{"品番: P-2(区分: ﾊﾟｰﾂ)", "通称名: ナット", "を削除しますか？"}));
    EXPECT_TRUE(Column(0).contains("P-2"));

    fake.modal.push_back([](QWidget*) {
        frmMsg->SetAnswer(1);  // はい
        return 1;
    });
    frmItem->ItemDelAct->trigger();
    EXPECT_FALSE(Column(0).contains("P-2"));
    EXPECT_EQ(List()->Count(), 7);
    clsDao check;
    ASSERT_EQ(check.OpenDatabase(data), 0);
    clsDaoRs rs(check.GetDatabase());
    rs.OpenRecordset("SELECT * FROM OrderPlan WHERE CD = 'P-2'");
    EXPECT_FALSE(rs.IsEOF()) << "the plan rows of a deleted item stay";
    rs.Close();
    EXPECT_TRUE(Infos().isEmpty());
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(MainWindowTest, ItemsUsedInAStructureAreNotDeleted) {
    Start();
    OpenFile(DataFile("data.mdb", kItems));
    frmItem->Dao->Execute("INSERT INTO iStruct (CD1, CD2, INZU, KFLG, CFLG) VALUES ('B-100', 'A''1', 2, 1, 0)");
    Search();
    for (const char* code : {"A'1", "B-100"}) {  // child, parent
        SCOPED_TRACE(code);
        fake.Clear();
        Select({code});
        frmItem->ItemDelAct->trigger();
        EXPECT_EQ(Infos(), QStringList{"構成表に使用されています。削除できません。\n"});
        EXPECT_TRUE(fake.Texts("modal").isEmpty());
        EXPECT_EQ(List()->Count(), 8);
    }
}

TEST_F(MainWindowTest, CommandsOpenTheirWindows) {
    Start();
    std::string data = DataFile("data.mdb", kItems);
    OpenFile(data);
    Search();
    Select({"B-100", "S-1"});
    struct Case {
        QAction* action;
        const char* window;
    };
    const std::vector<Case> cases = {
        {frmItem->PartsFormCallAct, "TfrmParts"}, {frmItem->KankyoSetAct, "TfrmSet"},
        {frmItem->TMastaSetAct, "TfrmTori"},      {frmItem->OrderAct, "TfrmOrder"},
        {frmItem->SupAct, "TfrmSup"},             {frmItem->VersionDspAct, "TfrmVersion"},
        {frmItem->ItemAddAct, "TfrmMasItem"},
    };
    for (const auto& c : cases) {
        fake.Clear();
        c.action->trigger();
        EXPECT_EQ(fake.Texts("modal"), QStringList{c.window});
        EXPECT_EQ(fake.waitDepth, 0);
    }
    EXPECT_EQ(List()->Count(), 8) << "a cancelled item dialog does not search again";

    fake.Clear();
    frmItem->HelpAct->trigger();
    EXPECT_EQ(fake.Texts("shell"), QStringList{QString::fromStdString(ProgramDir() + "/Help/index.html")});

    // The CSV dialog works on the file with a connection of its own.
    for (QAction* a : {frmItem->ImportFileAct, frmItem->ExportFileAct}) {
        std::string during = "<not shown>";
        fake.modal.push_back([&](QWidget*) {
            during = frmItem->Dao->GetPath();
            return 0;
        });
        a->trigger();
        EXPECT_EQ(during, "");
        EXPECT_EQ(OpenPath(), data);
    }
    EXPECT_TRUE(Errors().isEmpty());

    frmItem->show();
    frmItem->ProgramEndAct->trigger();
    EXPECT_FALSE(frmItem->isVisible());
}

TEST_F(MainWindowTest, CommandsThatNeedAFileSayHowToGetOne) {
    Start();
    struct Case {
        QAction* action;
        const char* lastLine;
    };
    const std::vector<Case> cases = {
        {frmItem->ItemListFindAct, "検索を行ってください。"}, {frmItem->FileCompactAct, "検索を行ってください。"},
        {frmItem->ItemAddAct, "編集を行ってください。"},      {frmItem->OrderAct, "編集を行ってください。"},
        {frmItem->SupAct, "編集を行ってください。"},          {frmItem->FileSaveAct, "編集を行ってください。"},
    };
    for (const auto& c : cases) {
        fake.Clear();
        c.action->trigger();
        EXPECT_EQ(Infos(), QStringList{NoFileMessage(c.lastLine)}) << c.action->text().toStdString();
        EXPECT_EQ(fake.calls.size(), 1u) << "no dialog, no window";
    }
}

TEST_F(MainWindowTest, DataFileDeletedWhileOpenIsDroppedWithAMessage) {
    Start();
    std::string data = DataFile("data.mdb", kItems);
    OpenFile(data);
    Search();
    ASSERT_EQ(unlink(data.c_str()), 0);
    fake.Clear();
    Select({"B-100"});
    frmItem->ItemEditAct->trigger();
    ASSERT_EQ(Infos().size(), 1);
    EXPECT_TRUE(Infos()[0].contains(QString::fromStdString(data)));
    EXPECT_TRUE(Infos()[0].contains("見つかりません"));
    EXPECT_EQ(OpenPath(), "");
    EXPECT_EQ(Caption(), "構成表管理プログラム");
    EXPECT_EQ(List()->Count(), 0);
    EXPECT_TRUE(Errors().isEmpty());

    fake.Clear();
    frmItem->ItemListFindAct->trigger();
    EXPECT_EQ(Infos(), QStringList{NoFileMessage("検索を行ってください。")});
    EXPECT_FALSE(FileExists(data)) << "nothing recreates the file";
}
