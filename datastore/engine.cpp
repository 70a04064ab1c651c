#include "engine.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sqlite3.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "jetsql.h"

namespace {

bool SizeMatchesHeader(const std::string& path, unsigned long long fileSize);

constexpr int kApplicationId = 0x56454C4D;  // "VELM"
constexpr size_t kStatementCache = 64;

// like(pattern, text) with the Jet wildcards.
void LikeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (argc < 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const char* p = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const char* t = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    try {
        sqlite3_result_int(ctx, JetLike(p ? p : "", t ? t : "") ? 1 : 0);
    } catch (const std::exception& e) {
        sqlite3_result_error(ctx, e.what(), -1);
    }
}

std::string Upper(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The page size and page count of the header against the file's size. The
// count is only kept by writers that also keep the "valid for" number equal
// to the change counter; otherwise there is nothing to compare.
bool SizeMatchesHeader(const std::string& path, unsigned long long fileSize) {
    std::ifstream in(path, std::ios::binary);
    unsigned char h[100] = {};
    if (!in.read(reinterpret_cast<char*>(h), 100)) return false;
    auto be32 = [&](int o) {
        return (static_cast<unsigned long long>(h[o]) << 24) | (h[o + 1] << 16) | (h[o + 2] << 8) | h[o + 3];
    };
    unsigned long long pageSize = (h[16] << 8) | h[17];
    if (pageSize == 1) pageSize = 65536;
    unsigned long long pages = be32(28);
    if (pages == 0 || be32(24) != be32(92)) return true;
    return fileSize >= pageSize * pages;
}

}  // namespace

bool LooksLikeDataFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[16] = {};
    if (!in.read(head, 16)) return false;
    return std::memcmp(head, "SQLite format 3\0", 16) == 0;
}

std::string EngineMessage(const std::string& msg, int code) {
    auto after = [&](const char* prefix) -> std::string {
        size_t p = msg.find(prefix);
        return p == std::string::npos ? std::string() : msg.substr(p + std::strlen(prefix));
    };
    if (code == SQLITE_CONSTRAINT_CHECK) {
        // Constraint names are "<table>.<column>:<kind>[:<limit>]".
        std::string name = after("CHECK constraint failed: ");
        size_t colon = name.find(':');
        std::string where = name.substr(0, colon);
        std::string kind = colon == std::string::npos ? "" : name.substr(colon + 1);
        size_t dot = where.find('.');
        std::string table = where.substr(0, dot);
        std::string column = dot == std::string::npos ? "" : where.substr(dot + 1);
        std::string head = "テーブル " + table + " の列 " + column + ": ";
        if (kind.rfind("text:", 0) == 0)
            return head + "文字数が列の長さ " + kind.substr(5) + " 文字を超えています。";
        if (kind == "short")
            return head + "整数 (short) の範囲 -32768～32767 を超えているか、数値ではありません。";
        if (kind == "long")
            return head + "整数 (long) の範囲 -2147483648～2147483647 を超えているか、数値ではありません。";
        if (kind == "double") return head + "数値 (double) の列に数値以外の値は書き込めません。";
        if (kind == "boolean") return head + "真偽値の列に書き込めない値です。";
        return "制約に違反しています: " + name;
    }
    if (code == SQLITE_CONSTRAINT_PRIMARYKEY || code == SQLITE_CONSTRAINT_UNIQUE) {
        std::string cols = after("constraint failed: ");
        std::string table = cols.substr(0, cols.find('.'));
        std::string keys;
        size_t pos = 0;
        while (pos < cols.size()) {
            size_t comma = cols.find(", ", pos);
            std::string part = cols.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
            size_t dot = part.find('.');
            if (!keys.empty()) keys += ", ";
            keys += dot == std::string::npos ? part : part.substr(dot + 1);
            if (comma == std::string::npos) break;
            pos = comma + 2;
        }
        return "テーブル " + table + " のキー (" + keys + ") が重複しています。同じキーの行がすでにあります。";
    }
    if (code == SQLITE_CONSTRAINT_NOTNULL) {
        std::string col = after("constraint failed: ");
        size_t dot = col.find('.');
        return "テーブル " + col.substr(0, dot) + " の列 " + (dot == std::string::npos ? col : col.substr(dot + 1)) +
               ": キーの列に値がありません。";
    }
    switch (code & 0xFF) {
        case SQLITE_READONLY: return "データファイルが読み取り専用のため、書き込めません。(" + msg + ")";
        case SQLITE_FULL: return "ディスクがいっぱいのため、書き込めません。(" + msg + ")";
        case SQLITE_CORRUPT: return "データファイルが壊れています。(" + msg + ")";
        case SQLITE_NOTADB: return "データファイルではありません。(" + msg + ")";
        case SQLITE_BUSY:
        case SQLITE_LOCKED: return "データファイルが他で使用中です。(" + msg + ")";
        case SQLITE_CANTOPEN: return "データファイルを開けません。(" + msg + ")";
        case SQLITE_IOERR: return "データファイルの読み書きに失敗しました。(" + msg + ")";
        default: break;
    }
    if (msg.rfind("no such table: ", 0) == 0) return "テーブル " + msg.substr(15) + " がありません。";
    if (msg.rfind("no such column: ", 0) == 0) return "列 " + msg.substr(16) + " がありません。";
    if (msg.find("already exists") != std::string::npos) return "すでに存在します。(" + msg + ")";
    return msg;
}

// ---------------------------------------------------------------- Statement

Statement::~Statement() {
    if (db_) db_->Release(stmt_, key_);
    else sqlite3_finalize(stmt_);
}

void Statement::Bind(int index, const Variant& v) {
    int rc = SQLITE_OK;
    switch (v.GetType()) {
        case Variant::Type::Null: rc = sqlite3_bind_null(stmt_, index); break;
        case Variant::Type::Bool: rc = sqlite3_bind_int(stmt_, index, v.AsInt() ? -1 : 0); break;
        case Variant::Type::Int: rc = sqlite3_bind_int64(stmt_, index, v.AsInt()); break;
        case Variant::Type::Double: rc = sqlite3_bind_double(stmt_, index, v.AsDouble()); break;
        case Variant::Type::Text: {
            std::string t = v.AsText();
            rc = sqlite3_bind_text(stmt_, index, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
            break;
        }
    }
    if (rc != SQLITE_OK) db_->Fail(rc);
}

void Statement::BindAll(const std::vector<std::string>& texts) {
    for (size_t i = 0; i < texts.size(); ++i) {
        int rc = sqlite3_bind_text(stmt_, static_cast<int>(i + 1), texts[i].data(), static_cast<int>(texts[i].size()),
                                   SQLITE_TRANSIENT);
        if (rc != SQLITE_OK) db_->Fail(rc);
    }
}

bool Statement::Step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    sqlite3_reset(stmt_);
    db_->Fail(rc);
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::ColumnCount() const { return sqlite3_column_count(stmt_); }

std::string Statement::ColumnName(int i) const {
    const char* n = sqlite3_column_name(stmt_, i);
    return n ? n : "";
}

int Statement::ColumnTypeCode(int i) const {
    const char* d = sqlite3_column_decltype(stmt_, i);
    return d ? TypeFromDeclared(d) : 0;
}

bool Statement::ColumnIsNull(int i) const { return sqlite3_column_type(stmt_, i) == SQLITE_NULL; }
long long Statement::ColumnInt(int i) const { return sqlite3_column_int64(stmt_, i); }
double Statement::ColumnDouble(int i) const { return sqlite3_column_double(stmt_, i); }

std::string Statement::ColumnText(int i) const {
    const unsigned char* t = sqlite3_column_text(stmt_, i);
    int n = sqlite3_column_bytes(stmt_, i);
    return t ? std::string(reinterpret_cast<const char*>(t), n) : std::string();
}

Variant Statement::Column(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
        case SQLITE_NULL: return Variant();
        case SQLITE_INTEGER: return Variant(static_cast<long long>(sqlite3_column_int64(stmt_, i)));
        case SQLITE_FLOAT: return Variant(sqlite3_column_double(stmt_, i));
        default: return Variant(ColumnText(i));
    }
}

// ---------------------------------------------------------------- Database

const ColumnInfo* TableInfo::Find(const std::string& column) const {
    std::string u = Upper(column);
    for (const auto& c : columns)
        if (Upper(c.name) == u) return &c;
    return nullptr;
}

std::shared_ptr<Database> Database::Open(const std::string& path, bool readOnly) {
    struct stat st;
    if (path.empty() || stat(path.c_str(), &st) != 0)
        throw EngineError("ファイル '" + path + "' が見つかりません。");
    if (!S_ISREG(st.st_mode)) throw EngineError("'" + path + "' はファイルではありません。");
    if (access(path.c_str(), R_OK) != 0) throw EngineError("ファイル '" + path + "' を読めません。");
    if (!LooksLikeDataFile(path))
        throw EngineError("'" + path + "' はデータファイルではないか、壊れています。");
    std::shared_ptr<Database> db(new Database(path));
    int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    int rc = sqlite3_open_v2(path.c_str(), &db->db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string m = db->db_ ? sqlite3_errmsg(db->db_) : "open failed";
        sqlite3_close_v2(db->db_);
        db->db_ = nullptr;
        throw EngineError("データファイル '" + path + "' を開けません。(" + m + ")");
    }
    try {
        db->Setup();
        // A file shorter than its header says was cut off.
        if (!SizeMatchesHeader(path, static_cast<unsigned long long>(st.st_size)))
            throw EngineError("データファイル '" + path + "' が壊れています。(ファイルが途中で切れています)");
        // Reading the schema checks the schema pages; reading the first row of
        // every table checks the tables' root pages. A full page check would
        // read the whole file on every open.
        std::vector<std::string> tables;
        auto schema = db->Prepare("SELECT name FROM sqlite_master WHERE type='table'");
        while (schema->Step()) tables.push_back(schema->ColumnText(0));
        schema.reset();
        for (const auto& t : tables) {
            auto first = db->Prepare("SELECT * FROM " + QuoteIdent(t) + " LIMIT 1");
            first->Step();
        }
    } catch (const EngineError& e) {
        db->Close();
        std::string m = e.what();
        if (m.find(path) == std::string::npos) m = "データファイル '" + path + "' を開けません。" + m;
        throw EngineError(m);
    }
    return db;
}

std::shared_ptr<Database> Database::Create(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0) throw EngineError("ファイル '" + path + "' はすでに存在します。");
    std::shared_ptr<Database> db(new Database(path));
    int rc = sqlite3_open_v2(path.c_str(), &db->db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                             nullptr);
    if (rc != SQLITE_OK) {
        std::string m = db->db_ ? sqlite3_errmsg(db->db_) : "open failed";
        sqlite3_close_v2(db->db_);
        db->db_ = nullptr;
        throw EngineError("データファイル '" + path + "' を作成できません。(" + m + ")");
    }
    try {
        db->Setup();
        // Writing the application id makes the file a complete, empty database.
        db->Execute("PRAGMA application_id = " + std::to_string(kApplicationId));
    } catch (...) {
        db->Close();
        unlink(path.c_str());
        throw;
    }
    return db;
}

void Database::Setup() {
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, 3000);
    sqlite3_create_function(db_, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, LikeFunction, nullptr,
                            nullptr);
}

Database::~Database() { Close(); }

void Database::Close() {
    if (!db_) return;
    for (auto& [k, i] : idle_) sqlite3_finalize(i.stmt);
    idle_.clear();
    tables_.clear();
    if (transDepth_ > 0) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    transDepth_ = 0;
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

void Database::Fail(int rc) const {
    std::string m = db_ ? sqlite3_errmsg(db_) : "データファイルが開かれていません。";
    int ext = db_ ? sqlite3_extended_errcode(db_) : rc;
    throw EngineError(EngineMessage(m, ext ? ext : rc));
}

std::unique_ptr<Statement> Database::Prepare(const std::string& sql, bool cached) {
    if (cached) return PrepareKeyed(sql);
    if (!db_) throw EngineError("データファイルが開かれていません。");
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &st, nullptr);
    if (rc != SQLITE_OK) Fail(rc);
    if (!st) throw EngineError("実行する文がありません。");
    return std::unique_ptr<Statement>(new Statement(shared_from_this(), st, std::string()));
}

std::unique_ptr<Statement> Database::PrepareKeyed(const std::string& sql) {
    if (!db_) throw EngineError("データファイルが開かれていません。");
    auto it = idle_.find(sql);
    if (it != idle_.end()) {
        sqlite3_stmt* st = it->second.stmt;
        idle_.erase(it);
        return std::unique_ptr<Statement>(new Statement(shared_from_this(), st, sql));
    }
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &st,
                                nullptr);
    if (rc != SQLITE_OK) Fail(rc);
    if (!st) throw EngineError("実行する文がありません。");
    return std::unique_ptr<Statement>(new Statement(shared_from_this(), st, sql));
}

void Database::Release(sqlite3_stmt* stmt, const std::string& key) {
    if (!db_ || key.empty()) {
        sqlite3_finalize(stmt);
        return;
    }
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (idle_.size() >= kStatementCache) {
        // Make room by dropping the statement released longest ago.
        auto oldest = idle_.begin();
        for (auto it = idle_.begin(); it != idle_.end(); ++it)
            if (it->second.released < oldest->second.released) oldest = it;
        sqlite3_finalize(oldest->second.stmt);
        idle_.erase(oldest);
    }
    idle_.emplace(key, Idle{stmt, ++releases_});
}

std::unique_ptr<Statement> Database::PrepareJet(const std::string& jetSql) {
    TranslatedSql t;
    try {
        t = TranslateJetSql(jetSql);
    } catch (const std::invalid_argument& e) {
        throw EngineError(std::string("SQL 文の構文エラーです: ") + e.what() + " (" + jetSql + ")");
    }
    auto st = PrepareKeyed(t.sql);
    st->BindAll(t.params);
    return st;
}

void Database::Execute(const std::string& jetSql) {
    if (!db_) throw EngineError("データファイルが開かれていません。");
    // Statements are separated by ';' outside of quotes.
    std::vector<std::string> parts;
    std::string cur;
    char quote = 0;
    for (char c : jetSql) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"' || c == '[') {
            quote = c == '[' ? ']' : c;
        } else if (c == ';') {
            parts.push_back(cur);
            cur.clear();
            continue;
        }
        cur.push_back(c);
    }
    parts.push_back(cur);
    for (const auto& p : parts) {
        bool blank = std::all_of(p.begin(), p.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
        if (blank) continue;
        bool schema = IsSchemaStatement(p);
        if (schema) {
            // Cached statements may refer to the old layout.
            for (auto& [k, i] : idle_) sqlite3_finalize(i.stmt);
            idle_.clear();
        }
        auto st = PrepareJet(p);
        while (st->Step()) {
        }
        if (schema) SchemaChanged();
    }
}

void Database::SchemaChanged() { tables_.clear(); }

void Database::BeginTrans() {
    if (!db_) throw EngineError("データファイルが開かれていません。");
    std::string sql = transDepth_ == 0 ? "BEGIN" : "SAVEPOINT velmo" + std::to_string(transDepth_);
    int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) Fail(rc);
    ++transDepth_;
}

void Database::CommitTrans() {
    if (!db_) throw EngineError("データファイルが開かれていません。");
    if (transDepth_ == 0) throw EngineError("トランザクションが開始されていません。");
    std::string sql = transDepth_ == 1 ? "COMMIT" : "RELEASE velmo" + std::to_string(transDepth_ - 1);
    int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) Fail(rc);
    --transDepth_;
}

void Database::Rollback() {
    if (!db_) throw EngineError("データファイルが開かれていません。");
    if (transDepth_ == 0) throw EngineError("トランザクションが開始されていません。");
    std::string sql = transDepth_ == 1
                          ? std::string("ROLLBACK")
                          : "ROLLBACK TO velmo" + std::to_string(transDepth_ - 1) + "; RELEASE velmo" +
                                std::to_string(transDepth_ - 1);
    int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    --transDepth_;
    if (rc != SQLITE_OK) Fail(rc);
}

bool Database::HasTable(const std::string& table) {
    if (!db_) return false;
    auto st = Prepare("SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE");
    st->Bind(1, Variant(table));
    return st->Step();
}

std::vector<std::string> Database::TableNames() {
    std::vector<std::string> out;
    auto st = Prepare("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite%' ORDER BY rowid");
    while (st->Step()) out.push_back(st->ColumnText(0));
    return out;
}

const TableInfo& Database::Table(const std::string& table) {
    std::string key = Upper(table);
    auto it = tables_.find(key);
    if (it != tables_.end()) return it->second;
    auto st = Prepare("SELECT name, type, pk FROM pragma_table_info(?)");
    st->Bind(1, Variant(table));
    TableInfo info;
    info.name = table;
    while (st->Step()) {
        ColumnInfo c;
        c.name = st->ColumnText(0);
        c.type = TypeFromDeclared(st->ColumnText(1), &c.size);
        c.key = st->ColumnInt(2) > 0;
        info.columns.push_back(c);
    }
    if (info.columns.empty()) throw EngineError("テーブル " + table + " がありません。");
    return tables_.emplace(key, std::move(info)).first->second;
}
