#include <cstdio>
#include <cstring>
#include <exception>
#include <map>

#include "cli.h"
#include "notify.h"
#include "settings.h"
#include "velmo_version.h"
#include "verror.h"

namespace {

std::map<std::string, CliCommand>& Registry() {
    static std::map<std::string, CliCommand> r;
    return r;
}

int g_errors = 0;

void Usage(FILE* out) {
    std::fprintf(out, "usage: velmo-cli COMMAND ... [--settings PATH]\n"
                      "       velmo-cli --help | --version\n");
    for (const auto& [name, c] : Registry()) std::fprintf(out, "  velmo-cli %s\n", c.usage.c_str());
}

}  // namespace

bool CliArgs::Has(const std::string& name) const {
    for (const auto& o : options)
        if (o.first == name) return true;
    return false;
}

std::string CliArgs::Get(const std::string& name, const std::string& def) const {
    for (auto it = options.rbegin(); it != options.rend(); ++it)
        if (it->first == name) return it->second;
    return def;
}

std::vector<std::string> CliArgs::GetAll(const std::string& name) const {
    std::vector<std::string> out;
    for (const auto& o : options)
        if (o.first == name) out.push_back(o.second);
    return out;
}

CliRegistrar::CliRegistrar(CliCommand c) { Registry()[c.name] = std::move(c); }

int CliErrorCount() { return g_errors; }

int main(int argc, char** argv) {
    SetDataStoreNotifier({[](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); },
                          [](const std::string& kind, const std::string& message) {
                              ++g_errors;
                              std::fprintf(stderr, "%s: %s\n", kind.c_str(), message.c_str());
                          }});
    if (argc == 2 && !std::strcmp(argv[1], "--version")) {
        std::printf("velmo-cli %s\n", VELMO_VERSION);
        return 0;
    }
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        Usage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 1 : 0;
    }
    // Commands of two words ("report items") are found before one-word ones.
    int first = 2;
    auto it = Registry().end();
    if (argc >= 3) {
        it = Registry().find(std::string(argv[1]) + " " + argv[2]);
        if (it != Registry().end()) first = 3;
    }
    if (it == Registry().end()) it = Registry().find(argv[1]);
    if (it == Registry().end()) {
        std::fprintf(stderr, "velmo-cli: unknown command '%s'\n", argv[1]);
        Usage(stderr);
        return 1;
    }
    const CliCommand& cmd = it->second;
    CliArgs args;
    for (int i = first; i < argc; ++i) {
        std::string a = argv[i];
        if (a.size() > 1 && a[0] == '-' && a != "-") {
            bool takesValue = a == "--settings" || a == "-o";
            for (const auto& v : cmd.valueOptions)
                if (v == a) takesValue = true;
            if (takesValue) {
                if (i + 1 >= argc) {
                    std::fprintf(stderr, "velmo-cli: option %s needs a value\n", a.c_str());
                    return 1;
                }
                args.options.emplace_back(a, argv[++i]);
            } else {
                args.options.emplace_back(a, "");
            }
        } else {
            args.positional.push_back(a);
        }
    }
    if (args.Has("--settings")) SetSettingsPath(args.Get("--settings"));
    try {
        return cmd.run(args);
    } catch (const CliFailure& f) {
        std::fprintf(stderr, "%s\n", f.message.c_str());
    } catch (const VelmoError& e) {
        std::fprintf(stderr, "%s: %s\n", e.Kind().c_str(), e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
    }
    return 1;
}
