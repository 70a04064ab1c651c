// The engine adapter: a data file is an SQLite database; statements arrive as
// Jet SQL text and are translated (jetsql.h). Errors raise EngineError with a
// message that names the table, the column and the limit where a constraint
// refused a value.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "variant.h"
#include "verror.h"

struct sqlite3;
struct sqlite3_stmt;

class EngineError : public VelmoError {
public:
    explicit EngineError(const std::string& message) : VelmoError("EngineError", message) {}
};

struct ColumnInfo {
    std::string name;
    int type = 0;  // engine type code (jetsql.h)
    int size = 0;  // text size in characters
    bool key = false;
};

struct TableInfo {
    std::string name;
    std::vector<ColumnInfo> columns;
    const ColumnInfo* Find(const std::string& column) const;  // ASCII case-insensitive
};

class Database;

// A prepared statement. Obtained from Database::Prepare; returns itself to the
// database's cache when destroyed.
class Statement {
public:
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void Bind(int index, const Variant& v);  // 1-based
    void BindAll(const std::vector<std::string>& texts);
    // Steps to the next row; false at the end. Raises EngineError on failure.
    bool Step();
    void Reset();

    int ColumnCount() const;
    std::string ColumnName(int i) const;
    // Engine type code of result column i (from its declared type; 0 for an
    // expression).
    int ColumnTypeCode(int i) const;
    // The value of column i of the current row, by its stored type.
    Variant Column(int i) const;
    bool ColumnIsNull(int i) const;
    long long ColumnInt(int i) const;
    double ColumnDouble(int i) const;
    std::string ColumnText(int i) const;

    sqlite3_stmt* Handle() const { return stmt_; }

private:
    friend class Database;
    Statement(std::shared_ptr<Database> db, sqlite3_stmt* stmt, std::string key)
        : db_(std::move(db)), stmt_(stmt), key_(std::move(key)) {}
    std::shared_ptr<Database> db_;
    sqlite3_stmt* stmt_;
    std::string key_;
};

class Database : public std::enable_shared_from_this<Database> {
public:
    // Opens an existing data file. Refuses, without touching the file, a path
    // that is missing, a file that is not a database and a damaged database.
    // A file opened read-only refuses every write.
    static std::shared_ptr<Database> Open(const std::string& path, bool readOnly = false);
    // Makes a new empty data file at path; the path must not exist.
    static std::shared_ptr<Database> Create(const std::string& path);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::string& Path() const { return path_; }
    bool IsOpen() const { return db_ != nullptr; }
    void Close();

    // Runs a Jet statement (or several separated by ';').
    void Execute(const std::string& jetSql);
    // Prepares a Jet statement with its literal values bound; the prepared
    // form is cached and reused for statements that differ only in values.
    std::unique_ptr<Statement> PrepareJet(const std::string& jetSql);
    // Prepares SQLite text as written (parameters bound by the caller). A
    // cached statement is kept for reuse after it is destroyed.
    std::unique_ptr<Statement> Prepare(const std::string& sql, bool cached = false);

    void BeginTrans();
    void CommitTrans();
    void Rollback();
    int TransDepth() const { return transDepth_; }

    bool HasTable(const std::string& table);
    // Columns of a table in their order; raises EngineError when it is missing.
    const TableInfo& Table(const std::string& table);
    std::vector<std::string> TableNames();

    sqlite3* Handle() const { return db_; }

    // Raises EngineError for the last error of the connection.
    [[noreturn]] void Fail(int rc) const;

private:
    friend class Statement;
    explicit Database(std::string path) : path_(std::move(path)) {}
    void Setup();
    std::unique_ptr<Statement> PrepareKeyed(const std::string& sql);
    void Release(sqlite3_stmt* stmt, const std::string& key);
    void SchemaChanged();

    std::string path_;
    sqlite3* db_ = nullptr;
    int transDepth_ = 0;
    struct Idle {
        sqlite3_stmt* stmt;
        unsigned long long released;  // release number: smaller is older
    };
    std::multimap<std::string, Idle> idle_;  // cached statements not in use
    unsigned long long releases_ = 0;
    std::unordered_map<std::string, TableInfo> tables_;
};

// Message of an SQLite error in the words of this program: constraint
// failures name the table, the column and the limit.
std::string EngineMessage(const std::string& sqliteMessage, int extendedCode);

// True when the file begins with the SQLite header.
bool LooksLikeDataFile(const std::string& path);
