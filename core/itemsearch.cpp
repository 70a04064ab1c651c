#include "itemsearch.h"

#include <algorithm>
#include <cstdlib>

#include "listsort.h"
#include "sjis.h"
#include "ucommon.h"
#include "udaors.h"

const char* const kMsgNoCategory = "検索する区分(ｾｯﾄ/本体/ﾕﾆｯﾄ/ﾊﾟｰﾂ)を選択してください。\n";
const char* const kMsgUsedInStructure = "構成表に使用されています。削除できません。\n";
const char* const kMsgPrintFirstSearch = "検索をしてから、印刷を実行してください。";

std::vector<int> CheckedCategories(bool body, bool unit, bool parts, bool set) {
    std::vector<int> out;
    if (body) out.push_back(kbnBody);
    if (unit) out.push_back(kbnUnit);
    if (parts) out.push_back(kbnParts);
    if (set) out.push_back(kbnSet);
    return out;
}

std::string ItemSearchSql(const std::vector<int>& categories, const std::string& find) {
    std::string codes;
    for (size_t i = 0; i < categories.size(); ++i) codes += (i ? "," : "") + std::to_string(categories[i]);
    std::string sql = "SELECT * FROM MasItem WHERE KBN IN (" + codes + ")";
    if (!Trim(find).empty()) sql += " AND CD LIKE '" + SqlEsc(find) + "*'";
    return sql + " ORDER BY CD";
}

int ItemImageOfKbn(long long kbn) {
    switch (kbn) {
        case kbnParts: return imgParts;
        case kbnUnit: return imgUnit;
        case kbnBody: return imgBody;
        case kbnSet: return imgSet;
        default: return -1;
    }
}

const char* ItemPrintWord(int image) {
    switch (image) {
        case imgParts: return "Parts";
        case imgUnit: return "Unit";
        case imgSet: return "Set";
        default: return "Body";
    }
}

const char* ItemCategoryWord(int image) {
    switch (image) {
        case imgBody: return "本体";
        case imgUnit: return "ﾕﾆｯﾄ";
        case imgParts: return "ﾊﾟｰﾂ";
        case imgSet: return "ｾｯﾄ";
        default: return "";
    }
}

const std::string& sItemRow::Text(int column) const {
    switch (column) {
        case 1: return name;
        case 2: return keitai;
        case 3: return kikaku;
        default: return cd;
    }
}

std::vector<sItemRow> RunItemSearch(const DatabaseHandle& db, const std::string& sql) {
    std::vector<sItemRow> rows;
    clsDaoRs rs(db);
    rs.OpenRecordset(sql);
    while (!rs.IsEOF()) {
        sItemRow r;
        r.image = ItemImageOfKbn(rs.Int("KBN"));
        r.cd = rs.Text("CD");
        r.name = rs.Text("NAME");
        r.keitai = rs.Text("KEITAI");
        r.kikaku = rs.Text("KIKAKU");
        rows.push_back(std::move(r));
        rs.MoveRecord(0);
    }
    rs.Close();
    return rows;
}

void SortItemRows(std::vector<sItemRow>& rows, int sortColumn) {
    SortRows(rows, sortColumn, [](const sItemRow& r, int column) { return r.Text(column); });
}

std::string HitCountText(long long n) { return "該当件数: " + std::to_string(n) + "件　　"; }

std::vector<std::vector<std::string>> ItemListLines(const std::vector<sItemRow>& rows) {
    std::vector<std::vector<std::string>> lines;
    lines.reserve(rows.size());
    for (const auto& r : rows) lines.push_back({r.cd, ItemPrintWord(r.image), r.name, r.keitai, r.kikaku});
    return lines;
}

sItemActionState ItemActionState(const std::vector<int>& images) {
    sItemActionState s;
    s.edit = images.size() == 1;
    s.parts = !images.empty() && std::find(images.begin(), images.end(), static_cast<int>(imgParts)) == images.end();
    return s;
}

std::string SelectionMessage(ItemCommand command, int selected) {
    switch (command) {
        case ItemCommand::PartsForm:
            return selected == 0 ? "表示する項目を選んでください。\n" : "";
        case ItemCommand::Edit:
            if (selected > 1) return "一度に指定できる項目はひとつのみです。\n";
            return selected == 0 ? "編集する項目を選んでください。\n" : "";
        case ItemCommand::CopyAdd:
            if (selected > 1) return "一度に指定できるｺﾋﾟｰ元項目はひとつのみです。\n";
            return selected == 0 ? "ｺﾋﾟｰ元項目を選んでください。\n" : "";
        case ItemCommand::Delete:
            return selected == 0 ? "削除項目を選んでください。\n" : "";
    }
    return "";
}

std::string StructureUseSql(const std::string& code) {
    std::string c = SqlEsc(code);
    return "SELECT * FROM iStruct WHERE CD1 = '" + c + "' OR CD2 = '" + c + "'";
}

bool UsedInStructure(const DatabaseHandle& db, const std::string& code) {
    clsDaoRs rs(db);
    rs.OpenRecordset(StructureUseSql(code));
    bool used = !rs.IsEOF();
    rs.Close();
    return used;
}

sDeleteQuestion DeleteQuestion(const std::vector<sItemRow>& selected) {
    sDeleteQuestion q;
    for (const auto& r : selected) q.lbl01 += "品番: " + r.cd + "(区分: " + ItemCategoryWord(r.image) + ")";
    q.lbl02 = "通称名: " + (selected.empty() ? std::string() : selected.back().name);
    q.lbl03 = "を削除しますか？";
    return q;
}

int DeleteItemRecords(clsDao& dao, const std::vector<std::string>& codes) {
    if (dao.BeginTrans() != 0) return 1;
    for (const auto& code : codes) {
        if (dao.Execute("DELETE FROM MasItem WHERE CD = '" + SqlEsc(code) + "'") != 0) {
            dao.EndTrans(0);
            return 1;
        }
    }
    return dao.EndTrans(1);
}
