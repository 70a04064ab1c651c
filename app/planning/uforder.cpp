#include "uforder.h"

#include <QLabel>

#include "globals.h"
#include "platform.h"
#include "productionplan.h"
#include "ufprg.h"
#include "ufprint.h"
#include "windowcalls.h"
#include "winutil.h"

namespace {

sPlanWindowDesign OrderDesign() {
    sPlanWindowDesign d;
    d.caption = QStringLiteral("構成表管理プログラム [生産計画]");
    d.checkCaptions = {QStringLiteral("ｾｯﾄ"), QStringLiteral("本体")};
    d.checkNames = {QStringLiteral("chkSet"), QStringLiteral("chkHontai")};
    d.size = QSize(800, 500);
    return d;
}

}  // namespace

TfrmOrder::TfrmOrder(QWidget* parent) : TfrmPlanFrame(OrderFrameConfig(), OrderDesign(), parent) {
    setObjectName(QStringLiteral("frmOrder"));
    chkSet = chk[0];
    chkHontai = chk[1];
}

std::vector<PlanRow> TfrmOrder::SearchRows(bool set, bool body, const std::string& find) {
    return SearchOrderPlan(MainDao(), body, set, find, MonthKey());
}

bool TfrmOrder::SavePlan() {
    std::vector<sOrderValues> rows;
    for (const auto& r : Frame().Rows()) rows.push_back(OrderValuesOf(r));
    // Values that do not fit are refused before the progress window shows.
    if (std::string m = OrderRangeMessage(rows); !m.empty()) {
        Platform().Info(ToQ(m));
        return false;
    }
    frmPrg->setWindowTitle(ToQ(kOrderProgressCaption));
    frmPrg->lblMsg->clear();
    frmPrg->StartAnimation();
    frmPrg->show();
    frmPrg->repaint();
    struct CloseProgress {
        ~CloseProgress() {
            frmPrg->StopAnimation();
            frmPrg->close();
        }
    } closeProgress;
    IniFile ini = AppSettings();
    sPlanSaveResult r = SaveOrderPlan(MainDao(), ini, MonthKey(), rows, TodayKey());
    if (!r.ok && !r.message.empty()) Platform().Info(ToQ(r.message));
    return r.ok;
}

void TfrmOrder::PrintRows() {
    const auto& rows = Frame().Rows();
    frmPrint->InitOrderList(static_cast<int>(rows.size()));
    frmPrint->SetMonthTitle(ToQ(PlanMonthTitle(Month().year(), Month().month())));
    for (const auto& r : rows)
        frmPrint->AddOrderLine(ToQ(r[0]), ToQ(r[1]), ToQ(r[2]), ToQ(r[3]), ToQ(r[4]));
    frmPrint->Preview(ReportId::Order);
}
