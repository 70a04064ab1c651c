#include "csvexchange.h"

#include <sys/stat.h>

#include "fileutil.h"
#include "ucommon.h"

namespace {

constexpr ItemCaption kNoCaption = ItemCaption::Etchi;  // unused where a heading is given

CsvColumn Col(const char* column, const char* heading, CsvKind kind, int size = 0, const char* emptyKey = nullptr) {
    return {column, heading, kNoCaption, kind, size, emptyKey};
}
CsvColumn Cap(const char* column, ItemCaption caption, CsvKind kind, int size = 0) {
    return {column, nullptr, caption, kind, size, nullptr};
}

const CsvLayout kLayouts[kCsvTableCount] = {
    {"iStruct",
     "CD1,CD2",
     {Col("CD1", "親品番", CsvKind::Text, 18, "構造ﾃﾞｰﾀの読み込みCSVの親品番が空白です。["),
      Col("CD2", "子品番", CsvKind::Text, 18, "構造ﾃﾞｰﾀの読み込みCSVの子品番が空白です。["),
      Col("INZU", "員数", CsvKind::Quantity),
      Col("KFLG", "管理対象フラグ", CsvKind::Digit),
      Col("CFLG", "チェックフラグ", CsvKind::Digit)},
     {0, 1},
     ":"},
    {"MasItem",
     "CD",
     {Col("CD", "品番", CsvKind::Text, 18, "品目ﾃﾞｰﾀの読み込みCSVの品番が空白です。["),
      Col("KBN", "区分", CsvKind::Digit),
      Col("NAME", "通称名", CsvKind::Text, 64),
      Col("KANA", "検索名", CsvKind::Text, 10),
      Col("KEITAI", "形態", CsvKind::Text, 32),
      Col("KIKAKU", "規格", CsvKind::Text, 32),
      Cap("HINBAN", ItemCaption::Hinban, CsvKind::Text, 20),
      Cap("MCODE", ItemCaption::Mcode, CsvKind::Text, 36),
      Col("JANKBN", "JAN区分", CsvKind::Digit),
      Col("JANCODE", "JANコード", CsvKind::Text, 13),
      Col("TANI", "単位", CsvKind::Text, 4),
      Col("TANKA", "基準単価", CsvKind::CostSum),
      Col("SYUZAIHI", "主材費", CsvKind::Number),
      Col("KAKOUHI", "加工費", CsvKind::Number),
      Col("GAICHUUHI", "外注費", CsvKind::Number),
      Cap("ETCHI", ItemCaption::Etchi, CsvKind::Number),
      Col("TEHAIKBN", "手配先区分", CsvKind::Digit),
      Col("TEHAICD", "手配先コード", CsvKind::Text, 10),
      Col("TEHAINI", "手配荷姿", CsvKind::Text, 4),
      Col("TEHAINISU", "手配荷姿の入数", CsvKind::Number),
      Col("SOUKO", "倉庫", CsvKind::Text, 8),
      Col("FLOW", "工程", CsvKind::Text, 8),
      Col("LINE", "ライン", CsvKind::Text, 8),
      Cap("YOBI1", ItemCaption::Yobi1, CsvKind::Text, 32),
      Cap("YOBI2", ItemCaption::Yobi2, CsvKind::Text, 32),
      Cap("YOBI3", ItemCaption::Yobi3, CsvKind::Text, 64),
      Col("MEMO", "メモ", CsvKind::Memo)},
     {0},
     ""},
    {"MasTori",
     "KBN,CD",
     {Col("KBN", "取引先区分", CsvKind::Digit),
      Col("CD", "取引先コード", CsvKind::Text, 10, "取引先ﾃﾞｰﾀの読み込みCSVの取引先ｺｰﾄﾞが空白です。["),
      Col("NAME", "名称", CsvKind::Text, 32),
      Col("RNAME", "略名", CsvKind::Text, 20),
      Col("KANA", "検索名", CsvKind::Text, 10),
      Col("YUBIN", "郵便番号", CsvKind::Text, 10),
      Col("ADRS1", "住所１", CsvKind::Text, 32),
      Col("ADRS2", "住所２", CsvKind::Text, 32),
      Col("ADRS3", "住所３", CsvKind::Text, 20),
      Col("TEL", "電話番号", CsvKind::Text, 13),
      Col("TELKENSAKU", "検索電話番号", CsvKind::Text, 4),
      Col("FAX", "FAX番号", CsvKind::Text, 13),
      Col("DAIHYOSHA", "代表者名", CsvKind::Text, 20),
      Col("MADOGUCHI", "窓口担当者名", CsvKind::Text, 20)},
     {0, 1},
     ""},
};

const CsvTexts kTexts[kCsvTableCount] = {
    {"構造ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙを指定してください。\n",
     "構造ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n",
     "構造ﾃﾞｰﾀのMDB読み込み中です....",
     "構造ﾃｰﾌﾞﾙをｴｸｽﾎﾟｰﾄしています... [ ",
     "ｴｸｽﾎﾟｰﾄの対象になる構造ﾃﾞｰﾀが1件もありません。\n構造ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄﾌｧｲﾙは作られません。\n",
     "構造ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元のCSVﾌｧｲﾙを指定してください。\n",
     "構造ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元のCSVﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n",
     "構造ﾃﾞｰﾀのCSV読み込み中です....",
     "構造ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元ﾌｧｲﾙが見つかりません。\n",
     "構造ﾃﾞｰﾀの読み込みCSVﾚｺｰﾄﾞの形式が違います。[",
     "構造データが重複しています[",
     "ｲﾝﾎﾟｰﾄ先MDBの構造ﾃｰﾌﾞﾙを削除しています...",
     "構造ﾃｰﾌﾞﾙをｲﾝﾎﾟｰﾄしています... [ ",
     "構造ﾃﾞｰﾀ"},
    {"品目ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙを指定してください。\n",
     "品目ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n",
     "品目ﾃﾞｰﾀのMDB読み込み中です....",
     "品目ﾃｰﾌﾞﾙをｴｸｽﾎﾟｰﾄしています... [ ",
     "ｴｸｽﾎﾟｰﾄの対象になる品目ﾃﾞｰﾀが1件もありません。\n品目ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄﾌｧｲﾙは作られません。\n",
     "品目ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元のCSVﾌｧｲﾙを指定してください。\n",
     "品目ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元のCSVﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n",
     "品目ﾃﾞｰﾀのCSV読み込み中です....",
     "品目ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元ﾌｧｲﾙが見つかりません。\n",
     "品目ﾃﾞｰﾀの読み込みCSVﾚｺｰﾄﾞの形式が違います。[",
     "品番が重複しています[",
     "ｲﾝﾎﾟｰﾄ先MDBの品目ﾃｰﾌﾞﾙを削除しています...",
     "品目ﾃｰﾌﾞﾙをｲﾝﾎﾟｰﾄしています... [ ",
     "品目ﾃﾞｰﾀ"},
    {"取引先ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙを指定してください。\n",
     "取引先ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n",
     "取引先ﾃﾞｰﾀのMDB読み込み中です....",
     "取引先ﾃｰﾌﾞﾙをｴｸｽﾎﾟｰﾄしています... [ ",
     "ｴｸｽﾎﾟｰﾄの対象になる取引先ﾃﾞｰﾀが1件もありません。\n取引先ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄﾌｧｲﾙは作られません。\n",
     "取引先ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元のCSVﾌｧｲﾙを指定してください。\n",
     "取引先ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元のCSVﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n",
     "取引先ﾃﾞｰﾀのCSV読み込み中です....",
     "取引先ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元ﾌｧｲﾙが見つかりません。\n",
     "取引先ﾃﾞｰﾀの読み込みCSVﾚｺｰﾄﾞの形式が違います。[",
     "取引先区分と取引先ｺｰﾄﾞが重複しています[",
     "ｲﾝﾎﾟｰﾄ先MDBの取引先ﾃｰﾌﾞﾙを削除しています...",
     "取引先ﾃｰﾌﾞﾙをｲﾝﾎﾟｰﾄしています... [ ",
     "取引先ﾃﾞｰﾀ"},
};

}  // namespace

const CsvLayout& GetCsvLayout(CsvTable t) { return kLayouts[static_cast<int>(t)]; }
const CsvTexts& GetCsvTexts(CsvTable t) { return kTexts[static_cast<int>(t)]; }

std::vector<std::string> CsvHeadings(CsvTable t) {
    std::vector<std::string> out;
    for (const auto& c : GetCsvLayout(t).columns) out.push_back(c.heading ? c.heading : ReadItemCaption(c.caption));
    return out;
}

void CsvRunListener::Progress(const char* prefix, long long i, long long n) { Status(CsvProgressText(prefix, i, n)); }

std::string CsvProgressText(const char* prefix, long long i, long long n) {
    return prefix + std::to_string(i) + " / " + std::to_string(n) + " ]";
}

bool CsvFolderExists(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return false;
    std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    struct stat st;
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string CsvCheckRun(CsvRunOptions& o, bool exportRun) {
    o.mdbPath = Trim(o.mdbPath);
    for (auto& p : o.csvPath) p = Trim(p);
    bool any = false;
    for (bool c : o.chosen) any = any || c;
    if (!any)
        return exportRun ? "ｴｸｽﾎﾟｰﾄするﾃﾞｰﾀの種類を選んでください。\n" : "ｲﾝﾎﾟｰﾄするﾃﾞｰﾀの種類を選んでください。\n";
    if (o.mdbPath.empty())
        return exportRun ? "ｴｸｽﾎﾟｰﾄ元のMDBﾌｧｲﾙを指定してください。\n" : "ｲﾝﾎﾟｰﾄ先のMDBﾌｧｲﾙを指定してください。\n";
    if (!CsvFolderExists(o.mdbPath))
        return exportRun ? "ｴｸｽﾎﾟｰﾄ元のMDBﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n" : "ｲﾝﾎﾟｰﾄ先のMDBﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n";
    for (int t = 0; t < kCsvTableCount; ++t) {
        if (!o.chosen[t]) continue;
        const CsvTexts& x = kTexts[t];
        if (o.csvPath[t].empty()) return exportRun ? x.exportPathEmpty : x.importPathEmpty;
        if (!CsvFolderExists(o.csvPath[t])) return exportRun ? x.exportFolderBad : x.importFolderBad;
        // Writing the CSV file over the data file (its own name, another name
        // or a link to it) would destroy the data.
        if (exportRun && SameFile(o.csvPath[t], o.mdbPath))
            return std::string(x.name) + "のｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙがｴｸｽﾎﾟｰﾄ元のMDBﾌｧｲﾙと同じです。\n" +
                   "別のﾌｧｲﾙを指定してください。\n[" + o.csvPath[t] + "]\n";
    }
    return std::string();
}
