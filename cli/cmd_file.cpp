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

const char* kNewUsage = "new FILE [--force] [--version 1]";

// --version 1 makes a file of the previous layout, for trying Velmo1_2.
int New(const CliArgs& a) {
    std::string path = OneFile(a, kNewUsage);
    std::string version = a.Get("--version", "2");
    if (version != "1" && version != "2")
        throw CliFailure{"velmo-cli: --version は 1 か 2 を指定してください。\nusage: velmo-cli " + std::string(kNewUsage)};
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && !a.Has("--force"))
        throw CliFailure{"velmo-cli: " + path + " はすでに存在します。上書きするときは --force を付けてください。"};
    if (version == "1") CreateVersion1File(path);
    else CreateSchema(path, 0);
    return 0;
}

int Info(const CliArgs& a) {
    std::string path = OneFile(a, "info FILE");
    auto db = Database::Open(path);
    std::printf("version: %d\n", db->HasTable("OrderPlan") ? 2 : 1);
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

CliRegistrar r1({"new", kNewUsage, {"--version"}, New});
CliRegistrar r2({"info", "info FILE", {}, Info});
CliRegistrar r3({"compact", "compact FILE", {}, Compact});

}  // namespace
