// The preview of one report on Qt's print preview dialog. The dialog keeps
// its own copy of the report, so the lines it shows and prints stay those it
// was opened with, whatever the windows hand the report form later. Every
// generation (the preview itself, each print started from it) draws the
// report again from its first line.
#pragma once
#include <QPrintPreviewDialog>

#include "reportdata.h"

class QPrinter;

class ReportPreviewDialog : public QPrintPreviewDialog {
    Q_OBJECT
public:
    explicit ReportPreviewDialog(ReportSnapshot report, QWidget* parent = nullptr);

    const ReportSnapshot& Report() const { return report_; }
    // Number of generations so far and the pages of the last one.
    int Generations() const { return generations_; }
    int LastPageCount() const { return lastPages_; }

public slots:
    // Draws the report on the printer (the preview's or the one printed to).
    void Generate(QPrinter* printer);

private:
    ReportSnapshot report_;
    int generations_ = 0;
    int lastPages_ = 0;
};
