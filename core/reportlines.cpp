#include "reportlines.h"

#include <new>
#include <stdexcept>

clsReportLines::clsReportLines(ReportId id) : id_(id) {}

clsReportLines::clsReportLines(const ReportSnapshot& snapshot) : id_(snapshot.id) {
    Init(static_cast<int>(snapshot.lines.size()));
    for (const auto& line : snapshot.lines) Add(line);
}

int clsReportLines::Init(int n) {
    lines_.clear();
    lines_.shrink_to_fit();
    announced_ = 0;
    position_ = 0;
    if (n < 0) return -1;
    try {
        lines_.reserve(static_cast<size_t>(n));
    } catch (const std::bad_alloc&) {
        return -1;
    } catch (const std::length_error&) {
        return -1;
    }
    announced_ = n;
    return 0;
}

int clsReportLines::Add(const Line& texts) {
    if (Count() >= announced_) return 1;
    Line line(texts);
    line.resize(static_cast<size_t>(GetReportInfo(id_).texts));
    lines_.push_back(std::move(line));
    return 0;
}

const clsReportLines::Line& clsReportLines::NextLine() {
    if (!MoreData()) throw std::out_of_range("report read beyond its last line");
    ++position_;
    return At(position_);
}

bool clsReportLines::GroupBandVisible() const {
    if (position_ < 1 || position_ > Count()) return false;
    const Line& cur = At(position_);
    static const Line kNone(2);
    const Line& prev = position_ == 1 ? kNone : At(position_ - 1);
    return cur[0] != prev[0] || cur[1] != prev[1];
}

clsReportForm::clsReportForm()
    : reports_{clsReportLines(ReportId::Item), clsReportLines(ReportId::Tori), clsReportLines(ReportId::Parts),
               clsReportLines(ReportId::Genka), clsReportLines(ReportId::Order), clsReportLines(ReportId::Sup)},
      partsTitle_(GetReportInfo(ReportId::Parts).title), month_("XXXX年MM月"),
      genkaHeading_("その他費") {}

void clsReportForm::SetGenkaTotals(const std::string& total, const std::string& heading) {
    genkaTotal_ = total;
    genkaHeading_ = heading;
}

ReportSnapshot clsReportForm::Snapshot(ReportId id) const {
    ReportSnapshot s;
    s.id = id;
    s.title = id == ReportId::Parts ? partsTitle_ : GetReportInfo(id).title;
    s.month = month_;
    s.genkaTotal = genkaTotal_;
    s.genkaHeading = genkaHeading_;
    s.lines = Lines(id).Lines();
    return s;
}
