// velmo-cli: the same work as the windows, without a window. Each command
// lives in its own file and registers itself here.
#pragma once
#include <functional>
#include <string>
#include <vector>

struct CliArgs {
    std::vector<std::string> positional;
    // Options in the order given; "--name value" and "--flag" (value "").
    std::vector<std::pair<std::string, std::string>> options;

    bool Has(const std::string& name) const;
    std::string Get(const std::string& name, const std::string& def = "") const;
    std::vector<std::string> GetAll(const std::string& name) const;
};

struct CliCommand {
    std::string name;   // "info", or two words such as "report items"
    std::string usage;  // one line for the help text
    // Options that take a value; all other "--x" are flags.
    std::vector<std::string> valueOptions;
    // Returns the exit code.
    std::function<int(const CliArgs&)> run;
};

// Registers a command at program start (static initialisation).
struct CliRegistrar {
    explicit CliRegistrar(CliCommand c);
};

// A failure that the command reports on stderr with exit code 1.
struct CliFailure {
    std::string message;
};

// Installs the data-store notifier that writes messages to stderr and counts
// errors; returns the number of errors reported so far.
int CliErrorCount();
