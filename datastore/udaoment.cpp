#include "udaoment.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
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
    static std::mt19937 rng(std::random_device{}());
    std::string base = dir;
    if (base.empty()) {
        char buf[4096];
        base = getcwd(buf, sizeof buf) ? buf : ".";
    }
    for (;;) {
        std::string name = base + "/TMP" + std::to_string(rng() % 1000) + ".mdb";
        if (access(name.c_str(), F_OK) != 0) return name;
    }
}

void clsDaoMent::CompactDatabase(const std::string& path) {
    std::string tmp = MakeTempName(DirName(path));
    try {
        auto db = Database::Open(path);
        CreateSchemaIndexes(*db);
        auto st = db->Prepare("VACUUM INTO ?");
        st->Bind(1, Variant(tmp));
        st->Step();
        st.reset();
        db->Close();
        // The copy must be a whole data file before it replaces the original.
        auto check = Database::Open(tmp);
        check->Close();
        struct stat orig;
        if (stat(path.c_str(), &orig) == 0) chmod(tmp.c_str(), orig.st_mode & 07777);
        if (rename(tmp.c_str(), path.c_str()) != 0)
            throw EngineError("最適化したファイルで '" + path + "' を置き換えられません。(" + std::strerror(errno) + ")");
    } catch (...) {
        unlink(tmp.c_str());
        throw;
    }
}
