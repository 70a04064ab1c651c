// Report output: the print preview (from which the user prints to a printer
// or to a PDF file) and direct rendering to a PDF file.
#pragma once
#include <string>

#include "reportdata.h"

// Opens the preview of a report; with wait the call returns when the preview
// is closed, otherwise at once, the preview staying open until the user
// closes it (it is deleted then). The preview keeps its own copy of the lines.
void ShowReportPreview(const ReportSnapshot& report, bool wait);

// Renders a report to a PDF file (A4 landscape). Works without a running Qt
// application (velmo-cli): one is created on the offscreen platform. The
// file is replaced only when the whole PDF could be written. False with a
// message in error on failure.
bool RenderReportPdf(const ReportSnapshot& report, const std::string& path, std::string* error);
