// Read-only files and folders do not stop root, and CI runs the tests as
// root. A case that checks how the program refuses a read-only file or folder
// therefore starts with
//
//     if (RerunAsNobody()) return;
//
// Run as root, RerunAsNobody() runs this same test (this test program with
// --gtest_filter=Suite.Name) in a child process as the user nobody (uid and
// gid 65534, through setpriv), reports the child's output as a failure of
// this test when the child fails, skips or cannot start, and returns true:
// the caller returns at once. Run as any other user (also inside that child)
// it returns false and the case runs in this process.
//
// The child makes its own fixture (its own temporary folder), gets a fresh
// HOME of its own and inherits the rest of the environment (QT_QPA_PLATFORM,
// LC_ALL, VELMO_CLI ...); velmo-cli started by the case runs as nobody too.
// When the test program or velmo-cli lies in a folder nobody cannot enter
// (a checkout under /root), both are copied into the child's own folder and
// run from there.
#pragma once
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "clirun.h"
#include "testutil.h"

inline bool RerunAsNobody() {
    if (geteuid() != 0) return false;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::error_code ec;
    std::string exe = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    if (ec || !info) {
        ADD_FAILURE() << "cannot find the running test to run it as nobody";
        return true;
    }
    // A HOME the child can write (settings, font caches), and a file for its output.
    TempDir home;
    chmod(home.Path().c_str(), 0777);
    std::string out = home.File("child.out");
    std::string filter = std::string(info->test_suite_name()) + "." + info->name();
    const char* cliEnv = std::getenv("VELMO_CLI");
    std::string cli = cliEnv ? cliEnv : VELMO_CLI_PATH;
    const std::string asNobody = " setpriv --reuid=65534 --regid=65534 --clear-groups -- ";
    std::string cliSetting;
    if (std::system((asNobody + "test -x " + ShellQuote(exe) + " -a -x " + ShellQuote(cli)).c_str()) != 0) {
        std::string exeCopy = home.File("test-program"), cliCopy = home.File("velmo-cli");
        std::filesystem::copy_file(exe, exeCopy, ec);
        if (!ec) std::filesystem::copy_file(cli, cliCopy, ec);
        if (ec) {
            ADD_FAILURE() << "cannot copy the test program for nobody: " << ec.message();
            return true;
        }
        chmod(exeCopy.c_str(), 0755);
        chmod(cliCopy.c_str(), 0755);
        exe = exeCopy;
        cliSetting = " VELMO_CLI=" + ShellQuote(cliCopy);
    }
    std::string cmd = "env -u XDG_RUNTIME_DIR HOME=" + ShellQuote(home.Path()) + cliSetting + asNobody + ShellQuote(exe) +
                      " --gtest_filter=" + ShellQuote(filter) + " >" + ShellQuote(out) + " 2>&1";
    int st = std::system(cmd.c_str());
    std::string text = ReadText(out);
    bool passed = WIFEXITED(st) && WEXITSTATUS(st) == 0 && text.find("[  PASSED  ] 1 test.") != std::string::npos &&
                  text.find("[  SKIPPED ]") == std::string::npos;
    EXPECT_TRUE(passed) << "the case run as nobody did not pass (" << cmd << "):\n" << text;
    return true;
}
