// velmo-cli on data files it must not change: read-only files, files of
// another owner, files of another program's layout, and folders full of
// leftovers of interrupted runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <sqlite3.h>
#include <sys/stat.h>

#include "clirun.h"
#include "dbfixture.h"
#include "fileutil.h"
#include "unprivileged.h"

namespace {

const std::vector<std::string> kHangGuard = {"timeout", "-k", "10", "300"};

struct FileState {
    std::string bytes;
    mode_t mode = 0;
    uid_t uid = 0;
    gid_t gid = 0;
    ino_t ino = 0;
};

FileState StateOf(const std::string& path) {
    FileState s;
    struct stat st {};
    stat(path.c_str(), &st);
    s.bytes = ReadText(path);
    s.mode = st.st_mode & 07777;
    s.uid = st.st_uid;
    s.gid = st.st_gid;
    s.ino = st.st_ino;
    return s;
}

std::vector<std::string> FolderEntries(const std::string& dir) {
    std::vector<std::string> out;
    for (auto& e : std::filesystem::directory_iterator(dir)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

// An SQLite file with tables of its own.
void MakeForeignDatabase(const std::string& path, const std::vector<std::string>& tables) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "PRAGMA user_version = 7", nullptr, nullptr, nullptr);  // a database even without tables
    for (const auto& t : tables) sqlite3_exec(db, ("CREATE TABLE " + t + " (ID INTEGER, CD TEXT)").c_str(), nullptr, nullptr, nullptr);
    sqlite3_exec(db, "INSERT INTO MasItem (CD) VALUES ('x')", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

}  // namespace

class CliDataFileSafety : public ::testing::Test {
protected:
    CliResult Run(std::vector<std::string> args) {
        args.push_back("--settings");
        args.push_back(dir.File("Velmo.ini"));
        return RunCli(args, dir.Path(), kHangGuard);
    }
    TempDir dir;
};

// A read-only data file is refused with the read-only message and stays as
// it was (run as nobody: root may write any file).
TEST_F(CliDataFileSafety, CompactionRefusesAReadOnlyFile) {
    if (RerunAsNobody()) return;
    std::string folder = dir.File("data");  // beside the files velmo-cli's output goes to
    mkdir(folder.c_str(), 0755);
    std::string p = folder + "/ro.mdb";
    CreateSchema(p, 0);
    {
        clsDao dao;
        dao.OpenDatabase(p);
        for (int i = 0; i < 300; ++i) dao.Execute("INSERT INTO MasItem (CD) VALUES ('I" + std::to_string(i) + "')");
        dao.Execute("DELETE FROM MasItem");
    }
    chmod(p.c_str(), 0444);
    FileState before = StateOf(p);
    CliResult r = Run({"compact", p});
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_NE(r.err.find("読み取り専用"), std::string::npos) << r.err;
    FileState after = StateOf(p);
    EXPECT_TRUE(after.bytes == before.bytes) << "the file was changed";
    EXPECT_EQ(after.ino, before.ino);
    EXPECT_EQ(after.mode, 0444u);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"ro.mdb"});
}

// Compaction keeps owner, group and permissions of the file it compacts,
// also when root compacts another user's file.
TEST_F(CliDataFileSafety, CompactionKeepsOwnerGroupAndMode) {
    if (!RunningAsRoot()) GTEST_SKIP() << "only root can give a file to another owner";
    std::string folder = dir.File("data");  // beside the files velmo-cli's output goes to
    mkdir(folder.c_str(), 0755);
    std::string p = folder + "/theirs.mdb";
    CreateSchema(p, 0);
    {
        clsDao dao;
        dao.OpenDatabase(p);
        for (int i = 0; i < 300; ++i) dao.Execute("INSERT INTO MasItem (CD) VALUES ('I" + std::to_string(i) + "')");
        dao.Execute("DELETE FROM MasItem");
    }
    ASSERT_EQ(chown(p.c_str(), 65534, 65534), 0);
    chmod(p.c_str(), 0640);
    FileState before = StateOf(p);
    CliResult r = Run({"compact", p});
    ASSERT_EQ(r.code, 0) << r.err;
    FileState after = StateOf(p);
    EXPECT_LT(after.bytes.size(), before.bytes.size());
    EXPECT_EQ(after.uid, 65534u);
    EXPECT_EQ(after.gid, 65534u);
    EXPECT_EQ(after.mode, 0640u);
    EXPECT_EQ(after.ino, before.ino);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"theirs.mdb"});
}

// In a folder that cannot be written, every failure names the user's file
// and says the folder cannot be written, never an internal temporary file.
TEST_F(CliDataFileSafety, ReadOnlyFolderIsNamedWithTheUsersFile) {
    if (RerunAsNobody()) return;
    std::string folder = dir.File("ro");
    mkdir(folder.c_str(), 0755);
    std::string existing = folder + "/data.mdb";
    CreateSchema(existing, 0);
    WriteText(dir.File("s.csv"), "A,B,1,1,1\r\n");
    chmod(folder.c_str(), 0555);
    struct Case {
        std::vector<std::string> args;
        std::string file;  // the user's file the message names
    };
    const Case cases[] = {
        {{"new", folder + "/new.mdb"}, folder + "/new.mdb"},
        {{"new", existing, "--force"}, existing},
        {{"import", folder + "/imported.mdb", "--structure", dir.File("s.csv")}, folder + "/imported.mdb"},
        {{"compact", existing}, existing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.file);
        CliResult r = Run(c.args);
        EXPECT_EQ(r.code, 1) << r.err;
        EXPECT_NE(r.err.find("'" + c.file + "'"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("書き込めない"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("TMP"), std::string::npos) << r.err;
    }
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"data.mdb"});
}

// Leftovers of interrupted runs under every temporary name the program ever
// used do not stop it, and a normal run leaves nothing of its own behind.
TEST_F(CliDataFileSafety, LeftoverTemporaryFilesNeitherBlockNorGrow) {
    std::string folder = dir.File("data");
    mkdir(folder.c_str(), 0755);
    for (int i = 0; i < 1000; ++i) WriteText(folder + "/TMP" + std::to_string(i) + ".mdb", "");
    std::vector<std::string> leftovers = FolderEntries(folder);
    WriteText(dir.File("s.csv"), "A,B,1,1,1\r\n");

    std::string made = folder + "/made.mdb", imported = folder + "/imported.mdb";
    CliResult r = Run({"new", made});
    EXPECT_EQ(r.code, 0) << r.err;
    r = Run({"new", made, "--force"});
    EXPECT_EQ(r.code, 0) << r.err;
    r = Run({"compact", made});
    EXPECT_EQ(r.code, 0) << r.err;
    r = Run({"import", imported, "--structure", dir.File("s.csv")});
    EXPECT_EQ(r.code, 0) << r.err;
    std::vector<std::string> expected = leftovers;
    expected.push_back("imported.mdb");
    expected.push_back("made.mdb");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderEntries(folder), expected);
}

// A database file of another program is refused as not a data file of this
// one and left as it was; a file of the previous layout is still version 1.
TEST_F(CliDataFileSafety, FilesOfAnotherLayoutAreRefusedUntouched) {
    std::string foreign = dir.File("foreign.mdb");
    MakeForeignDatabase(foreign, {"Customers", "MasItem"});
    std::string empty = dir.File("empty.mdb");
    MakeForeignDatabase(empty, {});
    WriteText(dir.File("s.csv"), "A,B,1,1,1\r\n");
    for (const std::string& p : {foreign, empty}) {
        FileState before = StateOf(p);
        const std::vector<std::vector<std::string>> commands = {
            {"info", p},
            {"compact", p},
            {"import", p, "--structure", dir.File("s.csv")},
            {"export", p, "--structure", dir.File("out.csv")},
            {"bom", p, "A"},
        };
        for (const auto& args : commands) {
            SCOPED_TRACE(p + " " + args[0]);
            CliResult r = Run(args);
            EXPECT_EQ(r.code, 1) << r.err;
            EXPECT_NE(r.err.find("このプログラムのデータファイルではありません"), std::string::npos) << r.err;
            EXPECT_TRUE(r.out.empty()) << r.out;
            EXPECT_TRUE(StateOf(p).bytes == before.bytes) << "the file was changed";
        }
    }
    EXPECT_FALSE(FileExists(dir.File("out.csv")));

    // The previous layout: iStruct, MasItem and MasTori only.
    std::string v1 = dir.File("v1.mdb");
    CreateSchema(v1, 0);
    {
        auto db = Database::Open(v1);
        db->Execute("DROP TABLE OrderPlan; DROP TABLE Supply");
    }
    CliResult r = Run({"info", v1});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "version: 1\niStruct: 0\nMasItem: 0\nMasTori: 0\n");
}
