// Reads back a PDF written by the program with pdftotext -bbox-layout
// (poppler-utils): its pages with their size and the words on them, with
// positions in millimetres from the top-left corner of the page.
#pragma once
#include <cmath>
#include <cstdio>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "clirun.h"

struct PdfWord {
    std::string text;
    double left, top, right, bottom;  // mm
};

struct PdfPage {
    double width = 0, height = 0;  // mm
    std::vector<PdfWord> words;

    // The places where this text is printed, in reading order. pdftotext
    // splits a text where the script changes ("品目" "リスト"), so neighbouring
    // words on one line that together make the text count as one.
    std::vector<PdfWord> Find(const std::string& text) const {
        std::vector<PdfWord> out;
        for (size_t i = 0; i < words.size(); ++i) {
            PdfWord joined = words[i];
            for (size_t j = i + 1; joined.text.size() < text.size() && j < words.size(); ++j) {
                const PdfWord& w = words[j];
                if (std::abs(w.top - joined.top) > 0.5 || text.compare(0, joined.text.size(), joined.text) != 0) break;
                joined.text += w.text;
                joined.right = w.right;
            }
            if (joined.text == text) out.push_back(joined);
        }
        return out;
    }
    bool Has(const std::string& text) const { return !Find(text).empty(); }
};

struct PdfDoc {
    bool ok = false;
    std::vector<PdfPage> pages;
};

inline std::string PdfUnescape(std::string s) {
    static const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&#39;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities)
        for (size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + 1)) s.replace(p, strlen(from), to);
    return s;
}

inline PdfDoc ReadPdf(const std::string& path) {
    PdfDoc doc;
    std::string cmd = "pdftotext -bbox-layout " + ShellQuote(path) + " - 2>/dev/null";
    FILE* f = popen(cmd.c_str(), "r");
    if (!f) return doc;
    std::string xml;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;) xml.append(buf, n);
    doc.ok = pclose(f) == 0;
    constexpr double kMm = 25.4 / 72.0;
    static const std::regex page(R"re(<page width="([\d.]+)" height="([\d.]+)">)re");
    static const std::regex word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    static const std::regex token(R"re(<page [^>]*>|<word [^>]*>[^<]*</word>)re");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), token); it != std::sregex_iterator(); ++it) {
        std::string t = it->str();
        std::smatch m;
        if (std::regex_match(t, m, page)) {
            doc.pages.push_back({std::stod(m[1]) * kMm, std::stod(m[2]) * kMm, {}});
        } else if (std::regex_match(t, m, word) && !doc.pages.empty()) {
            doc.pages.back().words.push_back({PdfUnescape(m[5]), std::stod(m[1]) * kMm, std::stod(m[2]) * kMm,
                                              std::stod(m[3]) * kMm, std::stod(m[4]) * kMm});
        }
    }
    return doc;
}

// The output of pdffonts: the fonts a PDF uses and whether they are embedded.
inline std::string PdfFonts(const std::string& path) {
    std::string out;
    FILE* f = popen(("pdffonts " + ShellQuote(path) + " 2>/dev/null").c_str(), "r");
    if (!f) return out;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;) out.append(buf, n);
    pclose(f);
    return out;
}
