#include "qtplatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "reportpreview.h"

namespace {

QWidget* ActiveWindow() { return QApplication::activeWindow(); }

QString WithDefaultExt(const QString& name, const QString& ext) {
    if (name.isEmpty() || ext.isEmpty()) return name;
    return QFileInfo(name).suffix().isEmpty() ? name + "." + ext : name;
}

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

void QtPlatform::Info(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, ActiveWindow());
    box.exec();
}

bool QtPlatform::Question(const QString& text, const QString& caption, bool defaultYes) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, ActiveWindow());
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(defaultYes ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void QtPlatform::ErrorReport(const QString& kind, const QString& message) {
    QApplication::restoreOverrideCursor();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("アプリケーション エラー"), message, QMessageBox::Ok,
                    ActiveWindow());
    box.setInformativeText(kind);
    box.exec();
}

QString QtPlatform::OpenFileName(const FileDialogOptions& o) {
    QFileDialog dlg(ActiveWindow(), o.title, o.initialPath, QtNameFilters(o.filter));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(o.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontUseNativeDialog, false);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
    return WithDefaultExt(dlg.selectedFiles().first(), o.defaultExt);
}

QString QtPlatform::SaveFileName(const FileDialogOptions& o) {
    QFileDialog dlg(ActiveWindow(), o.title, o.initialPath, QtNameFilters(o.filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (!o.defaultExt.isEmpty()) dlg.setDefaultSuffix(o.defaultExt);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !o.overwritePrompt);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
    return dlg.selectedFiles().first();
}

void QtPlatform::ShellOpen(const QString& target) {
    QUrl url = target.contains(':') && !target.startsWith('/') ? QUrl(target) : QUrl::fromLocalFile(target);
    QDesktopServices::openUrl(url);
}

void QtPlatform::SetWaitCursor(bool on) {
    if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

int QtPlatform::ShowModal(QWidget* window) {
    if (auto* dlg = qobject_cast<QDialog*>(window)) return dlg->exec();
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    return 0;
}

void QtPlatform::PreviewReport(const ReportSnapshot& report, bool wait) { ShowReportPreview(report, wait); }
