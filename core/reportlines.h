// The line model of the printed reports: per report the lines the windows
// hand over (Init for n lines, then n Add calls), the read position used
// while a report is generated, and the header texts (title of repParts,
// month text, cost total). clsReportForm holds the six reports of the report
// form; a preview works on its own copy (a ReportSnapshot turned back into a
// clsReportLines), so a later Init never changes a report already on screen.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "reportdata.h"

class clsReportLines {
public:
    using Line = std::vector<std::string>;

    explicit clsReportLines(ReportId id);
    // The lines of a snapshot, all of them announced and added.
    explicit clsReportLines(const ReportSnapshot& snapshot);

    ReportId Id() const { return id_; }

    // Discards the previous lines and makes room for n; count and Position
    // become 0. Returns 0, or -1 (no lines) when n is negative or the memory
    // cannot be obtained.
    int Init(int n);
    // Appends one line; missing texts are empty, extra ones dropped. Returns
    // 0, or 1 when the line is refused because n lines were already added.
    int Add(const Line& texts);

    int Announced() const { return announced_; }
    int Count() const { return static_cast<int>(lines_.size()); }
    const std::vector<Line>& Lines() const { return lines_; }
    // Line at a 1-based position.
    const Line& At(int position) const { return lines_.at(static_cast<size_t>(position - 1)); }

    // Generation: Restart before every run (Position = 0); while MoreData,
    // NextLine advances Position by one and returns the line there. Only the
    // lines actually added are read, however many were announced.
    void Restart() { position_ = 0; }
    bool MoreData() const { return position_ < Count(); }
    const Line& NextLine();
    int Position() const { return position_; }

    // repSup: whether the group band (texts 0 and 1) prints for the line at
    // Position: when either text differs from the previous line's; the first
    // line compares with empty texts.
    bool GroupBandVisible() const;

private:
    ReportId id_;
    int announced_ = 0;
    int position_ = 0;
    std::vector<Line> lines_;
};

// Header texts and lines of the six reports.
class clsReportForm {
public:
    clsReportForm();

    clsReportLines& Lines(ReportId id) { return reports_[static_cast<size_t>(id)]; }
    const clsReportLines& Lines(ReportId id) const { return reports_[static_cast<size_t>(id)]; }

    // Month text of repOrder and repSup (the last call wins); designed
    // "XXXX年MM月".
    void SetMonthTitle(const std::string& month) { month_ = month; }
    // Cost total and heading of the other-cost column of repGenka.
    void SetGenkaTotals(const std::string& total, const std::string& heading);
    // Title of repParts ("構成表" or "親検索").
    void SetPartsTitle(const std::string& title) { partsTitle_ = title; }
    const std::string& PartsTitle() const { return partsTitle_; }

    // A copy of the report as it would print now.
    ReportSnapshot Snapshot(ReportId id) const;

private:
    std::array<clsReportLines, 6> reports_;
    std::string partsTitle_;
    std::string month_;
    std::string genkaTotal_;
    std::string genkaHeading_;
};
