#include "previewdialog.h"

#include <QDateTime>
#include <QPrinter>

#include "bandrenderer.h"

ReportPreviewDialog::ReportPreviewDialog(ReportSnapshot report, QWidget* parent)
    : QPrintPreviewDialog(parent), report_(std::move(report)) {
    QString title = QString::fromStdString(report_.title);
    setWindowTitle(title + QStringLiteral(" - 印刷ﾌﾟﾚﾋﾞｭｰ"));
    SetReportPageLayout(*printer());
    printer()->setDocName(title);
    printer()->setCreator(QStringLiteral("Velmo"));
    resize(1100, 800);
    connect(this, &QPrintPreviewDialog::paintRequested, this, &ReportPreviewDialog::Generate);
}

void ReportPreviewDialog::Generate(QPrinter* printer) {
    ++generations_;
    lastPages_ = RenderReport(report_, *printer, QDateTime::currentDateTime());
}
