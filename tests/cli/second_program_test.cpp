// Two programs on one data file: velmo-cli runs as a separate process while
// this test holds the same file open, idle or in a read or write transaction.
// Nothing may be lost, no wait may be endless, and a busy file is named.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "clirun.h"
#include "dbfixture.h"

namespace {

// Every wait for the file is bounded by a few seconds; a run still going
// after this long hangs, and is ended so that the test fails instead.
const std::vector<std::string> kHangGuard = {"timeout", "-k", "10", "300"};

long long Count(const std::string& path, const std::string& table) {
    auto db = Database::Open(path);
    auto st = db->Prepare("SELECT COUNT(*) FROM " + table);
    st->Step();
    return st->ColumnInt(0);
}

bool HasItem(const std::string& path, const std::string& code) {
    auto db = Database::Open(path);
    auto st = db->Prepare("SELECT 1 FROM MasItem WHERE CD = ?");
    st->Bind(1, Variant(code));
    return st->Step();
}

ino_t Inode(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_ino;
}

}  // namespace

class SecondProgram : public ::testing::Test {
protected:
    void SetUp() override {
        mdb = dir.File("data.mdb");
        CreateSchema(mdb, 0);
    }
    CliResult Run(std::vector<std::string> args) {
        args.push_back("--settings");
        args.push_back(dir.File("Velmo.ini"));
        return RunCli(args, dir.Path(), kHangGuard);
    }
    // A structure CSV of n lines P<i>,C<i>.
    std::string StructureCsv(const std::string& name, int n) {
        std::string text;
        for (int i = 0; i < n; ++i) {
            std::string k = std::to_string(i);
            text += "P" + k + ",C" + k + ",2,1,0\r\n";
        }
        std::string p = dir.File(name);
        WriteText(p, text);
        return p;
    }
    TempDir dir;
    RecordedNotes notes;
    std::string mdb;
};

// While this test holds a transaction, the other program ends within the
// bound with the busy message naming the data file, and changes nothing.
TEST_F(SecondProgram, WaitsForTheFileAreBoundedAndNameTheBusyFile) {
    enum class Hold { Read, Write };
    struct Case {
        const char* what;
        Hold hold;
        int csvLines;  // 0: compaction; else an import of that many lines
    };
    // The large import fills the page cache many times over: every attempt
    // to write it out meets the other program's lock.
    const Case cases[] = {
        {"small import behind a write", Hold::Write, 3},
        {"small import behind a read", Hold::Read, 3},
        {"large import behind a read", Hold::Read, 100000},
        {"compaction behind a write", Hold::Write, 0},
        {"compaction behind a read", Hold::Read, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string csv = c.csvLines ? StructureCsv("s.csv", c.csvLines) : "";
        struct stat before {};
        stat(mdb.c_str(), &before);
        auto db = Database::Open(mdb);
        db->BeginTrans();
        if (c.hold == Hold::Write) db->Execute("INSERT INTO MasItem (CD) VALUES ('HELD')");
        else db->Prepare("SELECT COUNT(*) FROM MasItem")->Step();

        CliResult r = c.csvLines ? Run({"import", mdb, "--structure", csv}) : Run({"compact", mdb});
        EXPECT_EQ(r.code, 1) << r.err;
        EXPECT_NE(r.err.find("使用中"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(mdb), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("行目"), std::string::npos) << "a busy file is not a fault of a CSV line\n" << r.err;
        EXPECT_EQ(r.err.find("インポートが終了しました"), std::string::npos) << r.err;

        db->CommitTrans();
        db->Close();
        EXPECT_EQ(Inode(mdb), before.st_ino);
        EXPECT_EQ(Count(mdb, "iStruct"), 0);
        EXPECT_EQ(HasItem(mdb, "HELD"), c.hold == Hold::Write);
        db = Database::Open(mdb);
        db->Execute("DELETE FROM MasItem");
        db->Close();
    }
}

// A compaction while another connection has the file open keeps the file
// that connection writes into: its later work lands in the file at the path.
TEST_F(SecondProgram, CompactionKeepsTheFileAnOpenConnectionWrites) {
    {
        auto db = Database::Open(mdb);
        db->BeginTrans();
        for (int i = 0; i < 2000; ++i)
            db->Execute("INSERT INTO MasItem (CD, NAME) VALUES ('I" + std::to_string(i) + "', 'xxxxxxxxxxxxxxxxxxxx')");
        db->CommitTrans();
        db->Execute("DELETE FROM MasItem WHERE CD LIKE 'I1*'");
    }
    ino_t inode = Inode(mdb);
    clsDao dao;
    ASSERT_EQ(dao.OpenDatabase(mdb), 0);
    EXPECT_EQ(Count(mdb, "MasItem"), 2000 - 1111);  // the connection has read the file

    CliResult r = Run({"compact", mdb});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Inode(mdb), inode);

    ASSERT_EQ(dao.Execute("INSERT INTO MasItem (CD) VALUES ('AFTER')"), 0);
    dao.Close();
    EXPECT_TRUE(HasItem(mdb, "AFTER"));
    EXPECT_EQ(Count(mdb, "MasItem"), 2000 - 1111 + 1);
    EXPECT_TRUE(notes.errors.empty()) << notes.errors.front();
}

// A connection whose file was replaced under its path (another program made
// a new file there) may not commit into the old file: its write is refused
// and says so, instead of vanishing with a report of success.
TEST_F(SecondProgram, NoCommitIntoAFileReplacedUnderItsPath) {
    clsDao dao;
    ASSERT_EQ(dao.OpenDatabase(mdb), 0);
    ASSERT_EQ(dao.Execute("INSERT INTO MasItem (CD) VALUES ('BEFORE')"), 0);

    CliResult r = Run({"new", mdb, "--force"});
    ASSERT_EQ(r.code, 0) << r.err;

    notes.errors.clear();
    EXPECT_EQ(dao.Execute("INSERT INTO MasItem (CD) VALUES ('LOST')"), 1);
    ASSERT_EQ(notes.errors.size(), 1u);
    EXPECT_NE(notes.errors[0].find(mdb), std::string::npos) << notes.errors[0];
    EXPECT_NE(notes.errors[0].find("置き換え"), std::string::npos) << notes.errors[0];
    dao.Close();
    EXPECT_EQ(Count(mdb, "MasItem"), 0);
}
