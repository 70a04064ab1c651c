#include "csv.h"

#include <charconv>
#include <cmath>

#include "sjis.h"
#include "ucommon.h"

namespace {

inline bool Blank(char c) {
    unsigned char b = static_cast<unsigned char>(c);
    return b >= 1 && b <= 32;
}

inline bool IsSjisTrail(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Bytes of the character at i: 2 for a CP932 lead byte followed by a trail
// byte, else 1.
inline size_t CharLen(std::string_view s, size_t i, bool sjis) {
    return sjis && IsSjisLead(static_cast<unsigned char>(s[i])) && i + 1 < s.size() &&
                   IsSjisTrail(static_cast<unsigned char>(s[i + 1]))
               ? 2
               : 1;
}

inline bool NeedsQuotes(std::string_view v) {
    for (char c : v) {
        unsigned char b = static_cast<unsigned char>(c);
        if (b <= 32 || c == '"' || c == ',') return true;
    }
    return false;
}

bool AllAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// UTF-8 as it stands; a byte sequence that is not UTF-8 becomes U+FFFD.
std::string CleanUtf8(std::string_view s) {
    if (IsValidUtf8(s)) return std::string(s);
    std::string out;
    size_t i = 0;
    while (i < s.size()) {
        size_t n = 1;
        while (n <= 4 && i + n <= s.size() && !IsValidUtf8(s.substr(i, n))) ++n;
        if (n <= 4 && i + n <= s.size()) {
            out.append(s.substr(i, n));
            i += n;
        } else {
            out.append("\xEF\xBF\xBD");
            ++i;
        }
    }
    return out;
}

}  // namespace

std::vector<std::string_view> CsvSplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    size_t start = 0, i = 0, n = bytes.size();
    while (i < n) {
        char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n) lines.push_back(bytes.substr(start));
    return lines;
}

void CsvSplitValues(std::string_view line, std::vector<std::string>& values, bool sjis) {
    values.clear();
    size_t i = 0, n = line.size();
    while (i < n && Blank(line[i])) ++i;
    while (i < n) {
        std::string v;
        if (line[i] == '"') {
            ++i;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        v.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;  // the closing quote
                    break;
                }
                size_t w = CharLen(line, i, sjis);
                v.append(line.substr(i, w));
                i += w;
            }
        } else {
            size_t s = i;
            while (i < n && !Blank(line[i]) && line[i] != ',') i += CharLen(line, i, sjis);
            v.assign(line.substr(s, i - s));
        }
        values.push_back(std::move(v));
        while (i < n && Blank(line[i])) ++i;
        if (i < n && line[i] == ',') {
            if (i + 1 == n) values.emplace_back();
            ++i;
            while (i < n && Blank(line[i])) ++i;
        }
    }
}

std::vector<std::string> CsvSplitValues(std::string_view line, bool sjis) {
    std::vector<std::string> v;
    CsvSplitValues(line, v, sjis);
    return v;
}

void CsvAppendValue(std::string& line, std::string_view value, bool first) {
    if (!first) line.push_back(',');
    if (!NeedsQuotes(value)) {
        line.append(value);
        return;
    }
    line.push_back('"');
    for (char c : value) {
        if (c == '"') line.push_back('"');
        line.push_back(c);
    }
    line.push_back('"');
}

std::string CsvJoinValues(const std::vector<std::string>& values) {
    std::string line;
    for (size_t i = 0; i < values.size(); ++i) CsvAppendValue(line, values[i], i == 0);
    return line;
}

std::string CsvNumberText(double v) {
    char buf[64];
    if (std::isfinite(v) && std::fabs(v) < 1e15) {
        // Whole numbers below 10^15, the most common values, are plain
        // integers; numbers from 10^-4 on are written without an exponent and
        // have the same 15 significant digits in the shortest fixed form.
        if (v == std::trunc(v)) {
            auto r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(v));
            return std::string(buf, r.ptr);
        }
        if (std::fabs(v) >= 1e-4) {
            auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
            std::string_view t(buf, r.ptr - buf);
            if (t.find('e') == std::string_view::npos) return std::string(t);  // else rounded up to 10^15

        }
    }
    return FloatToStr(v);
}

CsvReader::CsvReader(std::string bytes) : bytes_(std::move(bytes)) {
    std::string_view all(bytes_);
    if (all.substr(0, 3) == "\xEF\xBB\xBF") {
        utf8_ = true;
        all.remove_prefix(3);
    }
    lines_ = CsvSplitLines(all);
}

void CsvReader::Values(int n, std::vector<std::string>& values) const {
    CsvSplitValues(lines_[n - 1], values, !utf8_);
    for (auto& v : values) {
        if (AllAscii(v)) continue;
        v = utf8_ ? CleanUtf8(v) : FromSjis(v);
    }
}

void CsvWriter::Raw(std::string_view cp932) {
    CsvAppendValue(bytes_, cp932, lineStart_);
    lineStart_ = false;
}

void CsvWriter::Text(std::string_view utf8) {
    if (AllAscii(utf8)) Raw(utf8);
    else Raw(ToSjis(utf8));
}

void CsvWriter::Number(double v) { Raw(CsvNumberText(v)); }

void CsvWriter::Integer(long long v) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    Raw(std::string_view(buf, r.ptr - buf));
}

void CsvWriter::EndLine() {
    bytes_.append("\r\n");
    lineStart_ = true;
}
