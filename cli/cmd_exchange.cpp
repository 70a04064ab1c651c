// CSV exchange: export and import of structure lines, items and partners,
// through the same runs as the import/export dialog.
#include <cstdio>
#include <unistd.h>

#include "cli.h"
#include "csvexport.h"
#include "csvimport.h"

namespace {

// Messages go to stderr as the dialog would show them; status texts are not
// shown.
class StderrListener : public CsvRunListener {
public:
    void Status(const std::string&) override {}
    void Progress(const char*, long long, long long) override {}
    void Message(const std::string& text) override {
        std::fputs(text.c_str(), stderr);
        if (text.empty() || text.back() != '\n') std::fputc('\n', stderr);
    }
};

// The dialog's paths come from file dialogs and are absolute; a relative path
// on the command line is taken from the current folder.
std::string Absolute(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    char buf[4096];
    if (!getcwd(buf, sizeof buf)) return path;
    return std::string(buf) + "/" + path;
}

CsvRunOptions Options(const CliArgs& a, const char* usage, bool import) {
    if (a.positional.size() != 1) throw CliFailure{std::string("usage: velmo-cli ") + usage};
    for (const auto& [name, value] : a.options) {
        bool known = name == "--structure" || name == "--items" || name == "--partners" || name == "--header" ||
                     name == "--settings" || (import ? name == "--replace" : name == "--quote-text");
        if (!known) throw CliFailure{"velmo-cli: unknown option " + name + "\nusage: velmo-cli " + usage};
    }
    CsvRunOptions o;
    o.mdbPath = Absolute(a.positional[0]);
    const char* names[kCsvTableCount] = {"--structure", "--items", "--partners"};
    for (int t = 0; t < kCsvTableCount; ++t) {
        o.chosen[t] = a.Has(names[t]);
        o.csvPath[t] = Absolute(a.Get(names[t]));
        o.header[t] = a.Has("--header");
    }
    o.deleteFirst = a.Has("--replace");
    o.quoteText = a.Has("--quote-text");
    // The message is all a script's user sees: it names the file.
    o.nameFiles = true;
    return o;
}

const char* kExportUsage =
    "export FILE [--structure CSV] [--items CSV] [--partners CSV] [--header] [--quote-text]";
const char* kImportUsage = "import FILE [--structure CSV] [--items CSV] [--partners CSV] [--header] [--replace]";

int Export(const CliArgs& a) {
    StderrListener l;
    return clsCsvExport(l).Run(Options(a, kExportUsage, false)) ? 0 : 1;
}

int Import(const CliArgs& a) {
    StderrListener l;
    return clsCsvImport(l).Run(Options(a, kImportUsage, true)) ? 0 : 1;
}

const std::vector<std::string> kValueOptions = {"--structure", "--items", "--partners"};
CliRegistrar r1({"export", kExportUsage, kValueOptions, Export});
CliRegistrar r2({"import", kImportUsage, kValueOptions, Import});

}  // namespace
