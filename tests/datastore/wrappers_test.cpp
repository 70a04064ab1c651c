// clsDao and clsDaoRs: return codes, messages, null reads, row operations.
#include <gtest/gtest.h>

#include "dbfixture.h"

using Wrappers = DataFileTest;

TEST_F(Wrappers, NullReadsFollowTheDeclaredType) {
    Exec("INSERT INTO MasItem (CD) VALUES ('N1')");
    clsDaoRs rs(dao.GetDatabase());
    ASSERT_EQ(rs.OpenRecordset("SELECT * FROM MasItem WHERE CD = 'N1'", 0), 0);
    struct {
        const char* col;
        Variant want;
    } cases[] = {
        {"NAME", Variant(std::string())}, {"MEMO", Variant(std::string())}, {"KBN", Variant(0)},
        {"TANKA", Variant(0)},            {"JANKBN", Variant(0)},           {"TEHAINISU", Variant(0)},
    };
    for (const auto& c : cases) {
        Variant v;
        rs.GetField(c.col, v);
        EXPECT_EQ(v, c.want) << c.col;
    }
    rs.Close();
    // An expression of no declared type stays null.
    ASSERT_EQ(rs.OpenRecordset("SELECT NULL AS X FROM MasItem", 0), 0);
    EXPECT_TRUE(rs.Field("X").IsNull());
    rs.Close();
}

TEST_F(Wrappers, EmptyResultIsAtEofAtOnce) {
    clsDaoRs rs(dao.GetDatabase());
    rs.OpenRecordset("SELECT * FROM MasItem", 0);
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_THROW(rs.Field("CD"), EngineError);
    EXPECT_EQ(rs.Close(), 0);
}

TEST_F(Wrappers, SecondOpenIsRefusedAndFirstStaysReadable) {
    Exec("INSERT INTO MasItem (CD, NAME) VALUES ('X1', 'first')");
    clsDaoRs rs(dao.GetDatabase());
    ASSERT_EQ(rs.OpenRecordset("SELECT * FROM MasItem", 0), 0);
    EXPECT_EQ(rs.OpenRecordset("SELECT * FROM iStruct", 0), 1);
    ASSERT_EQ(notes.infos.size(), 1u);
    EXPECT_EQ(notes.infos[0], "Closeを行ってから、OpenRecordsetを行ってください。");
    EXPECT_EQ(rs.Text("NAME"), "first");
    EXPECT_EQ(rs.Close(), 0);
    EXPECT_EQ(rs.Close(), 0);  // closing a closed recordset does nothing
}

TEST_F(Wrappers, AddEditDeleteInStatementOrder) {
    clsDaoRs rs(dao.GetDatabase());
    for (const char* cd : {"C3", "C1", "C2"}) {
        rs.OpenRecordset(std::string("SELECT * FROM MasItem WHERE CD = '") + cd + "'", 0);
        ASSERT_TRUE(rs.IsEOF());
        rs.EditMode(0);
        rs.SetField("CD", cd);
        rs.SetField("KBN", 1);
        rs.SetField("TANKA", "12.5");
        rs.EditMode(2);
        rs.Close();
    }
    rs.OpenRecordset("SELECT * FROM MasItem ORDER BY CD", 0);
    std::vector<std::string> seen;
    while (!rs.IsEOF()) {
        seen.push_back(rs.Text("CD"));
        if (rs.Text("CD") == "C2") rs.EditMode(3);
        else {
            rs.EditMode(1);
            // Changing the key of the row being visited must not visit it again.
            rs.SetField("CD", rs.Text("CD") + "Z");
            rs.EditMode(2);
        }
        rs.MoveRecord(0);
    }
    rs.Close();
    EXPECT_EQ(seen, (std::vector<std::string>{"C1", "C2", "C3"}));
    EXPECT_EQ(Rows("SELECT * FROM MasItem ORDER BY CD", {"CD", "TANKA"}),
              (std::vector<std::string>{"C1Z|12.5", "C3Z|12.5"}));
}

TEST_F(Wrappers, MovesBackAndToTheEnds) {
    for (const char* cd : {"M1", "M2", "M3"}) Exec(std::string("INSERT INTO MasItem (CD) VALUES ('") + cd + "')");
    clsDaoRs rs(dao.GetDatabase());
    rs.OpenRecordset("SELECT * FROM MasItem ORDER BY CD", 0);
    rs.MoveRecord(0);
    rs.MoveRecord(0);
    EXPECT_EQ(rs.Text("CD"), "M3");
    rs.MoveRecord(1);
    EXPECT_EQ(rs.Text("CD"), "M2");
    rs.MoveRecord(2);
    EXPECT_EQ(rs.Text("CD"), "M1");
    rs.MoveRecord(3);
    EXPECT_EQ(rs.Text("CD"), "M3");
    rs.MoveRecord(0);
    EXPECT_TRUE(rs.IsEOF());
    rs.Close();
}

TEST_F(Wrappers, JoinsAreReadOnlyAndUpdateNeedsAddOrEdit) {
    Exec("INSERT INTO MasItem (CD) VALUES ('J1')");
    Exec("INSERT INTO iStruct VALUES ('J1', 'J2', 1, 1, 1)");
    clsDaoRs rs(dao.GetDatabase());
    rs.OpenRecordset("SELECT iStruct.CD1, MasItem.KBN FROM iStruct, MasItem WHERE iStruct.CD1 = MasItem.CD", 0);
    EXPECT_THROW(rs.EditMode(1), EngineError);
    rs.Close();
    rs.OpenRecordset("SELECT * FROM MasItem", 0);
    EXPECT_THROW(rs.SetField("NAME", "x"), EngineError);
    EXPECT_THROW(rs.EditMode(2), EngineError);
    EXPECT_EQ(rs.EditMode(7), 0);  // unknown operations do nothing
    rs.Close();
}

TEST_F(Wrappers, TransactionsCommitAndRollBack) {
    ASSERT_EQ(dao.BeginTrans(), 0);
    Exec("INSERT INTO MasItem (CD) VALUES ('T1')");
    ASSERT_EQ(dao.EndTrans(0), 0);
    ASSERT_EQ(dao.BeginTrans(), 0);
    Exec("INSERT INTO MasItem (CD) VALUES ('T2')");
    ASSERT_EQ(dao.EndTrans(1), 0);
    EXPECT_EQ(Rows("SELECT * FROM MasItem", {"CD"}), std::vector<std::string>{"T2"});
    EXPECT_EQ(dao.EndTrans(1), 1);  // nothing to commit: reported
    EXPECT_EQ(notes.errors.size(), 1u);
}

TEST_F(Wrappers, ConnectionReportsAndReturnsOne) {
    EXPECT_EQ(dao.Execute("SELEC nonsense"), 1);
    ASSERT_EQ(notes.errors.size(), 1u);
    EXPECT_EQ(notes.errors[0].rfind("EngineError: ", 0), 0u);
    EXPECT_EQ(dao.TableCheck("OrderPlan"), 0);
    EXPECT_EQ(dao.TableCheck("NoSuch"), 1);
    EXPECT_EQ(dao.Close(), 0);
    EXPECT_EQ(dao.GetPath(), "");
    size_t before = notes.errors.size();
    EXPECT_EQ(dao.TableCheck("OrderPlan"), 1);  // no file: silent
    EXPECT_EQ(notes.errors.size(), before);
    EXPECT_EQ(dao.Close(), 1);  // closing what never opened is reported
    EXPECT_EQ(notes.errors.size(), before + 1);
}

TEST_F(Wrappers, FailedOpenKeepsThePath) {
    WriteText(dir.File("text.mdb"), "this is not a data file\n");
    EXPECT_EQ(dao.OpenDatabase(dir.File("text.mdb")), 1);
    EXPECT_EQ(dao.GetPath(), path);
    EXPECT_EQ(dao.TableCheck("MasItem"), 0);  // still the old file
}
