#include "csvexport.h"

#include <cerrno>
#include <cstring>
#include <strings.h>

#include "csv.h"
#include "fileutil.h"
#include "jetsql.h"
#include "sjis.h"
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

namespace {

// The refusal of a value the file cannot hold: the table, the row by its
// key, the column and the character.
std::string RefusalMessage(const CsvTexts& x, const std::string& csvPath, const std::string& row,
                           const std::string& column, const std::string& bad) {
    return std::string(x.name) + "をｴｸｽﾎﾟｰﾄできません。[" + csvPath + "]\n" + row + " の " + column +
           " にShift-JISで表せない文字" + DescribeChar(bad) + "があります。\n" +
           "文字を直してからｴｸｽﾎﾟｰﾄしてください。ｴｸｽﾎﾟｰﾄﾌｧｲﾙは作られません。\n";
}

}  // namespace

clsCsvExport::Result clsCsvExport::ExportTable(CsvTable t, const std::string& csvPath, bool header, bool quoteText,
                                               clsDao& dao, std::string& bytes) {
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
        return Result::Empty;
    }

    CsvWriter w(quoteText);
    const std::vector<std::string> headings = CsvHeadings(t);
    std::string bad;
    if (header) {
        for (const auto& h : headings)
            if (!w.Text(h, &bad)) {
                l_.Message(RefusalMessage(x, csvPath, "見出し行", h, bad));
                return Result::Refused;
            }
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
    // The row a refused value belongs to, by its key: "品番 A-1".
    auto rowName = [&] {
        std::string s;
        for (int k : layout.keyColumns) s += (s.empty() ? "" : " ") + headings[k] + " " + st->ColumnText(out[k].index);
        return s;
    };
    long long row = 0;
    while (st->Step()) {
        l_.Progress(x.exportProgress, ++row, n);
        if (row == 1) w.Reserve(static_cast<size_t>(n) * 64);
        for (size_t c = 0; c < out.size(); ++c) {
            const Out& o = out[c];
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
                    if (!w.Text(text, &bad)) {
                        l_.Message(RefusalMessage(x, csvPath, rowName(), headings[c], bad));
                        return Result::Refused;
                    }
                    break;
                }
            }
        }
        w.EndLine();
    }
    bytes = w.TakeBytes();
    return Result::Ready;
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
    std::string files[kCsvTableCount];
    bool ready[kCsvTableCount] = {};
    for (CsvTable t : kCsvTables) {
        int i = static_cast<int>(t);
        if (!o.chosen[i]) continue;
        Result r = ExportTable(t, o.csvPath[i], o.header[i], o.quoteText, dao, files[i]);
        if (r == Result::Refused) return false;  // no file written

        ready[i] = r == Result::Ready;
    }
    dao.Close();
    for (CsvTable t : kCsvTables) {
        int i = static_cast<int>(t);
        if (!ready[i]) continue;
        if (!WriteFileAtomic(o.csvPath[i], files[i]))
            throw VelmoError("EFileError", std::string(GetCsvTexts(t).name) + "のｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙを作成できません。[" +
                                               o.csvPath[i] + ": " + std::strerror(errno) + "]");
        std::string().swap(files[i]);
    }
    running.End();
    l_.Message("エクスポートが終了しました。\n");
    return true;
}
