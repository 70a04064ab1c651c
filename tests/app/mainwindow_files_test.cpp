// The main window's data file commands: 新規作成, ﾌｧｲﾙを開く, 名前をつけて保存,
// MDBﾌｧｲﾙ最適化, with every answer of their dialogs.
#include <sys/stat.h>

#include "fileutil.h"
#include "mainwindow_fixture.h"
#include "ufmsg.h"
#include "unprivileged.h"

namespace {

const std::vector<TestItem> kItems = {{"B-1", 2, "本体"}, {"P-1", 0, "部品"}};
const QString kOldVersion =
    "ﾃﾞｰﾀﾍﾞｰｽのﾊﾞｰｼﾞｮﾝが古いです。\n変換用のﾌﾟﾛｸﾞﾗﾑVelmo1_2.exeで\nﾃﾞｰﾀﾍﾞｰｽの変換を行ってください。\n";

QString CaptionOf(const std::string& path) { return QString::fromStdString("構成表管理ﾌﾟﾛｸﾞﾗﾑ [" + path + "]"); }

}  // namespace

class FileCommandsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        data = DataFile("data.mdb", kItems);
        Start();
        OpenFile(data);
        Search();
        fake.Clear();
    }
    std::string data;
};

TEST_F(FileCommandsTest, CancelledDialogsChangeNothing) {
    for (QAction* a : {frmItem->FileNewAct, frmItem->FileOpenAct, frmItem->FileSaveAct}) a->trigger();
    ASSERT_EQ(fake.dialogs.size(), 3u);
    const auto& n = fake.dialogs[0];
    EXPECT_EQ(n.title, "新規作成");
    EXPECT_EQ(n.filter, "MDBﾌｧｲﾙ|*.mdb|全てのﾌｧｲﾙ|*.*");
    EXPECT_EQ(n.defaultExt, "mdb");
    EXPECT_TRUE(n.overwritePrompt);
    EXPECT_EQ(fake.dialogs[1].title, "ﾌｧｲﾙを開く");
    EXPECT_TRUE(fake.dialogs[1].mustExist);
    EXPECT_EQ(fake.dialogs[1].defaultExt, "");
    EXPECT_EQ(fake.dialogs[2].title, "名前をつけて保存");
    EXPECT_TRUE(fake.dialogs[2].overwritePrompt);

    fake.Clear();
    frmItem->FileCompactAct->trigger();  // answered いいえ
    EXPECT_EQ(fake.Texts("question"), QStringList{"現在開いているﾃﾞｰﾀﾍﾞｰｽを最適化します。よろしいですか？"});
    EXPECT_TRUE(Infos().isEmpty());

    EXPECT_EQ(OpenPath(), data);
    EXPECT_EQ(Caption(), CaptionOf(data));
    EXPECT_EQ(List()->Count(), 2);
}

TEST_F(FileCommandsTest, NewCreatesAnEmptyFileAndOpensIt) {
    std::string fresh = dir.File("fresh.mdb");
    fake.fileNames.push_back(QString::fromStdString(fresh));
    frmItem->FileNewAct->trigger();
    EXPECT_EQ(OpenPath(), fresh);
    EXPECT_EQ(Caption(), CaptionOf(fresh));
    EXPECT_EQ(List()->Count(), 0);

    // The name of the open file: closed, replaced by an empty file, opened.
    OpenFile(data);
    fake.fileNames.push_back(QString::fromStdString(data));
    frmItem->FileNewAct->trigger();
    EXPECT_EQ(OpenPath(), data);
    Search();
    EXPECT_EQ(List()->Count(), 0);
    EXPECT_TRUE(Errors().isEmpty());
    EXPECT_TRUE(Infos().isEmpty());
}

TEST_F(FileCommandsTest, NewThatCannotBeCreatedKeepsThePreviousFileOpen) {
    fake.fileNames.push_back(QString::fromStdString(dir.File("no-such-folder/new.mdb")));
    frmItem->FileNewAct->trigger();
    EXPECT_EQ(Errors().size(), 1);
    EXPECT_EQ(OpenPath(), data);
    EXPECT_EQ(Caption(), CaptionOf(data));
    EXPECT_EQ(List()->Count(), 2);
}

TEST_F(FileCommandsTest, OpenSwitchesFilesAndEmptiesTheList) {
    std::string other = DataFile("other.mdb", {{"X-1", 3, "ｾｯﾄ"}});
    OpenFile(other);
    EXPECT_EQ(OpenPath(), other);
    EXPECT_EQ(Caption(), CaptionOf(other));
    EXPECT_EQ(List()->Count(), 0);
    Search();
    EXPECT_EQ(Column(0), QStringList{"X-1"});
    EXPECT_TRUE(fake.Texts("info").isEmpty());
}

TEST_F(FileCommandsTest, OldVersionFileIsRefusedAndThePreviousFileStaysOpen) {
    std::string old = DataFile("old.mdb", {{"Z-1", 2, "古い"}}, false);
    OpenFile(old);
    EXPECT_EQ(Infos(), QStringList{kOldVersion});
    EXPECT_TRUE(Errors().isEmpty());
    EXPECT_EQ(OpenPath(), data);
    EXPECT_EQ(Caption(), CaptionOf(data));
    EXPECT_EQ(List()->Count(), 2);
}

TEST_F(FileCommandsTest, FilesThatAreNotDataFilesAreReportedOnceAndWriteNothing) {
    std::string text = dir.File("memo.mdb");
    WriteText(text, "品番,通称名\r\nB-1,本体\r\n");
    std::string damaged = dir.File("damaged.mdb");
    std::string bytes = ReadText(data);
    bytes.replace(100, 4000, std::string(4000, '\x5a'));  // header intact, pages garbled
    WriteText(damaged, bytes);
    for (const std::string& bad : {text, damaged}) {
        SCOPED_TRACE(bad);
        fake.Clear();
        std::string before = ReadText(bad), openBefore = ReadText(data);
        OpenFile(bad);
        EXPECT_EQ(Errors().size(), 1) << "one report of the open error, none from a close";
        EXPECT_TRUE(Infos().isEmpty()) << "not taken for an old-version data file";
        EXPECT_EQ(OpenPath(), data);
        EXPECT_EQ(Caption(), CaptionOf(data));
        EXPECT_EQ(List()->Count(), 2);
        EXPECT_EQ(ReadText(bad), before);
        EXPECT_EQ(ReadText(data), openBefore);
    }
}

TEST_F(FileCommandsTest, SaveAsCopiesTheOpenFileAndWorksOnTheCopy) {
    std::string copy = dir.File("copy.mdb");
    std::string original = ReadText(data);
    fake.fileNames.push_back(QString::fromStdString(copy));
    frmItem->FileSaveAct->trigger();
    EXPECT_EQ(OpenPath(), copy);
    EXPECT_EQ(Caption(), CaptionOf(copy));
    EXPECT_EQ(ReadText(copy), original);
    EXPECT_EQ(List()->Count(), 2) << "the list is not touched";

    // The open file itself as the target: left as it is.
    fake.fileNames.push_back(QString::fromStdString(copy));
    frmItem->FileSaveAct->trigger();
    EXPECT_EQ(OpenPath(), copy);
    EXPECT_EQ(ReadText(copy), original);
    Search();
    EXPECT_EQ(List()->Count(), 2);
    EXPECT_TRUE(Infos().isEmpty());
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(FileCommandsTest, SaveAsThatFailsLeavesNoHalfFile) {
    std::string copy = dir.File("copy.mdb");
    fake.fileNames.push_back(QString::fromStdString(copy));
    {
        FileSizeLimit disk(1024);  // the disk fills up during the copy
        frmItem->FileSaveAct->trigger();
    }
    ASSERT_EQ(Infos().size(), 1);
    EXPECT_TRUE(Infos()[0].contains("保存できませんでした")) << Infos()[0].toStdString();
    EXPECT_FALSE(FileExists(copy));
    EXPECT_EQ(OpenPath(), data);
    EXPECT_EQ(Caption(), CaptionOf(data));
}

TEST_F(FileCommandsTest, CompactReopensTheSameFile) {
    frmItem->Dao->Execute("DELETE FROM MasItem WHERE CD = 'P-1'");
    fake.answers.push_back(true);
    frmItem->FileCompactAct->trigger();
    EXPECT_EQ(Infos(), QStringList{"最適化が終了しました。"});
    EXPECT_EQ(fake.waitDepth, 0);
    EXPECT_EQ(OpenPath(), data);
    EXPECT_EQ(Caption(), CaptionOf(data));
    EXPECT_EQ(List()->Count(), 2) << "the list is not touched";
    Search();
    EXPECT_EQ(Column(0), QStringList{"B-1"});
}

TEST_F(FileCommandsTest, CompactThatFailsKeepsTheFileOpen) {
    std::string before = ReadText(data);
    fake.answers.push_back(true);
    {
        FileSizeLimit disk(1024);
        frmItem->FileCompactAct->trigger();
    }
    EXPECT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Infos().isEmpty());
    EXPECT_EQ(fake.waitDepth, 0);
    EXPECT_EQ(OpenPath(), data);
    EXPECT_EQ(ReadText(data), before);
}

TEST_F(FileCommandsTest, ReadOnlyDataFile) {
    if (RerunAsNobody()) return;
    ASSERT_EQ(chmod(data.c_str(), 0444), 0);
    OpenFile(data);  // opened read-only
    Search();
    EXPECT_EQ(List()->Count(), 2) << "a read-only file can be searched";
    Select({"P-1"});
    fake.modal.push_back([](QWidget*) {
        frmMsg->SetAnswer(1);
        return 1;
    });
    frmItem->ItemDelAct->trigger();
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Errors()[0].contains("読み取り専用"));
    EXPECT_EQ(List()->Count(), 2);

    fake.Clear();
    frmItem->FileCompactAct->trigger();
    EXPECT_EQ(Infos(), QStringList{"ﾃﾞｰﾀﾌｧｲﾙが読み取り専用のため、最適化できません。\n"});
    EXPECT_TRUE(fake.Texts("question").isEmpty());

    fake.Clear();
    fake.fileNames.push_back(QString::fromStdString(data));
    frmItem->FileNewAct->trigger();
    ASSERT_EQ(Infos().size(), 1);
    EXPECT_TRUE(Infos()[0].contains("読み取り専用"));
    Search();
    EXPECT_EQ(List()->Count(), 2) << "the file was not replaced";
}
