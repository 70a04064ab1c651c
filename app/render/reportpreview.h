// Report output: the print preview (from which the user prints to a printer
// or to PDF) and direct rendering to a PDF file.
#pragma once
#include <string>

#include "reportdata.h"

// Opens the preview of a report; with wait the call returns when the preview
// is closed. The preview keeps its own copy of the lines.
void ShowReportPreview(const ReportSnapshot& report, bool wait);

// Renders a report to a PDF file; false with a message in error on failure.
bool RenderReportPdf(const ReportSnapshot& report, const std::string& path, std::string* error);
