// Layout of a new data file, limits enforced by the file, compaction and
// the refusal of files that are not data files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "dbfixture.h"
#include "fileutil.h"
#include "jetsql.h"

using Schema = DataFileTest;

TEST_F(Schema, FiveTablesWithTheirColumnsInOrder) {
    auto db = dao.GetDatabase();
    EXPECT_EQ(db->TableNames(), (std::vector<std::string>{"iStruct", "MasItem", "MasTori", "OrderPlan", "Supply"}));
    for (const auto& t : VelmoSchema()) {
        const TableInfo& info = db->Table(t.name);
        ASSERT_EQ(info.columns.size(), t.columns.size()) << t.name;
        for (size_t i = 0; i < t.columns.size(); ++i) {
            EXPECT_EQ(info.columns[i].name, t.columns[i].name);
            EXPECT_EQ(info.columns[i].type, t.columns[i].type) << t.columns[i].name;
            EXPECT_EQ(info.columns[i].key, t.columns[i].key) << t.columns[i].name;
            if (t.columns[i].type == jtText) {
                EXPECT_EQ(info.columns[i].size, t.columns[i].size);
            }
        }
    }
    EXPECT_EQ(db->Table("MasItem").columns.size(), 27u);
    EXPECT_EQ(db->Table("MasTori").columns.size(), 14u);
    EXPECT_EQ(db->Table("Supply").columns.size(), 12u);
}

TEST_F(Schema, TheFileRefusesValuesBeyondItsLimits) {
    Exec("INSERT INTO MasItem (CD) VALUES ('K1')");
    Exec("INSERT INTO iStruct (CD1, CD2) VALUES ('P', 'C')");
    struct {
        const char* sql;
        const char* mustName;
    } cases[] = {
        {"UPDATE MasItem SET TANI = '12345' WHERE CD = 'K1'", "MasItem の列 TANI: 文字数が列の長さ 4 文字"},
        {"UPDATE MasItem SET TANI = 'ｱｲｳｴｵ' WHERE CD = 'K1'", "TANI"},
        {"INSERT INTO OrderPlan (OYM, CD, ORDER) VALUES ('202601', 'K1', 40000)", "OrderPlan の列 ORDER"},
        {"UPDATE MasItem SET KBN = 'abc' WHERE CD = 'K1'", "MasItem の列 KBN"},
        {"UPDATE MasItem SET TANKA = '1.2.3' WHERE CD = 'K1'", "MasItem の列 TANKA"},
        {"INSERT INTO MasItem (CD) VALUES ('k1')", "MasItem のキー (CD) が重複"},
        {"INSERT INTO iStruct (CD1, CD2) VALUES ('P', 'C')", "iStruct のキー (CD1, CD2) が重複"},
        {"INSERT INTO MasItem (NAME) VALUES ('no key')", "MasItem の列 CD"},
        {"INSERT INTO MasItem (CD) VALUES ('1234567890123456789')", "CD: 文字数が列の長さ 18 文字"},
    };
    for (const auto& c : cases) {
        notes.errors.clear();
        EXPECT_EQ(dao.Execute(c.sql), 1) << c.sql;
        ASSERT_EQ(notes.errors.size(), 1u) << c.sql;
        EXPECT_NE(notes.errors[0].find(c.mustName), std::string::npos) << notes.errors[0];
    }
    // Exactly at the limits is fine.
    Exec("UPDATE MasItem SET TANI = 'ｱｲｳｴ', KBN = -32768 WHERE CD = 'K1'");
    Exec("INSERT INTO OrderPlan (OYM, CD, [ORDER]) VALUES ('202601', 'K1', 32767)");
}

TEST_F(Schema, RecordsetWritesAreRefusedWithTableAndColumn) {
    clsDaoRs rs(dao.GetDatabase());
    rs.OpenRecordset("SELECT * FROM MasItem WHERE CD = 'R1'", 0);
    rs.EditMode(0);
    rs.SetField("CD", "R1");
    rs.SetField("TANI", "ABCDE");
    try {
        rs.EditMode(2);
        FAIL() << "a unit of five characters was written";
    } catch (const EngineError& e) {
        EXPECT_NE(std::string(e.what()).find("MasItem の列 TANI"), std::string::npos) << e.what();
    }
    EXPECT_THROW(rs.SetField("TANKA", "1.2.3"), EngineError);
    rs.Close();
    EXPECT_TRUE(Rows("SELECT * FROM MasItem", {"CD"}).empty());
}

TEST(CreateSchemaMode, ReplacesAnExistingFileAndAddsPlanTablesToOldFiles) {
    TempDir d;
    RecordedNotes notes;
    std::string p = d.File("x.mdb");
    WriteText(p, "old content");
    CreateSchema(p, 0);
    clsDao dao;
    ASSERT_EQ(dao.OpenDatabase(p), 0);
    EXPECT_EQ(dao.TableCheck("OrderPlan"), 0);
    // Make a file of the old layout: without OrderPlan and Supply.
    ASSERT_EQ(dao.Execute("INSERT INTO MasItem (CD) VALUES ('OLD')"), 0);
    dao.GetDatabase()->Prepare("DROP TABLE OrderPlan")->Step();
    dao.GetDatabase()->Prepare("DROP TABLE Supply")->Step();
    dao.Close();
    CreateSchema(p, 1);
    ASSERT_EQ(dao.OpenDatabase(p), 0);
    EXPECT_EQ(dao.TableCheck("OrderPlan"), 0);
    EXPECT_EQ(dao.TableCheck("Supply"), 0);
    clsDaoRs rs(dao.GetDatabase());
    rs.OpenRecordset("SELECT * FROM MasItem", 0);
    EXPECT_EQ(rs.Text("CD"), "OLD");
    rs.Close();
    EXPECT_TRUE(notes.errors.empty());
}

TEST(CreateSchemaMode, FailureLeavesTheExistingFileAlone) {
    TempDir d;
    std::string p = d.File("missing-folder/x.mdb");
    EXPECT_THROW(CreateSchema(p, 0), EngineError);
    EXPECT_FALSE(FileExists(p));
}

TEST(TableDefs, AddBeforeInitShowsTheMessage) {
    RecordedNotes notes;
    clsDaoMent m;
    m.TableDefAdd(1, "A", 0, 0, jtShort);
    ASSERT_EQ(notes.infos.size(), 1u);
    EXPECT_EQ(notes.infos[0], "TableDefInitを行ってから、TableDefAddを行ってください。");
    EXPECT_EQ(m.Count(), 0);
    EXPECT_EQ(m.TableDefInit(2), 0);
    EXPECT_EQ(m.Count(), 3);
}

TEST(TableDefs, CounterColumnNumbersRows) {
    TempDir d;
    std::string p = d.File("c.mdb");
    clsDaoMent m;
    m.CreateDatabase(p);
    m.TableDefInit(2);
    m.TableDefAdd(1, "ID", 1, 0, jtCounter);
    m.TableDefAdd(2, "T", 0, 0, jtText);
    m.CreateTableDef(p, "Seq");
    EXPECT_EQ(m.Count(), 0);
    clsDao dao;
    ASSERT_EQ(dao.OpenDatabase(p), 0);
    dao.Execute("INSERT INTO Seq (T) VALUES ('a')");
    dao.Execute("INSERT INTO Seq (T) VALUES ('b')");
    clsDaoRs rs(dao.GetDatabase());
    rs.OpenRecordset("SELECT * FROM Seq ORDER BY ID", 0);
    EXPECT_EQ(rs.Int("ID"), 1);
    rs.MoveRecord(0);
    EXPECT_EQ(rs.Int("ID"), 2);
    rs.Close();
}

TEST(Compaction, SamePathKeepsDataAndLeavesNoTemporaryFile) {
    TempDir d;
    std::string p = d.File("c.mdb");
    CreateSchema(p, 0);
    {
        clsDao dao;
        dao.OpenDatabase(p);
        dao.BeginTrans();
        for (int i = 0; i < 2000; ++i)
            dao.Execute("INSERT INTO MasItem (CD, NAME) VALUES ('I" + std::to_string(i) + "', 'xxxxxxxxxxxxxxxx')");
        dao.EndTrans(1);
        dao.Execute("DELETE FROM MasItem WHERE CD LIKE 'I1*'");
        dao.Close();
    }
    struct stat before, after;
    stat(p.c_str(), &before);
    clsDaoMent m;
    m.CompactDatabase(p);
    stat(p.c_str(), &after);
    EXPECT_LT(after.st_size, before.st_size);
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(d.Path())) (void)e, ++files;
    EXPECT_EQ(files, 1);
    clsDao dao;
    ASSERT_EQ(dao.OpenDatabase(p), 0);
    clsDaoRs rs(dao.GetDatabase());
    rs.OpenRecordset("SELECT COUNT(*) AS RECCNT FROM MasItem", 0);
    EXPECT_EQ(rs.Int("RECCNT"), 2000 - 1111);
    rs.Close();
}

TEST(Compaction, FailureLeavesTheOriginalIntact) {
    TempDir d;
    std::string p = d.File("text.mdb");
    WriteText(p, "not a data file");
    clsDaoMent m;
    EXPECT_THROW(m.CompactDatabase(p), EngineError);
    EXPECT_EQ(ReadText(p), "not a data file");
    // The copy cannot be written (as on a full disk).
    std::string q = d.File("data.mdb");
    CreateSchema(q, 0);
    std::string bytes = ReadText(q);
    {
        FileSizeLimit limit(4096);
        EXPECT_THROW(m.CompactDatabase(q), EngineError);
    }
    EXPECT_EQ(ReadText(q), bytes);
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(d.Path())) (void)e, ++files;
    EXPECT_EQ(files, 2);  // no temporary file left behind
}

TEST(Compaction, TempNamesAreDrawnAgainWhileTaken) {
    TempDir d;
    for (int i = 0; i < 1000; ++i)
        if (i != 417) WriteText(d.File("TMP" + std::to_string(i) + ".mdb"), "");
    clsDaoMent m;
    EXPECT_EQ(m.MakeTempName(d.Path()), d.File("TMP417.mdb"));
}

TEST(OpeningBadFiles, RefusedWithoutCreatingOrChangingAnything) {
    TempDir d;
    RecordedNotes notes;
    std::string good = d.File("good.mdb");
    CreateSchema(good, 0);
    std::string bytes = ReadText(good);
    std::string truncated = d.File("trunc.mdb");
    WriteText(truncated, bytes.substr(0, 100));
    std::string damaged = d.File("damaged.mdb");
    std::string dmg = bytes;
    for (size_t i = 4096; i < dmg.size(); i += 7) dmg[i] = static_cast<char>(0xA5);
    WriteText(damaged, dmg);
    WriteText(d.File("text.mdb"), "[DATABASE]\nPATH=x\n");
    WriteText(d.File("empty.mdb"), "");
    for (const char* name : {"missing.mdb", "text.mdb", "empty.mdb", "trunc.mdb", "damaged.mdb"}) {
        std::string p = d.File(name);
        bool existed = FileExists(p);
        std::string before = existed ? ReadText(p) : "";
        clsDao dao;
        notes.errors.clear();
        EXPECT_EQ(dao.OpenDatabase(p), 1) << name;
        EXPECT_EQ(notes.errors.size(), 1u) << name;
        EXPECT_EQ(dao.GetPath(), "");
        EXPECT_EQ(FileExists(p), existed) << name;
        if (existed) {
            EXPECT_EQ(ReadText(p), before) << name;
        }
    }
    EXPECT_FALSE(FileExists(d.File("missing.mdb")));
}

TEST(SchemaIndexes, NewFilesHaveTheChildCodeIndexAndCompactionAddsItToOlderFiles) {
    TempDir d;
    std::string p = d.File("i.mdb");
    CreateSchema(p, 0);
    auto childIndex = [&] {
        auto db = Database::Open(p);
        bool has = HasStructChildIndex(*db);
        auto plan = db->Prepare("EXPLAIN QUERY PLAN SELECT * FROM iStruct WHERE CD2 = 'x'");
        std::string detail;
        while (plan->Step()) detail += plan->ColumnText(3);
        db->Close();
        EXPECT_EQ(has, detail.find("iStructCD2") != std::string::npos) << detail;
        return has;
    };
    EXPECT_TRUE(childIndex());
    {
        auto db = Database::Open(p);
        db->Prepare("DROP INDEX iStructCD2")->Step();
        db->Close();
    }
    EXPECT_FALSE(childIndex());
    clsDaoMent m;
    m.CompactDatabase(p);
    EXPECT_TRUE(childIndex());
}
