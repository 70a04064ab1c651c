// Where a program finds its help page and its settings file, in a build
// folder, a copied folder and an installed tree (PREFIX/bin with
// PREFIX/share/velmo).
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "installpaths.h"
#include "settings.h"
#include "testutil.h"
#include "unprivileged.h"

namespace {

namespace fs = std::filesystem;

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_) old_ = old;
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~ScopedEnv() {
        if (had_) setenv(name_, old_.c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

TEST(HelpPagePath, BesideTheProgramFirstThenTheInstalledDataFolder) {
    struct Case {
        const char* name;
        bool beside, installed;
        const char* expected;  // below the temporary folder
    };
    const Case cases[] = {
        {"build folder", true, false, "/usr/bin/Help/index.html"},
        {"installed tree", false, true, "/usr/share/velmo/Help/index.html"},
        {"both: the copy beside the program wins", true, true, "/usr/bin/Help/index.html"},
        {"neither: the page beside, which opens to nothing", false, false, "/usr/bin/Help/index.html"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        fs::create_directories(dir.File("usr/bin"));
        if (c.beside) {
            fs::create_directories(dir.File("usr/bin/Help"));
            WriteText(dir.File("usr/bin/Help/index.html"), "<html></html>");
        }
        if (c.installed) {
            fs::create_directories(dir.File("usr/share/velmo/Help"));
            WriteText(dir.File("usr/share/velmo/Help/index.html"), "<html></html>");
        }
        EXPECT_EQ(HelpPagePath(dir.File("usr/bin")), dir.Path() + c.expected) << c.name;
    }
}

TEST(HelpPagePath, AnInstalledTreeWithoutTheHelpPageFallsBackBesideTheProgram) {
    TempDir dir;
    fs::create_directories(dir.File("opt/velmo/bin"));
    fs::create_directories(dir.File("opt/velmo/share/velmo"));
    EXPECT_EQ(InstalledDataDir(dir.File("opt/velmo/bin")), dir.File("opt/velmo/share/velmo"));
    EXPECT_EQ(HelpPagePath(dir.File("opt/velmo/bin")), dir.File("opt/velmo/bin/Help/index.html"));
    EXPECT_EQ(InstalledDataDir(dir.File("opt/velmo")), "");
}

TEST(DefaultSettingsPath, BesideAWritableProgramFolderElseTheUsersConfigFolder) {
    TempDir dir;
    fs::create_directories(dir.File("build/app"));
    fs::create_directories(dir.File("usr/bin"));
    fs::create_directories(dir.File("usr/share/velmo/Help"));
    ScopedEnv xdg("XDG_CONFIG_HOME", dir.File("config").c_str());

    EXPECT_EQ(DefaultSettingsPath(dir.File("build/app")), dir.File("build/app/Velmo.ini"));
    // An installed program keeps its settings with the user even when it
    // could write to its folder (run by root).
    EXPECT_EQ(DefaultSettingsPath(dir.File("usr/bin")), dir.File("config/velmo/Velmo.ini"));
    {
        ScopedEnv noXdg("XDG_CONFIG_HOME", nullptr);
        ScopedEnv home("HOME", dir.File("home").c_str());
        EXPECT_EQ(DefaultSettingsPath(dir.File("usr/bin")), dir.File("home/.config/velmo/Velmo.ini"));
    }
}

TEST(DefaultSettingsPath, AProgramFolderThatIsNotWritableSendsTheSettingsToTheUser) {
    if (RerunAsNobody()) return;
    TempDir dir;
    fs::create_directories(dir.File("opt/app"));
    ScopedEnv xdg("XDG_CONFIG_HOME", dir.File("config").c_str());
    chmod(dir.File("opt/app").c_str(), 0555);
    EXPECT_EQ(DefaultSettingsPath(dir.File("opt/app")), dir.File("config/velmo/Velmo.ini"));
    chmod(dir.File("opt/app").c_str(), 0755);
}

}  // namespace
