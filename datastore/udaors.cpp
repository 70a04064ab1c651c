#include "udaors.h"

#include <cctype>
#include <cmath>

#include "jetsql.h"
#include "notify.h"
#include "ucommon.h"

namespace {

std::string Upper(const std::string& s) {
    std::string u = s;
    for (auto& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

const char* kRowid = "__velmo_rowid__";

// The table of "SELECT <columns> FROM <table> [WHERE ...] [ORDER BY ...]"
// when the result rows are rows of that one table; "" for joins, groups,
// DISTINCT and computed columns.
std::string SingleTable(const std::string& sql) {
    std::string u = Upper(sql);
    size_t i = u.find_first_not_of(" \t\r\n");
    if (i == std::string::npos || u.compare(i, 6, "SELECT") != 0) return "";
    size_t from = u.find(" FROM ", i);
    if (from == std::string::npos) return "";
    std::string cols = u.substr(i + 6, from - i - 6);
    if (cols.find('(') != std::string::npos || cols.find("DISTINCT") != std::string::npos) return "";
    size_t t = u.find_first_not_of(" \t\r\n", from + 6);
    if (t == std::string::npos) return "";
    size_t e = t;
    while (e < u.size() && (std::isalnum(static_cast<unsigned char>(u[e])) || u[e] == '_')) ++e;
    if (e == t) return "";
    std::string rest = u.substr(e);
    size_t r = rest.find_first_not_of(" \t\r\n;");
    if (r != std::string::npos) {
        if (rest.compare(r, 5, "WHERE") != 0 && rest.compare(r, 5, "ORDER") != 0) return "";
    }
    if (rest.find(" JOIN ") != std::string::npos || rest.find(" GROUP ") != std::string::npos) return "";
    return sql.substr(t, e - t);
}

[[noreturn]] void NoCurrent() { throw EngineError("カレント レコードがありません。"); }

}  // namespace

clsDaoRs::clsDaoRs(DatabaseHandle database) : database_(std::move(database)) {}

clsDaoRs::~clsDaoRs() = default;

int clsDaoRs::OpenRecordset(const std::string& sql, int maxRecords) {
    if (isOpen_ == 1) {
        NotifyInfo("Closeを行ってから、OpenRecordsetを行ってください。");
        return 1;
    }
    if (!database_ || !database_->IsOpen()) throw EngineError("データファイルが開かれていません。");
    std::string table = SingleTable(sql);
    std::string run = sql;
    if (!table.empty()) {
        size_t sel = Upper(sql).find("SELECT");
        run = sql.substr(0, sel + 6) + " " + table + ".rowid AS " + kRowid + "," + sql.substr(sel + 6);
    }
    stmt_ = database_->PrepareJet(run);
    sql_ = sql;
    table_ = table;
    maxRecords_ = maxRecords;
    names_.clear();
    types_.clear();
    index_.clear();
    rowidCol_ = -1;
    int n = stmt_->ColumnCount();
    for (int c = 0; c < n; ++c) {
        std::string name = stmt_->ColumnName(c);
        names_.push_back(name);
        int type = stmt_->ColumnTypeCode(c);
        types_.push_back(type == jtCounter ? jtLong : type);
        if (!table.empty() && name == kRowid) {
            rowidCol_ = c;
            continue;
        }
        index_.emplace(Upper(name), c);  // the first column of a name wins
    }
    buffered_ = false;
    rows_.clear();
    base_ = 0;
    position_ = 0;
    fetched_ = 0;
    pending_ = Pending::None;
    changes_.clear();
    isOpen_ = 1;
    Fetch();
    return 0;
}

void clsDaoRs::Fetch() {
    if (maxRecords_ > 0 && fetched_ >= maxRecords_) {
        eof_ = true;
        return;
    }
    eof_ = !stmt_->Step();
    if (!eof_) ++fetched_;
}

int clsDaoRs::Close() {
    if (isOpen_ != 1) return 0;
    stmt_.reset();
    rows_.clear();
    pending_ = Pending::None;
    changes_.clear();
    isOpen_ = 0;
    return 0;
}

bool clsDaoRs::IsEOF() {
    if (isOpen_ != 1) throw EngineError("レコードセットが開かれていません。");
    if (buffered_) return position_ - base_ >= static_cast<long long>(rows_.size());
    return eof_;
}

bool clsDaoRs::Current() const {
    if (buffered_) {
        long long k = position_ - base_;
        return k >= 0 && k < static_cast<long long>(rows_.size()) && !rows_[k].deleted;
    }
    return !eof_;
}

clsDaoRs::Row clsDaoRs::ReadRow() const {
    Row r;
    int n = static_cast<int>(names_.size());
    r.values.reserve(n);
    for (int c = 0; c < n; ++c) r.values.push_back(stmt_->Column(c));
    if (rowidCol_ >= 0) r.rowid = stmt_->ColumnInt(rowidCol_);
    return r;
}

void clsDaoRs::Buffer(bool fromStart) {
    if (buffered_ && (!fromStart || base_ == 0)) return;
    std::vector<Row> rows;
    long long base = position_;
    if (fromStart && (buffered_ || position_ > 0)) {
        // Earlier rows are no longer at hand: run the statement again.
        stmt_->Reset();
        std::string table = table_;
        stmt_.reset();
        std::string run = sql_;
        if (!table.empty()) {
            size_t sel = Upper(sql_).find("SELECT");
            run = sql_.substr(0, sel + 6) + " " + table + ".rowid AS " + kRowid + "," + sql_.substr(sel + 6);
        }
        stmt_ = database_->PrepareJet(run);
        fetched_ = 0;
        Fetch();
        base = 0;
    } else if (buffered_) {
        return;
    }
    while (!eof_) {
        rows.push_back(ReadRow());
        Fetch();
    }
    stmt_->Reset();
    rows_ = std::move(rows);
    base_ = base;
    buffered_ = true;
}

int clsDaoRs::MoveRecord(int op) {
    if (isOpen_ != 1) throw EngineError("レコードセットが開かれていません。");
    switch (op) {
        case 0:
            if (IsEOF()) NoCurrent();
            ++position_;
            if (!buffered_) Fetch();
            break;
        case 1:
            Buffer(true);
            if (position_ <= 0) NoCurrent();
            --position_;
            break;
        case 2:
            Buffer(true);
            position_ = 0;
            break;
        case 3:
            Buffer(true);
            position_ = rows_.empty() ? 0 : static_cast<long long>(rows_.size()) - 1;
            break;
        default: break;
    }
    pending_ = Pending::None;
    changes_.clear();
    return 0;
}

int clsDaoRs::ColumnIndex(const std::string& name) const {
    auto it = index_.find(Upper(name));
    if (it != index_.end()) return it->second;
    // "table.column" names the column of that table in a join.
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        it = index_.find(Upper(name.substr(dot + 1)));
        if (it != index_.end()) return it->second;
    }
    return -1;
}

Variant clsDaoRs::NullFor(int col) const {
    int t = types_[col];
    if (t == jtBoolean) return Variant(false);
    if ((t >= 2 && t <= 8) || t == 15 || t == 16 || (t >= 19 && t <= 23)) return Variant(0);
    if (t == jtText || t == jtMemo || t == 18) return Variant(std::string());
    return Variant();
}

Variant clsDaoRs::ReadValue(int col) const {
    Variant v = buffered_ ? rows_[position_ - base_].values[col] : stmt_->Column(col);
    if (v.IsNull()) return NullFor(col);
    switch (types_[col]) {
        case jtDouble:
        case jtDate: return Variant(v.AsDouble());
        case jtShort:
        case jtLong:
            if (v.GetType() == Variant::Type::Int) return v;
            return v;
        case jtBoolean: return Variant(v.AsInt() != 0);
        case jtText:
        case jtMemo: return v.GetType() == Variant::Type::Text ? v : Variant(v.AsText());
        default: return v;
    }
}

void clsDaoRs::GetField(const std::string& name, Variant& value) {
    if (isOpen_ != 1) throw EngineError("レコードセットが開かれていません。");
    int c = ColumnIndex(name);
    if (c < 0) throw EngineError("項目 '" + name + "' はこのコレクションにありません。");
    if (pending_ == Pending::Add) {
        // The new row reads what has been assigned so far.
        for (auto it = changes_.rbegin(); it != changes_.rend(); ++it)
            if (Upper(it->first) == Upper(names_[c])) {
                value = it->second.IsNull() ? NullFor(c) : it->second;
                return;
            }
        value = NullFor(c);
        return;
    }
    if (!Current()) NoCurrent();
    if (pending_ == Pending::Edit) {
        for (auto it = changes_.rbegin(); it != changes_.rend(); ++it)
            if (Upper(it->first) == Upper(names_[c])) {
                value = it->second.IsNull() ? NullFor(c) : it->second;
                return;
            }
    }
    value = ReadValue(c);
}

Variant clsDaoRs::Field(const std::string& name) {
    Variant v;
    GetField(name, v);
    return v;
}

void clsDaoRs::RequireUpdatable() const {
    if (isOpen_ != 1) throw EngineError("レコードセットが開かれていません。");
    if (table_.empty() || rowidCol_ < 0) throw EngineError("このレコードセットは更新できません。");
}

Variant clsDaoRs::Coerce(const ColumnInfo& c, const Variant& v) const {
    if (v.IsNull()) return v;
    auto fail = [&]() -> Variant {
        throw EngineError("テーブル " + table_ + " の列 " + c.name + ": '" + v.AsText() +
                          "' はこの列の型に変換できません。");
    };
    switch (c.type) {
        case jtShort:
        case jtLong:
        case jtCounter: {
            if (v.GetType() == Variant::Type::Int) return v;
            if (v.GetType() == Variant::Type::Bool) return Variant(v.AsInt());
            double d;
            if (v.GetType() == Variant::Type::Double) d = v.AsDouble();
            else {
                auto p = ParseFloat(v.AsText());
                if (!p) return fail();
                d = *p;
            }
            if (!std::isfinite(d) || std::fabs(d) > 1e15) return fail();
            return Variant(static_cast<long long>(std::nearbyint(d)));
        }
        case jtDouble:
        case jtDate: {
            if (v.GetType() == Variant::Type::Double || v.GetType() == Variant::Type::Int ||
                v.GetType() == Variant::Type::Bool)
                return Variant(v.AsDouble());
            auto p = ParseFloat(v.AsText());
            if (!p) return fail();
            return Variant(*p);
        }
        case jtBoolean: {
            if (v.GetType() == Variant::Type::Text) {
                std::string u = Upper(Trim(v.AsText()));
                if (u == "TRUE") return Variant(-1);
                if (u == "FALSE") return Variant(0);
                auto p = ParseFloat(u);
                if (!p) return fail();
                return Variant(*p != 0 ? -1 : 0);
            }
            return Variant(v.AsDouble() != 0 ? -1 : 0);
        }
        default: return Variant(v.AsText());
    }
}

void clsDaoRs::SetField(const std::string& name, const Variant& value) {
    if (isOpen_ != 1) throw EngineError("レコードセットが開かれていません。");
    if (pending_ == Pending::None)
        throw EngineError("AddNew または Edit を行わずに項目 '" + name + "' に値を設定しようとしました。");
    const ColumnInfo* c = database_->Table(table_).Find(name);
    if (!c) throw EngineError("項目 '" + name + "' はテーブル " + table_ + " にありません。");
    Variant v = Coerce(*c, value);
    for (auto& ch : changes_)
        if (Upper(ch.first) == Upper(c->name)) {
            ch.second = v;
            return;
        }
    changes_.emplace_back(c->name, v);
}

int clsDaoRs::EditMode(int op) {
    switch (op) {
        case 0:
            RequireUpdatable();
            pending_ = Pending::Add;
            changes_.clear();
            return 0;
        case 1:
            RequireUpdatable();
            if (!Current()) NoCurrent();
            pending_ = Pending::Edit;
            changes_.clear();
            return 0;
        case 2: {
            RequireUpdatable();
            if (pending_ == Pending::None) throw EngineError("AddNew または Edit を行わずに Update が呼ばれました。");
            Buffer(false);
            std::string sql;
            if (pending_ == Pending::Add) {
                std::string cols, vals;
                for (const auto& ch : changes_) {
                    if (!cols.empty()) cols += ",", vals += ",";
                    cols += QuoteIdent(ch.first);
                    vals += "?";
                }
                sql = cols.empty() ? "INSERT INTO " + QuoteIdent(table_) + " DEFAULT VALUES"
                                   : "INSERT INTO " + QuoteIdent(table_) + " (" + cols + ") VALUES (" + vals + ")";
            } else {
                if (!Current()) NoCurrent();
                if (changes_.empty()) {
                    pending_ = Pending::None;
                    return 0;
                }
                std::string sets;
                for (const auto& ch : changes_) {
                    if (!sets.empty()) sets += ",";
                    sets += QuoteIdent(ch.first) + "=?";
                }
                sql = "UPDATE " + QuoteIdent(table_) + " SET " + sets + " WHERE rowid=?";
            }
            auto st = database_->Prepare(sql, true);
            int k = 1;
            for (const auto& ch : changes_) st->Bind(k++, ch.second);
            Row* row = nullptr;
            if (pending_ == Pending::Edit) {
                row = &rows_[position_ - base_];
                st->Bind(k, Variant(row->rowid));
            }
            st->Step();
            if (row) {
                for (const auto& ch : changes_) {
                    int c = ColumnIndex(ch.first);
                    if (c >= 0) row->values[c] = ch.second;
                }
            }
            pending_ = Pending::None;
            changes_.clear();
            return 0;
        }
        case 3: {
            RequireUpdatable();
            if (!Current()) NoCurrent();
            Buffer(false);
            Row& row = rows_[position_ - base_];
            auto st = database_->Prepare("DELETE FROM " + QuoteIdent(table_) + " WHERE rowid=?", true);
            st->Bind(1, Variant(row.rowid));
            st->Step();
            row.deleted = true;
            pending_ = Pending::None;
            changes_.clear();
            return 0;
        }
        default: return 0;
    }
}
