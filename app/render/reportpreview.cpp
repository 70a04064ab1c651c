// Replaced by the band renderer.
#include "reportpreview.h"

#include "verror.h"

void ShowReportPreview(const ReportSnapshot&, bool) { throw VelmoError("EReport", "report rendering is not built yet"); }

bool RenderReportPdf(const ReportSnapshot&, const std::string&, std::string* error) {
    if (error) *error = "report rendering is not built yet";
    return false;
}
