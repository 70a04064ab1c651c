// The platform layer on Qt widgets.
#pragma once
#include "platform.h"

class QtPlatform : public IPlatform {
public:
    void Info(const QString& text, const QString& caption) override;
    bool Question(const QString& text, const QString& caption, bool defaultYes) override;
    void ErrorReport(const QString& kind, const QString& message) override;
    QString OpenFileName(const FileDialogOptions& o) override;
    QString SaveFileName(const FileDialogOptions& o) override;
    void ShellOpen(const QString& target) override;
    void SetWaitCursor(bool on) override;
    int ShowModal(QWidget* window) override;
    void PreviewReport(const ReportSnapshot& report, bool wait) override;
};

// "desc|*.a|desc2|*.b" as a Qt name filter list "desc (*.a);;desc2 (*.b)".
QString QtNameFilters(const QString& filter);
