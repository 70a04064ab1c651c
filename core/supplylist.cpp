#include "supplylist.h"

#include <cmath>

#include "engine.h"
#include "structure.h"
#include "ucommon.h"
#include "udao.h"

const char* const kSupNoCategory = "検索する区分(ﾕﾆｯﾄ/ﾊﾟｰﾂ)を選択してください。\n";
const char* const kSupNotCurrent = "未更新です。展開処理を行ってください。";
const char* const kSupSaveQuestion = "発注ﾃﾞｰﾀを更新しますか？\n";
const char* const kSupSaved = "発注ﾃﾞｰﾀを更新しました。";
const char* const kSupClearQuestion = "在庫数をクリアしてもよろしいですか？\n";

namespace {

// A number of a cell: its value, or 0 when the text is empty or not a number.
double CellNumber(const std::string& text) { return ParseFloat(text).value_or(0); }

long long CellInt(const std::string& text) { return PlanInt(text); }

}  // namespace

sPlanFrameConfig SupplyFrameConfig() {
    sPlanFrameConfig c;
    const PlanCsv T = PlanCsv::Quoted, N = PlanCsv::Number;
    c.columns = {
        {"手配先区分", false, false, T, false}, {"手配先", false, false, T, false},
        {"品区分", false, false, T, true},      {"品番", false, false, T, false},
        {"通称名", false, false, T, false},     {"必要数", false, true, N, false},
        {"在庫数", true, true, N, false},       {"調達数", false, true, N, false},
        {"荷姿入り数", false, true, N, false},  {"発注数", false, true, N, false},
        {"手配荷姿", false, false, T, false},   {"調達単価", false, true, N, false},
        {"調達金額", false, true, N, false},
    };
    c.keys = {"FS_", {"CHKS_UNIT_SU", "CHKS_PARTS_SU"}, "SCOOL_", "SGRIDW"};
    // Clear leaves the computed cells as they are; Save stores SUPPLY = need
    // - stock in any case.
    c.clearColumns = {kSupStock};
    c.recompute = SupRecompute;
    c.codeColumn = kSupCode;
    c.saveQuestion = kSupSaveQuestion;
    c.savedMessage = kSupSaved;
    c.clearQuestion = kSupClearQuestion;
    c.noCategoryMessage = kSupNoCategory;
    return c;
}

ReportSnapshot SupplyReport(const std::vector<std::vector<std::string>>& rows, const std::string& monthTitle) {
    ReportSnapshot r;
    r.id = ReportId::Sup;
    r.title = GetReportInfo(ReportId::Sup).title;
    r.month = monthTitle;
    for (const auto& row : rows) r.lines.push_back(SupPrintLine(row));
    return r;
}

double SupPackages(double supply, double perPackage) {
    if (perPackage == 0 || !std::isfinite(perPackage)) return 0;
    double p = std::ceil(supply / perPackage);
    return p > 0 ? p : 0;
}

void SupRecompute(std::vector<std::string>& row) {
    long long need = CellInt(row[kSupNeed]), stock = CellInt(row[kSupStock]), whole = 0;
    double supply = static_cast<double>(need) - static_cast<double>(stock);
    row[kSupSupply] = __builtin_sub_overflow(need, stock, &whole) ? FloatToStr(supply) : std::to_string(whole);
    double perPackage = row[kSupPerPackage] != "0" ? CellNumber(row[kSupPerPackage]) : 0;
    double packages = SupPackages(supply, perPackage);
    row[kSupPackages] = FormatInteger(packages);
    row[kSupAmount] = FormatInteger(CellNumber(row[kSupPrice]) * packages * perPackage);
}

std::vector<std::string> SupPrintLine(const std::vector<std::string>& row) {
    std::string mark = row[kSupHinKbn] == "ﾕﾆｯﾄ" ? "□" : "＊";
    return {row[kSupTehaiKbn], row[kSupTehaiSaki], mark + " " + row[kSupCode], row[kSupName],
            row[kSupNeed],     row[kSupStock],     row[kSupSupply],            row[kSupPrice],
            row[kSupAmount],   row[kSupPackageForm], row[kSupPerPackage],      row[kSupPackages]};
}

int clsSupplyList::IsManagedChild(const std::string& code) {
    if (!managedRead_) {
        // SELECT KFLG FROM iStruct WHERE KFLG = 1 AND CD2 = '<code>' for every
        // code at once: the child codes of the managed lines, compared as
        // the key column compares them.
        auto st = OpenDatabaseOf(dao_).PrepareJet("SELECT DISTINCT CD2 FROM iStruct WHERE KFLG = 1");
        while (st->Step()) managed_.insert(FoldCode(st->ColumnText(0)));
        managedRead_ = true;
    }
    return managed_.count(FoldCode(code)) ? 1 : 0;
}

std::vector<std::vector<std::string>> clsSupplyList::Search(const std::string& monthKey, bool unit, bool parts,
                                                            const std::string& text) {
    std::string kbn = unit && parts ? "1,0" : unit ? "1" : "0";
    std::string sql =
        "SELECT MasTori.NAME AS TNAME,MasItem.TEHAIKBN,MasTori.CD AS TCODE,Supply.CD,MasItem.NAME AS PNAME,"
        "Supply.NEED,Supply.ZAIKO,Supply.SUPPLY,MasItem.TANKA,MasItem.TEHAINI,MasItem.TEHAINISU,MasItem.KBN AS IKBN,"
        "MasItem.SOUKO FROM (Supply INNER JOIN MasItem ON Supply.CD = MasItem.CD) LEFT JOIN MasTori ON "
        "(MasItem.TEHAICD = MasTori.CD) AND (MasItem.TEHAIKBN = MasTori.KBN)  WHERE MasItem.KBN IN (" + kbn + ")";
    if (!Trim(text).empty()) sql += " AND Supply.CD LIKE '" + SqlEsc(text) + "*'";
    sql += " AND Supply.OYM = '" + SqlEsc(monthKey) + "' ORDER BY  MasItem.TEHAIKBN,MasTori.CD,Supply.CD";

    managedRead_ = false;
    managed_.clear();
    Database& db = OpenDatabaseOf(dao_);
    ReadTransaction tx(db);
    auto st = db.PrepareJet(sql);
    int tname = StatementColumn(*st, "TNAME"), tkbn = StatementColumn(*st, "TEHAIKBN"),
        tcode = StatementColumn(*st, "TCODE"), cd = StatementColumn(*st, "CD"), pname = StatementColumn(*st, "PNAME"),
        need = StatementColumn(*st, "NEED"), zaiko = StatementColumn(*st, "ZAIKO"),
        supply = StatementColumn(*st, "SUPPLY"), tanka = StatementColumn(*st, "TANKA"),
        tehaini = StatementColumn(*st, "TEHAINI"), nisu = StatementColumn(*st, "TEHAINISU"),
        ikbn = StatementColumn(*st, "IKBN"), souko = StatementColumn(*st, "SOUKO");
    // Stored values in their plain text form; a missing number reads 0.
    auto number = [&](int c) { return st->ColumnIsNull(c) ? 0.0 : st->Column(c).AsDouble(); };
    auto textOf = [&](int c) { return st->ColumnIsNull(c) ? std::string() : st->Column(c).AsText(); };

    std::vector<std::vector<std::string>> rows;
    while (st->Step()) {
        std::string code = textOf(cd);
        if (!IsManagedChild(code)) continue;
        std::vector<std::string> row(kSupColumnCount);
        long long k = st->ColumnIsNull(tkbn) ? 0 : st->Column(tkbn).AsInt();
        std::string partner = textOf(tcode).empty() && textOf(tname).empty() ? "" : textOf(tcode) + ":" + textOf(tname);
        switch (k) {
            case 0:
                row[kSupTehaiKbn] = "自達";
                row[kSupTehaiSaki] = textOf(souko);
                break;
            case 1:
                row[kSupTehaiKbn] = "仕入先";
                row[kSupTehaiSaki] = partner;
                break;
            case 2:
                row[kSupTehaiKbn] = "払出先";
                row[kSupTehaiSaki] = partner;
                break;
            default: break;  // a category the item dialog does not offer: both empty
        }
        row[kSupCode] = code;
        row[kSupName] = textOf(pname);
        double n = number(need), z = number(zaiko), s = number(supply), price = number(tanka), per = number(nisu);
        row[kSupNeed] = FloatToStr(n);
        row[kSupStock] = FloatToStr(z);
        row[kSupSupply] = FloatToStr(s);
        row[kSupPrice] = FloatToStr(price);
        row[kSupPackageForm] = textOf(tehaini);
        row[kSupPerPackage] = FloatToStr(per);
        double packages = SupPackages(s, per);
        row[kSupPackages] = FormatInteger(packages);
        row[kSupAmount] = FormatInteger(price * packages * per);
        row[kSupHinKbn] = (st->ColumnIsNull(ikbn) ? 0 : st->Column(ikbn).AsInt()) == 1 ? "ﾕﾆｯﾄ" : "ﾊﾟｰﾂ";
        rows.push_back(std::move(row));
    }
    return rows;
}

void clsSupplyList::SaveSupply(const std::string& monthKey, const std::vector<std::vector<std::string>>& rows) {
    Database& db = OpenDatabaseOf(dao_);
    db.BeginTrans();
    try {
        // A row of the month found by its key as the key columns compare it
        // is edited, else added; the other columns are kept.
        auto put = db.Prepare(
            "INSERT INTO Supply (OYM, CD, NEED, ZAIKO, SUPPLY) VALUES (?, ?, ?, ?, ?) "
            "ON CONFLICT (OYM, CD) DO UPDATE SET OYM = excluded.OYM, CD = excluded.CD, NEED = excluded.NEED, "
            "ZAIKO = excluded.ZAIKO, SUPPLY = excluded.SUPPLY");
        for (const auto& r : rows) {
            long long need = CellInt(r[kSupNeed]), stock = CellInt(r[kSupStock]);
            put->Reset();
            put->Bind(1, monthKey);
            put->Bind(2, r[kSupCode]);
            put->Bind(3, static_cast<double>(need));
            put->Bind(4, static_cast<double>(stock));
            put->Bind(5, static_cast<double>(need) - static_cast<double>(stock));
            put->Step();
        }
        put.reset();
        db.CommitTrans();
    } catch (...) {
        if (db.TransDepth() > 0) db.Rollback();
        throw;
    }
}
