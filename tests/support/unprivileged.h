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
// The test program and velmo-cli must be readable and executable by nobody.
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
    std::string cmd = "env -u XDG_RUNTIME_DIR HOME=" + ShellQuote(home.Path()) +
                      " setpriv --reuid=65534 --regid=65534 --clear-groups -- " + ShellQuote(exe) +
                      " --gtest_filter=" + ShellQuote(filter) + " >" + ShellQuote(out) + " 2>&1";
    int st = std::system(cmd.c_str());
    std::string text = ReadText(out);
    bool passed = WIFEXITED(st) && WEXITSTATUS(st) == 0 && text.find("[  PASSED  ] 1 test.") != std::string::npos &&
                  text.find("[  SKIPPED ]") == std::string::npos;
    EXPECT_TRUE(passed) << "the case run as nobody did not pass (" << cmd << "):\n" << text;
    return true;
}
