// The six report layouts in millimetres. Every position is measured from the
// top-left corner of its band, and every band begins at the left margin of
// an A4 landscape page with 10 mm margins.
#pragma once
#include <vector>

#include "reportdata.h"

enum class TextAlign { Left, Right, Center };

struct ReportColumn {
    const char* heading;  // nullptr: the heading comes from the report (repGenka's other cost)
    int text;             // index of the line text printed in this column
    double left, width;
    TextAlign align;
    double headingLeft, headingWidth;  // the heading's own box where it differs
};

struct ReportLayout {
    ReportId id;
    double headerHeight;
    double detailHeight;
    double footerHeight;
    double titleTop;
    double headingTop;
    std::vector<ReportColumn> columns;       // detail band (repSup: the item band)
    std::vector<ReportColumn> groupColumns;  // repSup: the group band and the upper heading row
    double groupHeadingTop;
    const char* legend;  // page footer legend, or nullptr
    double legendTop;
    double pageNumberTop;
    bool monthText;      // repOrder, repSup
    bool genkaTotals;    // repGenka
};

const ReportLayout& GetReportLayout(ReportId id);

// Elements shared by every layout.
namespace ReportGeometry {
constexpr double kPageWidth = 297.0, kPageHeight = 210.0, kMargin = 10.0;
constexpr double kTitleLeft = 15.9, kTitleWidth = 39.4, kTitleHeight = 6.9, kTitlePt = 16.0;
constexpr double kDateRight = 253.0, kDateTop = 13.8, kDateWidth = 60.0, kSmallPt = 9.0;
constexpr double kHeadingHeight = 3.9, kHeadingPt = 10.0;
constexpr double kRuleLeft = 13.4, kRuleWidth = 245.0, kRuleTop = 33.5, kRulePen = 2.0;  // pen in points
constexpr double kFooterRuleTop = 0.3;
constexpr double kPageNumberRight = 254.0, kPageNumberWidth = 30.0;
constexpr double kLegendWidth = 100.0;
constexpr double kDetailTop = 0.7, kDetailTextHeight = 4.0, kDetailPt = 10.0;
// Month text of repOrder and repSup.
constexpr double kMonthLeft = 56.1, kMonthTop = 16.9, kMonthWidth = 39.4, kMonthPt = 11.0;
// Cost total of repGenka.
constexpr double kTotalLabelLeft = 73.0, kTotalLabelWidth = 17.5, kTotalLabelTop = 15.3;
constexpr double kTotalLeft = 84.7, kTotalWidth = 38.4, kTotalTop = 14.8, kTotalPt = 11.0;
constexpr double kTotalRuleLeft = 72.0, kTotalRuleTop = 19.1, kTotalRuleWidth = 51.1, kTotalRulePen = 1.0;
}  // namespace ReportGeometry
