#include "csvexport.h"

#include <cerrno>
#include <cstring>
#include <strings.h>

#include "csv.h"
#include "fileutil.h"
#include "jetsql.h"
#include "udao.h"

std::string CsvJoinLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out.push_back(c == '\r' || c == '\n' ? ' ' : c);
    }
    return out;
}

bool clsCsvExport::ExportTable(CsvTable t, const std::string& csvPath, bool header, clsDao& dao) {
    const CsvLayout& layout = GetCsvLayout(t);
    const CsvTexts& x = GetCsvTexts(t);
    auto db = dao.GetDatabase();
    if (!db) throw EngineError("データファイルが開かれていません。");

    l_.Status(x.exportReading);
    long long n = 0;
    {
        auto count = db->PrepareJet(std::string("SELECT COUNT(*) AS RECCNT FROM ") + layout.table);
        if (count->Step()) n = count->ColumnInt(0);
    }
    if (n == 0) {
        l_.Message(x.exportEmpty);
        return false;
    }

    CsvWriter w;
    if (header) {
        for (const auto& h : CsvHeadings(t)) w.Text(h);
        w.EndLine();
    }
    auto st = db->PrepareJet(std::string("SELECT * FROM ") + layout.table + " ORDER BY " + layout.orderBy);
    // Result column and stored type of each column of the layout.
    const TableInfo& info = db->Table(layout.table);
    struct Out {
        int index = -1;
        int type = jtText;
    };
    std::vector<Out> out;
    for (const auto& c : layout.columns) {
        Out o;
        for (int i = 0; i < st->ColumnCount(); ++i)
            if (strcasecmp(st->ColumnName(i).c_str(), c.column) == 0) o.index = i;
        if (o.index < 0) throw EngineError("テーブル " + std::string(layout.table) + " に列 " + c.column + " がありません。");
        if (const ColumnInfo* ci = info.Find(c.column)) o.type = ci->type;
        out.push_back(o);
    }
    long long row = 0;
    while (st->Step()) {
        l_.Progress(x.exportProgress, ++row, n);
        if (row == 1) w.Reserve(static_cast<size_t>(n) * 64);
        for (const Out& o : out) {
            // A column without a value is written as it reads: 0 or "".
            switch (o.type) {
                case jtShort:
                case jtLong:
                case jtCounter:
                case jtBoolean: w.Integer(st->ColumnInt(o.index)); break;
                case jtDouble:
                case jtDate: w.Number(st->ColumnDouble(o.index)); break;
                default: {
                    std::string text = st->ColumnText(o.index);
                    if (text.find_first_of("\r\n") != std::string::npos) text = CsvJoinLineBreaks(text);
                    w.Text(text);
                    break;
                }
            }
        }
        w.EndLine();
    }
    if (!WriteFileAtomic(csvPath, w.Bytes()))
        throw VelmoError("EFileError", std::string(x.name) + "のｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙを作成できません。[" + csvPath +
                                           ": " + std::strerror(errno) + "]");
    return true;
}

bool clsCsvExport::Run(CsvRunOptions o) {
    std::string check = CsvCheckRun(o, true);
    if (!check.empty()) {
        l_.Message(check);
        return false;
    }
    CsvRunGuard running(l_);
    clsDao dao;
    if (dao.OpenDatabase(o.mdbPath) != 0) return false;
    for (CsvTable t : kCsvTables) {
        int i = static_cast<int>(t);
        if (o.chosen[i]) ExportTable(t, o.csvPath[i], o.header[i], dao);
    }
    dao.Close();
    running.End();
    l_.Message("エクスポートが終了しました。\n");
    return true;
}
