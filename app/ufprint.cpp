#include "ufprint.h"

#include <QStringList>

#include "platform.h"

TfrmPrint::TfrmPrint()
    : partsTitle_(QStringLiteral("構成表")), month_(QStringLiteral("XXXX年MM月")),
      genkaHeading_(QStringLiteral("その他費")) {}

int TfrmPrint::Init(ReportId id, int n) {
    Lines& r = reports_[static_cast<int>(id)];
    r.lines.clear();
    r.announced = 0;
    if (n < 0) return -1;
    try {
        r.lines.reserve(static_cast<size_t>(n));
    } catch (const std::bad_alloc&) {
        return -1;
    }
    r.announced = n;
    return 0;
}

int TfrmPrint::Add(ReportId id, const QStringList& texts) {
    Lines& r = reports_[static_cast<int>(id)];
    if (static_cast<int>(r.lines.size()) >= r.announced) return 1;  // more than announced
    std::vector<std::string> line;
    for (const auto& t : texts) line.push_back(t.toStdString());
    line.resize(static_cast<size_t>(GetReportInfo(id).texts));
    r.lines.push_back(std::move(line));
    return 0;
}

int TfrmPrint::InitItemList(int n) { return Init(ReportId::Item, n); }
int TfrmPrint::AddItemLine(const QString& t0, const QString& t1, const QString& t2, const QString& t3,
                           const QString& t4) {
    return Add(ReportId::Item, {t0, t1, t2, t3, t4});
}
int TfrmPrint::InitToriList(int n) { return Init(ReportId::Tori, n); }
int TfrmPrint::AddToriLine(const QString& t0, const QString& t1, const QString& t2, const QString& t3,
                           const QString& t4, const QString& t5, const QString& t6) {
    return Add(ReportId::Tori, {t0, t1, t2, t3, t4, t5, t6});
}
int TfrmPrint::InitPartsList(int n) { return Init(ReportId::Parts, n); }
int TfrmPrint::AddPartsLine(const QString& t0, const QString& t1, const QString& t2, const QString& t3,
                            const QString& t4, const QString& t5, const QString& t6, const QString& t7) {
    return Add(ReportId::Parts, {t0, t1, t2, t3, t4, t5, t6, t7});
}
int TfrmPrint::InitGenkaList(int n) { return Init(ReportId::Genka, n); }
int TfrmPrint::AddGenkaLine(const QString& t0, const QString& t1, const QString& t2, const QString& t3,
                            const QString& t4, const QString& t5, const QString& t6, const QString& t7) {
    return Add(ReportId::Genka, {t0, t1, t2, t3, t4, t5, t6, t7});
}
int TfrmPrint::InitOrderList(int n) { return Init(ReportId::Order, n); }
int TfrmPrint::AddOrderLine(const QString& t0, const QString& t1, const QString& t2, const QString& t3,
                            const QString& t4) {
    return Add(ReportId::Order, {t0, t1, t2, t3, t4});
}
int TfrmPrint::InitSupList(int n) { return Init(ReportId::Sup, n); }
int TfrmPrint::AddSupLine(const QStringList& texts) { return Add(ReportId::Sup, texts); }

int TfrmPrint::SetMonthTitle(const QString& month) {
    month_ = month;
    return 0;
}

int TfrmPrint::SetGenkaTotals(const QString& total, const QString& heading) {
    genkaTotal_ = total;
    genkaHeading_ = heading;
    return 0;
}

void TfrmPrint::SetPartsTitle(const QString& title) { partsTitle_ = title; }

ReportSnapshot TfrmPrint::Snapshot(ReportId id) const {
    ReportSnapshot s;
    s.id = id;
    s.title = id == ReportId::Parts ? partsTitle_.toStdString() : GetReportInfo(id).title;
    s.month = month_.toStdString();
    s.genkaTotal = genkaTotal_.toStdString();
    s.genkaHeading = genkaHeading_.toStdString();
    s.lines = reports_[static_cast<int>(id)].lines;
    return s;
}

void TfrmPrint::Preview(ReportId id) { Platform().PreviewReport(Snapshot(id), GetReportInfo(id).previewWaits); }
