// Runs velmo-cli as a separate program, as a user's script would.
#pragma once
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "testutil.h"

struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

inline std::string ShellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'') q += "'\\''";
        else q.push_back(c);
    }
    return q + "'";
}

// wrapper: a command that runs velmo-cli (setpriv as another user, timeout).
inline CliResult RunCli(const std::vector<std::string>& args, const std::string& workDir,
                        const std::vector<std::string>& wrapper = {}) {
    const char* exe = std::getenv("VELMO_CLI");
    std::string cmd;
    for (const auto& w : wrapper) cmd += ShellQuote(w) + " ";
    cmd += ShellQuote(exe ? exe : VELMO_CLI_PATH);
    for (const auto& a : args) cmd += " " + ShellQuote(a);
    std::string outFile = workDir + "/.cli.out", errFile = workDir + "/.cli.err";
    cmd += " >" + ShellQuote(outFile) + " 2>" + ShellQuote(errFile);
    int st = std::system(cmd.c_str());
    CliResult r;
    r.code = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    r.out = ReadText(outFile);
    r.err = ReadText(errFile);
    return r;
}
