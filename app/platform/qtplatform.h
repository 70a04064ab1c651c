// The platform layer on Qt widgets.
#pragma once
#include <QString>
#include <memory>

#include "platform.h"

class QTranslator;

class QtPlatform : public IPlatform {
public:
    // Installs the Japanese texts of Qt's own dialogs (file, print, preview)
    // when they are available. Create after the QApplication.
    QtPlatform();
    ~QtPlatform() override;

    void Info(const QString& text, const QString& caption) override;
    bool Question(const QString& text, const QString& caption, bool defaultYes) override;
    void ErrorReport(const QString& kind, const QString& message) override;
    QString OpenFileName(const FileDialogOptions& o) override;
    QString SaveFileName(const FileDialogOptions& o) override;
    bool ShellOpen(const QString& target) override;
    void SetWaitCursor(bool on) override;
    int ShowModal(QWidget* window) override;
    void PreviewReport(const ReportSnapshot& report, bool wait) override;

private:
    std::unique_ptr<QTranslator> translator_;
};

// "desc|*.a|desc2|*.b" as a Qt name filter list "desc (*.a);;desc2 (*.b)".
QString QtNameFilters(const QString& filter);

// The error report's text: the message only; the kind of the error goes to
// stderr.
QString ErrorReportText(const QString& message);

// The overwrite question of the save dialog.
QString OverwriteQuestion(const QString& path);
