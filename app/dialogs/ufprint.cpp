#include "ufprint.h"

#include "platform.h"

TfrmPrint::TfrmPrint() = default;

int TfrmPrint::Add(ReportId id, const QStringList& texts) {
    clsReportLines::Line line;
    line.reserve(static_cast<size_t>(texts.size()));
    for (const auto& t : texts) line.push_back(t.toStdString());
    return form_.Lines(id).Add(line);
}

int TfrmPrint::InitItemList(int n) { return form_.Lines(ReportId::Item).Init(n); }
int TfrmPrint::AddItemLine(const QString& t0, const QString& t1, const QString& t2, const QString& t3,
                           const QString& t4) {
    return Add(ReportId::Item, {t0, t1, t2, t3, t4});
}
int TfrmPrint::InitToriList(int n) { return form_.Lines(ReportId::Tori).Init(n); }
int TfrmPrint::AddToriLine(const QString& t0, const QString& t1, const QString& t2, const QString& t3,
                           const QString& t4, const QString& t5, const QString& t6) {
    return Add(ReportId::Tori, {t0, t1, t2, t3, t4, t5, t6});
}
int TfrmPrint::InitPartsList(int n) { return form_.Lines(ReportId::Parts).Init(n); }
int TfrmPrint::AddPartsLine(const QString& t0, const QString& t1, const QString& t2, const QString& t3,
                            const QString& t4, const QString& t5, const QString& t6, const QString& t7) {
    return Add(ReportId::Parts, {t0, t1, t2, t3, t4, t5, t6, t7});
}
int TfrmPrint::InitGenkaList(int n) { return form_.Lines(ReportId::Genka).Init(n); }
int TfrmPrint::AddGenkaLine(const QString& t0, const QString& t1, const QString& t2, const QString& t3,
                            const QString& t4, const QString& t5, const QString& t6, const QString& t7) {
    return Add(ReportId::Genka, {t0, t1, t2, t3, t4, t5, t6, t7});
}
int TfrmPrint::InitOrderList(int n) { return form_.Lines(ReportId::Order).Init(n); }
int TfrmPrint::AddOrderLine(const QString& t0, const QString& t1, const QString& t2, const QString& t3,
                            const QString& t4) {
    return Add(ReportId::Order, {t0, t1, t2, t3, t4});
}
int TfrmPrint::InitSupList(int n) { return form_.Lines(ReportId::Sup).Init(n); }
int TfrmPrint::AddSupLine(const QStringList& texts) { return Add(ReportId::Sup, texts); }

int TfrmPrint::SetMonthTitle(const QString& month) {
    form_.SetMonthTitle(month.toStdString());
    return 0;
}

int TfrmPrint::SetGenkaTotals(const QString& total, const QString& heading) {
    form_.SetGenkaTotals(total.toStdString(), heading.toStdString());
    return 0;
}

void TfrmPrint::SetPartsTitle(const QString& title) { qlPTitle.setText(title); }

ReportSnapshot TfrmPrint::Snapshot(ReportId id) const { return form_.Snapshot(id); }

void TfrmPrint::Preview(ReportId id) { Platform().PreviewReport(Snapshot(id), GetReportInfo(id).previewWaits); }
