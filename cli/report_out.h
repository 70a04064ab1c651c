// Output of the report commands: "-o OUT.pdf" renders the report to a PDF
// file; "--text" writes its text form (ReportText) to stdout.
#pragma once
#include "cli.h"
#include "reportdata.h"

// Value options every report command accepts.
extern const std::vector<std::string> kReportValueOptions;

// Writes the report as the options ask; raises CliFailure when neither or
// both of -o and --text are given, or when the PDF cannot be written.
int EmitReport(const ReportSnapshot& report, const CliArgs& args);
