// TfrmSup: the procurement support window. Runs the explosion of the month
// (所要展開), lists the units and parts of the month with their need, stock,
// quantity to procure, packages and amounts, takes the stock of every row
// and saves, prints or writes the list to CSV. The frame (grid, bands,
// states, commands) is TfrmPlanFrame; the rules of the list are in
// supplylist.h and of the explosion in explosion.h (core).
#pragma once
#include "planframe.h"

class TfrmSup : public TfrmPlanFrame {
    Q_OBJECT
public:
    explicit TfrmSup(QWidget* parent = nullptr);

    QCheckBox* chkUnit = nullptr;   // ﾕﾆｯﾄ
    QCheckBox* chkParts = nullptr;  // ﾊﾟｰﾂ
    QAction* actTenkai = nullptr;   // 所要展開, search state only

    // The explosion of the month of datD, under the progress window; a
    // refusal (stored loop, value out of range) is shown and nothing written.
    void Explode();
    // Writes need and stock of every row of the grid to Supply.
    bool SaveSupply();

protected:
    std::vector<PlanRow> SearchRows(bool unit, bool parts, const std::string& find) override;
    // The month must be current: exploded since its plan was last saved.
    bool SearchAllowed() override;
    bool SaveRows() override { return SaveSupply(); }
    void PrintRows() override;
    // Column 3: the picture of the category (unit or parts).
    QIcon CellIcon(int row, int column) const override;
};
