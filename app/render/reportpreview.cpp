#include "reportpreview.h"

#include <QApplication>
#include <QBuffer>
#include <QDateTime>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QPrinter>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "bandrenderer.h"
#include "fileutil.h"
#include "previewdialog.h"

namespace {

// velmo-cli has no Qt application of its own; fonts and painting need one.
// Without a platform chosen by the user it runs offscreen, so no display is
// needed. The application lives until the process ends.
bool EnsureGuiApplication(std::string* error) {
    QCoreApplication* app = QCoreApplication::instance();
    if (qobject_cast<QGuiApplication*>(app)) return true;
    if (app) {
        if (error) *error = "帳票を描画できません (GUI を使えない Qt アプリケーションです)。";
        return false;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the environment (no runtime folder and the like) are
    // no business of a script reading the tool's error output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(msg));
    });
    static int argc = 1;
    static char name[] = "velmo-cli";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    return true;
}

// A preview belongs to the window that printed: it stays above it, and it
// can be used while that window is shown modally (a window of its own would
// be blocked by it).
QWidget* OwnerWindow() { return QApplication::activeWindow(); }

}  // namespace

void ShowReportPreview(const ReportSnapshot& report, bool wait) {
    if (wait) {
        ReportPreviewDialog dlg(report, OwnerWindow());
        dlg.exec();
        return;
    }
    auto* dlg = new ReportPreviewDialog(report, OwnerWindow());
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->setWindowModality(Qt::NonModal);
    dlg->show();
}

bool RenderReportPdf(const ReportSnapshot& report, const std::string& path, std::string* error) {
    if (!EnsureGuiApplication(error)) return false;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Velmo"));
        writer.setTitle(QString::fromStdString(report.title));
        SetReportPageLayout(writer);
        if (RenderReport(report, writer, QDateTime::currentDateTime()) == 0) {
            if (error) *error = "帳票を描画できません。";
            return false;
        }
    }
    // The whole document is written at once and then renamed into place, so a
    // full disk or a refused folder never leaves a truncated PDF behind.
    const QByteArray& bytes = buffer.data();
    if (!WriteFileAtomic(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())))) {
        if (error) *error = "PDFﾌｧｲﾙを作成できません: " + path + " (" + std::strerror(errno) + ")";
        return false;
    }
    return true;
}
