#include "ucommon.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>

std::string GetToken(std::string_view text, int n, std::string_view sep) {
    if (n < 1 || sep.empty()) return n == 1 ? std::string(text) : std::string();
    std::string s(text);
    s.append(sep);
    size_t start = 0;
    for (int i = 1;; ++i) {
        size_t pos = s.find(sep, start);
        if (pos == std::string::npos) return std::string();
        if (i == n) return s.substr(start, pos - start);
        start = pos + sep.size();
    }
}

std::string CleanNumber(std::string_view text, bool allowDecimal) {
    std::string out;
    bool dot = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') out.push_back(c);
        else if (c == '-' && i == 0) out.push_back(c);
        else if (c == '.' && allowDecimal && !dot) {
            out.push_back(c);
            dot = true;
        }
    }
    return out;
}

char NumKeyFilter(char key) {
    if ((key >= '0' && key <= '9') || key == '.' || key == 8) return key;
    return 0;
}

std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
    return std::string(s.substr(b, e - b));
}

std::string SqlEsc(std::string_view value) {
    std::string out;
    out.reserve(value.size() + 2);
    for (char c : value) {
        out.push_back(c);
        if (c == '\'') out.push_back('\'');
    }
    return out;
}

namespace {

// Decimal digits and exponent of v rounded to 15 significant digits:
// v = 0.d1d2...d15 * 10^exp10 with digits trimmed of trailing zeros.
struct Decimal {
    bool negative = false;
    std::string digits;  // no trailing zeros; empty for zero
    int exponent = 0;    // position of the decimal point relative to digits
};

Decimal ToDecimal(double v) {
    Decimal d;
    if (v == 0 || !std::isfinite(v)) return d;
    char buf[64];
    // d.dddddddddddddde±xx; to_chars writes '.' whatever the process locale.
    char* end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14).ptr;
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    std::string digits;
    for (; p < end && *p != 'e'; ++p)
        if (*p != '.') digits.push_back(*p);
    if (p < end) ++p;                    // 'e'
    if (p < end && *p == '+') ++p;       // from_chars takes '-' only
    int e = 0;
    std::from_chars(p, end, e);
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    d.digits = digits;
    d.exponent = e + 1;
    return d;
}

// Rounds the decimal to `decimals` places after the point, half away from zero.
Decimal RoundDecimal(Decimal d, int decimals) {
    int keep = d.exponent + decimals;  // digits to keep
    if (keep >= static_cast<int>(d.digits.size())) return d;
    if (keep < 0) {
        d.digits.clear();
        return d;
    }
    bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            d.exponent += 1;
        } else {
            d.digits[i] += 1;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

std::string IntegerPart(const Decimal& d) {
    std::string s;
    for (int i = 0; i < d.exponent; ++i) s.push_back(i < static_cast<int>(d.digits.size()) ? d.digits[i] : '0');
    return s.empty() ? "0" : s;
}

std::string FractionPart(const Decimal& d) {
    std::string s;
    for (int i = std::max(0, -d.exponent); i > 0; --i) s.push_back('0');
    for (int i = std::max(0, d.exponent); i < static_cast<int>(d.digits.size()); ++i) s.push_back(d.digits[i]);
    return s;
}

std::string GroupThousands(const std::string& intPart) {
    std::string out;
    int n = static_cast<int>(intPart.size());
    for (int i = 0; i < n; ++i) {
        out.push_back(intPart[i]);
        int rest = n - 1 - i;
        if (rest > 0 && rest % 3 == 0) out.push_back(',');
    }
    return out;
}

std::string FormatPattern(double v, int decimals) {
    Decimal d = RoundDecimal(ToDecimal(v), decimals);
    if (d.digits.empty()) return "0";
    std::string s = d.negative ? "-" : "";
    s += GroupThousands(IntegerPart(d));
    std::string frac = FractionPart(d);
    if (!frac.empty()) s += "." + frac;
    return s;
}

}  // namespace

std::string FloatToStr(double v) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
    Decimal d = ToDecimal(v);
    if (d.digits.empty()) return "0";
    std::string s = d.negative ? "-" : "";
    int e = d.exponent - 1;  // scientific exponent
    if (e >= 15 || e < -5) {
        s.push_back(d.digits[0]);
        if (d.digits.size() > 1) s += "." + d.digits.substr(1);
        s += "E" + std::to_string(e);
        return s;
    }
    s += IntegerPart(d);
    std::string frac = FractionPart(d);
    if (!frac.empty()) s += "." + frac;
    return s;
}

std::string FormatMoney(double v) { return FormatPattern(v, 2); }
std::string FormatInteger(double v) { return FormatPattern(v, 0); }

std::optional<long long> ParseInt(std::string_view s) {
    std::string t = Trim(s);
    if (t.empty()) return std::nullopt;
    size_t i = 0;
    if (t[0] == '-' || t[0] == '+') i = 1;
    if (i >= t.size()) return std::nullopt;
    for (size_t k = i; k < t.size(); ++k)
        if (t[k] < '0' || t[k] > '9') return std::nullopt;
    errno = 0;
    long long v = std::strtoll(t.c_str(), nullptr, 10);
    if (errno == ERANGE) return std::nullopt;
    return v;
}

std::optional<double> ParseFloat(std::string_view s) {
    std::string t = Trim(s);
    if (t.empty()) return std::nullopt;
    // Plain decimal notation with an optional exponent; no hex, no inf/nan.
    size_t i = 0;
    if (t[i] == '-' || t[i] == '+') ++i;
    size_t digits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
        size_t ed = 0;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++ed;
        if (ed == 0) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;
    double v = StrToDoubleC(t.c_str(), nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

double StrToDoubleC(const char* text, char** end) {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(text, end, c);
}

long long StrToIntDef(std::string_view s, long long def) {
    auto v = ParseInt(s);
    return v ? *v : def;
}

std::string MonthKey(int year, int month) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d", year, month);
    return buf;
}

std::string HalfWidthNumber(std::string_view s) {
    // Full-width forms are U+FF0D-U+FF19 (EF BC 8D-99); the minus sign is
    // U+2212 (E2 88 92). A text without a lead byte of either is returned as
    // it stands.
    if (s.find_first_of("\xEF\xE2") == std::string_view::npos) return std::string(s);
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (i + 2 < s.size() && (b == 0xEF || b == 0xE2)) {
            unsigned char b1 = static_cast<unsigned char>(s[i + 1]), b2 = static_cast<unsigned char>(s[i + 2]);
            char c = 0;
            if (b == 0xEF && b1 == 0xBC && b2 >= 0x90 && b2 <= 0x99) c = static_cast<char>('0' + (b2 - 0x90));
            else if (b == 0xEF && b1 == 0xBC && b2 == 0x8D) c = '-';
            else if (b == 0xEF && b1 == 0xBC && b2 == 0x8E) c = '.';
            else if (b == 0xE2 && b1 == 0x88 && b2 == 0x92) c = '-';
            if (c) {
                out.push_back(c);
                i += 2;
                continue;
            }
        }
        out.push_back(s[i]);
    }
    return out;
}
