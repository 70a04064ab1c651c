#include "partnermaster.h"

#include <algorithm>

#include "listsort.h"
#include "masterwrite.h"
#include "sjis.h"
#include "ucommon.h"
#include "udaors.h"

std::string ToriCaption(long long kbn) {
    switch (kbn) {
        case 0: return "自達";
        case 1: return "仕入先";
        case 2: return "払出先";
        default: return "";
    }
}

int ToriImage(long long kbn) {
    if (kbn == 0) return 7;
    if (kbn == 1 || kbn == 2) return 6;
    return -1;
}

int ToriKbnFromCaption(const std::string& caption) { return caption == "仕入先" ? 1 : 2; }

std::string LikeLiteral(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '*' || c == '?' || c == '#' || c == '[') {
            out += '[';
            out += c;
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}

std::string ToriSearchStatement(const std::string& findText) {
    std::string sql = "SELECT * FROM MasTori";
    if (!Trim(findText).empty()) sql += " WHERE NAME LIKE '" + SqlEsc(LikeLiteral(findText)) + "*'";
    return sql;
}

const std::string& sToriRow::Column(int c) const {
    switch (c) {
        case 2: return cd;
        case 3: return name;
        case 4: return rname;
        case 5: return tel;
        case 6: return fax;
        case 7: return adrs1;
        default: return caption;
    }
}

std::vector<sToriRow> SearchTori(clsDao& dao, const std::string& findText) {
    std::vector<sToriRow> rows;
    clsDaoRs rs(dao.GetDatabase());
    rs.OpenRecordset(ToriSearchStatement(findText));
    while (!rs.IsEOF()) {
        sToriRow r;
        long long kbn = rs.Int("KBN");
        r.caption = ToriCaption(kbn);
        r.image = ToriImage(kbn);
        r.cd = rs.Text("CD");
        r.name = rs.Text("NAME");
        r.rname = rs.Text("RNAME");
        r.tel = rs.Text("TEL");
        r.fax = rs.Text("FAX");
        r.adrs1 = rs.Text("ADRS1");
        rows.push_back(std::move(r));
        rs.MoveRecord(0);
    }
    rs.Close();
    return rows;
}

void SortToriRows(std::vector<sToriRow>& rows, int sortColumn) {
    // Column(n) counts from 1.
    SortRows(rows, sortColumn, [](const sToriRow& r, int column) { return r.Column(column + 1); });
}

ReportSnapshot ToriReport(const std::vector<sToriRow>& rows) {
    ReportSnapshot r;
    r.id = ReportId::Tori;
    r.title = GetReportInfo(ReportId::Tori).title;
    for (const auto& row : rows) r.lines.push_back({row.cd, row.caption, row.name, row.rname, row.tel, row.fax, row.adrs1});
    return r;
}

bool IsToriUsed(clsDao& dao, const std::string& code, int kbn) {
    clsDaoRs rs(dao.GetDatabase());
    rs.OpenRecordset("SELECT * FROM MasItem WHERE TEHAICD = " + SqlText(code) + " AND TEHAIKBN = " +
                     std::to_string(kbn));
    bool used = !rs.IsEOF();
    rs.Close();
    return used;
}

std::string JoinComposite(const std::vector<std::string>& parts) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) out += '-';
        out += Trim(parts[i]);
    }
    return out;
}

std::vector<std::string> SplitComposite(const std::string& value, int n) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (int i = 1; i <= n; ++i) {
        if (start == std::string::npos) {
            parts.emplace_back();
            continue;
        }
        size_t dash = i < n ? value.find('-', start) : std::string::npos;
        if (dash == std::string::npos) {
            parts.push_back(value.substr(start));
            start = std::string::npos;
        } else {
            parts.push_back(value.substr(start, dash - start));
            start = dash + 1;
        }
    }
    return parts;
}

namespace {

std::string ToriSelect(const std::string& code, int kbn) {
    return "SELECT * FROM MasTori WHERE CD = " + SqlText(code) + " AND KBN = " + std::to_string(kbn);
}

}  // namespace

std::optional<sToriForm> clsPartnerMaster::LoadTori(const std::string& code, int kbn) {
    clsDaoRs rs(dao_.GetDatabase());
    rs.OpenRecordset(ToriSelect(code, kbn));
    if (rs.IsEOF()) {
        rs.Close();
        return std::nullopt;
    }
    sToriForm f;
    f.Cd = rs.Text("CD");
    f.KbnIndex = rs.Int("KBN") == 2 ? 1 : 0;
    f.Name = rs.Text("NAME");
    f.Rname = rs.Text("RNAME");
    f.Kana = rs.Text("KANA");
    auto yubin = SplitComposite(rs.Text("YUBIN"), 2);
    std::copy(yubin.begin(), yubin.end(), f.Yubin.begin());
    f.Adrs = {rs.Text("ADRS1"), rs.Text("ADRS2"), rs.Text("ADRS3")};
    auto tel = SplitComposite(rs.Text("TEL"), 3);
    std::copy(tel.begin(), tel.end(), f.Tel.begin());
    f.Telkensaku = rs.Text("TELKENSAKU");
    auto fax = SplitComposite(rs.Text("FAX"), 3);
    std::copy(fax.begin(), fax.end(), f.Fax.begin());
    f.Daihyosha = rs.Text("DAIHYOSHA");
    f.Madoguchi = rs.Text("MADOGUCHI");
    rs.Close();
    return f;
}

int clsPartnerMaster::SaveTori(int mode, const std::string& prepareCode, int prepareKbn, const sToriForm& form,
                               const sToriSaveUi& ui, std::string& savedCode, int& savedKbn) {
    const std::string code = Trim(form.Cd);
    const int kbn = form.KbnIndex == 1 ? 2 : 1;
    if (code.empty()) {
        ui.info("コードを入力してください。");
        return 1;
    }
    const std::vector<sFieldText> texts = {
        {"CD", "コード", code},
        {"NAME", "名称", Trim(form.Name)},
        {"RNAME", "略名", Trim(form.Rname)},
        {"KANA", "検索名", Trim(form.Kana)},
        {"YUBIN", "郵便番号", JoinComposite({form.Yubin.begin(), form.Yubin.end()})},
        {"ADRS1", "住所１", Trim(form.Adrs[0])},
        {"ADRS2", "住所２", Trim(form.Adrs[1])},
        {"ADRS3", "住所３", Trim(form.Adrs[2])},
        {"TEL", "電話番号", JoinComposite({form.Tel.begin(), form.Tel.end()}), "ハイフンを含めて"},
        {"TELKENSAKU", "検索電話番号", Trim(form.Telkensaku)},
        {"FAX", "FAX番号", JoinComposite({form.Fax.begin(), form.Fax.end()}), "ハイフンを含めて"},
        {"DAIHYOSHA", "代表者名", Trim(form.Daihyosha)},
        {"MADOGUCHI", "窓口担当者名", Trim(form.Madoguchi)},
    };
    std::string refused = FieldTextsMessage(dao_, "MasTori", texts);
    if (!refused.empty()) {
        ui.info(refused);
        return 1;
    }
    // Mode 2 removes the partner under its old code and category and writes
    // the new one in the same transaction: a refused write keeps the old one.
    sMasterWrite w{ToriSelect(code, kbn), mode == 2 ? ToriSelect(prepareCode, prepareKbn) : "",
                   mode == 0 ? "既に同一区分同一コードの取引先が存在します。上書きしますか？" : ""};
    int rc = WriteMasterRecord(dao_, w, ui.askOverwrite, [&](clsDaoRs& rs) {
        rs.SetField("KBN", kbn);
        for (const auto& t : texts) rs.SetField(t.column, t.value);
    });
    if (rc != 0) return 1;
    savedCode = code;
    savedKbn = kbn;
    return 0;
}

int clsPartnerMaster::DeleteTori(const std::vector<std::pair<std::string, int>>& keys) {
    return WriteInTransaction(dao_, [&] {
        for (const auto& [code, kbn] : keys)
            if (dao_.Execute("DELETE FROM MasTori WHERE CD = " + SqlText(code) + " AND KBN = " +
                             std::to_string(kbn)) != 0)
                return false;
        return true;
    });
}
