// Window tests of the master-data dialogs: a fresh data file opened on the
// main window's connection, the settings in a temporary file and the
// platform fake answering for the user.
#pragma once
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "dbfixture.h"
#include "fakeplatform.h"
#include "globals.h"
#include "settings.h"
#include "ufitem.h"

class MasterWindowTest : public DataFileTest {
protected:
    void SetUp() override {
        DataFileTest::SetUp();
        SetSettingsPath(dir.File("Velmo.ini"));
        frmItem = new TfrmItem();
        ASSERT_EQ(frmItem->Dao->OpenDatabase(path), 0);
    }
    void TearDown() override {
        delete frmItem;
        frmItem = nullptr;
        SetSettingsPath("");
    }

    // Types text into an edit box key by key, as the user would.
    static void Type(QWidget* w, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
        }
    }
    // Calls of one kind, as "text" lines.
    QStringList Infos() const { return fake.Texts("info"); }
    QStringList Errors() const { return fake.Texts("error"); }

    FakePlatform fake;
};
