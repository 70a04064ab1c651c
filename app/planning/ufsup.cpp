#include "ufsup.h"

#include "explosion.h"
#include "fracommon.h"
#include "globals.h"
#include "platform.h"
#include "productionplan.h"
#include "supplylist.h"
#include "ufprg.h"
#include "ufprint.h"
#include "windowcalls.h"
#include "winutil.h"

namespace {

const char* const kExplodeCaption = "発注支援ﾃｰﾌﾞﾙを更新しています...";

sPlanWindowDesign SupDesign() {
    sPlanWindowDesign d;
    d.caption = QStringLiteral("構成表管理プログラム [発注支援]");
    d.checkCaptions = {QStringLiteral("ﾕﾆｯﾄ"), QStringLiteral("ﾊﾟｰﾂ")};
    d.checkNames = {QStringLiteral("chkUnit"), QStringLiteral("chkParts")};
    d.size = QSize(1000, 560);
    return d;
}

}  // namespace

TfrmSup::TfrmSup(QWidget* parent) : TfrmPlanFrame(SupplyFrameConfig(), SupDesign(), parent) {
    setObjectName(QStringLiteral("frmSup"));
    chkUnit = chk[0];
    chkParts = chk[1];
    actTenkai = MakeAction(QStringLiteral("所要展開(&T)"), TframeCommon::tiExplode, true, [this] { Explode(); });
    actTenkai->setObjectName(QStringLiteral("actTenkai"));
    actTenkai->setToolTip(QStringLiteral("所要展開"));
    AddSearchStateAction(actTenkai, QStringLiteral("btnTenkai"));
}

void TfrmSup::Explode() {
    frmPrg->setWindowTitle(ToQ(kExplodeCaption));
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
    WaitCursor wait;
    clsExplosion e(&MainDao());
    try {
        e.Explode(MonthKey(), TodayKey());
    } catch (const ExplosionError& err) {
        Platform().Info(ToQ(err.what()));
    }
}

bool TfrmSup::SaveSupply() {
    clsSupplyList(&MainDao()).SaveSupply(MonthKey(), Frame().Rows());
    return true;
}

std::vector<PlanRow> TfrmSup::SearchRows(bool unit, bool parts, const std::string& find) {
    return clsSupplyList(&MainDao()).Search(MonthKey(), unit, parts, find);
}

bool TfrmSup::SearchAllowed() {
    if (IsSupplyCurrent(MonthKey())) return true;
    Platform().Info(ToQ(kSupNotCurrent));
    return false;
}

void TfrmSup::PrintRows() {
    const auto& rows = Frame().Rows();
    frmPrint->InitSupList(static_cast<int>(rows.size()));
    frmPrint->SetMonthTitle(ToQ(PlanMonthTitle(Month().year(), Month().month())));
    for (const auto& r : rows) {
        QStringList texts;
        for (const auto& t : SupPrintLine(r)) texts << ToQ(t);
        frmPrint->AddSupLine(texts);
    }
    frmPrint->Preview(ReportId::Sup);
}

QIcon TfrmSup::CellIcon(int row, int column) const {
    if (column != kSupCode) return QIcon();
    return TframeCommon::GridItemIcon(Frame().Cell(row, kSupHinKbn) == "ﾕﾆｯﾄ" ? 1 : 2);
}
