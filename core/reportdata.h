// The lines of one printed report as the windows hand them over, and the
// header texts that go with them. The report form keeps one of these per
// report; a preview keeps its own copy.
#pragma once
#include <string>
#include <vector>

enum class ReportId { Item, Tori, Parts, Genka, Order, Sup };

struct ReportInfo {
    ReportId id;
    const char* name;          // "repItem", ...
    int texts;                 // texts per line
    const char* title;         // designed title
    bool previewWaits;         // the print command waits for the preview
};

const ReportInfo& GetReportInfo(ReportId id);

struct ReportSnapshot {
    ReportId id = ReportId::Item;
    std::string title;         // page-header title (repParts: the qlPTitle caption)
    std::string month;         // repOrder, repSup
    std::string genkaTotal;    // repGenka
    std::string genkaHeading;  // repGenka: heading of the other-cost column
    std::vector<std::vector<std::string>> lines;
};

// velmo-cli's text form of a report: "# report: <name>", "# title: <title>",
// then the header texts the report has ("# month:", "# total:",
// "# heading:"), then one line per report line with its texts joined by TAB.
// UTF-8, lines ending in "\n"; a tab or line break inside a text is
// written as a blank.
std::string ReportText(const ReportSnapshot& r);
