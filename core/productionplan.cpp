#include "productionplan.h"

#include <ctime>
#include <memory>

#include "udaors.h"
#include "ucommon.h"
#include "verror.h"

const char* const kOrderNoCategory = "検索する区分(ｾｯﾄ/本体)を選択してください。\n";
const char* const kOrderSaveQuestion = "生産ﾃﾞｰﾀを更新しますか？\n";
const char* const kOrderSaved = "生産ﾃﾞｰﾀを更新しました。";
const char* const kOrderClearQuestion = "出荷数と在庫数をクリアしてもよろしいですか？\n";
const char* const kOrderProgressCaption = "生産計画ﾃｰﾌﾞﾙを更新しています...";

sPlanFrameConfig OrderFrameConfig() {
    sPlanFrameConfig c;
    c.columns = {
        {"品番", false, false, PlanCsv::Quoted, false},
        {"通称名", false, false, PlanCsv::Quoted, false},
        {"出荷数", true, true, PlanCsv::Plain, false},
        {"在庫数", true, true, PlanCsv::Plain, false},
        {"生産数", false, true, PlanCsv::Plain, false},
    };
    c.keys = {"FO_", {"CHKS_SET_OR", "CHKS_BODY_OR"}, "OCOOL_", "OGRIDW"};
    c.clearColumns = {ocShipments, ocStock, ocProduction};
    c.recompute = [](PlanRow& r) {
        r[ocProduction] = std::to_string(PlanInt(r[ocShipments]) - PlanInt(r[ocStock]));
    };
    c.codeColumn = ocCode;
    c.saveQuestion = kOrderSaveQuestion;
    c.savedMessage = kOrderSaved;
    c.clearQuestion = kOrderClearQuestion;
    c.noCategoryMessage = kOrderNoCategory;
    return c;
}

std::string OrderSearchSql(bool body, bool set, const std::string& find) {
    std::string list;
    if (body) list = "2";
    if (set) list += list.empty() ? "3" : ",3";
    if (list.empty()) return {};
    std::string sql = "SELECT MasItem.CD,MasItem.NAME FROM MasItem WHERE MasItem.KBN IN (" + list + ")";
    if (!Trim(find).empty()) sql += " AND MasItem.CD LIKE '" + SqlEsc(find) + "*'";
    return sql + " ORDER BY MasItem.CD";
}

std::string OrderPlanRowSql(const std::string& monthKey, const std::string& code) {
    // ORDER is a key word of the engine's SQL: the column name goes in brackets.
    return "select [ORDER],ZAIKO from OrderPlan where OYM = '" + SqlEsc(monthKey) + "' and CD = '" + SqlEsc(code) + "'";
}

std::vector<PlanRow> SearchOrderPlan(clsDao& dao, bool body, bool set, const std::string& find,
                                     const std::string& monthKey) {
    std::vector<PlanRow> rows;
    std::string sql = OrderSearchSql(body, set, find);
    if (sql.empty()) return rows;
    clsDaoRs rs(dao.GetDatabase());
    clsDaoRs plan(dao.GetDatabase());
    rs.OpenRecordset(sql);
    while (!rs.IsEOF()) {
        std::string code = rs.Text("CD");
        std::string name = rs.Text("NAME");
        long long shipments = 0, stock = 0;
        plan.OpenRecordset(OrderPlanRowSql(monthKey, code));
        if (!plan.IsEOF()) {
            shipments = plan.Int("ORDER");
            stock = plan.Int("ZAIKO");
        }
        plan.Close();
        rows.push_back({code, name, std::to_string(shipments), std::to_string(stock), std::to_string(shipments - stock)});
        rs.MoveRecord(0);
    }
    rs.Close();
    return rows;
}

sOrderValues OrderValuesOf(const PlanRow& row) {
    sOrderValues v;
    v.code = row.at(ocCode);
    v.shipments = PlanInt(row.at(ocShipments));
    v.stock = PlanInt(row.at(ocStock));
    v.production = v.shipments - v.stock;
    return v;
}

std::string OrderRangeMessage(const std::vector<sOrderValues>& rows) {
    auto out = [](long long v) { return v < -32768 || v > 32767; };
    for (const auto& r : rows) {
        const char* column = out(r.shipments) ? "出荷数" : out(r.stock) ? "在庫数" : out(r.production) ? "生産数" : nullptr;
        if (column)
            return "品番[" + r.code + "]の" + column + "が -32768～32767 の範囲を超えています。\n保存できません。";
    }
    return {};
}

sPlanSaveResult SaveOrderPlan(clsDao& dao, IniFile& ini, const std::string& monthKey,
                              const std::vector<sOrderValues>& rows, const std::string& today) {
    sPlanSaveResult result;
    result.message = OrderRangeMessage(rows);
    if (!result.message.empty()) return result;
    if (dao.BeginTrans() != 0) return result;  // reported by the connection
    try {
        clsDaoRs rs(dao.GetDatabase());
        for (const auto& r : rows) {
            rs.OpenRecordset("SELECT * FROM OrderPlan WHERE CD = '" + SqlEsc(r.code) + "' AND OYM = '" +
                             SqlEsc(monthKey) + "'");
            rs.EditMode(rs.IsEOF() ? 0 : 1);
            rs.SetField("OYM", Variant(monthKey));
            rs.SetField("CD", Variant(r.code));
            rs.SetField("ORDER", Variant(r.shipments));
            rs.SetField("ZAIKO", Variant(r.stock));
            rs.SetField("SEISAN", Variant(r.production));
            rs.EditMode(2);
            rs.Close();
        }
        // The marks go before the commit: a settings file that cannot be
        // written leaves the plan as it was rather than a saved plan whose
        // procurement data still reads as current.
        ini.WriteString("SupEnt", monthKey, "");
        ini.WriteString("OdrEnt", monthKey, today);
    } catch (const VelmoError& e) {
        dao.EndTrans(0);
        result.message = std::string("生産計画ﾃｰﾌﾞﾙを更新できませんでした。\n") + e.what();
        return result;
    }
    if (dao.EndTrans(1) != 0) {
        dao.EndTrans(0);
        return result;  // reported by the connection
    }
    result.ok = true;
    return result;
}

std::string TodayKey() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y%m%d", &tm);
    return buf;
}

ReportSnapshot OrderReport(const std::vector<PlanRow>& rows, const std::string& monthTitle) {
    ReportSnapshot r;
    r.id = ReportId::Order;
    r.title = GetReportInfo(ReportId::Order).title;
    r.month = monthTitle;
    for (const auto& row : rows) r.lines.push_back(row);
    return r;
}
