// The shared dialogs: progress window, yes/no question, version window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "fakeplatform.h"
#include "testutil.h"
#include "ufmsg.h"
#include "ufprg.h"
#include "ufversion.h"
#include "velmo_version.h"

namespace {

void Key(QWidget* w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

void Click(QWidget* w) {
    QPointF at(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

// Shows a window for real (offscreen) and makes it the active one.
void ShowActive(QWidget* w) {
    w->show();
    QApplication::setActiveWindow(w);
    w->activateWindow();
    QCoreApplication::processEvents();
}

}  // namespace

TEST(MessageDialog, AnswersByButtonEnterAndClose) {
    // What the user does once the window is on screen and active.
    struct Case {
        const char* what;
        unsigned char preset;
        std::function<void(TfrmMsg*)> act;
        unsigned char answer;
    };
    const Case cases[] = {
        {"click はい", 0, [](TfrmMsg* m) { Click(m->btnYes); }, 1},
        {"click いいえ", 1, [](TfrmMsg* m) { Click(m->btnNo); }, 0},
        {"Enter right away", 1, [](TfrmMsg*) { Key(QApplication::focusWidget(), Qt::Key_Return); }, 0},
        {"close by the title bar", 0, [](TfrmMsg* m) { m->close(); }, 0},
        {"close by the title bar", 1, [](TfrmMsg* m) { m->close(); }, 1},
        {"Escape", 0, [](TfrmMsg* m) { Key(m, Qt::Key_Escape); }, 0},
    };
    FakePlatform fake;
    TfrmMsg msg;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " preset " + std::to_string(c.preset));
        msg.lbl01->setText("A-1000 卓上ボール盤");
        msg.SetAnswer(c.preset);
        fake.modal.push_back([&](QWidget* w) {
            auto* m = static_cast<TfrmMsg*>(w);
            ShowActive(m);
            EXPECT_EQ(QApplication::focusWidget(), m->btnNo);
            c.act(m);
            EXPECT_FALSE(m->isVisible());
            m->hide();
            return m->result();
        });
        Platform().ShowModal(&msg);
        EXPECT_EQ(msg.GetAnswer(), c.answer);
    }
    EXPECT_EQ(fake.calls.back().extra, "構成表管理ﾌﾟﾛｸﾞﾗﾑ");
}

TEST(MessageDialog, NoTakesTheFocusOnEveryActivation) {
    TfrmMsg msg;
    QWidget other;
    ShowActive(&msg);
    msg.btnYes->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), msg.btnYes);
    ShowActive(&other);
    ShowActive(&msg);
    EXPECT_EQ(QApplication::focusWidget(), msg.btnNo);
    EXPECT_TRUE(msg.btnNo->isDefault());
    msg.hide();
    other.hide();
}

TEST(MessageDialog, ThreeCentredLines) {
    TfrmMsg msg;
    EXPECT_EQ(msg.size(), QSize(431, 123));
    int top = 18;
    for (QLabel* l : {msg.lbl01, msg.lbl02, msg.lbl03}) {
        EXPECT_EQ(l->geometry().top(), top);
        EXPECT_EQ(l->width(), 431);
        EXPECT_TRUE(l->alignment() & Qt::AlignHCenter);
        top += 20;
    }
    EXPECT_EQ(msg.btnYes->text(), "はい");
    EXPECT_EQ(msg.btnNo->text(), "いいえ");
}

TEST(ProgressWindow, LayoutDependsOnTreeAvi) {
    TempDir withAvi, without;
    WriteText(withAvi.File("TREE.avi"), "RIFF");
    struct Case {
        const TempDir& dir;
        int height;
        TAnimate::Kind kind;
        QRect animate;
        QPoint label1;
        int msgTop;
        int frames;
    };
    const Case cases[] = {
        {withAvi, 97, TAnimate::Kind::Tree, QRect(24, 9, 32, 32), QPoint(81, 17), 47, 14},
        {without, 123, TAnimate::Kind::FileCopy, QRect(0, 0, 269, 60), QPoint(65, 80), 64, 20},
    };
    for (const auto& c : cases) {
        TfrmPrg prg(nullptr, QString::fromStdString(c.dir.Path()));
        EXPECT_EQ(prg.size(), QSize(269, c.height));
        EXPECT_EQ(prg.Animate1->GetKind(), c.kind);
        EXPECT_EQ(prg.Animate1->geometry(), c.animate);
        EXPECT_EQ(prg.Animate1->FrameCount(), c.frames);
        EXPECT_EQ(prg.Label1->pos(), c.label1);
        EXPECT_EQ(prg.Label1->text(), "しばらくお待ちください・・・");
        EXPECT_EQ(prg.lblMsg->y(), c.msgTop);
        EXPECT_EQ(prg.lblMsg->width(), 257);
        EXPECT_TRUE(prg.lblMsg->alignment() & Qt::AlignHCenter);
    }
}

TEST(ProgressWindow, CallerDrivesCaptionMessageAndAnimation) {
    TempDir dir;
    TfrmPrg prg(nullptr, QString::fromStdString(dir.Path()));
    EXPECT_EQ(prg.windowTitle(), "構造ﾃﾞｰﾀを読み込んでいます....");
    EXPECT_FALSE(prg.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(prg.windowFlags() & Qt::WindowStaysOnTopHint);

    prg.setWindowTitle("構造ﾃﾞｰﾀを読み込んでいます...");
    prg.lblMsg->setText("0");
    prg.StartAnimation();
    prg.show();
    EXPECT_FALSE(prg.isModal());
    ASSERT_NE(prg.windowHandle(), nullptr);
    EXPECT_TRUE(prg.windowHandle()->isExposed()) << "on screen before the work starts";
    for (int i = 1; i <= 3; ++i) {
        prg.lblMsg->setText(QString::number(i * 100));
        prg.repaint();
        EXPECT_TRUE(prg.Animate1->Active());
        EXPECT_GE(prg.Animate1->Frame(), 1);
        EXPECT_LE(prg.Animate1->Frame(), prg.Animate1->FrameCount());
    }
    Key(&prg, Qt::Key_Escape);
    EXPECT_TRUE(prg.isVisible()) << "Escape does not end the caller's work";
    prg.StopAnimation();
    prg.close();
    EXPECT_FALSE(prg.Animate1->Active());
    EXPECT_FALSE(prg.isVisible());
}

TEST(VersionWindow, TextsAndLinksOpenThroughTheShell) {
    FakePlatform fake;
    TfrmVersion ver;
    EXPECT_EQ(ver.windowTitle(), "ﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(ver.Label1->text(), "構成表管理プログラム");
    // The project version, as Velmo --version prints it.
    EXPECT_EQ(ver.Label2->text(), "Ver " VELMO_VERSION);
    EXPECT_EQ(ver.Label6->text(), "お問合せ先メールアドレス");
    EXPECT_FALSE(ver.Image1->pixmap().isNull());
    for (QLabel* link : {static_cast<QLabel*>(ver.Label4), static_cast<QLabel*>(ver.Label5)}) {
        EXPECT_TRUE(link->font().underline());
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    }
    ShowActive(&ver);
    Click(ver.Label4);
    Click(ver.Label5);
    Click(ver.Label6);  // not a link
    EXPECT_EQ(fake.Texts("shell"), QStringList({"https://www.velmo.example/", "mailto:support@velmo.example"}));
    ver.close();
}
