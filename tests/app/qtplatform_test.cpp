// The Qt implementation of the platform layer, driven offscreen: a script
// plays the user on each modal window as it comes up, so no test waits on a
// dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QPointer>
#include <QTimer>
#include <deque>

#include "qtplatform.h"
#include "testutil.h"

namespace {

// Runs one step per modal window, in the order they appear. A modal window
// the script does not expect is closed and reported, so a test never hangs.
class ModalScript {
public:
    explicit ModalScript(std::deque<std::function<void(QWidget*)>> steps) : steps_(std::move(steps)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(5);
    }
    ~ModalScript() { EXPECT_TRUE(steps_.empty()) << steps_.size() << " expected window(s) never came up"; }

private:
    void Poll() {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w == last_) return;
        last_ = w;
        if (steps_.empty()) {
            ADD_FAILURE() << "unexpected modal window " << w->metaObject()->className();
            w->close();
            return;
        }
        auto step = steps_.front();
        steps_.pop_front();
        step(w);
    }

    std::deque<std::function<void(QWidget*)>> steps_;
    QTimer timer_;
    QPointer<QWidget> last_;
};

Qt::CursorShape CurrentOverride() {
    const QCursor* c = QApplication::overrideCursor();
    return c ? c->shape() : Qt::BitmapCursor;  // BitmapCursor: none set
}

}  // namespace

TEST(QtPlatformBoxes, ErrorReportShowsTheMessageOnlyAndKeepsTheHourglassBalanced) {
    QtPlatform qt;
    qt.SetWaitCursor(true);
    qt.SetWaitCursor(true);  // nested sections
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::CursorShape during = Qt::BitmapCursor;
    {
        ModalScript script({[&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            during = CurrentOverride();
            box->accept();
        }});
        qt.ErrorReport("EDaoError", "テーブル 'MasItem' の列 'CD' に 20 文字を超える値は入りません。");
    }
    EXPECT_EQ(title, "アプリケーション エラー");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(text, "テーブル 'MasItem' の列 'CD' に 20 文字を超える値は入りません。")
        << "no internal class name in the user's box";
    EXPECT_EQ(during, Qt::ArrowCursor) << "the user answers the box with the normal pointer";
    EXPECT_EQ(CurrentOverride(), Qt::WaitCursor) << "the work goes on under the hourglass";
    qt.SetWaitCursor(false);
    EXPECT_EQ(CurrentOverride(), Qt::WaitCursor);
    qt.SetWaitCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtPlatformBoxes, QuestionHasItsDefaultButtonAndTitle) {
    QtPlatform qt;
    for (bool defaultYes : {true, false}) {
        QString title, def;
        ModalScript script({[&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            def = box->defaultButton()->text();
            box->defaultButton()->click();  // Enter
        }});
        EXPECT_EQ(qt.Question("2024年05月の計画を保存しますか？", "Velmo", defaultYes), defaultYes);
        EXPECT_EQ(title, "Velmo");
        EXPECT_EQ(def, defaultYes ? "はい(&Y)" : "いいえ(&N)");
    }
}

TEST(QtPlatformFiles, SaveAddsTheExtensionAndAsksBeforeOverwriting) {
    QtPlatform qt;
    TempDir dir;
    WriteText(dir.File("plan.csv"), "keep");
    FileDialogOptions o;
    o.title = "CSVﾌｧｲﾙ保存";
    o.filter = "CSVﾌｧｲﾙ|*.csv|全てのﾌｧｲﾙ|*.*";
    o.defaultExt = "csv";
    o.overwritePrompt = true;
    o.initialPath = QString::fromStdString(dir.Path());

    auto choose = [](const std::string& path) {
        return [path](QWidget* w) {
            auto* dlg = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dlg, nullptr);
            // The name box as the user types it: selectFile alone may lose
            // to the dialog's folder model, which loads in the background.
            dlg->selectFile(QString::fromStdString(path));
            if (auto* name = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                name->setText(QString::fromStdString(path));
            static_cast<QDialog*>(dlg)->accept();  // the dialog's own check of the name runs
        };
    };
    QString question;
    {
        // "plan" names the existing plan.csv: asked, No; then a new name.
        ModalScript script({choose(dir.File("plan")),
                            [&](QWidget* w) {
                                auto* box = qobject_cast<QMessageBox*>(w);
                                ASSERT_NE(box, nullptr);
                                question = box->text();
                                EXPECT_EQ(box->defaultButton()->text(), "いいえ(&N)");
                                box->defaultButton()->click();
                            },
                            choose(dir.File("plan2"))});
        EXPECT_EQ(qt.SaveFileName(o), QString::fromStdString(dir.File("plan2.csv")));
    }
    EXPECT_EQ(question, "plan.csv は既に存在します。\n上書きしますか？");
    EXPECT_EQ(ReadText(dir.File("plan.csv")), "keep");

    // Without the prompt an existing file is taken as it is; cancel gives "".
    o.overwritePrompt = false;
    {
        ModalScript script({choose(dir.File("plan.csv"))});
        EXPECT_EQ(qt.SaveFileName(o), QString::fromStdString(dir.File("plan.csv")));
    }
    {
        ModalScript script({[](QWidget* w) { static_cast<QDialog*>(w)->reject(); }});
        EXPECT_EQ(qt.SaveFileName(o), QString());
    }
}

TEST(QtPlatformModal, PlainWindowIsWaitedForUntilHidden) {
    QtPlatform qt;
    QWidget window;
    window.setWindowTitle("構成表");
    bool ran = false;
    {
        ModalScript script({[&](QWidget* w) {
            EXPECT_EQ(w, &window);
            ran = true;
            w->hide();
        }});
        qt.ShowModal(&window);
    }
    EXPECT_TRUE(ran);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.windowModality(), Qt::NonModal);
}
