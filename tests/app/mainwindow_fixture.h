// The main window with the other fourteen windows, a settings file and data
// files in a temporary folder, and the platform fake answering for the user.
#pragma once
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "fakeplatform.h"
#include "globals.h"
#include "listmodel.h"
#include "settings.h"
#include "testutil.h"
#include "udao.h"
#include "udaoment.h"
#include "ufitem.h"

struct TestItem {
    const char* cd;
    int kbn;
    const char* name;
    const char* keitai = "";
    const char* kikaku = "";
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { SetSettingsPath(ini); }
    void TearDown() override {
        Stop();
        SetSettingsPath("");
    }

    void Start() { CreateWindows(); }
    // Ends the program: the windows are destroyed and write their settings.
    void Stop() {
        if (frmItem) DestroyWindows();
    }

    // A data file of the current layout (or of version 1: without OrderPlan
    // and Supply) holding the items.
    std::string DataFile(const std::string& name, const std::vector<TestItem>& items, bool current = true) {
        std::string path = dir.File(name);
        CreateSchema(path, 0);
        clsDao dao;
        EXPECT_EQ(dao.OpenDatabase(path), 0);
        for (const auto& i : items) {
            std::string q = "INSERT INTO MasItem (CD, KBN, NAME, KEITAI, KIKAKU) VALUES ('" + Esc(i.cd) + "', " +
                            std::to_string(i.kbn) + ", '" + Esc(i.name) + "', '" + Esc(i.keitai) + "', '" +
                            Esc(i.kikaku) + "')";
            EXPECT_EQ(dao.Execute(q), 0) << q;
        }
        if (!current) {
            dao.GetDatabase()->Prepare("DROP TABLE OrderPlan")->Step();
            dao.GetDatabase()->Prepare("DROP TABLE Supply")->Step();
        }
        dao.Close();
        return path;
    }
    static std::string Esc(const std::string& s) {
        std::string o;
        for (char c : s) o += c == '\'' ? std::string("''") : std::string(1, c);
        return o;
    }

    // Opens a data file through the window's own command.
    void OpenFile(const std::string& path) {
        fake.fileNames.push_back(QString::fromStdString(path));
        frmItem->FileOpenAct->trigger();
    }
    void Search(const QString& find = QString()) {
        frmItem->edtFind->setText(find);
        frmItem->ItemListFindAct->trigger();
    }
    void CheckCategories(bool body, bool unit, bool parts, bool set) {
        frmItem->chkHontai->setChecked(body);
        frmItem->chkUnit->setChecked(unit);
        frmItem->chkParts->setChecked(parts);
        frmItem->chkSet->setChecked(set);
    }

    TListModel* List() const { return frmItem->lvMain->Model(); }
    QStringList Column(int c) const {
        QStringList out;
        for (int i = 0; i < List()->Count(); ++i) out << List()->Row(i).texts.value(c);
        return out;
    }
    int RowOf(const QString& code) const { return static_cast<int>(Column(0).indexOf(code)); }
    void Select(const QStringList& codes) {
        frmItem->lvMain->clearSelection();
        for (const auto& c : codes) frmItem->lvMain->SelectRow(RowOf(c), false);
    }

    std::string Setting(const std::string& section, const std::string& key) const {
        return IniFile(ini).ReadString(section, key, "<missing>");
    }
    QStringList Infos() const { return fake.Texts("info"); }
    QStringList Errors() const { return fake.Texts("error"); }
    QString Caption() const { return frmItem->windowTitle(); }
    std::string OpenPath() const { return frmItem->Dao->GetPath(); }

    TempDir dir;
    std::string ini = dir.File("Velmo.ini");
    FakePlatform fake;
};

// The message of a command that needs a data file while none is open.
inline QString NoFileMessage(const char* lastLine) {
    return QString::fromUtf8(
               "現在ﾃﾞｰﾀﾌｧｲﾙが選択されていない状態です。\n"
               "(ﾌｧｲﾙ - 新規作成)ｺﾏﾝﾄﾞでﾃﾞｰﾀﾌｧｲﾙを作成するか、\n"
               "(ﾌｧｲﾙ - 開く)ｺﾏﾝﾄﾞでﾃﾞｰﾀﾌｧｲﾙを読み込むかしてから、\n") +
           QString::fromUtf8(lastLine);
}
