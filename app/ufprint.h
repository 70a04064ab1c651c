// TfrmPrint: holds the lines of the six reports and opens their previews.
// Windows print by Init (n lines), n Add calls, the header setters and the
// preview of the report.
#pragma once
#include <QString>
#include <array>

#include "reportdata.h"

class TfrmPrint {
public:
    TfrmPrint();

    int InitItemList(int n);
    int AddItemLine(const QString& t0, const QString& t1, const QString& t2, const QString& t3, const QString& t4);
    int InitToriList(int n);
    int AddToriLine(const QString& t0, const QString& t1, const QString& t2, const QString& t3, const QString& t4,
                    const QString& t5, const QString& t6);
    int InitPartsList(int n);
    int AddPartsLine(const QString& t0, const QString& t1, const QString& t2, const QString& t3, const QString& t4,
                     const QString& t5, const QString& t6, const QString& t7);
    int InitGenkaList(int n);
    int AddGenkaLine(const QString& t0, const QString& t1, const QString& t2, const QString& t3, const QString& t4,
                     const QString& t5, const QString& t6, const QString& t7);
    int InitOrderList(int n);
    int AddOrderLine(const QString& t0, const QString& t1, const QString& t2, const QString& t3, const QString& t4);
    int InitSupList(int n);
    int AddSupLine(const QStringList& texts);  // 12 texts
    int SetMonthTitle(const QString& month);
    int SetGenkaTotals(const QString& total, const QString& heading);
    // Caption of qlPTitle, the title of repParts ("構成表" or "親検索").
    void SetPartsTitle(const QString& title);

    // The report as it would print now.
    ReportSnapshot Snapshot(ReportId id) const;
    // Opens the preview of a report: repItem, repOrder and repSup wait until it
    // is closed, the others return at once.
    void Preview(ReportId id);

private:
    int Init(ReportId id, int n);
    int Add(ReportId id, const QStringList& texts);

    struct Lines {
        int announced = 0;
        std::vector<std::vector<std::string>> lines;
    };
    std::array<Lines, 6> reports_;
    QString partsTitle_;
    QString month_;
    QString genkaTotal_;
    QString genkaHeading_;
};
