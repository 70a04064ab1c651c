// TfrmOrder: the production plan window. Sets and bodies of the month with
// their planned shipments and stock; production is shipments minus stock.
// The frame (grid, bands, states, commands) is TfrmPlanFrame; the rules of
// the plan are in productionplan.h (core).
#pragma once
#include "planframe.h"

class TfrmOrder : public TfrmPlanFrame {
    Q_OBJECT
public:
    explicit TfrmOrder(QWidget* parent = nullptr);

    QCheckBox* chkHontai = nullptr;  // 本体
    QCheckBox* chkSet = nullptr;     // ｾｯﾄ

    // Writes the rows of the grid into OrderPlan and marks the month's
    // procurement data out of date; false (after the message) when nothing
    // was written.
    bool SavePlan();

protected:
    std::vector<PlanRow> SearchRows(bool check0, bool check1, const std::string& find) override;
    bool SaveRows() override { return SavePlan(); }
    void PrintRows() override;
};
