#include "udaoment.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "engine.h"
#include "fileutil.h"
#include "jetsql.h"
#include "notify.h"

void clsDaoMent::CreateDatabase(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && unlink(path.c_str()) != 0)
        throw EngineError("ファイル '" + path + "' を削除できません。(" + std::strerror(errno) + ")");
    auto db = Database::Create(path);
    db->Close();
}

int clsDaoMent::TableDefInit(int n) {
    list_.clear();
    count_ = 0;
    if (n < 0) return -1;
    try {
        list_.assign(static_cast<size_t>(n) + 1, sTableDef{});
    } catch (const std::bad_alloc&) {
        list_.clear();
        return -1;
    }
    count_ = n + 1;
    return 0;
}

void clsDaoMent::TableDefAdd(int index, const std::string& name, unsigned char key, int size, unsigned char type) {
    if (count_ == 0) {
        NotifyInfo("TableDefInitを行ってから、TableDefAddを行ってください。");
        return;
    }
    if (index < 1 || index >= count_)
        throw EngineError("列の番号 " + std::to_string(index) + " は 1～" + std::to_string(count_ - 1) +
                          " の範囲にありません。");
    list_[index] = sTableDef{name, type, size, key};
}

void clsDaoMent::CreateTableDef(const std::string& path, const std::string& table) {
    if (count_ == 0) throw EngineError("テーブル " + table + " の列が準備されていません。");
    std::string sql = "CREATE TABLE " + QuoteIdent(table) + " (";
    std::string keys;
    std::vector<std::string> counters;
    for (int i = 1; i < count_; ++i) {
        const sTableDef& d = list_[i];
        if (d.Name.empty()) throw EngineError("テーブル " + table + " の列 " + std::to_string(i) + " に名前がありません。");
        if (i > 1) sql += ", ";
        sql += ColumnDefinition(table, d.Name, d.Type, d.Size, d.Key == 1);
        if (d.Key == 1) keys += (keys.empty() ? "" : ", ") + QuoteIdent(d.Name);
        if (d.Type == jtCounter) counters.push_back(d.Name);
    }
    if (!keys.empty()) sql += ", CONSTRAINT \"PKey\" PRIMARY KEY (" + keys + ")";
    sql += ")";
    auto db = Database::Open(path);
    db->BeginTrans();
    try {
        db->Prepare(sql)->Step();
        for (const auto& c : counters) {
            // An added row without a value gets the next number.
            std::string q = QuoteIdent(table), col = QuoteIdent(c);
            db->Prepare("CREATE TRIGGER " + QuoteIdent(table + "_" + c + "_counter") + " AFTER INSERT ON " + q +
                        " WHEN NEW." + col + " IS NULL BEGIN UPDATE " + q + " SET " + col +
                        " = (SELECT IFNULL(MAX(" + col + "), 0) + 1 FROM " + q + ") WHERE rowid = NEW.rowid; END")
                ->Step();
        }
        db->CommitTrans();
    } catch (...) {
        db->Rollback();
        db->Close();
        list_.clear();
        count_ = 0;
        throw;
    }
    db->Close();
    list_.clear();
    count_ = 0;
}

std::string clsDaoMent::MakeTempName(const std::string& dir) {
    std::string base = dir;
    if (base.empty()) {
        char buf[4096];
        base = getcwd(buf, sizeof buf) ? buf : ".";
    }
    std::string name;
    int fd = CreateTempFile(base, "TMP", ".mdb", &name);
    if (fd < 0)
        throw EngineError("フォルダ '" + base + "' に一時ファイルを作成できません。(" + std::strerror(errno) + ")");
    close(fd);
    return name;
}

void clsDaoMent::CompactDatabase(const std::string& path) {
    // The engine's journal is written beside the file.
    std::string dir = DirName(path);
    auto db = OpenCheckedDataFile(path);
    if (access(path.c_str(), W_OK) != 0)
        throw DataFileError("データファイル '" + path + "' は読み取り専用のため、最適化できません。");
    if (!IsWritableDir(dir))
        throw DataFileError("フォルダ '" + dir + "' に書き込めないため、データファイル '" + path +
                            "' を最適化できません。");
    CreateSchemaIndexes(*db);
    db->Prepare("VACUUM")->Step();
    db->Close();
}
