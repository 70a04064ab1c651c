// Data file commands: new, info, compact.
#include <cstdio>
#include <sys/stat.h>

#include "cli.h"
#include "udao.h"
#include "udaoment.h"
#include "udaors.h"

namespace {

std::string OneFile(const CliArgs& a, const char* usage) {
    if (a.positional.size() != 1) throw CliFailure{std::string("usage: velmo-cli ") + usage};
    return a.positional[0];
}

int New(const CliArgs& a) {
    std::string path = OneFile(a, "new FILE [--force]");
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && !a.Has("--force"))
        throw CliFailure{"velmo-cli: " + path + " はすでに存在します。上書きするときは --force を付けてください。"};
    CreateSchema(path, 0);
    return 0;
}

int Info(const CliArgs& a) {
    std::string path = OneFile(a, "info FILE");
    auto db = OpenCheckedDataFile(path);
    std::printf("version: %d\n", DataFileVersion(*db));
    for (const char* t : {"iStruct", "MasItem", "MasTori", "OrderPlan", "Supply"}) {
        if (!db->HasTable(t)) continue;
        auto st = db->PrepareJet(std::string("SELECT COUNT(*) AS RECCNT FROM ") + t);
        st->Step();
        std::printf("%s: %lld\n", t, st->ColumnInt(0));
    }
    return 0;
}

int Compact(const CliArgs& a) {
    std::string path = OneFile(a, "compact FILE");
    clsDaoMent ment;
    ment.CompactDatabase(path);
    return 0;
}

CliRegistrar r1({"new", "new FILE [--force]", {}, New});
CliRegistrar r2({"info", "info FILE", {}, Info});
CliRegistrar r3({"compact", "compact FILE", {}, Compact});

}  // namespace
