#include <gtest/gtest.h>

#include "fakeplatform.h"
#include "notify.h"
#include "qtplatform.h"
#include "udao.h"
#include "verror.h"

TEST(CommandBoundary, UncaughtErrorsAreReportedAndTheProgramGoesOn) {
    FakePlatform fake;
    EXPECT_FALSE(RunCommand([] { throw ConvertError("'x' は数値に変換できません。"); }));
    EXPECT_FALSE(RunCommand([] { throw std::runtime_error("boom"); }));
    EXPECT_FALSE(RunCommand([] { throw 42; }));  // not even an exception class
    EXPECT_TRUE(RunCommand([] {}));
    ASSERT_EQ(fake.calls.size(), 3u);
    EXPECT_EQ(fake.calls[0].kind, "error");
    EXPECT_EQ(fake.calls[0].extra, "EConvertError");
    EXPECT_EQ(fake.calls[1].text, "boom");
}

TEST(CommandBoundary, DataStoreReportsReachThePlatform) {
    FakePlatform fake;
    clsDao dao;
    EXPECT_EQ(dao.OpenDatabase("/no/such/file.mdb"), 1);
    ASSERT_EQ(fake.Texts("error").size(), 1);
    NotifyInfo("TableDefInitを行ってから、TableDefAddを行ってください。");
    EXPECT_EQ(fake.Texts("info"), QStringList{"TableDefInitを行ってから、TableDefAddを行ってください。"});
}

TEST(QtPlatformFilters, PairsBecomeNameFilters) {
    EXPECT_EQ(QtNameFilters("MDBﾌｧｲﾙ|*.mdb|全てのﾌｧｲﾙ|*.*"), "MDBﾌｧｲﾙ (*.mdb);;全てのﾌｧｲﾙ (*.*)");
    EXPECT_EQ(QtNameFilters("CSV|*.csv;*.txt"), "CSV (*.csv *.txt)");
}
