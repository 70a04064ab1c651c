// The band renderer: draws one report on a paged device (a printer or a PDF
// writer) in its layout: page header on every page (title, print date and
// time, month text or cost total, headings, rule), one detail band per line
// (repSup: the group band when texts 0 or 1 change, then the item band) and
// the page footer (rule, legend, page number) at the bottom of every page.
#pragma once
#include <QDateTime>
#include <QFont>
#include <QString>

#include "reportdata.h"

class QPagedPaintDevice;
class QPainter;

// A4 landscape, margins of 10 mm on every side.
void SetReportPageLayout(QPagedPaintDevice& device);

// The longest start of text whose width fits; a text is clipped to its
// column instead of running into the next one.
QString FitText(const QString& text, double width, const QFont& font, const QPainter& painter);

// How the print date and time are shown in the page header.
QString PrintDateTimeText(const QDateTime& at);

// Draws the report from its first line on the device, which must have the
// report page layout. Each call is a new generation starting at line 1.
// Returns the number of pages, or 0 when the device cannot be painted on.
int RenderReport(const ReportSnapshot& report, QPagedPaintDevice& device, const QDateTime& printedAt);
