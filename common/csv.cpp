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

// The first bytes of a UTF-8 text that are no character.
std::string FirstBadUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        size_t n = 1;
        while (n <= 4 && i + n <= s.size() && !IsValidUtf8(s.substr(i, n))) ++n;
        if (n > 4 || i + n > s.size()) return std::string(s.substr(i, 1));
        i += n;
    }
    return std::string();
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
            // Up to the comma, blanks inside included; the blanks before the
            // comma are dropped.
            size_t s = i, end = i;
            while (i < n && line[i] != ',') {
                size_t w = CharLen(line, i, sjis);
                if (w > 1 || !Blank(line[i])) end = i + w;
                i += w;
            }
            v.assign(line.substr(s, end - s));
        }
        values.push_back(std::move(v));
        while (i < n && Blank(line[i])) ++i;
        if (i < n && line[i] == ',') {
            ++i;
            while (i < n && Blank(line[i])) ++i;
            if (i == n) values.emplace_back();  // a comma is followed by a value
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
    // UTF-32 first: its little-endian mark begins like UTF-16's.
    const std::string_view utf32le("\xFF\xFE\0\0", 4), utf32be("\0\0\xFE\xFF", 4);
    if (all.substr(0, 4) == utf32le || all.substr(0, 4) == utf32be) {
        refused_ = "UTF-32";
        return;
    }
    if (all.substr(0, 2) == "\xFF\xFE" || all.substr(0, 2) == "\xFE\xFF") {
        refused_ = "UTF-16";
        return;
    }
    if (all.substr(0, 3) == "\xEF\xBB\xBF") {
        utf8_ = true;
        all.remove_prefix(3);
    } else {
        // A Shift-JIS file is practically never valid UTF-8 as a whole:
        // half-width katakana and most double-byte characters are byte
        // sequences that UTF-8 does not allow.
        utf8_ = !AllAscii(all) && IsValidUtf8(all);
    }
    lines_ = CsvSplitLines(all);
}

bool CsvReader::Values(int n, std::vector<std::string>& values, CsvValueError* error) const {
    CsvSplitValues(lines_[n - 1], values, !utf8_);
    std::string decoded, bad;
    for (size_t i = 0; i < values.size(); ++i) {
        std::string& v = values[i];
        std::string reason;
        if (v.find('\0') != std::string::npos) {
            reason = "NULﾊﾞｲﾄ(0x00)があります。";
        } else if (AllAscii(v)) {
            continue;
        } else if (!utf8_) {
            if (FromSjisExact(v, decoded, &bad)) {
                v.swap(decoded);
                continue;
            }
            reason = "Shift-JISの文字ではないﾊﾞｲﾄ" + DescribeBytes(bad) + "があります。";
        } else if (!(bad = FirstBadUtf8(v)).empty()) {
            reason = "UTF-8の文字ではないﾊﾞｲﾄ" + DescribeBytes(bad) + "があります。";
        } else if (!(bad = FirstNonSjisChar(v)).empty()) {
            reason = "Shift-JISで表せない文字" + DescribeChar(bad) + "があります。";
        } else {
            continue;
        }
        if (error) *error = {static_cast<int>(i) + 1, reason};
        return false;
    }
    return true;
}

void CsvWriter::Raw(std::string_view cp932) {
    CsvAppendValue(bytes_, cp932, lineStart_);
    lineStart_ = false;
}

bool CsvWriter::Text(std::string_view utf8, std::string* bad) {
    std::string_view bytes = utf8;
    if (!AllAscii(utf8)) {
        if (!ToSjisExact(utf8, sjis_, bad)) return false;
        bytes = sjis_;
    }
    if (!quoteText_) {
        Raw(bytes);
        return true;
    }
    if (!lineStart_) bytes_.push_back(',');
    lineStart_ = false;
    bytes_.push_back('"');
    for (char c : bytes) {
        if (c == '"') bytes_.push_back('"');
        bytes_.push_back(c);
    }
    bytes_.push_back('"');
    return true;
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
