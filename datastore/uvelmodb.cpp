// The layout of a data file: the only place where its tables are defined.
#include <cstring>
#include <unistd.h>

#include "engine.h"
#include "fileutil.h"
#include "jetsql.h"
#include "udaoment.h"

const std::vector<SchemaTable>& VelmoSchema() {
    static const std::vector<SchemaTable> schema = {
        {"iStruct",
         {{"CD1", jtText, 18, true},
          {"CD2", jtText, 18, true},
          {"INZU", jtDouble, 0, false},
          {"KFLG", jtShort, 0, false},
          {"CFLG", jtShort, 0, false}}},
        {"MasItem",
         {{"CD", jtText, 18, true},        {"KBN", jtShort, 0, false},      {"NAME", jtText, 64, false},
          {"KANA", jtText, 10, false},     {"KEITAI", jtText, 32, false},   {"KIKAKU", jtText, 32, false},
          {"HINBAN", jtText, 20, false},   {"MCODE", jtText, 36, false},    {"JANKBN", jtShort, 0, false},
          {"JANCODE", jtText, 13, false},  {"TANI", jtText, 4, false},      {"TANKA", jtDouble, 0, false},
          {"SYUZAIHI", jtDouble, 0, false}, {"KAKOUHI", jtDouble, 0, false}, {"GAICHUUHI", jtDouble, 0, false},
          {"ETCHI", jtDouble, 0, false},   {"TEHAIKBN", jtShort, 0, false}, {"TEHAICD", jtText, 10, false},
          {"TEHAINI", jtText, 4, false},   {"TEHAINISU", jtDouble, 0, false}, {"SOUKO", jtText, 8, false},
          {"FLOW", jtText, 8, false},      {"LINE", jtText, 8, false},      {"YOBI1", jtText, 32, false},
          {"YOBI2", jtText, 32, false},    {"YOBI3", jtText, 64, false},    {"MEMO", jtMemo, 0, false}}},
        {"MasTori",
         {{"KBN", jtShort, 0, true},       {"CD", jtText, 10, true},         {"NAME", jtText, 32, false},
          {"RNAME", jtText, 20, false},    {"KANA", jtText, 10, false},      {"YUBIN", jtText, 10, false},
          {"ADRS1", jtText, 32, false},    {"ADRS2", jtText, 32, false},     {"ADRS3", jtText, 20, false},
          {"TEL", jtText, 13, false},      {"TELKENSAKU", jtText, 4, false}, {"FAX", jtText, 13, false},
          {"DAIHYOSHA", jtText, 20, false}, {"MADOGUCHI", jtText, 20, false}}},
        {"OrderPlan",
         {{"OYM", jtText, 6, true},
          {"CD", jtText, 18, true},
          {"ORDER", jtShort, 0, false},
          {"ZAIKO", jtShort, 0, false},
          {"SEISAN", jtShort, 0, false}}},
        {"Supply",
         {{"OYM", jtText, 6, true},
          {"CD", jtText, 18, true},
          {"NEED", jtDouble, 0, false},
          {"ZAIKO", jtDouble, 0, false},
          {"SUPPLY", jtDouble, 0, false},
          {"SUPTAN", jtDouble, 0, false},
          {"SUPKIN", jtDouble, 0, false},
          {"TEHAIKBN", jtShort, 0, false},
          {"TEHAICD", jtText, 10, false},
          {"TEHAINI", jtText, 4, false},
          {"TEHAINISU", jtDouble, 0, false},
          {"TEHAISU", jtDouble, 0, false}}},
    };
    return schema;
}

// The layout before OrderPlan and Supply: MasItem and MasTori as today, and
// iStruct with a whole-number quantity and the two flags kept as one
// character each ("1" set, "0" not).
const std::vector<SchemaTable>& Version1Schema() {
    static const std::vector<SchemaTable> schema = [] {
        std::vector<SchemaTable> s;
        s.push_back({"iStruct",
                     {{"CD1", jtText, 18, true},
                      {"CD2", jtText, 18, true},
                      {"INZU", jtLong, 0, false},
                      {"KFLG", jtText, 1, false},
                      {"CFLG", jtText, 1, false}}});
        for (const auto& t : VelmoSchema()) {
            std::string n = t.name;
            if (n == "MasItem" || n == "MasTori") s.push_back(t);
        }
        return s;
    }();
    return schema;
}

namespace {

void CreateTable(clsDaoMent& ment, const std::string& path, const SchemaTable& t) {
    ment.TableDefInit(static_cast<int>(t.columns.size()));
    int i = 1;
    for (const auto& c : t.columns)
        ment.TableDefAdd(i++, c.name, c.key ? 1 : 0, c.size, static_cast<unsigned char>(c.type));
    ment.CreateTableDef(path, t.name);
}

// Builds a new data file with the tables beside path and moves it into place
// when it is complete, so a failure never leaves a half-made or missing file.
void BuildDataFile(const std::string& path, const std::vector<SchemaTable>& tables) {
    clsDaoMent ment;
    std::string tmp = ment.MakeTempName(DirName(path));
    try {
        ment.CreateDatabase(tmp);
        for (const auto& t : tables) CreateTable(ment, tmp, t);
        {
            auto db = Database::Open(tmp);
            CreateSchemaIndexes(*db);
            db->Close();
        }
        if (rename(tmp.c_str(), path.c_str()) != 0)
            throw EngineError("データファイル '" + path + "' を作成できません。(" + std::strerror(errno) + ")");
    } catch (...) {
        unlink(tmp.c_str());
        throw;
    }
}

}  // namespace

void CreateSchemaIndexes(Database& db) {
    db.Prepare("CREATE INDEX IF NOT EXISTS iStructCD2 ON iStruct (CD2)")->Step();
}

bool HasStructChildIndex(Database& db) {
    return db.Prepare("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = 'iStructCD2'")->Step();
}

void CreateSchema(const std::string& path, int mode) {
    const auto& schema = VelmoSchema();
    if (mode == 0) {
        BuildDataFile(path, schema);
        return;
    }
    clsDaoMent ment;
    for (const auto& t : schema) {
        std::string n = t.name;
        if (n == "OrderPlan" || n == "Supply") CreateTable(ment, path, t);
    }
}

void CreateVersion1File(const std::string& path) { BuildDataFile(path, Version1Schema()); }
