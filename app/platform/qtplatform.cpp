#include "qtplatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTranslator>
#include <QUrl>
#include <cstdio>

#include "reportpreview.h"

namespace {

QWidget* ActiveWindow() { return QApplication::activeWindow(); }

QString WithDefaultExt(const QString& name, const QString& ext) {
    if (name.isEmpty() || ext.isEmpty()) return name;
    return QFileInfo(name).suffix().isEmpty() ? name + "." + ext : name;
}

// The normal arrow while a box or dialog waits for the user, also inside an
// hourglass section; the hourglass comes back afterwards.
class ArrowCursor {
public:
    ArrowCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~ArrowCursor() { QApplication::restoreOverrideCursor(); }
    ArrowCursor(const ArrowCursor&) = delete;
    ArrowCursor& operator=(const ArrowCursor&) = delete;
};

// Ends a local event loop when the watched window is hidden or closed.
class HideWatcher : public QObject {
public:
    HideWatcher(QWidget* w, QEventLoop& loop) : loop_(loop) { w->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Hide || e->type() == QEvent::Close) loop_.quit();
        return false;
    }

private:
    QEventLoop& loop_;
};

}  // namespace

QString QtNameFilters(const QString& filter) {
    QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(';', ' ');
        out << parts[i] + " (" + pattern + ")";
    }
    return out.join(";;");
}

QString ErrorReportText(const QString& message) { return message.trimmed(); }

QString OverwriteQuestion(const QString& path) {
    return QFileInfo(path).fileName() + QStringLiteral(" は既に存在します。\n上書きしますか？");
}

QtPlatform::QtPlatform() {
    auto t = std::make_unique<QTranslator>();
    if (t->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(t.get());
        translator_ = std::move(t);
    }
}

QtPlatform::~QtPlatform() {
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
}

void QtPlatform::Info(const QString& text, const QString& caption) {
    ArrowCursor arrow;
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, ActiveWindow());
    box.exec();
}

bool QtPlatform::Question(const QString& text, const QString& caption, bool defaultYes) {
    ArrowCursor arrow;
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, ActiveWindow());
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(defaultYes ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void QtPlatform::ErrorReport(const QString& kind, const QString& message) {
    // The hourglass of the failed command is still on the stack of
    // override cursors; it is covered, not removed, so the sections that set
    // it stay balanced.
    // The kind of the error is for whoever looks into a fault, not for the
    // user's box.
    std::fprintf(stderr, "%s: %s\n", kind.toUtf8().constData(), message.toUtf8().constData());
    ArrowCursor arrow;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("アプリケーション エラー"), ErrorReportText(message),
                    QMessageBox::Ok, ActiveWindow());
    box.exec();
}

QString QtPlatform::OpenFileName(const FileDialogOptions& o) {
    ArrowCursor arrow;
    QFileDialog dlg(ActiveWindow(), o.title, o.initialPath, QtNameFilters(o.filter));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(o.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!o.defaultExt.isEmpty()) dlg.setDefaultSuffix(o.defaultExt);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
    return WithDefaultExt(dlg.selectedFiles().first(), o.defaultExt);
}

QString QtPlatform::SaveFileName(const FileDialogOptions& o) {
    ArrowCursor arrow;
    QFileDialog dlg(ActiveWindow(), o.title, o.initialPath, QtNameFilters(o.filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (!o.defaultExt.isEmpty()) dlg.setDefaultSuffix(o.defaultExt);
    // The overwrite question is asked here, in the program's own words, after
    // the default extension has been added.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    for (;;) {
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
        QString name = WithDefaultExt(dlg.selectedFiles().first(), o.defaultExt);
        if (!o.overwritePrompt || !QFileInfo::exists(name)) return name;
        if (Question(OverwriteQuestion(name), o.title, false)) return name;
        dlg.selectFile(name);
    }
}

bool QtPlatform::ShellOpen(const QString& target) {
    bool isUrl = target.contains(':') && !target.startsWith('/');
    if (!isUrl && !QFileInfo::exists(target)) return false;
    QUrl url = isUrl ? QUrl(target) : QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    // False when no program could be started for it.
    return QDesktopServices::openUrl(url);
}

void QtPlatform::SetWaitCursor(bool on) {
    if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

int QtPlatform::ShowModal(QWidget* window) {
    if (auto* dlg = qobject_cast<QDialog*>(window)) return dlg->exec();
    // A plain window is shown application-modal and waited for until it is
    // hidden or closed.
    Qt::WindowModality old = window->windowModality();
    window->setWindowModality(Qt::ApplicationModal);
    QPointer<QWidget> guard(window);
    QEventLoop loop;
    HideWatcher watcher(window, loop);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->show();
    if (window->isVisible()) loop.exec();
    if (guard) {
        guard->removeEventFilter(&watcher);
        guard->setWindowModality(old);
    }
    return 0;
}

void QtPlatform::PreviewReport(const ReportSnapshot& report, bool wait) { ShowReportPreview(report, wait); }
