// Conversion of version-1 data files: what the target holds, the outcomes of
// the run, and the refusals that leave every file as it was.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "dataconvert.h"
#include "dbfixture.h"
#include "jetsql.h"
#include "unprivileged.h"
#include "v1fixture.h"

namespace {

// iStruct rows as "CD1|CD2|INZU:type|KFLG:type|CFLG:type", by key.
std::vector<std::string> StructRows(const std::string& path) {
    auto db = Database::Open(path, true);
    auto st = db->Prepare(
        "SELECT CD1, CD2, INZU, typeof(INZU), KFLG, typeof(KFLG), CFLG, typeof(CFLG) FROM iStruct ORDER BY CD1, CD2");
    std::vector<std::string> out;
    while (st->Step()) {
        std::string r = st->ColumnText(0) + "|" + st->ColumnText(1);
        for (int c = 2; c < 8; c += 2) r += "|" + st->ColumnText(c) + ":" + st->ColumnText(c + 1);
        out.push_back(r);
    }
    return out;
}

// Columns of a table as "NAME:type code".
std::vector<std::string> Columns(const std::string& path, const std::string& table) {
    auto db = Database::Open(path, true);
    std::vector<std::string> out;
    for (const auto& c : db->Table(table).columns) out.push_back(c.name + ":" + std::to_string(c.type));
    return out;
}

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(dir)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

const std::string kShort = std::to_string(jtShort), kDouble = std::to_string(jtDouble);

class ConvertTest : public ::testing::Test {
protected:
    std::string Version1(const std::string& name, const std::vector<V1Line>& lines, bool pastLimits = false) {
        std::string p = dir.File(name);
        MakeVersion1File(p, lines, {"B01", "U01", "P'01", "P02"}, pastLimits);
        return p;
    }
    TempDir dir;
    RecordedNotes notes;  // what reaches the user besides the run's own message
};

TEST_F(ConvertTest, VersionOneFileKeepsEveryRowWithTheCurrentTypes) {
    std::string src = Version1("old.mdb", {{"B01", "U01", 2, "1", "0"},
                                           {"B01", "P'01", 3, "0", "1"},
                                           {"U01", "P02", Variant(), Variant(), Variant()},
                                           {"U01", "P'01", -5, "1", "1"}});
    std::string before = ReadText(src);
    std::string dst = dir.File("new.mdb");
    clsConvert c;
    ASSERT_EQ(c.Run(src, dst), ConvertStatus::Converted) << c.Message();
    EXPECT_EQ(c.Message(), kMsgConvertDone);
    EXPECT_TRUE(notes.errors.empty()) << notes.errors.front();

    EXPECT_EQ(Columns(dst, "iStruct"),
              (std::vector<std::string>{"CD1:10", "CD2:10", "INZU:" + kDouble, "KFLG:" + kShort, "CFLG:" + kShort}));
    EXPECT_EQ(StructRows(dst), (std::vector<std::string>{"B01|P'01|3.0:real|0:integer|1:integer",
                                                         "B01|U01|2.0:real|1:integer|0:integer",
                                                         "U01|P'01|-5.0:real|1:integer|1:integer",
                                                         "U01|P02|:null|:null|:null"}));
    clsDao dao;
    ASSERT_EQ(dao.OpenDatabase(dst), 0);
    EXPECT_EQ(DataFileVersion(dao), 2);
    for (const auto& t : VelmoSchema()) EXPECT_EQ(dao.TableCheck(t.name), 0) << t.name;
    // Items and partners came along; the new tables are those of a new file.
    auto count = [&](const char* sql) {
        auto st = dao.GetDatabase()->Prepare(sql);
        st->Step();
        return st->ColumnInt(0);
    };
    EXPECT_EQ(count("SELECT COUNT(*) FROM MasItem"), 4);
    EXPECT_EQ(count("SELECT COUNT(*) FROM MasTori WHERE NAME = '仕入先一'"), 1);
    EXPECT_EQ(Columns(dst, "Supply").size(), 12u);
    // The rebuilt columns keep the limits of a new file.
    EXPECT_EQ(dao.Execute("UPDATE iStruct SET KFLG = 40000"), 1);
    EXPECT_EQ(dao.Execute("UPDATE iStruct SET INZU = 'x'"), 1);
    dao.Close();

    EXPECT_EQ(ReadText(src), before);
    EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"new.mdb", "old.mdb"}));
}

TEST_F(ConvertTest, OutcomesThatWriteNothing) {
    std::string v1 = Version1("old.mdb", {{"B01", "U01", 2, "1", "0"}});
    std::string v2 = dir.File("current.mdb");
    CreateSchema(v2, 0);
    struct Case {
        const char* name;
        std::string source, target;
        ConvertStatus status;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"version-2 source", v2, dir.File("t.mdb"), ConvertStatus::AlreadyCurrent, kMsgConvertAlreadyCurrent},
        {"version-2 source as its own target", v2, v2, ConvertStatus::AlreadyCurrent, kMsgConvertAlreadyCurrent},
        {"no source name", "", dir.File("t.mdb"), ConvertStatus::NoSource, kMsgConvertNoSource},
        {"no target name", v1, "", ConvertStatus::NoTarget, kMsgConvertNoTarget},
        {"no names at all", "", "", ConvertStatus::NoSource, kMsgConvertNoSource},
    };
    std::string v1Bytes = ReadText(v1), v2Bytes = ReadText(v2);
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        clsConvert c;
        EXPECT_EQ(c.Run(k.source, k.target), k.status);
        EXPECT_EQ(c.Message(), k.message);
        EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"current.mdb", "old.mdb"}));
        EXPECT_TRUE(notes.errors.empty());
    }
    EXPECT_EQ(ReadText(v1), v1Bytes);
    EXPECT_EQ(ReadText(v2), v2Bytes);
}

TEST_F(ConvertTest, ConvertingAgainReplacesTheEarlierTargetFromTheUntouchedSource) {
    std::string src = Version1("old.mdb", {{"B01", "U01", 2, "1", "0"}});
    std::string dst = dir.File("new.mdb");
    clsConvert c;
    ASSERT_EQ(c.Run(src, dst), ConvertStatus::Converted) << c.Message();
    {
        clsDao dao;
        dao.OpenDatabase(dst);
        dao.Execute("INSERT INTO iStruct VALUES ('B01', 'P02', 7, 1, 1)");
        dao.Execute("INSERT INTO OrderPlan (OYM, CD, [ORDER]) VALUES ('202601', 'B01', 5)");
        dao.Close();
    }
    chmod(dst.c_str(), 0640);
    ASSERT_EQ(c.Run(src, dst), ConvertStatus::Converted) << c.Message();
    EXPECT_EQ(StructRows(dst), (std::vector<std::string>{"B01|U01|2.0:real|1:integer|0:integer"}));
    struct stat mode;
    ASSERT_EQ(stat(dst.c_str(), &mode), 0);
    EXPECT_EQ(mode.st_mode & 07777, 0640u);  // the replaced file's permissions
    auto db = Database::Open(dst, true);
    auto st = db->Prepare("SELECT COUNT(*) FROM OrderPlan");
    st->Step();
    EXPECT_EQ(st->ColumnInt(0), 0);
}

// Each case leaves the source as it was, writes no target (an existing one
// keeps its content) and leaves no temporary file; the run's message is the
// only one.
TEST_F(ConvertTest, RefusalsLeaveEveryFileAsItWas) {
    struct Case {
        const char* name;
        std::function<std::string()> source;  // makes the source, returns its path
        std::string target;                   // "" = a new name; "same" = the source itself
        std::vector<std::string> says;        // parts of the message
    };
    const std::string keyParts = "(CD1 = 'B01', CD2 = 'P'01')";
    auto textFile = [&] {
        WriteText(dir.File("text.mdb"), "品番,区分\r\n");
        return dir.File("text.mdb");
    };
    auto cutOff = [&] {
        std::string p = Version1("cut.mdb", {{"B01", "U01", 2, "1", "0"}});
        std::string bytes = ReadText(p);
        WriteText(p, bytes.substr(0, bytes.size() / 2));
        return p;
    };
    auto foreign = [&] {
        std::string p = dir.File("foreign.mdb");
        auto db = Database::Create(p);
        db->Prepare("CREATE TABLE notes (t TEXT)")->Step();
        db->Close();
        return p;
    };
    auto withLine = [&](V1Line l) {
        return [this, l] { return Version1("bad.mdb", {{"B01", "U01", 2, "1", "0"}, l}, true); };
    };
    const std::vector<Case> cases = {
        {"missing source", [&] { return dir.File("none.mdb"); }, "", {"変換元ﾌｧｲﾙを開けません。", "none.mdb"}},
        {"text file", textFile, "", {"変換元ﾌｧｲﾙを開けません。", "text.mdb"}},
        {"cut-off data file", cutOff, "", {"変換元ﾌｧｲﾙを開けません。", "cut.mdb"}},
        {"another program's database", foreign, "", {"変換元ﾌｧｲﾙを開けません", "データファイルではありません"}},
        {"same file", [&] { return Version1("old.mdb", {}); }, "same", {"同じﾌｧｲﾙ"}},
        {"quantity out of range", withLine({"B01", "P'01", 3000000000LL, "1", "0"}), "",
         {"列 INZU " + keyParts, "'3000000000'", "範囲"}},
        {"quantity not a number", withLine({"B01", "P'01", "2x", "1", "0"}), "",
         {"列 INZU " + keyParts, "'2x'", "数値ではありません"}},
        {"text in a flag column", withLine({"B01", "P'01", 1, "x", "0"}), "", {"列 KFLG " + keyParts, "'x'"}},
        {"flag out of range", withLine({"B01", "P'01", 1, "1", 40000}), "",
         {"列 CFLG " + keyParts, "'40000'", "-32768～32767"}},
        {"flag not a whole number", withLine({"B01", "P'01", 1, "1.5", "0"}), "",
         {"列 KFLG " + keyParts, "'1.5'", "整数ではありません"}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        TempDir out;
        std::string src = k.source();
        std::string srcBytes = ReadText(src);
        // An existing target, which must keep its content.
        std::string dst = k.target == "same" ? src : out.File("target.mdb");
        if (k.target != "same") WriteText(dst, "earlier target");
        clsConvert c;
        EXPECT_EQ(c.Run(src, dst), ConvertStatus::Refused);
        for (const auto& part : k.says) EXPECT_NE(c.Message().find(part), std::string::npos) << c.Message();
        EXPECT_TRUE(notes.errors.empty()) << notes.errors.front();
        EXPECT_EQ(ReadText(src), srcBytes);
        if (k.target != "same") {
            EXPECT_EQ(ReadText(dst), "earlier target");
            EXPECT_EQ(FilesIn(out.Path()), std::vector<std::string>{"target.mdb"});
        }
        std::filesystem::remove(src);
    }
}

TEST_F(ConvertTest, SameFileUnderAnotherNameIsRefused) {
    std::string src = Version1("old.mdb", {{"B01", "U01", 2, "1", "0"}});
    std::string link = dir.File("link.mdb");
    ASSERT_EQ(::link(src.c_str(), link.c_str()), 0);
    std::string bytes = ReadText(src);
    clsConvert c;
    EXPECT_EQ(c.Run(src, link), ConvertStatus::Refused);
    EXPECT_EQ(ReadText(src), bytes);
}

// A step that fails names itself; nothing is left behind and a file already
// at the target keeps its content.
TEST_F(ConvertTest, FailedStepsLeaveTheTargetAsItWas) {
    std::vector<V1Line> many;
    for (int i = 0; i < 6000; ++i) many.push_back({"B01", "P" + std::to_string(i), i, "1", "0"});
    std::string src = Version1("old.mdb", many);
    std::string bytes = ReadText(src);
    {
        SCOPED_TRACE("target folder does not exist");
        clsConvert c;
        EXPECT_EQ(c.Run(src, dir.File("none/new.mdb")), ConvertStatus::Failed);
        EXPECT_NE(c.Message().find("失敗した手順: 変換元ﾌｧｲﾙの複写"), std::string::npos) << c.Message();
        EXPECT_NE(c.Message().find("作成されていません"), std::string::npos) << c.Message();
    }
    {
        SCOPED_TRACE("target is a folder");
        std::filesystem::create_directory(dir.File("folder.mdb"));
        WriteText(dir.File("folder.mdb/keep"), "x");
        clsConvert c;
        EXPECT_EQ(c.Run(src, dir.File("folder.mdb")), ConvertStatus::Failed);
        EXPECT_NE(c.Message().find("置き換え"), std::string::npos) << c.Message();
        EXPECT_EQ(ReadText(dir.File("folder.mdb/keep")), "x");
        std::filesystem::remove_all(dir.File("folder.mdb"));
    }
    {
        SCOPED_TRACE("disk full while the columns are rebuilt");
        std::string dst = dir.File("new.mdb");
        WriteText(dst, "earlier target");
        clsConvert c;
        {
            // Room for the copy, not for the rebuilt columns beside it.
            FileSizeLimit limit(bytes.size() + 8 * 4096);
            EXPECT_EQ(c.Run(src, dst), ConvertStatus::Failed);
        }
        EXPECT_NE(c.Message().find("失敗した手順: 2/18 「update iStruct set buf = INZU」"), std::string::npos)
            << c.Message();
        EXPECT_NE(c.Message().find("変更されていません"), std::string::npos) << c.Message();
        EXPECT_EQ(ReadText(dst), "earlier target");
    }
    EXPECT_TRUE(notes.errors.empty()) << notes.errors.front();
    EXPECT_EQ(ReadText(src), bytes);
    EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"new.mdb", "old.mdb"}));
}

TEST_F(ConvertTest, ReadOnlyPlacesAreRefused) {
    if (RerunAsNobody()) return;
    std::string src = Version1("old.mdb", {{"B01", "U01", 2, "1", "0"}});
    TempDir ro;
    std::string dst = ro.File("new.mdb");
    WriteText(dst, "earlier target");
    chmod(dst.c_str(), 0444);
    clsConvert c;
    EXPECT_EQ(c.Run(src, dst), ConvertStatus::Refused);
    EXPECT_NE(c.Message().find("読み取り専用"), std::string::npos) << c.Message();
    chmod(dst.c_str(), 0644);
    chmod(ro.Path().c_str(), 0555);
    EXPECT_EQ(c.Run(src, dst), ConvertStatus::Failed);
    EXPECT_NE(c.Message().find("変換元ﾌｧｲﾙの複写"), std::string::npos) << c.Message();
    EXPECT_EQ(ReadText(dst), "earlier target");
}

TEST(ConvertStatements, TheEighteenStatementsInTheirOrder) {
    const std::vector<std::string> expected = {
        "alter table iStruct add buf double", "update iStruct set buf = INZU", "alter table iStruct drop INZU",
        "alter table iStruct add INZU double", "update iStruct set INZU = buf", "alter table iStruct drop buf",
        "alter table iStruct add buf short",  "update iStruct set buf = KFLG", "alter table iStruct drop KFLG",
        "alter table iStruct add KFLG short",  "update iStruct set KFLG = buf", "alter table iStruct drop buf",
        "alter table iStruct add buf short",  "update iStruct set buf = CFLG", "alter table iStruct drop CFLG",
        "alter table iStruct add CFLG short",  "update iStruct set CFLG = buf", "alter table iStruct drop buf",
    };
    EXPECT_EQ(clsConvert::RebuildStatements(), expected);
}

}  // namespace
