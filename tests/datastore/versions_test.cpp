// The layout check shared by Velmo, Velmo1_2 and velmo-cli, and the files of
// the previous layout it recognises.
#include <gtest/gtest.h>

#include "dbfixture.h"
#include "jetsql.h"

TEST(DataFileVersion, TellsTheLayoutFromTheTables) {
    TempDir d;
    RecordedNotes notes;
    std::string current = d.File("current.mdb"), old = d.File("old.mdb"), foreign = d.File("foreign.mdb"),
                partial = d.File("partial.mdb");
    CreateSchema(current, 0);
    CreateVersion1File(old);
    Database::Create(foreign)->Execute("CREATE TABLE notes (t text(10))");
    CreateVersion1File(partial);
    Database::Open(partial)->Prepare("DROP TABLE MasTori")->Step();
    struct Case {
        std::string path;
        int version;
    };
    for (const auto& c : std::vector<Case>{{current, 2}, {old, 1}, {foreign, 0}, {partial, 0}}) {
        SCOPED_TRACE(c.path);
        clsDao dao;
        EXPECT_EQ(DataFileVersion(*Database::Open(c.path)), c.version);
        if (c.version == 0) {
            // Not a data file of this program: the connection refuses it.
            EXPECT_NE(dao.OpenDatabase(c.path), 0);
            EXPECT_EQ(DataFileVersion(dao), 0);
            continue;
        }
        ASSERT_EQ(dao.OpenDatabase(c.path), 0);
        EXPECT_EQ(DataFileVersion(dao), c.version);
        dao.Close();
    }
    clsDao none;
    EXPECT_EQ(DataFileVersion(none), 0);
    EXPECT_EQ(notes.errors.size(), 2u);
}

TEST(Version1File, OlderStructureTypesWithTheirOwnLimits) {
    TempDir d;
    RecordedNotes notes;
    std::string p = d.File("old.mdb");
    WriteText(p, "replaced");
    CreateVersion1File(p);
    auto db = Database::Open(p);
    EXPECT_EQ(db->TableNames(), (std::vector<std::string>{"iStruct", "MasItem", "MasTori"}));
    std::vector<std::string> cols;
    for (const auto& c : db->Table("iStruct").columns)
        cols.push_back(c.name + ":" + std::to_string(c.type) + ":" + std::to_string(c.size) + (c.key ? ":key" : ""));
    EXPECT_EQ(cols, (std::vector<std::string>{"CD1:10:18:key", "CD2:10:18:key", "INZU:4:0", "KFLG:10:1", "CFLG:10:1"}));
    EXPECT_EQ(db->Table("MasItem").columns.size(), 27u);
    EXPECT_EQ(db->Table("MasTori").columns.size(), 14u);
    db->Execute("INSERT INTO iStruct VALUES ('A', 'B', 2, '1', '0')");
    for (const char* refused : {"INSERT INTO iStruct VALUES ('A', 'C', 2.5, '1', '0')",
                                "INSERT INTO iStruct VALUES ('A', 'D', 3000000000, '1', '0')",
                                "INSERT INTO iStruct VALUES ('A', 'E', 1, '10', '0')"})
        EXPECT_THROW(db->Execute(refused), EngineError) << refused;
}

TEST(ReadOnlyConnection, RefusesEveryWriteAndLeavesTheFileAsItWas) {
    TempDir d;
    RecordedNotes notes;
    std::string p = d.File("x.mdb");
    CreateSchema(p, 0);
    std::string before = ReadText(p);
    clsDao dao;
    ASSERT_EQ(dao.OpenDatabase(p, true), 0);
    EXPECT_EQ(DataFileVersion(dao), 2);
    EXPECT_EQ(dao.Execute("INSERT INTO MasItem (CD) VALUES ('A')"), 1);
    EXPECT_EQ(dao.Execute("alter table iStruct add buf double"), 1);
    EXPECT_EQ(notes.errors.size(), 2u);
    EXPECT_EQ(dao.Close(), 0);
    EXPECT_EQ(ReadText(p), before);
}
