// TfrmPrint: holds the lines of the six reports and opens their previews.
// Windows print by Init (n lines), n Add calls, the header setters and the
// preview of the report. The line model itself is clsReportForm (core); the
// previews and PDF output draw a copy of it (app/render).
#pragma once
#include <QString>
#include <QStringList>

#include "reportlines.h"

class TfrmPrint {
    clsReportForm form_;  // first: qlPTitle refers to it

public:
    TfrmPrint();
    TfrmPrint(const TfrmPrint&) = delete;
    TfrmPrint& operator=(const TfrmPrint&) = delete;

    // Each Init discards the report's previous lines and returns 0, or -1
    // (the report then has no lines) when room for n lines cannot be had.
    // Each Add returns 0, or 1 when it is refused because the announced
    // number of lines was already added.
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

    // The title label of repParts; callers may set its caption directly.
    class TitleLabel {
    public:
        explicit TitleLabel(clsReportForm& form) : form_(form) {}
        void setText(const QString& caption) { form_.SetPartsTitle(caption.toStdString()); }
        QString text() const { return QString::fromStdString(form_.PartsTitle()); }

    private:
        clsReportForm& form_;
    };
    TitleLabel qlPTitle{form_};

    // Read position of a report's lines (0 after Init). A preview reads its
    // own copy, so this stays where Init left it.
    int Position(ReportId id) const { return form_.Lines(id).Position(); }
    // The lines added so far.
    int Count(ReportId id) const { return form_.Lines(id).Count(); }

    // The report as it would print now.
    ReportSnapshot Snapshot(ReportId id) const;
    // Opens the preview of a report: repItem, repOrder and repSup wait until it
    // is closed, the others return at once.
    void Preview(ReportId id);

private:
    int Add(ReportId id, const QStringList& texts);
};
