// The manual page and the bash completion against the commands and options
// that velmo-cli itself lists in --help: a command added to the program
// without its manual entry or its completion fails here, and so does an
// entry left behind for a command or option that is gone.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "clirun.h"

namespace {

using Words = std::set<std::string>;

struct CliUsage {
    std::map<std::string, Words> commands;  // "report items" -> its options
};

bool IsOptionChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-'; }

// Every "-x" or "--name" in a text that starts a word.
Words OptionsIn(const std::string& text) {
    Words out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '-' || (i > 0 && IsOptionChar(text[i - 1]))) continue;
        size_t end = i;
        while (end < text.size() && IsOptionChar(text[end])) ++end;
        std::string word = text.substr(i, end - i);
        size_t dashes = word.find_first_not_of('-');
        if (dashes != std::string::npos && dashes <= 2 && std::isalpha(static_cast<unsigned char>(word[dashes])))
            out.insert(word);
        i = end;
    }
    return out;
}

// "  velmo-cli report items FILE [--kbn 2,1,0,3] ..." -> the words of the
// command name (lower-case words before the first argument), then its options.
CliUsage ParseHelp(const std::string& help) {
    CliUsage u;
    std::istringstream in(help);
    std::string line;
    const std::string lead = "  velmo-cli ";
    while (std::getline(in, line)) {
        if (line.rfind(lead, 0) != 0) continue;
        std::istringstream words(line.substr(lead.size()));
        std::string name, w;
        std::string rest;
        while (words >> w) {
            bool nameWord = rest.empty() && !w.empty() && std::islower(static_cast<unsigned char>(w[0]));
            if (nameWord) name += (name.empty() ? "" : " ") + w;
            else rest += " " + w;
        }
        u.commands[name] = OptionsIn(rest);
    }
    return u;
}

// Roff text with its escapes for dashes, fonts and hyphenation removed.
std::string PlainRoff(const std::string& roff) {
    std::string out;
    for (size_t i = 0; i < roff.size(); ++i) {
        if (roff[i] == '\\' && i + 1 < roff.size()) {
            char c = roff[i + 1];
            if (c == '-') { out += '-'; ++i; continue; }
            if (c == '%' || c == '&') { ++i; continue; }
            if (c == 'f' && i + 2 < roff.size()) { i += 2; continue; }
        }
        out += roff[i];
    }
    return out;
}

// The text of each ".SH NAME" section, and of each ".SS name" subsection
// within the section "COMMANDS".
struct ManPage {
    std::map<std::string, std::string> sections;
    std::map<std::string, std::string> commands;
};

std::string Unquote(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.pop_back();
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
    return s;
}

ManPage ParseMan(const std::string& roff) {
    ManPage m;
    std::istringstream in(PlainRoff(roff));
    std::string line, section, sub;
    while (std::getline(in, line)) {
        if (line.rfind(".SH ", 0) == 0) {
            section = Unquote(line.substr(4));
            sub.clear();
            continue;
        }
        if (line.rfind(".SS ", 0) == 0 && section == "COMMANDS") {
            sub = Unquote(line.substr(4));
            m.commands[sub];
            continue;
        }
        m.sections[section] += line + "\n";
        if (!sub.empty()) m.commands[sub] += line + "\n";
    }
    return m;
}

std::string Join(const Words& w) {
    std::string s;
    for (const auto& x : w) s += (s.empty() ? "" : " ") + x;
    return s;
}

Words FirstWords(const CliUsage& u) {
    Words w;
    for (const auto& [name, opts] : u.commands) w.insert(name.substr(0, name.find(' ')));
    return w;
}

class CliDocs : public ::testing::Test {
protected:
    void SetUp() override {
        CliResult r = RunCli({"--help"}, dir.Path());
        ASSERT_EQ(r.code, 0) << r.err;
        help = r.out;
        usage = ParseHelp(help);
        ASSERT_GE(usage.commands.size(), 10u) << "--help lists too few commands to be parsed right:\n" << help;
        // The options every command takes, from the first lines of the help.
        std::string header = help.substr(0, help.find("\n  velmo-cli "));
        globalOptions = OptionsIn(header.substr(0, header.find('\n')));
        ASSERT_TRUE(globalOptions.count("--settings")) << help;
    }

    // What the completion offers for the words typed so far (the last one is
    // the word being completed).
    Words Complete(const std::vector<std::string>& typed) {
        std::string words = "velmo-cli";
        for (const auto& t : typed) words += " " + ShellQuote(t);
        std::string script = "source " + ShellQuote(VELMO_SOURCE_DIR "/dist/velmo-cli.bash-completion") +
                             "\ncd " + ShellQuote(dir.Path()) + "\nCOMP_WORDS=(" + words +
                             ")\nCOMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n_velmo_cli\n"
                             "printf '%s\\n' \"${COMPREPLY[@]}\"\n";
        WriteText(dir.File("complete.sh"), script);
        std::string cmd = "bash " + ShellQuote(dir.File("complete.sh")) + " >" + ShellQuote(dir.File("offered"));
        EXPECT_EQ(std::system(cmd.c_str()), 0);
        Words out;
        std::istringstream in(ReadText(dir.File("offered")));
        std::string line;
        while (std::getline(in, line))
            if (!line.empty()) out.insert(line);
        return out;
    }

    TempDir dir;
    std::string help;
    CliUsage usage;
    Words globalOptions;
};

TEST_F(CliDocs, ManualPageDescribesEveryCommandAndOption) {
    ManPage man = ParseMan(ReadText(VELMO_SOURCE_DIR "/dist/velmo-cli.1.in"));
    for (const auto& [name, options] : usage.commands) {
        auto it = man.commands.find(name);
        if (it == man.commands.end()) {
            ADD_FAILURE() << "velmo-cli " << name << " has no subsection .SS \"" << name
                          << "\" under COMMANDS in dist/velmo-cli.1.in";
            continue;
        }
        Words missing;
        Words described = OptionsIn(it->second);
        for (const auto& o : options)
            if (!described.count(o)) missing.insert(o);
        EXPECT_TRUE(missing.empty()) << "the manual page's entry for " << name << " lacks " << Join(missing);
    }
    for (const auto& [name, text] : man.commands)
        EXPECT_TRUE(usage.commands.count(name)) << "the manual page describes " << name
                                                << ", which velmo-cli --help does not list";
    Words general = OptionsIn(man.sections["OPTIONS"]);
    for (const std::string& o : {std::string("--help"), std::string("--version")}) globalOptions.insert(o);
    for (const auto& o : globalOptions) EXPECT_TRUE(general.count(o)) << "OPTIONS lacks " << o;
    for (const char* s : {"SYNOPSIS", "DESCRIPTION", "OUTPUT FORMATS", "EXIT STATUS", "FILES"})
        EXPECT_TRUE(man.sections.count(s)) << "no section " << s;
}

TEST_F(CliDocs, CompletionOffersEveryCommandAndOption) {
    Words first = FirstWords(usage);
    first.insert({"--help", "--version"});
    EXPECT_EQ(Join(Complete({""})), Join(first));

    std::map<std::string, Words> second;  // "report" -> items partners ...
    for (const auto& [name, options] : usage.commands) {
        size_t space = name.find(' ');
        if (space != std::string::npos) second[name.substr(0, space)].insert(name.substr(space + 1));
    }
    for (const auto& [word, subs] : second) EXPECT_EQ(Join(Complete({word, ""})), Join(subs)) << word;

    for (const auto& [name, options] : usage.commands) {
        std::vector<std::string> typed;
        std::istringstream words(name);
        for (std::string w; words >> w;) typed.push_back(w);
        typed.push_back("data.mdb");
        typed.push_back("-");
        Words expected = options;
        expected.insert(globalOptions.begin(), globalOptions.end());
        EXPECT_EQ(Join(Complete(typed)), Join(expected)) << "options of " << name;
    }
}

TEST_F(CliDocs, CompletionOffersTheFilesEachArgumentTakes) {
    for (const char* f : {"a.mdb", "b.MDB", "items.csv", "out.pdf", "Velmo.ini", "notes.txt"})
        WriteText(dir.File(f), "");
    std::filesystem::create_directory(dir.File("sub"));
    struct Case {
        std::vector<std::string> typed;
        Words offered;
    };
    const Case cases[] = {
        {{"info", ""}, {"a.mdb", "b.MDB", "sub"}},
        {{"report", "items", "a.mdb", "-o", ""}, {"out.pdf", "sub"}},
        {{"import", "a.mdb", "--items", ""}, {"items.csv", "sub"}},
        {{"bom", "a.mdb", "--settings", ""}, {"Velmo.ini", "sub"}},
        {{"report", "items", "a.mdb", "--find", ""}, {}},
    };
    for (const auto& c : cases) {
        std::string label;
        for (const auto& t : c.typed) label += t + " ";
        EXPECT_EQ(Join(Complete(c.typed)), Join(c.offered)) << label;
    }
}

}  // namespace
