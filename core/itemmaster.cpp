#include "itemmaster.h"

#include "masterwrite.h"
#include "notify.h"
#include "udaors.h"
#include "ucommon.h"
#include "usersettings.h"
#include "verror.h"

namespace {

const char* const kCostColumns[4] = {"SYUZAIHI", "KAKOUHI", "GAICHUUHI", "ETCHI"};

// The caption a user-named field shows; its column name when the user left
// the caption empty.
std::string UserCaption(ItemCaption c) {
    std::string s = ReadItemCaption(c);
    return s.empty() ? ItemCaptionKey(c) : s;
}

std::string CostCaption(int i) {
    static const char* const fixed[3] = {"主材費", "加工費", "外注費"};
    return i < 3 ? fixed[i] : UserCaption(ItemCaption::Etchi);
}

}  // namespace

int ItemKbnFromIndex(int index) { return index >= 0 && index <= 3 ? 3 - index : 0; }

int ItemIndexFromKbn(long long kbn) { return kbn >= 0 && kbn <= 3 ? static_cast<int>(3 - kbn) : -1; }

int FindTehaiEntry(const std::vector<sTehaiEntry>& entries, const std::string& code) {
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].code == code) return static_cast<int>(i);
    return -1;
}

std::string TehaiCodeOf(const std::string& text, const std::vector<sTehaiEntry>& entries) {
    // An entry is recognised whole, so a partner code that itself holds a
    // ':' is stored intact.
    for (const auto& e : entries)
        if (e.text == text) return e.code;
    return GetToken(text, 1, ":");
}

double CostTotal(const std::array<std::string, 4>& costs) {
    double total = 0;
    for (const auto& text : costs) {
        std::string clean = CleanNumber(HalfWidthNumber(text), true);
        if (clean.empty()) continue;
        auto v = ParseFloat(clean);
        if (!v) throw ConvertError("'" + clean + "' は正しい数値ではありません。");
        total += *v;
    }
    return total;
}

std::vector<sTehaiEntry> clsItemMaster::TehaiEntries(bool viewMode, int tehaiIndex) {
    std::vector<sTehaiEntry> out;
    std::string sql;
    if (viewMode) sql = "SELECT CD,RNAME FROM MasTori";
    else if (tehaiIndex == 1 || tehaiIndex == 2) sql = "SELECT CD,RNAME FROM MasTori WHERE KBN = " + std::to_string(tehaiIndex);
    else return out;
    clsDaoRs rs(dao_.GetDatabase());
    rs.OpenRecordset(sql);
    while (!rs.IsEOF()) {
        std::string code = rs.Text("CD");
        out.push_back({code + ":" + rs.Text("RNAME"), code});
        rs.MoveRecord(0);
    }
    rs.Close();
    return out;
}

std::optional<sItemForm> clsItemMaster::LoadItem(const std::string& code) {
    clsDaoRs rs(dao_.GetDatabase());
    rs.OpenRecordset("SELECT * FROM MasItem WHERE CD = " + SqlText(code));
    if (rs.IsEOF()) {
        rs.Close();
        return std::nullopt;
    }
    sItemForm f;
    f.Cd = rs.Text("CD");
    f.KbnIndex = ItemIndexFromKbn(rs.Int("KBN"));
    f.Name = rs.Text("NAME");
    f.Kana = rs.Text("KANA");
    f.Keitai = rs.Text("KEITAI");
    f.Kikaku = rs.Text("KIKAKU");
    f.Hinban = rs.Text("HINBAN");
    f.Mcode = rs.Text("MCODE");
    long long jan = rs.Int("JANKBN");
    f.JanIndex = jan == 0 || jan == 1 ? static_cast<int>(jan) : -1;
    f.Jancode = rs.Text("JANCODE");
    f.Tani = rs.Text("TANI");
    f.Tanka = rs.Text("TANKA");
    for (int i = 0; i < 4; ++i) f.Costs[i] = rs.Text(kCostColumns[i]);
    long long tehai = rs.Int("TEHAIKBN");
    f.TehaiIndex = tehai >= 0 && tehai <= 2 ? static_cast<int>(tehai) : -1;
    f.Tehaicd = rs.Text("TEHAICD");
    f.Tehaini = rs.Text("TEHAINI");
    f.Tehainisu = rs.Text("TEHAINISU");
    f.Souko = rs.Text("SOUKO");
    f.Flow = rs.Text("FLOW");
    f.Line = rs.Text("LINE");
    f.Yobi[0] = rs.Text("YOBI1");
    f.Yobi[1] = rs.Text("YOBI2");
    f.Yobi[2] = rs.Text("YOBI3");
    f.Memo = rs.Text("MEMO");
    rs.Close();
    return f;
}

int clsItemMaster::SaveItem(int mode, const std::string& prepareCode, const sItemForm& form, const sItemSaveUi& ui,
                            std::string& savedCode) {
    const std::string code = Trim(form.Cd);
    if (code.empty()) {
        ui.info("品番を入力してください。");
        return 1;
    }

    // Every conversion is done before anything is written, so a field that
    // cannot be converted leaves the data file as it was.
    std::array<std::optional<double>, 4> costs;
    double total = 0;
    for (int i = 0; i < 4; ++i) {
        const std::string text = HalfWidthNumber(form.Costs[i]);
        if (CleanNumber(text, true).empty()) continue;
        auto v = ParseFloat(text);
        if (!v) throw ConvertError(CostCaption(i) + ": '" + form.Costs[i] + "' は正しい数値ではありません。");
        costs[i] = *v;
        total += *v;
    }
    long long tehainisu = 1;
    const std::string tehainisuText = HalfWidthNumber(form.Tehainisu);
    if (!CleanNumber(tehainisuText, true).empty()) {
        auto v = ParseInt(tehainisuText);
        if (!v) throw ConvertError("手配荷姿の入数: '" + form.Tehainisu + "' は正しい整数ではありません。");
        tehainisu = *v;
    }

    const std::vector<sFieldText> texts = {
        {"CD", "品番", code},
        {"NAME", "通称名", Trim(form.Name)},
        {"KANA", "検索名", Trim(form.Kana)},
        {"KEITAI", "形態", Trim(form.Keitai)},
        {"KIKAKU", "規格", Trim(form.Kikaku)},
        {"HINBAN", UserCaption(ItemCaption::Hinban), Trim(form.Hinban)},
        {"MCODE", UserCaption(ItemCaption::Mcode), Trim(form.Mcode)},
        {"JANCODE", "JANｺｰﾄﾞ", Trim(form.Jancode)},
        {"TANI", "単位", Trim(form.Tani)},
        {"TEHAICD", "手配先ｺｰﾄﾞ", form.Tehaicd},
        {"TEHAINI", "手配荷姿(単位)", Trim(form.Tehaini)},
        {"SOUKO", "倉庫", Trim(form.Souko)},
        {"FLOW", "工程", Trim(form.Flow)},
        {"LINE", "ライン", Trim(form.Line)},
        {"YOBI1", UserCaption(ItemCaption::Yobi1), Trim(form.Yobi[0])},
        {"YOBI2", UserCaption(ItemCaption::Yobi2), Trim(form.Yobi[1])},
        {"YOBI3", UserCaption(ItemCaption::Yobi3), Trim(form.Yobi[2])},
        {"MEMO", "備考", Trim(form.Memo)},
    };
    std::string refused = FieldTextsMessage(dao_, "MasItem", texts);
    if (!refused.empty()) {
        ui.info(refused);
        return 1;
    }

    // Mode 3 removes the record under its old code and writes the new one
    // in the same transaction, so a refused write keeps the old record.
    const std::string select = "SELECT * FROM MasItem WHERE CD = ";
    sMasterWrite w{select + SqlText(code), mode == 3 ? select + SqlText(prepareCode) : "",
                   mode == 0 ? "既に同一の品番が存在します。上書きしますか？" : ""};
    int rc = WriteMasterRecord(dao_, w, ui.askOverwrite, [&](clsDaoRs& rs) {
        for (const auto& t : texts) rs.SetField(t.column, t.value);
        rs.SetField("KBN", ItemKbnFromIndex(form.KbnIndex));
        rs.SetField("JANKBN", form.JanIndex);
        for (int i = 0; i < 4; ++i)
            if (costs[i]) rs.SetField(kCostColumns[i], *costs[i]);
        rs.SetField("TANKA", total);
        rs.SetField("TEHAIKBN", form.TehaiIndex);
        rs.SetField("TEHAINISU", tehainisu);
    });
    if (rc != 0) return 1;

    // The procurement data may no longer match the item master. The record
    // is saved; a settings file that cannot be written is only reported.
    try {
        MarkProcurementChanged();
    } catch (const VelmoError& e) {
        NotifyError(e.Kind(), e.what());
    }
    savedCode = code;
    return 0;
}
