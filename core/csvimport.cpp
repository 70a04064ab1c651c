#include "csvimport.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include "csv.h"
#include "fileutil.h"
#include "jetsql.h"
#include "sjis.h"
#include "ucommon.h"
#include "udao.h"
#include "udaoment.h"

namespace {

// At least the number of CP932 bytes of a UTF-8 text, without converting it:
// one byte for ASCII and half-width katakana (U+FF61-U+FF9F), two for any
// other character (a character CP932 lacks becomes one '?').
size_t SjisBytesAtMost(std::string_view s) {
    size_t n = 0;
    for (size_t i = 0; i < s.size();) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            ++n, ++i;
            continue;
        }
        size_t len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        bool halfKana = len == 3 && i + 2 < s.size() && b == 0xEF &&
                        ((static_cast<unsigned char>(s[i + 1]) == 0xBD && static_cast<unsigned char>(s[i + 2]) >= 0xA1) ||
                         (static_cast<unsigned char>(s[i + 1]) == 0xBE && static_cast<unsigned char>(s[i + 2]) <= 0x9F));
        n += halfKana ? 1 : 2;
        i += len;
    }
    return n;
}

}  // namespace

std::string CsvConvText(std::string_view value, int size) {
    std::string t = Trim(value);
    size_t n = static_cast<size_t>(size);
    if (SjisBytesAtMost(t) <= n) return t;  // fits: no conversion needed
    return SjisTruncate(t, n);
}

int CsvConvDigit(std::string_view value) {
    std::string n = CleanNumber(HalfWidthNumber(Trim(value)), true);
    return !n.empty() && n[0] >= '0' && n[0] <= '9' ? n[0] - '0' : 0;
}

int CsvConvQuantity(std::string_view value) {
    std::string n = CleanNumber(HalfWidthNumber(Trim(value)), true).substr(0, 4);
    auto v = ParseInt(n);
    return v ? static_cast<int>(*v) : 0;
}

std::optional<double> CsvConvNumber(std::string_view value) {
    std::string t = HalfWidthNumber(Trim(value));
    // A plain number, possibly in exponent form as the export writes very large
    // and very small values, is taken as it stands.
    if (!t.empty() && t.find_first_not_of("0123456789+-.eE") == std::string::npos) {
        char* end = nullptr;
        errno = 0;
        double d = StrToDoubleC(t.c_str(), &end);
        if (end == t.c_str() + t.size()) {
            if (!std::isfinite(d) || (errno == ERANGE && std::fabs(d) >= 1)) return std::nullopt;
            return d;
        }
    }
    std::string n = CleanNumber(t, true);
    if (n.empty() || n == ".") return 0.0;
    // CleanNumber leaves an optional '-', digits and at most one '.'.
    if (n.find_first_of("0123456789") == std::string::npos) return std::nullopt;
    errno = 0;
    double d = StrToDoubleC(n.c_str(), nullptr);
    if (!std::isfinite(d) || (errno == ERANGE && std::fabs(d) >= 1)) return std::nullopt;
    return d;
}

std::string CsvConvMemo(std::string_view value) { return Trim(value); }

namespace {

// The columns whose sum is the stored standard unit price of an item.
const char* const kCostColumns[] = {"SYUZAIHI", "KAKOUHI", "GAICHUUHI", "ETCHI"};

// Where a column's converted value is kept: texts and numbers of a record
// are stored side by side in two flat arrays.
struct Slot {
    bool text = false;
    int index = -1;  // -1: not kept (the cost sum)
};

struct Records {
    int texts = 0, numbers = 0;  // per record
    std::vector<std::string> text;
    std::vector<double> number;
    std::vector<int> line;  // line of the file, from 1
    size_t Count() const { return line.size(); }
};

// Appends the key of record i: its key columns joined by the layout's
// separator, numbers in decimal.
void AppendKey(std::string& out, const CsvLayout& layout, const std::vector<Slot>& slots, const Records& r, size_t i) {
    bool first = true;
    for (int c : layout.keyColumns) {
        if (!first) out += layout.keySeparator;
        first = false;
        const Slot& s = slots[c];
        if (s.text) out += r.text[i * r.texts + s.index];
        else out += std::to_string(static_cast<long long>(r.number[i * r.numbers + s.index]));
    }
}

// INSERT of one record that replaces the row of the same key, assigning every
// column: one statement per record, prepared once per table.
std::string UpsertSql(const CsvLayout& layout) {
    std::string cols, params, sets, keys;
    for (const auto& c : layout.columns) {
        std::string q = QuoteIdent(c.column);
        if (!cols.empty()) cols += ",", params += ",", sets += ",";
        cols += q;
        params += "?";
        sets += q + "=excluded." + q;
    }
    for (int k : layout.keyColumns) keys += (keys.empty() ? "" : ",") + QuoteIdent(layout.columns[k].column);
    return "INSERT INTO " + QuoteIdent(layout.table) + " (" + cols + ") VALUES (" + params + ") ON CONFLICT (" + keys +
           ") DO UPDATE SET " + sets;
}

}  // namespace

bool clsCsvImport::ImportTable(CsvTable t, const std::string& csvPath, bool header, bool deleteFirst, clsDao& dao,
                               bool nameFiles) {
    const CsvLayout& layout = GetCsvLayout(t);
    const CsvTexts& x = GetCsvTexts(t);
    const size_t ncol = layout.columns.size();

    l_.Status(x.importReading);
    if (!FileExists(csvPath)) {
        std::string m = x.importMissing;
        if (nameFiles) m.insert(m.size() - 1, "[" + csvPath + "]");
        l_.Message(m);
        return false;
    }
    std::string bytes;
    if (!ReadFile(csvPath, bytes)) {
        l_.Message(std::string(x.name) + "のｲﾝﾎﾟｰﾄ元ﾌｧｲﾙを読み込めません。[" + csvPath + ": " + std::strerror(errno) +
                   "]\n");
        return false;
    }
    CsvReader reader(std::move(bytes));
    if (!reader.RefusedEncoding().empty()) {
        l_.Message(std::string(x.name) + "の読み込みCSVは" + reader.RefusedEncoding() +
                   "で書かれているため読み込めません。[" + csvPath +
                   "]\nShift-JISかUTF-8で保存したﾌｧｲﾙを指定してください。\n");
        return false;
    }
    // A message about line n: the table's text, the line (beside the file
    // when files are named) and "行目]".
    auto lineMessage = [&](const char* head, int n) {
        return head + (nameFiles ? csvPath + " " : std::string()) + std::to_string(n) + "行目]\n";
    };

    Records r;
    std::vector<Slot> slots(ncol);
    std::vector<int> costs;  // slots of the cost columns
    for (size_t c = 0; c < ncol; ++c) {
        CsvKind k = layout.columns[c].kind;
        if (k == CsvKind::Text || k == CsvKind::Memo) slots[c] = {true, r.texts++};
        else if (k != CsvKind::CostSum) slots[c] = {false, r.numbers++};
        for (const char* cost : kCostColumns)
            if (std::strcmp(layout.columns[c].column, cost) == 0) costs.push_back(slots[c].index);
    }

    // Read and convert every line; the first error ends the reading.
    std::string error;
    std::vector<std::string> v;
    CsvValueError bad;
    for (int n = header ? 2 : 1; n <= reader.LineCount() && error.empty(); ++n) {
        if (!reader.Values(n, v, &bad)) {
            error = std::string(x.name) + "の読み込みCSVの値を読み込めません。[" + csvPath + " " + std::to_string(n) +
                    "行目 " + std::to_string(bad.position) + "項目目]\n" + bad.reason + "\n";
            break;
        }
        if (v.empty()) continue;
        if (v.size() != ncol) {
            error = lineMessage(x.wrongFormat, n);
            if (nameFiles)
                error += "1行に" + std::to_string(ncol) + "個の値が必要ですが、" + std::to_string(v.size()) +
                         "個あります。\n";
            break;
        }
        // A line with an error is still converted to its end; the last error
        // of the line is the one reported.
        for (size_t c = 0; c < ncol; ++c) {
            const CsvColumn& col = layout.columns[c];
            switch (col.kind) {
                case CsvKind::Text:
                    r.text.push_back(CsvConvText(v[c], col.size));
                    if (col.emptyKey && r.text.back().empty()) error = lineMessage(col.emptyKey, n);
                    break;
                case CsvKind::Memo: r.text.push_back(CsvConvMemo(v[c])); break;
                case CsvKind::Digit: r.number.push_back(CsvConvDigit(v[c])); break;
                case CsvKind::Quantity: r.number.push_back(CsvConvQuantity(v[c])); break;
                case CsvKind::Number: {
                    auto d = CsvConvNumber(v[c]);
                    r.number.push_back(d.value_or(0));
                    if (!d)
                        error = std::string(x.name) + "の読み込みCSVの数値を変換できません。[" + csvPath + " " +
                                std::to_string(n) + "行目 " + std::to_string(c + 1) + "項目目 \"" + v[c] + "\"]\n";
                    break;
                }
                case CsvKind::CostSum: break;
            }
        }
        r.line.push_back(n);
    }

    // Duplicate keys: the first record, in file order, whose key another
    // record has too. The keys stand one after the other in one text.
    if (error.empty()) {
        std::string keys;
        std::vector<size_t> ends;
        ends.reserve(r.Count());
        for (size_t i = 0; i < r.Count(); ++i) {
            AppendKey(keys, layout, slots, r, i);
            ends.push_back(keys.size());
        }
        auto key = [&](size_t i) {
            size_t b = i ? ends[i - 1] : 0;
            return std::string_view(keys).substr(b, ends[i] - b);
        };
        // An open-addressing table of record numbers (+1; 0 = free): a big
        // file holds a million keys, which a node-based map allocates one by one.
        size_t cap = 16;
        while (cap < r.Count() * 2) cap <<= 1;
        std::vector<size_t> table(cap, 0);
        std::hash<std::string_view> hash;
        size_t dup = r.Count();
        for (size_t i = 0; i < r.Count(); ++i) {
            std::string_view k = key(i);
            for (size_t pos = hash(k) & (cap - 1);; pos = (pos + 1) & (cap - 1)) {
                if (table[pos] == 0) {
                    table[pos] = i + 1;
                    break;
                }
                if (key(table[pos] - 1) == k) {
                    dup = std::min(dup, table[pos] - 1);
                    break;
                }
            }
        }
        if (dup < r.Count()) error = x.duplicate + std::string(key(dup)) + "]\n";
    }
    if (!error.empty()) {
        l_.Message(error);
        return false;
    }

    int line = 0;
    try {
        auto db = dao.GetDatabase();
        if (!db) throw EngineError("データファイルが開かれていません。");
        if (deleteFirst) {
            l_.Status(x.deleting);
            db->Execute(std::string("DELETE FROM ") + layout.table);
        }
        const TableInfo& info = db->Table(layout.table);
        std::vector<int> types(ncol, jtText);
        for (size_t c = 0; c < ncol; ++c)
            if (const ColumnInfo* ci = info.Find(layout.columns[c].column)) types[c] = ci->type;
        auto st = db->Prepare(UpsertSql(layout), true);
        const long long total = static_cast<long long>(r.Count());
        for (size_t i = 0; i < r.Count(); ++i) {
            line = r.line[i];
            l_.Progress(x.importProgress, static_cast<long long>(i) + 1, total);
            const std::string* text = r.text.data() + i * r.texts;
            const double* num = r.number.data() + i * r.numbers;
            for (size_t c = 0; c < ncol; ++c) {
                const Slot& s = slots[c];
                int p = static_cast<int>(c) + 1;
                if (s.text) {
                    st->Bind(p, Variant(text[s.index]));
                    continue;
                }
                double d = 0;
                if (s.index >= 0) d = num[s.index];
                else
                    for (int k : costs) d += num[k];
                if (types[c] == jtShort || types[c] == jtLong) st->Bind(p, Variant(static_cast<long long>(d)));
                else st->Bind(p, Variant(d));
            }
            st->Step();
            st->Reset();
        }
    } catch (const VelmoError& e) {
        l_.Message(std::string(x.name) + "をｲﾝﾎﾟｰﾄできません。[" + csvPath +
                   (line > 0 ? " " + std::to_string(line) + "行目" : std::string()) + "]\n" + e.what() +
                   "\nこのｲﾝﾎﾟｰﾄの内容はすべて取り消されます。\n");
        return false;
    }
    return true;
}

bool clsCsvImport::Run(CsvRunOptions o) {
    std::string check = CsvCheckRun(o, false);
    if (!check.empty()) {
        l_.Message(check);
        return false;
    }
    CsvRunGuard running(l_);
    struct stat st;
    if (stat(o.mdbPath.c_str(), &st) != 0) {
        l_.Status("MDBﾌｧｲﾙを作成しています....");
        CreateSchema(o.mdbPath, 0);
    }
    clsDao dao;
    if (dao.OpenDatabase(o.mdbPath) != 0) return false;
    if (dao.BeginTrans() != 0) {
        dao.Close();
        return false;
    }
    bool ok = true;
    for (CsvTable t : kCsvTables) {
        int i = static_cast<int>(t);
        if (o.chosen[i] && ok) ok = ImportTable(t, o.csvPath[i], o.header[i], o.deleteFirst, dao, o.nameFiles);
    }
    if (ok) ok = dao.EndTrans(1) == 0;
    else dao.EndTrans(0);
    dao.Close();
    running.End();
    if (ok) l_.Message("インポートが終了しました。\n");
    return ok;
}
