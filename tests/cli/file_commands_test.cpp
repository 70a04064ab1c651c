#include <gtest/gtest.h>

#include "clirun.h"
#include "dbfixture.h"

class CliFiles : public ::testing::Test {
protected:
    CliResult Run(std::vector<std::string> args) {
        args.push_back("--settings");
        args.push_back(dir.File("Velmo.ini"));
        return RunCli(args, dir.Path());
    }
    TempDir dir;
};

TEST_F(CliFiles, NewInfoCompact) {
    std::string p = dir.File("new.mdb");
    auto r = Run({"new", p});
    ASSERT_EQ(r.code, 0) << r.err;
    r = Run({"info", p});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "version: 2\niStruct: 0\nMasItem: 0\nMasTori: 0\nOrderPlan: 0\nSupply: 0\n");
    {
        clsDao dao;
        dao.OpenDatabase(p);
        dao.Execute("INSERT INTO MasItem (CD) VALUES ('A''1')");
        dao.GetDatabase()->Prepare("DROP TABLE OrderPlan")->Step();
        dao.Close();
    }
    r = Run({"compact", p});
    ASSERT_EQ(r.code, 0) << r.err;
    r = Run({"info", p});
    EXPECT_EQ(r.out, "version: 1\niStruct: 0\nMasItem: 1\nMasTori: 0\nSupply: 0\n");
}

TEST_F(CliFiles, NewRefusesAnExistingFileUnlessForced) {
    std::string p = dir.File("x.mdb");
    WriteText(p, "keep me");
    auto r = Run({"new", p});
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(r.err.empty());
    EXPECT_EQ(ReadText(p), "keep me");
    r = Run({"new", p, "--force"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Run({"info", p}).code, 0);
}

TEST_F(CliFiles, ErrorsGoToStderrWithExitCodeOne) {
    WriteText(dir.File("text.mdb"), "hello");
    for (std::vector<std::string> args : {std::vector<std::string>{"info", dir.File("missing.mdb")},
                                          {"info", dir.File("text.mdb")},
                                          {"compact", dir.File("text.mdb")},
                                          {"info"},
                                          {"no-such-command"}}) {
        auto r = Run(args);
        EXPECT_EQ(r.code, 1) << args[0];
        EXPECT_FALSE(r.err.empty()) << args[0];
        EXPECT_TRUE(r.out.empty()) << args[0];
    }
    EXPECT_EQ(ReadText(dir.File("text.mdb")), "hello");
}
